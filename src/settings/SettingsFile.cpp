// The settings file through the profile API.
#include "SettingsFile.h"

#include <windows.h>

#include <cstring>

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

namespace {
// The file the outermost reading alive holds, if any (the program has one thread).
std::string heldPath;
} // namespace

SettingsReading::SettingsReading(const std::string &path) {
    if (!heldPath.empty() && heldPath == path) return;
    file_.reset(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr));
    if (file_.valid()) {
        heldPath = path;
        outer_ = true;
        return;
    }
    const DWORD code = GetLastError();
    // A folder at the path is no settings file: nothing to hold, and reads give the defaults.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
        throw Error(Format("%s を読み込めません", path));
}

SettingsReading::~SettingsReading() {
    if (outer_) heldPath.clear();
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

namespace {

// One lookup. False when the system says it could not open the file: the value is then the
// default, not the file's. A missing file (or folder) is read as empty, as the profile API reads
// it.
bool LookUp(const std::string &path, const char *section, const char *key, const std::string &def,
            std::string &value) {
    // Zero-filled: when a double-byte character straddles the end, some systems return the full
    // count but leave the last byte unwritten.
    char buf[SettingsFile::kValueBuffer] = {};
    SetLastError(ERROR_SUCCESS);
    GetPrivateProfileStringA(section, key, def.c_str(), buf, sizeof buf, path.c_str());
    const DWORD code = GetLastError();
    value.assign(buf, strnlen(buf, sizeof buf - 1));
    value = CutWhole(value, value.size());
    return code == ERROR_SUCCESS || code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

} // namespace

std::string SettingsFile::ReadString(const char *section, const char *key,
                                     const std::string &def) const {
    // A sorting run makes two lookups per file, each opening the file itself: holding it open
    // around each would open it twice as often. Only a lookup that could not open the file is
    // made again, held: that one reads the file or raises "%s を読み込めません".
    std::string value;
    if (LookUp(path_, section, key, def, value)) return value;
    SettingsReading reading(path_);
    LookUp(path_, section, key, def, value);
    return value;
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

std::string SettingsFile::ReadList(const char *section) const {
    SettingsReading reading(path_);
    return SectionList(path_, section);
}

std::string SettingsFile::Looked(const char *section, const Entry &key) const {
    // Only quotes make the two differ; a value too long for a lookup is shown whole.
    const char first = key.value.empty() ? '\0' : key.value[0];
    if ((first != '"' && first != '\'') || key.value.size() >= kValueBuffer) return key.value;
    return ReadString(section, key.key.c_str(), "");
}

} // namespace zv
