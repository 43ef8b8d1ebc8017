// The pages of a window's page controls: which controls sit on which page, and showing a page.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "Controls.h"

namespace zv {

class TabPages {
  public:
    // Notes one row of the window's table, in order: a page, or a control on a page (directly or
    // inside a group box that is).
    void Add(const ControlSpec &c);
    // Shows the first page of every page control.
    void ShowFirst(HWND window);
    // Shows the controls of one page of a page control and hides those of its other pages.
    void Show(HWND window, int tabs, int page);
    // The page a page control shows, or 0.
    int Current(HWND window, int tabs) const;

  private:
    std::map<int, int> pageOf_;             // control id -> the page it sits on
    std::map<int, std::vector<int>> pages_; // page control id -> its pages, in order
};

} // namespace zv
