// Reading the program's windows from outside: texts, the windows it shows, and its layout.
#include "robot/WindowReading.h"

#include <oleacc.h>

#include <algorithm>
#include <set>

#include "common/CodePage.h"
#include "common/Path.h"
#include "common/ShiftJis.h"

namespace zvtest {

namespace {

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
    Search *s = reinterpret_cast<Search *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
    return TRUE;
}

std::string ClassOf(HWND hwnd) {
    char buf[64] = {};
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

} // namespace

std::string TextOf(HWND hwnd) {
    if (!hwnd) return std::string();
    char buf[8192] = {};
    // WM_GETTEXT is marshalled across processes; GetWindowTextA is not for controls.
    LRESULT n = SendMessageA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return std::string(
        buf, static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(n, sizeof buf - 1))));
}

std::vector<HWND> VisibleWindows(DWORD pid) {
    Search search{pid, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Settle(HWND window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
}

// The status text the program sets on every change of the chooser's selection.
std::string ChooserSelection(HWND chooser) {
    std::string s = TextOf(GetDlgItem(chooser, kChooserStatus));
    return s.size() > 3 ? zv::ExcludeTrailingBackslash(s) : s;
}

namespace {

RECT RectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// A caption's text as shown: each "&" marks the next character ("&&" one "&").
std::string Shown(std::string caption) {
    for (size_t i = caption.find('&'); i != std::string::npos; i = caption.find('&', i + 1))
        caption.erase(i, 1);
    return caption;
}

SIZE TextSize(const std::string &text, bool bold, int dpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old =
        SelectObject(dc, CreateFontA(MulDiv(-12, dpi, 96), 0, 0, 0, bold ? 700 : 400, 0, 0, 0,
                                     SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック"));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return size;
}

// A control's name and role as an accessibility client reads them, from outside the program.
struct Accessible {
    std::wstring name;
    long role = 0;
};
// IID_IAccessible ({618736E0-3C3D-11CF-810C-00AA00389B71}): oleacc's import library exports a
// symbol of that name too, which is not the interface's id.
const IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
Accessible AccessibleOf(HWND control) {
    static const HRESULT com = CoInitialize(nullptr); // the objects come across processes
    (void)com;
    Accessible read;
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void **>(&object))) ||
        !object)
        return read;
    VARIANT self{}, role{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name) read.name = name;
    SysFreeString(name);
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.role = role.lVal;
    object->Release();
    return read;
}

} // namespace

void ExpectLayout(HWND window, const zv::FormLayout &layout, int dpi) {
    using zv::Kind;
    auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
    auto off = [](long a, long b) { return a - b > 1 || b - a > 1; };
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_FALSE(off(client.right, scaled(layout.width)) ||
                 off(client.bottom, scaled(layout.height)))
        << "client " << client.right << "x" << client.bottom;
    POINT o{0, 0};
    ClientToScreen(window, &o);
    const RECT area{o.x, o.y, o.x + client.right, o.y + client.bottom};
    std::vector<int> tabs;
    for (const zv::ControlSpec &c : layout.controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND h = GetDlgItem(window, c.id);
        ASSERT_TRUE(h);
        const RECT r = RectOf(h), p = c.parent ? RectOf(GetDlgItem(window, c.parent)) : area;
        // A label is sized to its text; a page fills its page control.
        const bool page = c.kind == Kind::Page, sized = !page && c.kind != Kind::AutoLabel &&
                                                        c.kind != Kind::BoldLabel &&
                                                        c.kind != Kind::LinkLabel;
        EXPECT_FALSE(!page &&
                     (off(r.left - p.left, scaled(c.left)) || off(r.top - p.top, scaled(c.top))))
            << "at " << r.left - p.left << "," << r.top - p.top;
        EXPECT_FALSE(sized && (off(r.right - r.left, scaled(c.width)) ||
                               off(r.bottom - r.top, scaled(c.height))))
            << "size " << r.right - r.left << "x" << r.bottom - r.top;
        EXPECT_TRUE(r.left >= p.left && r.top >= p.top && r.right <= p.right &&
                    r.bottom <= p.bottom)
            << "leaves its parent";
        // Of the radio buttons' rows each reaches a pixel into the next: no more may overlap.
        for (const zv::ControlSpec &s : layout.controls) {
            RECT q = RectOf(GetDlgItem(window, s.id)), both{};
            if (&s == &c || s.parent != c.parent || page || s.kind == Kind::Page) continue;
            if (IntersectRect(&both, &r, &q)) {
                EXPECT_LE(std::min(both.right - both.left, both.bottom - both.top), scaled(1))
                    << "overlaps " << s.id;
            }
        }
        // What a screen reader reads: the name the table gives, else the caption as shown; a
        // picture button is a push button.
        const std::string name = c.name ? c.name : c.caption ? Shown(c.caption) : "";
        if (!name.empty() && c.kind != Kind::Page) {
            const Accessible read = AccessibleOf(h);
            EXPECT_EQ(zv::ToWide(name), read.name) << "accessible name";
            EXPECT_TRUE(c.kind != Kind::Picture || read.role == ROLE_SYSTEM_PUSHBUTTON) << "role";
        }
        // A field's text is the user's; a picture button's caption is its name, never shown.
        if (c.caption && c.kind != Kind::Edit && c.kind != Kind::Picture) {
            EXPECT_EQ(c.caption, TextOf(h));
            const SIZE text = TextSize(Shown(c.caption), c.kind == Kind::BoldLabel, dpi);
            // The room a button's edges, a radio button's circle and a group box's frame take.
            const bool button = c.kind == Kind::Button || c.kind == Kind::DefaultButton;
            const int room = c.kind == Kind::Radio   ? 17
                             : c.kind == Kind::Group ? 16
                             : button                ? 6
                                                     : 0;
            EXPECT_FALSE(sized && (text.cx + scaled(room) > r.right - r.left ||
                                   (c.kind != Kind::Group && text.cy > r.bottom - r.top)))
                << "clipped: " << text.cx << "x" << text.cy;
        }
        if (IsWindowVisible(h) && IsWindowEnabled(h) && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP))
            tabs.push_back(c.id);
        // The radio buttons of a group box are one group of their own.
        std::set<int> group, set;
        for (HWND g = h;
             c.kind == Kind::Radio && IsWindowVisible(h) && group.insert(GetDlgCtrlID(g)).second;)
            g = GetNextDlgGroupItem(window, g, FALSE);
        for (const zv::ControlSpec &m : layout.controls)
            if (m.kind != Kind::Radio)
                group.erase(m.id);
            else if (!group.empty() && m.parent == c.parent)
                set.insert(m.id);
        EXPECT_EQ(set, group) << "radio group";
    }
    std::vector<int> order;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND h = first; h && order.size() < 40 && (order.empty() || h != first);
         h = GetNextDlgTabItem(window, h, FALSE))
        order.push_back(GetDlgCtrlID(h));
    EXPECT_EQ(tabs, order) << "tab order";
}

ControlStates StatesOf(HWND window, std::initializer_list<int> ids) {
    ControlStates states;
    for (int id : ids) {
        HWND c = GetDlgItem(window, id);
        if (!IsWindowEnabled(c)) states.disabled.insert(id);
        if (ClassOf(c) == "Button" && SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED)
            states.checked.insert(id);
    }
    return states;
}

void PrintTo(const ControlStates &states, std::ostream *os) {
    *os << "checked {";
    for (int id : states.checked) *os << " " << id;
    *os << " } disabled {";
    for (int id : states.disabled) *os << " " << id;
    *os << " }";
}

} // namespace zvtest
