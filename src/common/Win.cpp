// The Windows edge: error texts from the system and small API helpers.
#include "Win.h"

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

} // namespace zv
