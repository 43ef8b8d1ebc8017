// Reading the program's windows from outside: texts, the windows it shows, and its layout.
#include "robot/WindowReading.h"

#include <algorithm>
#include <set>

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

// What a control's caption shows, and the room it leaves its text at dpi.
std::string Shown(const std::string &caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
        if (zv::IsLeadByte(static_cast<unsigned char>(caption[i])) && i + 1 < caption.size())
            out += caption[++i];
    }
    return out;
}
int Margin(zv::Kind kind, int dpi) {
    switch (kind) {
    case zv::Kind::Button:
    case zv::Kind::DefaultButton: return MulDiv(6, dpi, 96);
    case zv::Kind::Radio: return MulDiv(17, dpi, 96);
    case zv::Kind::Group: return MulDiv(16, dpi, 96);
    default: return 0;
    }
}
SIZE TextSize(const std::string &text, bool bold, int dpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(MulDiv(-12, dpi, 96), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                             SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return size;
}

// The ids that Tab visits from the first tab stop, once round.
std::vector<int> TabOrder(HWND window) {
    std::vector<int> ids;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE), h = first;
    while (h && ids.size() < 40) {
        ids.push_back(GetDlgCtrlID(h));
        h = GetNextDlgTabItem(window, h, FALSE);
        if (h == first) break;
    }
    return ids;
}

} // namespace

void ExpectLayout(HWND window, const zv::FormLayout &layout, int dpi) {
    using zv::Kind;
    auto scaled = [&](int v) { return MulDiv(v, dpi, 96); };
    auto within1 = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_TRUE(within1(client.right, scaled(layout.width)) &&
                within1(client.bottom, scaled(layout.height)))
        << "client " << client.right << "x" << client.bottom;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    auto parentRect = [&](int parent) {
        return parent ? RectOf(GetDlgItem(window, parent))
                      : RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    };
    std::vector<int> tabs;
    for (const zv::ControlSpec &c : layout.controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND h = GetDlgItem(window, c.id);
        ASSERT_TRUE(h);
        const RECT r = RectOf(h), p = parentRect(c.parent);
        const bool sized = c.kind != Kind::AutoLabel && c.kind != Kind::BoldLabel &&
                           c.kind != Kind::LinkLabel && c.kind != Kind::Page;
        if (c.kind != Kind::Page) {
            EXPECT_TRUE(within1(r.left - p.left, scaled(c.left)) &&
                        within1(r.top - p.top, scaled(c.top)))
                << "at " << r.left - p.left << "," << r.top - p.top;
        }
        if (sized) {
            EXPECT_TRUE(within1(r.right - r.left, scaled(c.width)) &&
                        within1(r.bottom - r.top, scaled(c.height)))
                << "size " << r.right - r.left << "x" << r.bottom - r.top;
        }
        EXPECT_TRUE(r.left >= p.left && r.top >= p.top && r.right <= p.right &&
                    r.bottom <= p.bottom)
            << "leaves its parent";
        // Of the radio buttons' rows, each reaches a pixel into the next.
        for (const zv::ControlSpec &o : layout.controls) {
            if (&o == &c || o.parent != c.parent || o.kind == Kind::Page || c.kind == Kind::Page)
                continue;
            RECT q = RectOf(GetDlgItem(window, o.id)), both{};
            if (IntersectRect(&both, &r, &q)) {
                EXPECT_LE(std::min(both.right - both.left, both.bottom - both.top), scaled(1))
                    << "overlaps " << o.id;
            }
        }
        if (c.caption && c.kind != Kind::Edit) { // a field's text is the user's
            EXPECT_EQ(c.caption, TextOf(h));
            const SIZE text = TextSize(Shown(c.caption), c.kind == Kind::BoldLabel, dpi);
            if (sized) {
                EXPECT_LE(text.cx + Margin(c.kind, dpi), r.right - r.left) << "clipped";
                if (c.kind != Kind::Group) {
                    EXPECT_LE(text.cy, r.bottom - r.top) << "clipped";
                }
            }
        }
        const LONG style = GetWindowLongA(h, GWL_STYLE);
        if (IsWindowVisible(h) && IsWindowEnabled(h) && (style & WS_TABSTOP)) tabs.push_back(c.id);
        if (c.kind == Kind::Radio && IsWindowVisible(h)) {
            std::set<int> group, set;
            HWND g = h;
            do {
                for (const zv::ControlSpec &m : layout.controls)
                    if (m.id == GetDlgCtrlID(g) && m.kind == Kind::Radio) group.insert(m.id);
                g = GetNextDlgGroupItem(window, g, FALSE);
            } while (g && g != h);
            for (const zv::ControlSpec &m : layout.controls)
                if (m.kind == Kind::Radio && m.parent == c.parent) set.insert(m.id);
            EXPECT_EQ(set, group) << "radio group";
        }
    }
    EXPECT_EQ(tabs, TabOrder(window)) << "tab order";
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
