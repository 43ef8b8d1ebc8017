// The form base: window, controls from a table, modal loop, keyboard, errors shown in the box.
#include "Form.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <exception>

#include "../common/Application.h"
#include "../common/SystemError.h"
#include "../common/WindowsDisabled.h"
#include "../sorting/FileUnit.h"

namespace zv {
namespace {

const char kClass[] = "ZorvikForm";
const int kFolderPicture = 100;

void RegisterFormClass() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
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

// Radio buttons exclude each other within a run of the table that starts at a control with
// WS_GROUP. A run is opened by the first radio button of a parent and closed by the next control
// of another parent; the edit fields between the radio buttons of one group box stay inside it.
DWORD GroupStyle(const ControlSpec &c, int &openGroup) {
    if (c.kind == Kind::Radio) {
        if (openGroup == c.parent) return 0;
        openGroup = c.parent;
        return WS_GROUP;
    }
    if (openGroup != -1 && openGroup == c.parent) return 0;
    openGroup = -1;
    return WS_GROUP;
}

} // namespace

Form::Form(const char *caption, int clientWidth, int clientHeight,
           std::initializer_list<ControlSpec> controls) {
    RegisterFormClass();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    hwnd_ = CreateWindowExA(exStyle, kClass, caption, style, 0, 0, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) RaiseSystemError(GetLastError());
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));

    auto font = [](int weight, BOOL underline) {
        return CreateFontA(-12, 0, 0, 0, weight, FALSE, underline, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
    };
    font_ = font(FW_NORMAL, FALSE);
    bold_ = font(FW_BOLD, FALSE);
    underline_ = font(FW_NORMAL, TRUE);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    int openGroup = -1;
    for (const ControlSpec &c : controls) {
        CreateControl(c, GroupStyle(c, openGroup));
        auto page = pageOf_.find(c.parent);
        if (c.kind == Kind::Page) {
            pages_[c.parent].push_back(c.id);
            pageOf_[c.id] = c.id;
        } else if (page != pageOf_.end()) {
            pageOf_[c.id] = page->second;
        }
    }
    for (const auto &tabs : pages_) ShowPage(tabs.first, tabs.second.front());
}

HWND Form::CreateControl(const ControlSpec &c, DWORD groupStyle) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    int x = c.left, y = c.top, w = c.width, h = c.height;
    if (c.parent) { // positions inside a group box, a panel or a page are relative to it
        RECT pr;
        GetWindowRect(Item(c.parent), &pr);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&pr), 2);
        if (c.kind == Kind::Page) { // the page control's display area, below its tabs
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char *>(c.caption ? c.caption : "");
            HWND tabs = Item(c.parent);
            SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0),
                         reinterpret_cast<LPARAM>(&item));
            RECT area{0, 0, pr.right - pr.left, pr.bottom - pr.top};
            SendMessageA(Item(c.parent), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
            x = area.left;
            y = area.top;
        }
        x += pr.left;
        y += pr.top;
    }
    const char *cls = "Button";
    DWORD s = WS_CHILD | WS_VISIBLE | groupStyle, ex = 0;
    HFONT font = font_;
    switch (c.kind) {
    case Kind::Label: cls = "Static"; s |= SS_LEFT | SS_NOPREFIX; break;
    case Kind::BoldLabel: font = bold_; // fall through
    case Kind::AutoLabel: cls = "Static"; s |= SS_LEFT | SS_NOPREFIX; break;
    case Kind::LinkLabel: cls = "Static"; s |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY; break;
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
    case Kind::Image: cls = "Static"; s |= SS_BITMAP | SS_NOTIFY; break;
    case Kind::Panel: cls = "Static"; s |= SS_ETCHEDFRAME; break;
    case Kind::Bevel: cls = "Static"; s |= SS_ETCHEDHORZ; break;
    case Kind::Tabs: cls = WC_TABCONTROLA; s |= WS_TABSTOP | WS_CLIPSIBLINGS; break;
    case Kind::Page: cls = "Static"; s &= ~WS_VISIBLE; break;
    case Kind::List:
        cls = WC_LISTVIEWA;
        s |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
        break;
    }
    HWND hwnd = CreateWindowExA(ex, cls, c.caption ? c.caption : "", s, x, y, w, h, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance,
                                nullptr);
    if (!hwnd) RaiseSystemError(GetLastError());
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    switch (c.kind) {
    case Kind::Picture:
        if (!folder_)
            folder_ = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(kFolderPicture),
                                                      IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
        break;
    case Kind::Image: {
        HBITMAP bm = static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(c.resource), IMAGE_BITMAP, 0, 0, 0));
        if (bm) {
            images_.push_back(bm);
            SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bm));
        }
        break;
    }
    case Kind::AutoLabel:
    case Kind::BoldLabel:
    case Kind::LinkLabel: SetLabel(c.id, c.caption ? c.caption : ""); break;
    case Kind::Tabs: // classic drawing, as the controls on its pages are drawn: a theme would
                     // paint the pages white behind their button-face controls
        SetWindowTheme(hwnd, L"", L"");
        break;
    case Kind::Bevel: // the static grows its etched line by two pixels: the table's size holds
        SetWindowPos(hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        break;
    case Kind::List:
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        break;
    default: break;
    }
    return hwnd;
}

Form::~Form() {
    if (hwnd_) DestroyWindow(hwnd_);
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(bold_),
                      static_cast<HGDIOBJ>(underline_), static_cast<HGDIOBJ>(folder_)})
        if (o) DeleteObject(o);
    for (HBITMAP bm : images_) DeleteObject(bm);
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

