// In-process robot for the program's windows.
#include "GuiRobot.h"

#include <vector>

namespace zvgui {
namespace {

struct Find {
    const std::string *title;
    HWND found;
};

BOOL CALLBACK FindTitled(HWND hwnd, LPARAM lp) {
    auto *f = reinterpret_cast<Find *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && TextOf(hwnd) == *f->title) {
        f->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string TextOf(HWND hwnd) {
    std::vector<char> buf(4096);
    LRESULT n = SendMessageA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data(), static_cast<size_t>(n));
}

HWND WaitWindow(const std::string &title) {
    for (int i = 0; i < 500; ++i) {
        Find f{&title, nullptr};
        EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&f));
        if (f.found) {
            Sleep(50); // let it finish showing and take the focus
            return f.found;
        }
        Sleep(20);
    }
    return nullptr;
}

bool WaitGone(HWND hwnd) {
    for (int i = 0; i < 500; ++i) {
        if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return true;
        Sleep(20);
    }
    return false;
}

std::string BoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

void Press(HWND window, int id) {
    HWND button = GetDlgItem(window, id);
    if (button && IsWindowEnabled(button)) PostMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusOf(DWORD guiThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(guiThread, &info) ? info.hwndFocus : nullptr;
}

void Key(DWORD guiThread, UINT vk) {
    HWND target = FocusOf(guiThread);
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    Sleep(100);
}

std::string Answer(const std::string &title, int button) {
    HWND box = WaitWindow(title);
    if (!box) return "";
    std::string text = BoxText(box);
    Press(box, button);
    WaitGone(box);
    return text;
}

RECT ClientRectOf(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

zv::ModalResult Drive(zv::Form &form, const std::function<void(HWND, DWORD)> &robot) {
    DWORD gui = GetCurrentThreadId();
    HWND hwnd = form.Handle();
    std::thread t([&] {
        robot(hwnd, gui);
        if (!WaitGone(hwnd)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    });
    zv::ModalResult result = form.ShowModal();
    t.join();
    return result;
}

} // namespace zvgui
