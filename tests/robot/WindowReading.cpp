// Reading the program's windows from outside: texts, the windows it shows, and its layout.
#include "robot/WindowReading.h"

#include <algorithm>

#include "common/Path.h"

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

void ExpectWindow(HWND window, const WindowTable &table) {
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ((std::vector<long>{table.client.cx, table.client.cy}),
              (std::vector<long>{client.right, client.bottom}))
        << "client size";
    EXPECT_EQ(table.tabs, TabOrder(window));
    for (const Layout &l : table.controls) {
        HWND c = GetDlgItem(window, l.id);
        if (!c) {
            ADD_FAILURE() << "no control " << l.id;
            continue;
        }
        RECT r, parent{};
        GetWindowRect(c, &r);
        if (l.parent) {
            GetWindowRect(GetDlgItem(window, l.parent), &parent);
        } else {
            POINT origin{0, 0};
            ClientToScreen(window, &origin);
            parent = {origin.x, origin.y, origin.x, origin.y};
        }
        // A negative size is not checked: labels that are sized to their text.
        EXPECT_EQ((std::vector<long>{l.left, l.top, l.width, l.height}),
                  (std::vector<long>{r.left - parent.left, r.top - parent.top,
                                     l.width < 0 ? l.width : r.right - r.left,
                                     l.height < 0 ? l.height : r.bottom - r.top}))
            << "control " << l.id;
        if (l.caption) {
            EXPECT_EQ(l.caption, TextOf(c)) << "control " << l.id;
        }
    }
}

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
