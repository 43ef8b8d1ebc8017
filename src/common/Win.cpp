// The Windows edge: error texts from the system and small API helpers.
#include "Win.h"

#include <cstring>
#include <vector>

#include "Error.h"

namespace zv {

std::string SystemMessage(DWORD code) {
    char *text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    if (message.empty()) message = "Error " + std::to_string(code);
    return message;
}

namespace {
BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}
} // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled() {
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&list_));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
    for (HWND hwnd : list_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

void RaiseSystemError(DWORD code) { throw Error(SystemMessage(code)); }

std::string FullPath(const std::string &path) {
    std::vector<char> buf(MAX_PATH + 1);
    for (;;) {
        DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        if (n == 0) return std::string();
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.assign(n + 1, '\0');
    }
}

std::string ExePath() {
    // Asked for per dropped file; the loader's record of the path never changes while it runs.
    static const std::string path = [] {
        std::vector<char> buf(MAX_PATH + 1);
        for (;;) {
            DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0) RaiseSystemError(GetLastError());
            if (n < buf.size() - 1) return std::string(buf.data(), n);
            buf.assign(buf.size() * 2, '\0');
        }
    }();
    return path;
}

bool SamePath(const std::string &a, const std::string &b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool ToAnsiExact(const std::wstring &wide, std::string &ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    const int len = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, nullptr, 0, nullptr,
                                &usedDefault);
    if (n <= 0) return false;
    ansi.assign(static_cast<size_t>(n), '\0');
    n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), len, &ansi[0], n, nullptr,
                            &usedDefault);
    if (n <= 0) return false;
    ansi.resize(static_cast<size_t>(n));
    // The flag alone is not enough everywhere: the text must also come back as it went in.
    return !usedDefault && ToWide(ansi) == wide;
}

std::wstring ToWide(const std::string &ansi) {
    if (ansi.empty()) return std::wstring();
    const int len = static_cast<int>(ansi.size());
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), len, &wide[0], n);
    return wide;
}

bool FileIdentity::operator==(const FileIdentity &o) const {
    return volume == o.volume && std::memcmp(id, o.id, sizeof id) == 0;
}

bool IdentityOf(const std::string &path, FileIdentity &identity) {
    identity = FileIdentity();
    if (path.empty()) return false;
    // No access asked for: this works for a file held open by another program too.
    Handle file(CreateFileW(ToWide(path).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return false;
    HANDLE h = file.get();
    bool ok = false;
    // The 128-bit identity (Windows 8 and later, and Wine, which gives the Unix device and inode
    // there); the older 64-bit one otherwise.
    // FILE_ID_INFO and FileIdInfo (18), which the Windows 7 headers leave out.
    struct {
        ULONGLONG VolumeSerialNumber;
        struct {
            BYTE Identifier[16];
        } FileId;
    } info{};
    if (GetFileInformationByHandleEx(h, static_cast<FILE_INFO_BY_HANDLE_CLASS>(18), &info, sizeof info)) {
        identity.volume = info.VolumeSerialNumber;
        static_assert(sizeof info.FileId.Identifier == sizeof identity.id, "128-bit file id");
        std::memcpy(identity.id, info.FileId.Identifier, sizeof identity.id);
        ok = true;
    } else {
        BY_HANDLE_FILE_INFORMATION bi{};
        if (GetFileInformationByHandle(h, &bi)) {
            identity.volume = bi.dwVolumeSerialNumber;
            std::memcpy(identity.id, &bi.nFileIndexLow, sizeof bi.nFileIndexLow);
            std::memcpy(identity.id + 4, &bi.nFileIndexHigh, sizeof bi.nFileIndexHigh);
            ok = true;
        }
    }
    return ok;
}

} // namespace zv
