// The session: the program started and driven by clicks and key presses, the way a user does.
#include "robot/WindowReading.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "common/CodePage.h"
#include "common/ShiftJis.h"

namespace zvtest {

namespace {

// Windows command-line quoting: backslashes before a quote (or the closing quote) are doubled.
std::string Quote(const std::string &arg) {
    std::string out = "\"";
    size_t slashes = 0;
    for (size_t i = 0; i < arg.size(); i += zv::CharLen(arg, i)) {
        const char c = arg[i];
        if (zv::CharLen(arg, i) == 2) {
            out.append(arg, i, 2);
            slashes = 0;
            continue;
        }
        if (c == '\\') {
            ++slashes;
        } else {
            if (c == '"') out.append(slashes + 1, '\\');
            slashes = 0;
        }
        out += c;
    }
    out.append(slashes, '\\');
    return out + "\"";
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

POINT ScreenPoint(HWND control, POINT at) {
    RECT r;
    GetWindowRect(control, &r);
    if (at.x < 0) at = {(r.right - r.left) / 2, (r.bottom - r.top) / 2};
    return {r.left + at.x, r.top + at.y};
}

} // namespace

bool StartProgram(const std::string &exe, const std::vector<std::string> &args,
                  const RunOptions &options, PROCESS_INFORMATION &pi) {
    std::string line = Quote(exe);
    for (const std::string &a : args) line += " " + Quote(a);
    auto wide = [](const std::string &a) { return zv::ToWide(a); };
    std::wstring wline = wide(line);
    for (const std::wstring &a : options.wideArgs)
        wline += L" \"" + a + L"\""; // no quote or final backslash in them
    std::vector<wchar_t> cmd(wline.begin(), wline.end());
    cmd.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(wide(exe).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       options.cwd.empty() ? nullptr : wide(options.cwd).c_str(), &si, &pi))
        return true;
    ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError() << " (command line "
                  << line.size() << " chars)";
    return false;
}

Session::Session(const std::string &exe, const std::vector<std::string> &args,
                 const std::string &cwd) {
    if (!StartProgram(exe, args, RunOptions{exe, cwd}, pi_)) return;
    BOOL wow = FALSE;
    wow64_ = IsWow64Process(pi_.hProcess, &wow) && wow;
}

Session::~Session() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi_.hProcess, 999);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

HWND Session::Window(const std::string &title, DWORD ms) const {
    for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < ms; Sleep(20)) {
        for (HWND h : VisibleWindows(pi_.dwProcessId)) {
            if (TextOf(h) != title) continue;
            // Shown and filled in; keys go to it once the system has made it the foreground
            // window, which the display server reports on its own time.
            Settle(h);
            WaitUntil([&] { return GetForegroundWindow() == h || !IsWindowVisible(h); }, ms);
            Settle(h);
            return h;
        }
        if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) break;
    }
    ADD_FAILURE() << "no window \"" << title << "\"";
    return nullptr;
}

bool Session::Gone(HWND window, DWORD ms) const {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, ms);
}

void Session::MoveTo(HWND control, POINT at) const {
    POINT p = ScreenPoint(control, at);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx =
        (p.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy =
        (p.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send({in});
    Idle();
}

void Session::Idle() const {
    // No call of the system tells when the program's thread has taken the input. What a click
    // does is checked by waiting for it (EXPECT_SOON); this pause only gives a check that nothing
    // happened (a key that must do nothing) the time in which it would have happened.
    Sleep(100);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(pi_.dwThreadId, &info) && info.hwndActive) Settle(info.hwndActive);
}

void Session::Click(HWND control, POINT at, int clicks) const {
    if (!control) {
        ADD_FAILURE() << "no control to click";
        return;
    }
    MoveTo(control, at);
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i)
        for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT in{};
            in.type = INPUT_MOUSE;
            in.mi.dwFlags = flag;
            inputs.push_back(in);
        }
    Send(inputs);
    Idle();
}

void Session::Keys(std::initializer_list<WORD> keys) const {
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = flags;
        inputs.push_back(in);
    };
    for (WORD vk : keys) key(vk, 0);
    for (auto it = keys.end(); it != keys.begin();) key(*--it, KEYEVENTF_KEYUP);
    Send(inputs);
    Idle();
}

void Session::Type(HWND edit, const std::string &text) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Session::Type(HWND edit, const std::wstring &text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND Session::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(pi_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

std::string Session::AnswerBox(const std::string &title, int button) const {
    HWND box = Window(title);
    if (!box) return std::string();
    std::string text = TextOf(GetDlgItem(box, kBoxText));
    Click(GetDlgItem(box, button));
    if (!Gone(box)) ADD_FAILURE() << "the box \"" << title << "\" stayed open";
    return text;
}

std::vector<std::vector<std::string>> Session::Rows(HWND list, int columns) const {
    // LVITEMA as the program sees it: pszText and cchTextMax follow five 32-bit fields, after
    // padding where pointers are 64-bit.
    const size_t textAt = wow64_ ? 20 : 24, maxAt = wow64_ ? 24 : 32, buffer = 256, size = 4096;
    const RemoteMemory memory(pi_.hProcess, buffer + size);
    char *const remote = memory.get();
    std::vector<std::vector<std::string>> rows;
    if (!remote) return rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        rows.emplace_back();
        for (int c = 0; c < columns; ++c) {
            char item[buffer] = {};
            int sub = c, max = static_cast<int>(size);
            unsigned long long text = reinterpret_cast<uintptr_t>(remote + buffer);
            std::memcpy(item + 8, &sub, 4);
            std::memcpy(item + textAt, &text, wow64_ ? 4 : 8);
            std::memcpy(item + maxAt, &max, 4);
            WriteProcessMemory(pi_.hProcess, remote, item, sizeof item, nullptr);
            LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(r),
                                     reinterpret_cast<LPARAM>(remote));
            std::vector<char> out(size);
            ReadProcessMemory(pi_.hProcess, remote + buffer, out.data(), size, nullptr);
            rows.back().emplace_back(out.data(), static_cast<size_t>(std::max<LRESULT>(
                                                     0, std::min<LRESULT>(n, size - 1))));
        }
    }
    return rows;
}

LRESULT Session::SendWithData(HWND window, UINT msg, WPARAM wp, const void *data,
                              size_t size) const {
    const RemoteMemory memory(pi_.hProcess, size);
    if (!memory.get() || !WriteProcessMemory(pi_.hProcess, memory.get(), data, size, nullptr))
        return 0;
    return SendMessageA(window, msg, wp, reinterpret_cast<LPARAM>(memory.get()));
}

void Session::ClickRow(HWND list, int row, int clicks) const {
    RECT r{LVIR_LABEL, 0, 0, 0};
    const RemoteMemory memory(pi_.hProcess, sizeof r);
    void *const remote = memory.get();
    ASSERT_TRUE(remote) << "no memory in the program for a row's rectangle";
    WriteProcessMemory(pi_.hProcess, remote, &r, sizeof r, nullptr);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(pi_.hProcess, remote, &r, sizeof r, nullptr);
    Click(list, {r.left + 5, (r.top + r.bottom) / 2}, clicks);
}

DWORD Session::Wait(DWORD ms) {
    DWORD code = 0xFFFFFFFF;
    if (pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi_.hProcess, &code);
    else
        ADD_FAILURE() << "Zorvik did not end within " << ms << " ms";
    return code;
}

} // namespace zvtest
