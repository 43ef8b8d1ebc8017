// A plain window as a modal dialog.
#include "ModalLoop.h"

#include "../common/WindowsDisabled.h"

namespace zv {
namespace {

bool IsClass(HWND hwnd, const char *name) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

bool IsPushButton(HWND hwnd) {
    LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return IsClass(hwnd, "Button") && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

void Centre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

} // namespace

void RunModal(HWND window, const ModalHooks &hooks) {
    Centre(window);
    HWND before = GetActiveWindow();
    {
        ThreadWindowsDisabled others;
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
        hooks.shown();
        MSG msg;
        if (hooks.ready) {
            // Everything but the user's input first, as the loop would take it: what other
            // programs sent, what was posted, the paint.
            while (PeekMessageW(&msg, nullptr, 0, 0,
                                PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            hooks.ready();
        }
        while (!hooks.done()) {
            // In UTF-16 all the way: a character typed that the code page lacks reaches the edit
            // field as it is, to be refused there rather than turned into a look-alike.
            BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) { // keep the quit for the loop that owns it
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            const bool mine = msg.hwnd == window || IsChild(window, msg.hwnd);
            if (!(mine && hooks.preview(msg)) && !IsDialogMessageW(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    } // the other windows are enabled again before this one hides, so that one of them is
      // activated when it goes, with the focus where it was
    if (hooks.endsProgram) return;
    ShowWindow(window, SW_HIDE);
    if (before && before != window && IsWindow(before) && IsWindowVisible(before))
        SetActiveWindow(before);
}

void AnswerSentMessages() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

int DialogKeys::DefaultButton(HWND window) const {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus) && IsPushButton(focus)) return GetDlgCtrlID(focus);
    return defaultId_;
}

bool DialogKeys::Handle(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
    switch (msg) {
    case DM_GETDEFID:
        result = defaultId_ ? MAKELRESULT(DefaultButton(window), DC_HASDEFID) : 0;
        return true;
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                               : GetNextDlgTabItem(window, GetFocus(), wp != 0);
        if (next) {
            SetFocus(next);
            if (IsClass(next, "Edit")) SendMessageA(next, EM_SETSEL, 0, -1);
        }
        result = 0;
        return true;
    }
    case WM_ACTIVATE: {
        // As a dialog does: the control that had the focus gets it back when the window is
        // active again, after a box or a modal window of its own has closed.
        HWND focus = GetFocus();
        if (LOWORD(wp) == WA_INACTIVE) {
            if (focus && IsChild(window, focus)) savedFocus_ = focus;
        } else if (savedFocus_ && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) &&
                   IsWindowEnabled(savedFocus_)) {
            SetFocus(savedFocus_);
            result = 0;
            return true;
        }
        return false; // the default handling follows
    }
    default: return false;
    }
}

} // namespace zv
