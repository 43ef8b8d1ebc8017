// Rows of a report-style list view: a caption and its sub-items, read and written by row index.
// The program keeps the rows and the list asks for what it shows (LVS_OWNERDATA): thousands of
// rows go in at once, and cost the list nothing to hold or to let go.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zv {

using Rows = std::vector<std::vector<std::string>>;

// The rows of one list, tied to it for as long as this lives.
struct ListModel {
    explicit ListModel(HWND list);
    ~ListModel();
    ListModel(const ListModel &) = delete;
    ListModel &operator=(const ListModel &) = delete;
    HWND list;
    Rows rows;
};
// Answers a list's questions to its parent: a row's text (LVN_GETDISPINFO), a row by the text
// typed (LVN_ODFINDITEM). True, with the result, when n was one of them.
bool ListNotify(const NMHDR &n, LRESULT &result);

void ListAddColumn(HWND list, const std::string &header, int width);
int ListRowCount(HWND list);
int ListSelectedRow(HWND list); // -1 when no row is selected
std::string ListCell(HWND list, int row, int column);
void ListSetCell(HWND list, int row, int column, const std::string &text);
// Appends a row: the caption, then one cell per further column given.
int ListAppendRow(HWND list, const std::vector<std::string> &cells);
// Appends many rows at once.
void ListAppendRows(HWND list, Rows rows);
void ListDeleteRow(HWND list, int row);
// Every row, as the program keeps it (a row may hold fewer cells than the list has columns).
const Rows &ListRows(HWND list);
// Puts the rows in ascending lstrcmpA order of their captions, the other cells moving with them.
void ListSortRows(HWND list);

} // namespace zv
