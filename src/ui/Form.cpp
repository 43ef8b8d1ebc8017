// The form base: the window and its controls from a table, the window procedure, and the one
// place where an error of a handler ends: the application's error box.
#include "Form.h"

#include <commctrl.h>

#include <exception>

#include "../common/Application.h"
#include "../common/CodePage.h"
#include "../common/SystemError.h"
#include "Dpi.h"
#include "PictureButton.h"
#include "Subclass.h"

namespace zv {
namespace {

const char kClass[] = "ZorvikForm";
const UINT kDpiChanged = 0x02E0; // WM_DPICHANGED, which the Windows 7 headers leave out

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

namespace {
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
const DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
} // namespace

Form::Form(const FormLayout &layout) : layout_(layout) {
    RegisterFormClass(Proc);
    // Made first to know the DPI it is shown at, then sized and filled for it. Proc takes this
    // from the creation parameters at WM_NCCREATE.
    if (!CreateWindowExA(kExStyle, kClass, layout.caption, kStyle, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), this))
        RaiseSystemError(GetLastError());
    dpi_ = DpiOf(hwnd_);
    fonts_ = MakeFonts(dpi_);
    SizeFrame();
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.regular.get()), FALSE);
    for (const ControlSpec &c : layout.controls) {
        HWND control = CreateControl(hwnd_, c);
        PlaceControl(hwnd_, c, fonts_, pictures_, dpi_);
        if (c.kind == Kind::List) lists_.push_back(std::make_unique<ListModel>(control));
        if (c.kind == Kind::DefaultButton) keys_.SetDefault(c.id);
        if (c.kind == Kind::Picture || c.name) {
            facts_.push_back(std::make_unique<AccessibleFacts>(
                AccessibleFacts{ToWide(c.name ? c.name : ""), c.kind == Kind::Picture}));
            AnswerScreenReaders(control, facts_.back().get());
        }
        pages_.Add(c);
    }
    pages_.ShowFirst(hwnd_);
}

void Form::SizeFrame() {
    const SIZE frame = FrameSize(SIZE{Scaled(layout_.width, dpi_), Scaled(layout_.height, dpi_)},
                                 kStyle, kExStyle, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Rescale(int dpi, const RECT &proposed) {
    dpi_ = dpi;
    SetWindowPos(hwnd_, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Fonts fonts = MakeFonts(dpi);
    Pictures pictures;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.regular.get()), FALSE);
    for (const ControlSpec &c : layout_.controls) PlaceControl(hwnd_, c, fonts, pictures, dpi);
    // No control draws with the old fonts and pictures now: they go.
    std::swap(fonts_, fonts);
    std::swap(pictures_, pictures);
    Rescaled();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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

ModalResult Form::ShowModal(Closing closing, std::function<void()> ready) {
    result_ = ModalResult::None;
    closed_ = false;
    keys_.Forget();
    RunModal(hwnd_,
             {[this] { Guarded([this] { FormShow(); }); },
              [this](const MSG &msg) {
                  bool taken = true; // a key whose handling failed is taken
                  Guarded([&] { taken = PreviewKey(msg); });
                  return taken;
              },
              [this] { return closed_; }, closing == Closing::EndsProgram, std::move(ready)});
    return result_ == ModalResult::OK ? ModalResult::OK : ModalResult::Cancel;
}

LRESULT CALLBACK Form::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        Form *created = static_cast<Form *>(reinterpret_cast<CREATESTRUCTA *>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        ScaleNonClient(hwnd);
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
    case WM_SYSCOLORCHANGE: // a scheme chosen meanwhile: the common controls are told too
        for (const auto &list : lists_) {
            SendMessageA(list->list, WM_SYSCOLORCHANGE, wp, lp);
            FitToColours(list->list);
        }
        break;
    case kDpiChanged: // moved to a monitor of another scale
        Rescale(HIWORD(wp), *reinterpret_cast<const RECT *>(lp));
        return 0;
    default: break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

} // namespace zv
