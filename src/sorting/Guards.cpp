// The guards against what must not be moved.
#include "Guards.h"

#include <algorithm>
#include <vector>

#include "../common/CodePage.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/ShiftJis.h"
#include "../common/SystemPath.h"
#include "../settings/SettingsFile.h"

namespace zv {
namespace {

std::wstring NameOf(const std::wstring &path) {
    const size_t i = path.find_last_of(L"\\/:");
    return i == std::wstring::npos ? path : path.substr(i + 1);
}

// The identities of the program's own files, with their numbers on their volumes, and of every
// folder that holds them. The settings file is looked for until it is found: a first run writes
// it late.
struct ProgramIdentities {
    std::vector<FileIdentity> files, folders;
    std::vector<unsigned long long> indices;
    std::wstring exeName, settingsName;
    bool settingsFound = false;

    bool AddFile(const std::string &path) {
        KernelHandle h = OpenToLook(ToWide(path));
        FileIdentity id;
        if (!h.valid() || !IdentityOfHandle(h.get(), id)) return false;
        files.push_back(id);
        indices.push_back(FileIndexOf(h.get()));
        return true;
    }
    ProgramIdentities() {
        FileIdentity id;
        const std::string exe = ExePath();
        exeName = NameOf(ToWide(exe));
        settingsName = NameOf(ToWide(SettingsPath()));
        AddFile(exe);
        for (std::string dir = ExcludeTrailingBackslash(ExtractFilePath(exe)); !dir.empty();) {
            if (IdentityOf(dir.size() == 2 ? dir + "\\" : dir, id)) folders.push_back(id);
            std::string parent = ExcludeTrailingBackslash(ExtractFilePath(dir));
            if (parent == dir || parent.size() < 2) break;
            dir = parent;
        }
    }
    void Refresh() {
        if (!settingsFound) settingsFound = AddFile(SettingsPath());
    }
    const std::vector<FileIdentity> &Files() {
        Refresh();
        return files;
    }
};

ProgramIdentities &Program() {
    static ProgramIdentities identities;
    return identities;
}

bool Among(const std::vector<FileIdentity> &list, const FileIdentity &id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

// The identities of every drive's root, asked for once.
const std::vector<FileIdentity> &DriveRoots() {
    static const std::vector<FileIdentity> roots = [] {
        std::vector<FileIdentity> list;
        wchar_t drives[27 * 4 + 1] = {};
        const DWORD n = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(drives) - 1), drives);
        for (const wchar_t *d = drives; n && n < std::size(drives) && *d; d += wcslen(d) + 1) {
            FileIdentity id;
            if (IdentityOf(std::wstring(d), id)) list.push_back(id);
        }
        return list;
    }();
    return roots;
}

bool PartEndsInDotOrBlankW(const std::wstring &path) {
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring part = path.substr(start, end - start);
        if (part != L"." && part != L".." && !part.empty() &&
            (part.back() == L'.' || part.back() == L' '))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool PartEndsInDotOrBlank(const DualText &path) {
    return path.exact ? HasPartEndingInDotOrBlank(path.ansi) : PartEndsInDotOrBlankW(path.wide);
}

bool IsProgramFile(const FileIdentity &identity) { return Among(Program().Files(), identity); }

bool IsProgramFile(HANDLE file) {
    ProgramIdentities &program = Program();
    program.Refresh();
    const unsigned long long index = FileIndexOf(file);
    if (index &&
        std::find(program.indices.begin(), program.indices.end(), index) == program.indices.end())
        return false;
    FileIdentity id;
    return IdentityOfHandle(file, id) && IsProgramFile(id);
}

bool IsProgramFile(const DualText &path) {
    const std::wstring full = FullPath(path.wide);
    if (full.empty()) return false;
    FileIdentity id;
    return SamePath(full, ToWide(ExePath())) || SamePath(full, ToWide(SettingsPath())) ||
           (IdentityOf(full, id) && IsProgramFile(id));
}

bool HoldsProgramFile(const DualText &folder) {
    const std::wstring full = FullPath(folder.wide);
    std::wstring inside = full;
    if (!inside.empty() && inside.back() != L'\\') inside += L'\\';
    auto within = [&](const std::string &file) {
        const std::wstring w = ToWide(file);
        return inside.size() > 1 && w.size() > inside.size() &&
               SamePath(w.substr(0, inside.size()), inside);
    };
    FileIdentity id;
    return within(ExePath()) || within(SettingsPath()) ||
           (!full.empty() && IdentityOf(full, id) && Among(Program().folders, id));
}

bool MayBeProgramFile(const DualText &name) {
    const std::wstring n = NameOf(name.wide);
    return SamePath(n, Program().exeName) || SamePath(n, Program().settingsName) ||
           n.find(L'~') != std::wstring::npos;
}

bool IsLinkEntry(DWORD attributes, DWORD reparseTag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

bool LeadsElsewhere(HANDLE file, const DualText &path, const std::wstring &folderFinal) {
    const std::wstring final = ObjectNameOf(file);
    if (final.empty()) return false;
    const size_t cut = final.find_last_of(L'\\');
    const std::wstring finalName = final.substr(cut + 1), finalFolder = final.substr(0, cut);
    if (!SamePath(finalName, NameOf(path.wide))) {
        // A short name opens the file under its long name.
        wchar_t longPath[MAX_PATH + 1] = {};
        const DWORD n = GetLongPathNameW(path.wide.c_str(), longPath, MAX_PATH + 1);
        if (n == 0 || n > MAX_PATH || !SamePath(NameOf(longPath), finalName)) return true;
    }
    // A link in a folder of its own name may lead to a file of the same name elsewhere.
    std::wstring folder = folderFinal;
    if (folder.empty()) {
        std::wstring parent = FolderOf(path).wide;
        KernelHandle h = OpenToLook(parent.empty() ? L"." : parent);
        folder = h.valid() ? ObjectNameOf(h.get()) : std::wstring();
    }
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return !folder.empty() && !SamePath(folder, finalFolder);
}

bool IsDeviceName(const DualText &path) {
    const std::wstring &w = path.wide;
    if (w.compare(0, 2, L"\\\\") == 0) return false; // spelt as the system's own namespace
    return FullPath(w).compare(0, 4, L"\\\\.\\") == 0;
}

bool IsDriveRoot(const DualText &folder) {
    const std::wstring &w = folder.wide;
    if (w.size() == 2 && w[1] == L':') return true; // "T:" is the drive to whoever typed it
    KernelHandle h = OpenToLook(w);
    if (!h.valid()) return false;
    FileIdentity id;
    if (IdentityOfHandle(h.get(), id) && Among(DriveRoots(), id)) return true;
    // A volume mounted in a folder: its final path is its own volume's root.
    std::wstring final = FinalPathOf(h.get());
    if (final.empty()) return false;
    if (final.back() != L'\\') final += L'\\';
    wchar_t volume[MAX_PATH + 1] = {};
    return GetVolumePathNameW(final.c_str(), volume, MAX_PATH + 1) && SamePath(volume, final);
}

bool MustLeave(const DualText &path, LeftReason &reason) {
    const std::wstring &w = path.wide;
    // A "\\?\" path is taken as it is spelt, "?" included.
    const std::wstring plain = w.compare(0, 4, L"\\\\?\\") == 0 ? w.substr(4) : w;
    if (w.empty())
        reason = LeftReason::Empty;
    else if (PartEndsInDotOrBlank(path))
        reason = LeftReason::DotOrBlank;
    else if (plain.find_first_of(L"*?") != std::wstring::npos)
        reason = LeftReason::Wildcard;
    else if (IsDeviceName(path))
        reason = LeftReason::Device;
    else
        return false;
    return true;
}

} // namespace zv
