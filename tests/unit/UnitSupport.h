// Helpers of the Windows unit tests: a private temporary folder per test, raw file bytes, and
// Unix commands run from inside Wine.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zvtest {

inline bool WriteBytes(const std::string &path, const std::string &bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    return ok && done == bytes.size();
}

inline std::string ReadBytes(const std::string &path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
    CloseHandle(h);
    return out;
}

inline bool IsDir(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool IsFile(const std::string &path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Runs a Unix program (Wine starts native programs too) and waits until done() holds, for ten
// seconds at most. Under a persistent wineserver the process handle of a Unix program cannot be
// waited on, so the outcome is watched instead.
template <class Done> bool RunUnix(const std::string &commandLine, Done done) {
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && !done(); ++i) Sleep(50);
    return done();
}

// The Unix path of a Windows path, through Wine's own kernel32 export; empty outside Wine.
inline std::string UnixPath(const std::string &path) {
    using Fn = char *(CDECL *)(LPCWSTR);
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn) return std::string();
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    char *unix = fn(wide.data());
    if (!unix) return std::string();
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

inline void DeleteTree(const std::string &folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            DWORD a = fd.dwFileAttributes;
            if ((a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_REPARSE_POINT)) {
                // A link: remove the link only, never what it leads to.
                if (!RemoveDirectoryA(path.c_str()) && !DeleteFileA(path.c_str())) {
                    std::string unix = UnixPath(path);
                    if (!unix.empty())
                        RunUnix("Z:\\bin\\rm -f \"" + unix + "\"",
                                [&] { return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; });
                }
            } else if (a & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

// A new, empty folder under the temp path, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        std::string base = temp;
        if (!base.empty() && base.back() != '\\') base += '\\';
        for (;;) {
            path_ = base + "zvunit-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
            if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() { DeleteTree(path_); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

} // namespace zvtest
