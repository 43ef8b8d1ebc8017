// What makes a window modal to the whole program.
#include "WindowsDisabled.h"

namespace zv {
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

} // namespace zv