void Form::SetLabel(int id, const std::string &text) {
    HWND h = Item(id);
    SetWindowTextA(h, text.c_str());
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    // Tall enough for the descenders and an underline, which some fonts draw below their cell.
    OUTLINETEXTMETRICA otm{};
    otm.otmSize = sizeof otm;
    int height = size.cy;
    if (GetOutlineTextMetricsA(dc, sizeof otm, &otm))
        height = std::max<int>(height, otm.otmTextMetrics.tmAscent - otm.otmsUnderscorePosition +
                                           static_cast<int>(otm.otmsUnderscoreSize));
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    RECT r;
    GetWindowRect(h, &r);
    SetWindowPos(h, nullptr, 0, 0, size.cx, std::max<int>(height, r.bottom - r.top),
                 SWP_NOMOVE | SWP_NOZORDER);
}

void Form::ShowPage(int tabs, int page) {
    const std::vector<int> &pages = pages_[tabs];
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == page) SendMessageA(Item(tabs), TCM_SETCURSEL, i, 0);
    HWND focus = GetFocus();
    bool focusHidden = false;
    for (const auto &control : pageOf_) {
        auto owner = std::find(pages.begin(), pages.end(), control.second);
        if (owner == pages.end() || control.first == control.second) continue;
        bool show = control.second == page;
        HWND h = Item(control.first);
        if (!show && h == focus) focusHidden = true;
        ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
    }
    // A control of the page just hidden cannot keep the keyboard: the page control takes it.
    if (focusHidden) SetFocus(Item(tabs));
}

int Form::CurrentPage(int tabs) const {
    auto it = pages_.find(tabs);
    if (it == pages_.end()) return 0;
    LRESULT i = SendMessageA(Item(tabs), TCM_GETCURSEL, 0, 0);
    return i >= 0 && static_cast<size_t>(i) < it->second.size() ? it->second[static_cast<size_t>(i)] : 0;
}

ModalResult Form::ShowModal() {
    result_ = ModalResult::None;
    closed_ = false;
    savedFocus_ = nullptr;
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND before = GetActiveWindow();
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
            bool taken = false;
            if (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd)) {
                try {
                    taken = PreviewKey(msg);
                } catch (const std::exception &e) {
                    ShowError(e.what());
                    taken = true;
                }
            }
            if (!taken && !IsDialogMessageA(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    } // the other windows are enabled again before this one hides, so that one of them is
      // activated when it goes, with the focus where it was
    ShowWindow(hwnd_, SW_HIDE);
    if (before && before != hwnd_ && IsWindow(before) && IsWindowVisible(before))
        SetActiveWindow(before);
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
    const int x = (r.right - r.left - bm.bmWidth) / 2, y = (r.bottom - r.top - bm.bmHeight) / 2;
    if (IsWindowEnabled(item.hwndItem)) {
        DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(folder_), 0, x, y, 0, 0,
                   DST_BITMAP | DSS_NORMAL);
        return;
    }
    // Disabled: the picture's shape embossed in the highlight and shadow colours, as the system
    // draws a disabled picture (its own DSS_DISABLED turns a colour bitmap into a grey block on
    // some systems). The mask is white where the picture shows the button face.
    HDC colour = CreateCompatibleDC(item.hDC), mono = CreateCompatibleDC(item.hDC);
    HBITMAP mask = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
    HGDIOBJ oldColour = SelectObject(colour, folder_), oldMono = SelectObject(mono, mask);
    SetBkColor(colour, GetSysColor(COLOR_BTNFACE));
    BitBlt(mono, 0, 0, bm.bmWidth, bm.bmHeight, colour, 0, 0, SRCCOPY);
    COLORREF oldBk = SetBkColor(item.hDC, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(item.hDC, RGB(0, 0, 0));
    const DWORD kPatternWhereBlack = 0x00B8074A; // PSDPxax
    HGDIOBJ oldBrush = SelectObject(item.hDC, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    BitBlt(item.hDC, x + 1, y + 1, bm.bmWidth, bm.bmHeight, mono, 0, 0, kPatternWhereBlack);
    SelectObject(item.hDC, GetSysColorBrush(COLOR_BTNSHADOW));
    BitBlt(item.hDC, x, y, bm.bmWidth, bm.bmHeight, mono, 0, 0, kPatternWhereBlack);
    SelectObject(item.hDC, oldBrush);
    SetTextColor(item.hDC, oldText);
    SetBkColor(item.hDC, oldBk);
    SelectObject(mono, oldMono);
    SelectObject(colour, oldColour);
    DeleteObject(mask);
    DeleteDC(mono);
    DeleteDC(colour);
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
        ShowError(kUnknownError);
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
    case WM_NOTIFY: return Notify(*reinterpret_cast<const NMHDR *>(lp));
    case WM_CTLCOLORSTATIC: {
        COLORREF color = LabelColor(GetDlgCtrlID(reinterpret_cast<HWND>(lp)));
        if (color == CLR_INVALID) break;
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, color);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE: {
        // As a dialog does: the control that had the focus gets it back when the window is
        // active again, after a box or a modal window of its own has closed.
        HWND focus = GetFocus();
        if (LOWORD(wp) == WA_INACTIVE) {
            if (focus && IsChild(hwnd_, focus)) savedFocus_ = focus;
        } else if (savedFocus_ && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) &&
                   IsWindowEnabled(savedFocus_)) {
            SetFocus(savedFocus_);
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        Close(ModalResult::Cancel);
        return 0;
    default: break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

} // namespace zv
