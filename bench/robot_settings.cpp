// Times a settings window from outside, as a user sees it: starts COMMAND, waits for its visible
// window "Zorvikの設定" to answer messages, lets it settle, clicks its OK button (id 1) and waits
// for the process to end. Usage: robot_settings SETTLE_MS COMMAND. Prints "SHOWN CLOSED EXITCODE"
// (seconds from the start to the window answering, and from the click to the process's end).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h) CloseHandle(h);
    }
};

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The visible window with the title that belongs to the process, or null.
HWND Shown(DWORD pid) {
    HWND found = nullptr;
    for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, "Zorvikの設定"); h && !found;
         h = FindWindowExA(nullptr, h, nullptr, "Zorvikの設定")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) found = h;
    }
    return found;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: robot_settings SETTLE_MS COMMAND...\n");
        return 2;
    }
    const DWORD settle = static_cast<DWORD>(std::atoi(argv[1]));
    std::string cmd;
    for (int i = 2; i < argc; ++i) cmd += (i > 2 ? " \"" : "\"") + std::string(argv[i]) + "\"";

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // The desktop is up before the clock starts, as in a user's session; the first window of a
    // session would otherwise wait for it.
    GetDesktopWindow();
    Shown(0);
    const double start = Now();
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &si, &pi)) {
        std::fprintf(stderr, "robot: cannot start %s (%lu)\n", cmd.c_str(), GetLastError());
        return 1;
    }
    Handle process{pi.hProcess}, thread{pi.hThread};
    HWND window = nullptr;
    DWORD_PTR answer;
    for (;;) {
        window = Shown(pi.dwProcessId);
        // Answering a sent message means its message loop runs: the window is up.
        if (window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer))
            break;
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "robot: the process ended before its window appeared\n");
            return 1;
        }
        if (Now() - start > 300) {
            std::fprintf(stderr, "robot: no window after 300 s\n");
            TerminateProcess(pi.hProcess, 1);
            return 1;
        }
    }
    const double shown = Now() - start;
    Sleep(settle); // the first paint of the window and its lists is not part of OK's time
    HWND ok = GetDlgItem(window, IDOK);
    if (!ok) {
        std::fprintf(stderr, "robot: the window has no OK button\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    const double click = Now();
    PostMessageA(ok, BM_CLICK, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 300000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "robot: the process did not end within 300 s of OK\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    const double closed = Now() - click;
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("%.6f %.6f %lu\n", shown, closed, code);
    return 0;
}
