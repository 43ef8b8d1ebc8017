// The settings file through the profile API.
#include "SettingsFile.h"

#include <windows.h>

#include <cstring>

#include "../common/Buffer.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Format.h"
#include "../common/Path.h"
#include "../common/ShiftJis.h"
#include "../common/SystemPath.h"
#include "Value.h"

namespace zv {

std::string SettingsPathFor(const std::string &exePath) {
    size_t dot = LastDelimiter(exePath, ".\\:");
    if (dot != std::string::npos && exePath[dot] == '.') return exePath.substr(0, dot) + ".INI";
    return exePath + ".INI";
}

std::string SettingsPath() {
    static const std::string path = SettingsPathFor(ExePath());
    return path;
}

bool SettingsFileExists() { return FileExists(SettingsPath()); }

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)), shownPath_(path_) {}

SettingsFile::SettingsFile(std::string path, std::string shownPath)
    : path_(std::move(path)), shownPath_(std::move(shownPath)) {}

SettingsFile::~SettingsFile() {
    // Asks the system to write its cached copy of the file. The result is FALSE on some systems
    // even when nothing is wrong, so it is not examined. After reads alone there is nothing to
    // write, and the call would only drop the cached copy, which the next reader parses again.
    if (written_) WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

std::string SettingsFile::ReadString(const char *section, const char *key,
                                     const std::string &def) const {
    // Zero-filled: when a double-byte character straddles the end, some systems return the full
    // count but leave the last byte unwritten.
    char buf[kValueBuffer] = {};
    GetPrivateProfileStringA(section, key, def.c_str(), buf, sizeof buf, path_.c_str());
    std::string value(buf, strnlen(buf, sizeof buf - 1));
    return CutWhole(value, value.size());
}

int32_t SettingsFile::ReadInteger(const char *section, const char *key, int32_t def) const {
    int32_t value;
    return ParseInt(ReadString(section, key, ""), value) ? value : def;
}

bool SettingsFile::ReadBool(const char *section, const char *key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool SettingsFile::Read(const OptionRead<bool> &option) const {
    return ReadBool(kOption, option.key, option.missing);
}

std::string SettingsFile::Read(const OptionRead<const char *> &option) const {
    return ReadString(kOption, option.key, option.missing);
}

MoveNoExt SettingsFile::Read(const OptionRead<MoveNoExt> &option) const {
    return static_cast<MoveNoExt>(
        ReadInteger(kOption, option.key, static_cast<int32_t>(option.missing)));
}

void SettingsFile::RaiseWriteError() const {
    throw Error(Format("%s に書き込めません", shownPath_));
}

void SettingsFile::WriteString(const char *section, const char *key, const std::string &value) {
    written_ = true;
    if (!WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str())) RaiseWriteError();
}

void SettingsFile::WriteInteger(const char *section, const char *key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const char *section, const char *key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void SettingsFile::EraseSection(const char *section) {
    written_ = true;
    if (!WritePrivateProfileStringA(section, nullptr, nullptr, path_.c_str())) RaiseWriteError();
}

std::vector<std::string> SettingsFile::ReadSection(const char *section) const {
    // The list has no size bound: the buffer grows until every name fits. A result of size - 2 or
    // more means the list was cut (the last name may be partial and lack its double NUL).
    const std::string list = ReadGrowing<char>(
        [&](char *buf, size_t size) {
            return GetPrivateProfileStringA(section, nullptr, nullptr, buf,
                                            static_cast<DWORD>(size), path_.c_str());
        },
        2, 16384);
    std::vector<std::string> keys;
    for (size_t i = 0; i < list.size() && list[i];) {
        size_t len = strnlen(&list[i], list.size() - i);
        keys.emplace_back(&list[i], len);
        i += len + 1;
    }
    return keys;
}

void RewriteSettings(const std::function<void(SettingsFile &)> &edit, const std::string &path) {
    std::string temp;
    const bool made = MakeTempFileIn(ExtractFilePath(path), temp) == 0;
    bool done = false;
    if (made) {
        try {
            // A missing file is no error: the copy then starts empty, as the file would.
            if (CopyFileA(path.c_str(), temp.c_str(), FALSE) ||
                GetLastError() == ERROR_FILE_NOT_FOUND) {
                {
                    SettingsFile copy(temp, path);
                    edit(copy);
                } // flushed here
                done = MoveFileExA(temp.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
            }
        } catch (...) {
            DeleteFileA(temp.c_str());
            throw;
        }
        if (!done) DeleteFileA(temp.c_str());
    }
    if (!done) throw Error(Format("%s に書き込めません", path));
}

void WriteDefaultSettings(const std::string &baseDir) {
    std::string path = SettingsPath();
    if (FileExists(path)) return;
    SettingsFile ini(path);
    std::string base = ExcludeTrailingBackslash(baseDir);
    ini.WriteBool(kOption, kMoveFolder, kNewMoveFolder);
    ini.WriteString(kOption, kMoveFolderPath, base);
    ini.WriteInteger(kOption, kMoveNoExt, static_cast<int32_t>(kNewMoveNoExt));
    ini.WriteString(kOption, kMoveNoExtPath, base);
    ini.WriteString(kOption, kBaseDir, base);
}

} // namespace zv
