// The controls of the program's windows, made from their tables.
#include "Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "../common/CodePage.h"
#include "../common/SystemError.h"
#include "../common/SystemLibrary.h"
#include "Dpi.h"
#include "PictureButton.h"

namespace zv {
namespace {

// The window font: ＭＳ Ｐゴシック with characters 12 pixels high at 96 DPI (9 points).
const int kFontHeight = -12;

Font MakeFont(int weight, BOOL underline, int dpi) {
    return Font(CreateFontA(Scaled(kFontHeight, dpi), 0, 0, 0, weight, FALSE, underline, FALSE,
                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
}

// Where a control goes in the window at dpi: positions inside a group box, a panel or a page are
// relative to it, and a page fills its page control's display area, below its tabs.
RECT PlaceOf(HWND window, const ControlSpec &c, int dpi) {
    RECT at{Scaled(c.left, dpi), Scaled(c.top, dpi), Scaled(c.left + c.width, dpi),
            Scaled(c.top + c.height, dpi)};
    if (!c.parent) return at;
    HWND parent = GetDlgItem(window, c.parent);
    RECT pr;
    GetWindowRect(parent, &pr);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&pr), 2);
    if (c.kind == Kind::Page) {
        RECT area{0, 0, pr.right - pr.left, pr.bottom - pr.top};
        SendMessageA(parent, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        at = {area.left, area.top, area.left + Scaled(c.width, dpi),
              area.top + Scaled(c.height, dpi)};
    }
    OffsetRect(&at, pr.left, pr.top);
    return at;
}

// The window class and styles of a row.
struct ClassAndStyle {
    const char *cls;
    DWORD style, exStyle;
};
ClassAndStyle ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Label:
    case Kind::AutoLabel:
    case Kind::BoldLabel: return {"Static", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::LinkLabel: return {"Static", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    case Kind::Edit: return {"Edit", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Button: return {"Button", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::DefaultButton: return {"Button", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case Kind::Radio: return {"Button", BS_AUTORADIOBUTTON, 0}; // tab stop only while selected
    case Kind::Group: return {"Button", BS_GROUPBOX, 0};
    case Kind::Picture: return {"Button", BS_OWNERDRAW, 0}; // a button to accessibility clients
    case Kind::Image: return {"Static", SS_BITMAP | SS_NOTIFY, 0};
    case Kind::Panel: return {"Static", SS_ETCHEDFRAME, 0};
    case Kind::Bevel: return {"Static", SS_ETCHEDHORZ, 0};
    case Kind::Tabs: return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
    case Kind::Page: return {"Static", 0, 0};
    case Kind::List:
        return {WC_LISTVIEWA,
                WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                    LVS_OWNERDATA,
                0};
    }
    return {"Static", 0, 0};
}

// Classic drawing, in the system's colours, as the other controls are drawn (a theme would paint
// a page white behind its button-face controls); or, with off, the theme's. Empty names still
// leave Wine's default theme on: a name no theme has turns it off.
void Unthemed(HWND control, bool off = true) {
    static const auto setTheme = SystemCall<HRESULT(WINAPI *)(HWND, LPCWSTR, LPCWSTR)>(
        L"uxtheme.dll", "SetWindowTheme", true);
    if (setTheme && control) setTheme(control, off ? L" " : nullptr, off ? L" " : nullptr);
}

// A bitmap resource at dpi: the one drawn for that scale, else the next larger one fitted.
Bitmap LoadPicture(int resource, SIZE size96, int dpi) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int variant = dpi <= 96 ? 0 : dpi <= 120 ? 1 : dpi <= 144 ? 2 : 3;
    const int exact[] = {96, 120, 144, 192};
    const bool fits = exact[variant] == dpi;
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(PictureResource(resource, variant)), IMAGE_BITMAP,
                   fits ? 0 : Scaled(size96.cx, dpi), fits ? 0 : Scaled(size96.cy, dpi), 0)));
}

} // namespace

Fonts MakeFonts(int dpi) {
    return Fonts{MakeFont(FW_NORMAL, FALSE, dpi), MakeFont(FW_BOLD, FALSE, dpi),
                 MakeFont(FW_NORMAL, TRUE, dpi)};
}

HWND CreateControl(HWND window, const ControlSpec &c) {
    const ClassAndStyle k = ClassOf(c.kind);
    // A page is only a placeholder: never shown.
    const DWORD visible = c.kind == Kind::Page ? 0 : WS_VISIBLE;
    const DWORD group = c.group == Group::Opens ? WS_GROUP : 0;
    const DWORD style = WS_CHILD | visible | group | k.style;
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
    // Edit fields hold UTF-16: what the code page cannot hold is kept as typed, to be refused,
    // instead of being turned into a look-alike on the way in ("¥" into a backslash).
    HWND hwnd =
        c.kind == Kind::Edit
            ? CreateWindowExW(k.exStyle, L"Edit", ToWide(c.caption ? c.caption : "").c_str(), style,
                              0, 0, 0, 0, window, id, GetModuleHandleA(nullptr), nullptr)
            : CreateWindowExA(k.exStyle, k.cls, c.caption ? c.caption : "", style, 0, 0, 0, 0,
                              window, id, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) RaiseSystemError(GetLastError());
    switch (c.kind) {
    case Kind::Page: {
        HWND tabs = GetDlgItem(window, c.parent);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char *>(c.caption ? c.caption : "");
        SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
        break;
    }
    case Kind::Picture: KeepFocusAway(hwnd); break;
    case Kind::Tabs: Unthemed(hwnd); break;
    case Kind::List:
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        FitToColours(hwnd);
        break;
    default: break;
    }
    return hwnd;
}

void PlaceControl(HWND window, const ControlSpec &c, const Fonts &fonts, Pictures &pictures,
                  int dpi) {
    HWND hwnd = GetDlgItem(window, c.id);
    HFONT font = c.kind == Kind::BoldLabel ? fonts.bold.get() : fonts.regular.get();
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.kind == Kind::Picture && !pictures.folder.valid())
        pictures.folder = LoadFolderPicture(dpi);
    if (c.kind == Kind::Image) {
        Bitmap bm = LoadPicture(c.resource, SIZE{c.width, c.height}, dpi);
        SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bm.get()));
        pictures.images.push_back(std::move(bm));
    }
    const RECT at = PlaceOf(window, c, dpi);
    // The static grows its etched line by two pixels, and a label its height to its text: the
    // table's size holds.
    SetWindowPos(hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.kind == Kind::AutoLabel || c.kind == Kind::BoldLabel || c.kind == Kind::LinkLabel) {
        std::string text;
        ExactTextOf(hwnd, text);
        SetLabel(hwnd, text);
    }
}

