// The form base: window, controls from a table, modal loop, keyboard, errors shown in the box.
#include "Form.h"

#include <exception>

#include "../common/Application.h"
#include "../common/Win.h"
#include "../sorting/FileUnit.h"

namespace zv {
namespace {

const char kClass[] = "ZorvikForm";
const int kFolderPicture = 100;

void RegisterFormClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    done = true;
}

bool IsPushButton(HWND hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(cls, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

Form::Form(const char *caption, int clientWidth, int clientHeight,
           std::initializer_list<ControlSpec> controls) {
    RegisterFormClass();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    hwnd_ = CreateWindowExA(exStyle, kClass, caption, style, 0, 0, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd_) RaiseSystemError(GetLastError());
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));

    font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    for (const ControlSpec &c : controls) {
        int x = c.left, y = c.top;
        if (c.parent) { // positions inside a group box are relative to it
            RECT pr;
            GetWindowRect(Item(c.parent), &pr);
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&pr), 2);
            x += pr.left;
            y += pr.top;
        }
        const char *cls = "Button";
        DWORD s = WS_CHILD | WS_VISIBLE, ex = 0;
        switch (c.kind) {
        case Kind::Label: cls = "Static"; s |= SS_LEFT | SS_NOPREFIX; break;
        case Kind::Edit:
            cls = "Edit";
            s |= WS_TABSTOP | ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            break;
        case Kind::Button: s |= WS_TABSTOP | BS_PUSHBUTTON; break;
        case Kind::DefaultButton:
            s |= WS_TABSTOP | BS_DEFPUSHBUTTON;
            defaultId_ = c.id;
            break;
        case Kind::Radio: s |= BS_AUTORADIOBUTTON; break; // tab stop only while selected
        case Kind::Group: s |= BS_GROUPBOX; break;
        case Kind::Picture: cls = "Static"; s |= SS_OWNERDRAW | SS_NOTIFY; break;
        }
        HWND h = CreateWindowExA(ex, cls, c.caption ? c.caption : "", s, x, y, c.width, c.height,
                                 hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                 instance, nullptr);
        if (!h) RaiseSystemError(GetLastError());
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (c.kind == Kind::Picture && !folder_)
            folder_ = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(kFolderPicture),
                                                      IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    }
}

Form::~Form() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
    if (folder_) DeleteObject(folder_);
}

std::string Form::Text(int id) const {
    HWND h = Item(id);
    int n = GetWindowTextLengthA(h);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(h, &text[0], n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void Form::SetText(int id, const std::string &text) { SetWindowTextA(Item(id), text.c_str()); }
void Form::SetCaption(const std::string &caption) { SetWindowTextA(hwnd_, caption.c_str()); }
bool Form::Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Form::Enable(int id, bool enabled) {
    EnableWindow(Item(id), enabled);
    InvalidateRect(Item(id), nullptr, TRUE);
}

void Form::SelectRadio(std::initializer_list<int> set, int id) {
    for (int each : set) {
        HWND h = Item(each);
        SendMessageA(h, BM_SETCHECK, each == id ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG s = GetWindowLongA(h, GWL_STYLE);
        SetWindowLongA(h, GWL_STYLE, each == id ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
    }
}

void Form::Focus(int id) { SetFocus(Item(id)); }

void Form::BrowseInto(int edit) {
    std::string folder;
    if (SelectFolder("フォルダを指定してください。", BrowseStartFolder(Text(edit)), folder))
        SetText(edit, folder);
}

void Form::Close(ModalResult result) {
    if (!FormClose()) return;
    result_ = result;
    closed_ = true;
}

ModalResult Form::ShowModal() {
    result_ = ModalResult::None;
    closed_ = false;
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    {
        ThreadWindowsDisabled others;
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
        try {
            FormShow();
        } catch (const std::exception &e) {
            ShowError(e.what());
        }
        MSG msg;
        while (!closed_) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) { // keep the quit for the loop that owns it
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            if (!IsDialogMessageA(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        ShowWindow(hwnd_, SW_HIDE);
    }
    return result_ == ModalResult::OK ? ModalResult::OK : ModalResult::Cancel;
}

int Form::DefaultButton() const {
    // Enter presses the push button that has the focus, else the default button.
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus) && IsPushButton(focus)) return GetDlgCtrlID(focus);
    return defaultId_;
}

void Form::DrawPicture(const DRAWITEMSTRUCT &item) const {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (!folder_) return;
    BITMAP bm{};
    GetObjectA(folder_, sizeof bm, &bm);
    bool enabled = IsWindowEnabled(item.hwndItem);
    DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(folder_), 0,
               (r.right - r.left - bm.bmWidth) / 2, (r.bottom - r.top - bm.bmHeight) / 2, 0, 0,
               DST_BITMAP | (enabled ? DSS_NORMAL : DSS_DISABLED));
}

LRESULT CALLBACK Form::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form *form = reinterpret_cast<Form *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, msg, wp, lp);
    // No exception may cross the system's frames: a failed action ends there, shown in the
    // application's error box, and the window stays open.
    try {
        return form->HandleMessage(msg, wp, lp);
    } catch (const std::exception &e) {
        ShowError(e.what());
    } catch (...) {
        ShowError("Unknown error");
    }
    return 0;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: {
        int id = LOWORD(wp);
        // Escape arrives as IDCANCEL: it does something only where a control has that id.
        if (lp == 0 && id == IDCANCEL && !Item(IDCANCEL)) return 0;
        if (id == IDOK && !Item(IDOK)) return 0;
        HWND control = reinterpret_cast<HWND>(lp);
        if (control && !IsWindowEnabled(control)) return 0;
        Command(id, HIWORD(wp));
        return 0;
    }
    case DM_GETDEFID:
        return defaultId_ ? MAKELRESULT(DefaultButton(), DC_HASDEFID) : 0;
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                               : GetNextDlgTabItem(hwnd_, GetFocus(), wp != 0);
        if (next) {
            SetFocus(next);
            char cls[8] = {};
            GetClassNameA(next, cls, sizeof cls);
            if (lstrcmpiA(cls, "Edit") == 0) SendMessageA(next, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    case WM_DRAWITEM:
        DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT *>(lp));
        return TRUE;
    case WM_CLOSE:
        Close(ModalResult::Cancel);
        return 0;
    default:
        return DefWindowProcA(hwnd_, msg, wp, lp);
    }
}

} // namespace zv
