// The pages of a window's page controls.
#include "TabPages.h"

#include <commctrl.h>

#include <algorithm>

namespace zv {

void TabPages::Add(const ControlSpec &c) {
    auto page = pageOf_.find(c.parent);
    if (c.kind == Kind::Page) {
        pages_[c.parent].push_back(c.id);
        pageOf_[c.id] = c.id;
    } else if (page != pageOf_.end()) {
        pageOf_[c.id] = page->second;
    }
}

void TabPages::ShowFirst(HWND window) {
    for (const auto &tabs : pages_) Show(window, tabs.first, tabs.second.front());
}

void TabPages::Show(HWND window, int tabs, int page) {
    const std::vector<int> &pages = pages_[tabs];
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == page) SendMessageA(GetDlgItem(window, tabs), TCM_SETCURSEL, i, 0);
    HWND focus = GetFocus();
    bool focusHidden = false;
    for (const auto &control : pageOf_) {
        auto owner = std::find(pages.begin(), pages.end(), control.second);
        if (owner == pages.end() || control.first == control.second) continue;
        bool show = control.second == page;
        HWND h = GetDlgItem(window, control.first);
        if (!show && h == focus) focusHidden = true;
        ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
    }
    // A control of the page just hidden cannot keep the keyboard: the page control takes it.
    if (focusHidden) SetFocus(GetDlgItem(window, tabs));
}

int TabPages::Current(HWND window, int tabs) const {
    auto it = pages_.find(tabs);
    if (it == pages_.end()) return 0;
    LRESULT i = SendMessageA(GetDlgItem(window, tabs), TCM_GETCURSEL, 0, 0);
    return i >= 0 && static_cast<size_t>(i) < it->second.size() ? it->second[static_cast<size_t>(i)]
                                                                : 0;
}

} // namespace zv
