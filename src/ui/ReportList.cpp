// Report-style list rows, kept by the program and shown by an owner-data list view.
#include "ReportList.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "../common/CodePage.h"
#include "../common/ShiftJis.h"

namespace zv {
namespace {

const char kModel[] = "ZorvikRows";

ListModel *Model(HWND list) { return static_cast<ListModel *>(GetPropA(list, kModel)); }

const std::string &Cell(const Rows &rows, int row, int column) {
    static const std::string none;
    if (row < 0 || static_cast<size_t>(row) >= rows.size() || column < 0) return none;
    const auto &cells = rows[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : none;
}

// Tells the list how many rows there are, keeping its scroll position.
void Count(const ListModel &m) {
    SendMessageA(m.list, LVM_SETITEMCOUNT, m.rows.size(), LVSICF_NOSCROLL);
    InvalidateRect(m.list, nullptr, TRUE);
}

// The text a row's caption must begin with, in any letter case.
int FindRow(const Rows &rows, int start, const std::string &typed) {
    const int n = static_cast<int>(rows.size());
    for (int i = 0; i < n && !typed.empty(); ++i) {
        const int row = (std::max(start, 0) + i) % n;
        const std::string &caption = rows[static_cast<size_t>(row)][0];
        if (caption.size() >= typed.size() &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(),
                           static_cast<int>(typed.size()), typed.c_str(),
                           static_cast<int>(typed.size())) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

} // namespace

ListModel::ListModel(HWND l) : list(l) { SetPropA(list, kModel, this); }
ListModel::~ListModel() { RemovePropA(list, kModel); }

bool ListNotify(const NMHDR &n, LRESULT &result) {
    ListModel *m = Model(n.hwndFrom);
    if (!m) return false;
    switch (n.code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
        // The two items differ only in what pszText points to. The text is copied into the
        // buffer given, which may belong to whoever asked the list.
        const LVITEMA &item = reinterpret_cast<const NMLVDISPINFOA &>(n).item;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) break;
        const std::string &text = Cell(m->rows, item.iItem, item.iSubItem);
        const size_t room = static_cast<size_t>(item.cchTextMax) - 1;
        if (n.code == LVN_GETDISPINFOA) {
            const std::string cut = CutWhole(text, room);
            std::memcpy(item.pszText, cut.c_str(), cut.size() + 1);
        } else {
            const std::wstring wide = ToWide(text).substr(0, room);
            std::memcpy(item.pszText, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        }
        break;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
        const auto &find = reinterpret_cast<const NMLVFINDITEMA &>(n);
        std::string typed;
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
            typed.clear();
        else if (n.code == LVN_ODFINDITEMA)
            typed = find.lvfi.psz;
        else
            ToAnsiExact(reinterpret_cast<const wchar_t *>(find.lvfi.psz), typed);
        result = FindRow(m->rows, find.iStart, typed);
        return true;
    }
    default: return false;
    }
    result = 0;
    return true;
}

void ListAddColumn(HWND list, const std::string &header, int width) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = width;
    col.pszText = const_cast<char *>(header.c_str());
    LRESULT count = SendMessageA(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)),
                                 HDM_GETITEMCOUNT, 0, 0);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(std::max<LRESULT>(count, 0)),
                 reinterpret_cast<LPARAM>(&col));
}

int ListRowCount(HWND list) { return static_cast<int>(Model(list)->rows.size()); }

int ListSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ListCell(HWND list, int row, int column) {
    return Cell(Model(list)->rows, row, column);
}

void ListSetCell(HWND list, int row, int column, const std::string &text) {
    ListModel &m = *Model(list);
    if (row < 0 || static_cast<size_t>(row) >= m.rows.size() || column < 0) return;
    auto &cells = m.rows[static_cast<size_t>(row)];
    if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = text;
    SendMessageA(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

int ListAppendRow(HWND list, const std::vector<std::string> &cells) {
    ListAppendRows(list, {cells.empty() ? std::vector<std::string>{""} : cells});
    return ListRowCount(list) - 1;
}

void ListAppendRows(HWND list, Rows rows) {
    ListModel &m = *Model(list);
    for (auto &row : rows) m.rows.push_back(std::move(row));
    Count(m);
}

void ListDeleteRow(HWND list, int row) {
    ListModel &m = *Model(list);
    if (row < 0 || static_cast<size_t>(row) >= m.rows.size()) return;
    m.rows.erase(m.rows.begin() + row);
    // The list moves the selection and the focus of the rows below up with them.
    SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    Count(m);
}

const Rows &ListRows(HWND list) { return Model(list)->rows; }

void ListSortRows(HWND list) {
    ListModel &m = *Model(list);
    std::stable_sort(m.rows.begin(), m.rows.end(), [](const auto &a, const auto &b) {
        return lstrcmpA(a[0].c_str(), b[0].c_str()) < 0;
    });
    // Rows moved: no row stays selected or focused.
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    Count(m);
}

} // namespace zv
