// What makes a window or the shell's dialog modal to the whole program.
#pragma once
#include <windows.h>

#include <vector>

namespace zv {

// Disables every visible, enabled top-level window of this thread for as long as it lives, and
// then enables again exactly those that still exist.
class ThreadWindowsDisabled {
  public:
    ThreadWindowsDisabled();
    ~ThreadWindowsDisabled();
    ThreadWindowsDisabled(const ThreadWindowsDisabled &) = delete;
    ThreadWindowsDisabled &operator=(const ThreadWindowsDisabled &) = delete;

  private:
    std::vector<HWND> list_;
};

} // namespace zv
