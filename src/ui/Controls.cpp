// The controls of the program's windows, made from their tables.
#include "Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "../common/CodePage.h"
#include "../common/SystemError.h"
#include "../common/SystemLibrary.h"
#include "PictureButton.h"

namespace zv {
namespace {

// The window font: ＭＳ Ｐゴシック with characters 12 pixels high (9 points at 96 DPI).
const int kFontHeight = -12;

Font MakeFont(int weight, BOOL underline) {
    return Font(CreateFontA(kFontHeight, 0, 0, 0, weight, FALSE, underline, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック"));
}

// Where a control goes in the window: positions inside a group box, a panel or a page are
// relative to it, and a page fills its page control's display area, below its tabs.
RECT PlaceOf(HWND window, const ControlSpec &c) {
    RECT at{c.left, c.top, c.left + c.width, c.top + c.height};
    if (!c.parent) return at;
    HWND parent = GetDlgItem(window, c.parent);
    RECT pr;
    GetWindowRect(parent, &pr);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&pr), 2);
    if (c.kind == Kind::Page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char *>(c.caption ? c.caption : "");
        SendMessageA(parent, TCM_INSERTITEMA, SendMessageA(parent, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
        RECT area{0, 0, pr.right - pr.left, pr.bottom - pr.top};
        SendMessageA(parent, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        at = {area.left, area.top, area.left + c.width, area.top + c.height};
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
    case Kind::Picture: return {"Static", SS_OWNERDRAW | SS_NOTIFY, 0};
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

} // namespace

Fonts MakeFonts() {
    return Fonts{MakeFont(FW_NORMAL, FALSE), MakeFont(FW_BOLD, FALSE), MakeFont(FW_NORMAL, TRUE)};
}

HWND CreateControl(HWND window, const ControlSpec &c, const Fonts &fonts, Pictures &pictures) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const RECT at = PlaceOf(window, c);
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
                              at.left, at.top, at.right - at.left, at.bottom - at.top, window, id,
                              instance, nullptr)
            : CreateWindowExA(k.exStyle, k.cls, c.caption ? c.caption : "", style, at.left, at.top,
                              at.right - at.left, at.bottom - at.top, window, id, instance,
                              nullptr);
    if (!hwnd) RaiseSystemError(GetLastError());
    HFONT font = c.kind == Kind::BoldLabel ? fonts.bold.get() : fonts.regular.get();
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    switch (c.kind) {
    case Kind::Picture:
        if (!pictures.folder.valid()) pictures.folder = LoadFolderPicture();
        break;
    case Kind::Image: {
        Bitmap bm(static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(c.resource), IMAGE_BITMAP, 0, 0, 0)));
        if (bm.valid()) {
            SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bm.get()));
            pictures.images.push_back(std::move(bm));
        }
        break;
    }
    case Kind::AutoLabel:
    case Kind::BoldLabel:
    case Kind::LinkLabel: SetLabel(hwnd, c.caption ? c.caption : ""); break;
    case Kind::Tabs: // classic drawing, as the controls on its pages are drawn: a theme would
                     // paint the pages white behind their button-face controls. Empty names
                     // still leave Wine's default theme on: a name no theme has turns it off.
        if (auto setTheme = SystemCall<HRESULT(WINAPI *)(HWND, LPCWSTR, LPCWSTR)>(
                L"uxtheme.dll", "SetWindowTheme", true))
            setTheme(hwnd, L" ", L" ");
        break;
    case Kind::Bevel: // the static grows its etched line by two pixels: the table's size holds
        SetWindowPos(hwnd, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
        break;
    case Kind::List:
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        break;
    default: break;
    }
    return hwnd;
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
