// Rows of a report-style list view: a caption and its sub-items, read and written by row index.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zv {

void ListAddColumn(HWND list, const std::string &header, int width);
int ListRowCount(HWND list);
int ListSelectedRow(HWND list); // -1 when no row is selected
std::string ListCell(HWND list, int row, int column);
void ListSetCell(HWND list, int row, int column, const std::string &text);
// Appends a row: the caption, then one cell per further column given.
int ListAppendRow(HWND list, const std::vector<std::string> &cells);
void ListDeleteRow(HWND list, int row);
// Every row's cells, for the first columns columns.
std::vector<std::vector<std::string>> ListRows(HWND list, int columns);
// Puts the rows in ascending lstrcmpA order of their captions, the other cells moving with them.
void ListSortRows(HWND list, int columns);

// Stops the list from redrawing for as long as it lives: many rows go in as one update.
class ListUpdate {
  public:
    explicit ListUpdate(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
    ~ListUpdate() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    ListUpdate(const ListUpdate &) = delete;
    ListUpdate &operator=(const ListUpdate &) = delete;

  private:
    HWND list_;
};

} // namespace zv
