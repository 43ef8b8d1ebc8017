// Helpers of every test that runs under Wine.
#include "support/Support.h"

#include <vector>

#include "common/CodePage.h"
#include "common/Handles.h"
#include "common/Path.h"

namespace zvtest {
namespace {

bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The folder part of a UTF-16 path, without its backslash; empty when there is none.
std::wstring ParentOf(const std::wstring &path) {
    size_t i = path.find_last_of(L'\\');
    return i == std::wstring::npos ? std::wstring() : path.substr(0, i);
}

} // namespace

std::string ReadBytes(const std::wstring &path) {
    zv::KernelHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!h.valid()) return bytes;
    std::vector<char> buf(65536);
    DWORD n = 0;
    while (ReadFile(h.get(), buf.data(), static_cast<DWORD>(buf.size()), &n, nullptr) && n)
        bytes.append(buf.data(), n);
    return bytes;
}

std::string ReadBytes(const std::string &path) { return ReadBytes(zv::ToWide(path)); }

bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    MakeDirs(ParentOf(path));
    zv::KernelHandle h(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n = 0;
    return h.valid() &&
           WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) &&
           n == bytes.size();
}

bool WriteBytes(const std::string &path, const std::string &bytes) {
    return WriteBytes(zv::ToWide(path), bytes);
}

zv::KernelHandle HoldExclusively(const std::string &path) {
    return zv::KernelHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDir(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeDirs(const std::wstring &path) {
    std::wstring p = !path.empty() && path.back() == L'\\' ? path.substr(0, path.size() - 1) : path;
    DWORD a = GetFileAttributesW(p.c_str());
    // A drive ("T:") or the "\\?\" prefix is there already.
    if (p.size() <= 3 || p.back() == L'?' ||
        (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)))
        return;
    MakeDirs(ParentOf(p));
    CreateDirectoryW(p.c_str(), nullptr);
}

void MakeDirs(const std::string &path) { MakeDirs(zv::ToWide(path)); }

std::vector<FolderEntry> ListFolder(const std::wstring &folder) {
    std::vector<FolderEntry> entries;
    const std::wstring pattern =
        folder + (!folder.empty() && folder.back() == L'\\' ? L"*" : L"\\*");
    WIN32_FIND_DATAW fd;
    zv::FindHandle find(FindFirstFileW(pattern.c_str(), &fd));
    for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &fd)) {
        FolderEntry e{fd.cFileName, std::string(), fd.dwFileAttributes};
        if (e.wide == L"." || e.wide == L"..") continue;
        zv::ToAnsiExact(e.wide, e.name);
        entries.push_back(e);
    }
    return entries;
}

std::vector<FolderEntry> ListFolder(const std::string &folder) {
    return ListFolder(zv::ToWide(folder));
}

void RemoveTree(const std::wstring &path) {
    const std::wstring dir =
        !path.empty() && path.back() == L'\\' ? path.substr(0, path.size() - 1) : path;
    for (const FolderEntry &e : ListFolder(dir)) {
        const std::wstring p = dir + L"\\" + e.wide;
        SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (IsLink(e.attributes)) {
            // Wine removes a Unix symlink to a folder neither as a folder nor as a file.
            if (RemoveDirectoryW(p.c_str()) || DeleteFileW(p.c_str())) continue;
            std::string ansi;
            zv::ToAnsiExact(p, ansi);
            const std::string unix = UnixPath(ansi);
            if (!unix.empty())
                RunUnix("Z:\\bin\\rm -f \"" + unix + "\"",
                        [&] { return GetFileAttributesW(p.c_str()) == INVALID_FILE_ATTRIBUTES; });
        } else if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(p);
        } else {
            DeleteFileW(p.c_str());
        }
    }
    RemoveDirectoryW(dir.c_str());
}

void RemoveTree(const std::string &path) { RemoveTree(zv::ToWide(path)); }

std::string UnixPath(const std::string &path) {
    using UnixName = char *(CDECL *)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char *name = unixName ? unixName(zv::ToWide(path).c_str()) : nullptr;
    if (!name) return std::string();
    std::string out = name;
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

bool RunUnix(const std::string &commandLine, const std::function<bool()> &done) {
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && !done(); ++i) Sleep(50);
    return done();
}

bool UnixLink(const std::string &target, const std::string &link) {
    const std::string unixLink = UnixPath(link);
    // Looked for, never made, while ln may still be on its way: a link that leads nowhere is
    // found as no entry, yet not as a missing one.
    auto made = [&] {
        WIN32_FIND_DATAA found;
        zv::FindHandle find(FindFirstFileA(link.c_str(), &found));
        return find.valid() || GetLastError() == ERROR_NO_MORE_FILES;
    };
    return !unixLink.empty() && RunUnix("/bin/ln -s \"" + target + "\" \"" + unixLink + "\"", made);
}

bool MakeFolderLink(const std::string &link, const std::string &target, std::string &how) {
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        IsDir(link)) {
        how = "CreateSymbolicLinkA";
        return true;
    }
    const std::string unixTarget = UnixPath(target);
    if (!unixTarget.empty() && UnixLink(unixTarget, link)) {
        how = "ln";
        return true;
    }
    how = "neither CreateSymbolicLinkA nor /bin/ln made a link";
    return false;
}

TempFolder::TempFolder() {
    static int counter = 0;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string base = zv::IncludeTrailingBackslash(temp);
    do {
        path_ = base + "zvunit-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
}

} // namespace zvtest