void FitToColours(HWND list) {
    // A theme paints column headers in its own light face but writes on them in the system's
    // button-text colour: where a dark scheme makes that light, the headers are drawn classic,
    // in the system's colours.
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const bool light =
        GetRValue(text) * 299 + GetGValue(text) * 587 + GetBValue(text) * 114 > 128 * 1000;
    Unthemed(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), light);
}

bool ExactTextOf(HWND control, std::string &text) {
    std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    wide.resize(static_cast<size_t>(
        std::max(0, GetWindowTextW(control, &wide[0], static_cast<int>(wide.size())))));
    return ToAnsiExact(wide, text);
}

void SetLabel(HWND label, const std::string &text) {
    SetWindowTextA(label, text.c_str());
    SIZE size{};
    int height = 0;
    {
        WindowDc dc(label);
        Selected font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        // Tall enough for the descenders and an underline, which some fonts draw below their cell.
        OUTLINETEXTMETRICA otm{};
        otm.otmSize = sizeof otm;
        height = size.cy;
        if (GetOutlineTextMetricsA(dc.get(), sizeof otm, &otm))
            height =
                std::max<int>(height, otm.otmTextMetrics.tmAscent - otm.otmsUnderscorePosition +
                                          static_cast<int>(otm.otmsUnderscoreSize));
    }
    RECT r;
    GetWindowRect(label, &r);
    SetWindowPos(label, nullptr, 0, 0, size.cx, std::max<int>(height, r.bottom - r.top),
                 SWP_NOMOVE | SWP_NOZORDER);
}

} // namespace zv
