// Report-style list rows through the list view's messages.
#include "ReportList.h"

#include <commctrl.h>

#include <algorithm>

#include "../common/Buffer.h"

namespace zv {

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

int ListRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string ListCell(HWND list, int row, int column) {
    // A cell longer than the buffer comes back cut to it.
    return ReadGrowing<char>(
        [&](char *buf, size_t size) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = buf;
            item.cchTextMax = static_cast<int>(size);
            LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&item));
            return static_cast<size_t>(std::max<LRESULT>(n, 0));
        },
        1, MAX_PATH + 1);
}

void ListSetCell(HWND list, int row, int column, const std::string &text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ListAppendRow(HWND list, const std::vector<std::string> &cells) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListRowCount(list);
    item.pszText = const_cast<char *>(cells.empty() ? "" : cells[0].c_str());
    int row =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t c = 1; row >= 0 && c < cells.size(); ++c)
        ListSetCell(list, row, static_cast<int>(c), cells[c]);
    return row;
}

void ListDeleteRow(HWND list, int row) {
    SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

std::vector<std::vector<std::string>> ListRows(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows(static_cast<size_t>(ListRowCount(list)));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c) rows[r].push_back(ListCell(list, static_cast<int>(r), c));
    return rows;
}

void ListSortRows(HWND list, int columns) {
    std::vector<std::vector<std::string>> rows = ListRows(list, columns);
    std::stable_sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return lstrcmpA(a[0].c_str(), b[0].c_str()) < 0;
    });
    ListUpdate update(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (const auto &row : rows) ListAppendRow(list, row);
}

} // namespace zv
