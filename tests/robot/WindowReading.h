// Shared inside the robot (tests include robot/Robot.h): reading windows, starting the program.
#pragma once
#include "robot/Robot.h"

namespace zvtest {

constexpr int kBoxText = 0xFFFF;

// Memory in another process, freed when it goes; get() is null when it could not be had.
class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process),
          p_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (p_) VirtualFreeEx(process_, p_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory &) = delete;
    RemoteMemory &operator=(const RemoteMemory &) = delete;
    char *get() const { return static_cast<char *>(p_); }

  private:
    HANDLE process_;
    void *p_;
};

// The visible top-level windows of a process.
std::vector<HWND> VisibleWindows(DWORD pid);
// Returns once the thread of the window has handled everything sent and posted to it before, and
// everything it does right after showing the window (a window is shown before its handler fills
// its fields, the chooser selects its start folder before it shows): a message sent through its
// queue comes back only when the thread takes messages again.
void Settle(HWND window);
// Starts the program with its arguments quoted as the shell quotes them, through the UTF-16
// call so that wide arguments reach it as they are.
bool StartProgram(const std::string &exe, const std::vector<std::string> &args,
                  const RunOptions &options, PROCESS_INFORMATION &pi);

} // namespace zvtest
