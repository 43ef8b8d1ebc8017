// The form base: the window and its controls from a table, the window procedure, and the one
// place where an error of a handler ends: the application's error box.
#include "Form.h"

#include <commctrl.h>

#include <exception>

#include "../common/Application.h"
#include "../common/SystemError.h"
#include "PictureButton.h"
#include "Subclass.h"

namespace zv {
namespace {

const char kClass[] = "ZorvikForm";

void RegisterFormClass(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    InitCommonControlClasses(ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES);
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    done = true;
}

} // namespace

// No exception may cross the system's frames: every action of a handler runs here.
Form::Outcome Form::Guarded(const std::function<void()> &action) {
    try {
        action();
        return Outcome::Done;
    } catch (const Refused &e) {
        ShowWarning(e.what());
        return Outcome::Refused;
    } catch (const std::exception &e) {
        ShowError(e.what());
    } catch (...) {
        ShowError(kUnknownError);
    }
    return Outcome::Failed;
}

Form::Form(const FormLayout &layout) : fonts_(MakeFonts()) {
    RegisterFormClass(Proc);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, layout.width, layout.height};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    // Proc takes this from the creation parameters at WM_NCCREATE.
    if (!CreateWindowExA(exStyle, kClass, layout.caption, style, 0, 0, r.right - r.left,
                         r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), this))
        RaiseSystemError(GetLastError());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.regular.get()), FALSE);
    for (const ControlSpec &c : layout.controls) {
        HWND control = CreateControl(hwnd_, c, fonts_, pictures_);
        if (c.kind == Kind::List) lists_.push_back(std::make_unique<ListModel>(control));
        if (c.kind == Kind::DefaultButton) keys_.SetDefault(c.id);
        pages_.Add(c);
    }
    pages_.ShowFirst(hwnd_);
}

Form::~Form() {
    if (!hwnd_) return;
    // The derived parts are gone already: no message of the destruction may reach them. The
    // window and its controls go before the fonts and pictures they draw with.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

std::string Form::Text(int id) const {
    std::string text;
    if (!ExactTextOf(Item(id), text))
        throw Refused(text + "\r\n\r\nこの文字列には、このプログラムで扱えない文字 (「?」の部分) "
                             "が含まれています。別の文字に置き換えてください。");
    return text;
}

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

void Form::Close(ModalResult result) {
    if (!FormClose()) return;
    result_ = result;
    closed_ = true;
}

ModalResult Form::ShowModal(Closing closing) {
    result_ = ModalResult::None;
    closed_ = false;
    keys_.Forget();
    RunModal(hwnd_, {[this] { Guarded([this] { FormShow(); }); },
                     [this](const MSG &msg) {
                         bool taken = true; // a key whose handling failed is taken
                         Guarded([&] { taken = PreviewKey(msg); });
                         return taken;
                     },
                     [this] { return closed_; }, closing == Closing::EndsProgram});
    return result_ == ModalResult::OK ? ModalResult::OK : ModalResult::Cancel;
}

LRESULT CALLBACK Form::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        Form *created = static_cast<Form *>(reinterpret_cast<CREATESTRUCTA *>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    Form *form = reinterpret_cast<Form *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, msg, wp, lp);
    // A failed action ends here, shown in its box, and the window stays open.
    LRESULT result = 0;
    Guarded([&] { result = form->HandleMessage(msg, wp, lp); });
    return result;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (keys_.Handle(hwnd_, msg, wp, lp, result)) return result;
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
    case WM_DRAWITEM:
        DrawPictureButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lp), pictures_.folder.get());
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR &n = *reinterpret_cast<const NMHDR *>(lp);
        return ListNotify(n, result) ? result : Notify(n);
    }
    case WM_CTLCOLORSTATIC: {
        COLORREF color = LabelColor(GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        if (color == CLR_INVALID) break;
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, color);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE: Close(ModalResult::Cancel); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

} // namespace zv
