// The guards against what must not be moved, and the message that lists what was left.
#include "Guards.h"

#include <algorithm>

#include "../common/Application.h"
#include "../common/Buffer.h"
#include "../common/CodePage.h"
#include "../common/FileIdentity.h"
#include "../common/Format.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/Platform.h"
#include "../common/ShiftJis.h"
#include "../common/SystemPath.h"
#include "../settings/SettingsFile.h"

namespace zv {
namespace {

// The identities of the program's own files, and of every folder that holds them. The settings
// file is looked for until it is found: a first run writes it late.
struct ProgramIdentities {
    std::vector<FileIdentity> files, folders;
    bool settingsFound = false;

    ProgramIdentities() {
        FileIdentity id;
        const std::string exe = ExePath();
        if (IdentityOf(exe, id)) files.push_back(id);
        for (std::string dir = ExcludeTrailingBackslash(ExtractFilePath(exe)); !dir.empty();) {
            if (IdentityOf(dir.size() == 2 ? dir + "\\" : dir, id)) folders.push_back(id);
            std::string parent = ExcludeTrailingBackslash(ExtractFilePath(dir));
            if (parent == dir || parent.size() < 2) break;
            dir = parent;
        }
    }
    const std::vector<FileIdentity> &Files() {
        FileIdentity id;
        if (!settingsFound && IdentityOf(SettingsPath(), id)) {
            files.push_back(id);
            settingsFound = true;
        }
        return files;
    }
};

ProgramIdentities &Program() {
    static ProgramIdentities identities;
    return identities;
}

bool Among(const std::vector<FileIdentity> &list, const std::string &path) {
    FileIdentity id;
    return IdentityOf(path, id) && std::find(list.begin(), list.end(), id) != list.end();
}

} // namespace

bool IsProgramFile(const std::string &path) {
    std::string full = FullPath(path);
    if (full.empty()) return false;
    return SamePath(full, ExePath()) || SamePath(full, SettingsPath()) ||
           Among(Program().Files(), full);
}

bool HoldsProgramFile(const std::string &folder) {
    std::string full = FullPath(folder);
    std::string inside = IncludeTrailingBackslash(full);
    auto within = [&](const std::string &file) {
        return inside.size() > 1 && file.size() > inside.size() &&
               SamePath(file.substr(0, inside.size()), inside);
    };
    return within(ExePath()) || within(SettingsPath()) ||
           (!full.empty() && Among(Program().folders, full));
}

bool IsFileLink(const std::string &path, DWORD attributes, DWORD reparseTag) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT;
    if (!ShellIsWine()) return false;
    // Wine lists a Unix symlink to a file as a plain file, and renaming it moves the file it
    // leads to. The file opened through it tells: its final name is the target's.
    const std::wstring wide = ToWide(path);
    KernelHandle h(CreateFileW(wide.c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) return false;
    // Too small a buffer gives the size needed, the final NUL counted.
    const std::wstring final = ReadGrowing<wchar_t>(
        [&](wchar_t *buf, size_t size) {
            return GetFinalPathNameByHandleW(h.get(), buf, static_cast<DWORD>(size), 0);
        },
        0, MAX_PATH + 1);
    if (final.empty()) return false;
    auto nameOf = [](const std::wstring &p) {
        size_t i = p.find_last_of(L"\\/");
        return i == std::wstring::npos ? p : p.substr(i + 1);
    };
    const std::wstring real = nameOf(final);
    return CompareStringOrdinal(real.c_str(), -1, nameOf(wide).c_str(), -1, TRUE) != CSTR_EQUAL;
}

bool MustLeave(const std::string &path, LeftReason &reason) {
    if (path.empty()) {
        reason = LeftReason::Empty;
        return true;
    }
    if (HasPartEndingInDotOrBlank(path)) {
        reason = LeftReason::DotOrBlank;
        return true;
    }
    if (FindChar(path, "*?") != std::string::npos) {
        reason = LeftReason::Wildcard;
        return true;
    }
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileW(ToWide(path).c_str(), &fd));
    if (find.valid() && IsFileLink(path, fd.dwFileAttributes, fd.dwReserved0)) {
        reason = LeftReason::FileLink;
        return true;
    }
    return false;
}

std::string LeftItems::Text() const {
    static const struct {
        LeftReason reason;
        const char *text;
    } kReasons[] = {
        {LeftReason::NotInCodePage,
         "名前に Shift-JIS で表せない文字があります（その文字は ? で示します）:"},
        {LeftReason::DotOrBlank,
         "名前の末尾がピリオドか空白のため、別の項目と取り違えるおそれがあります:"},
        {LeftReason::TooLong, "パスが長すぎるため、扱えません:"},
        {LeftReason::FileLink, "ファイルへのリンクです（リンク先のファイルは移動しません）:"},
        {LeftReason::Empty, "空の引数です（ファイルやフォルダの名前がありません）:"},
        {LeftReason::Wildcard, "名前に * か ? があり、ほかのファイルと取り違えるおそれがあります:"},
    };
    std::string text = "次の項目は移動しませんでした。";
    for (const auto &r : kReasons) {
        size_t count = 0;
        for (const auto &item : items_) {
            if (item.first != r.reason) continue;
            if (count == 0) text += std::string("\r\n\r\n") + r.text;
            if (count < kShown)
                text += "\r\n" + (item.second.empty() ? std::string("\"\"") : item.second);
            ++count;
        }
        if (count > kShown) text += "\r\n" + Format("ほか %s 件", std::to_string(count - kShown));
    }
    return text;
}

void LeftItems::Show() const {
    if (!items_.empty()) ShowWarning(Text());
}

} // namespace zv
