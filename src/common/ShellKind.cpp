// Which shell the program runs on. The build for shell tests forces the Windows shell's path.
#include "Application.h"

namespace zv {

bool ShellIsWine() {
#ifdef ZORVIK_FORCE_SHELL_MOVES
    return false;
#else
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
#endif
}

} // namespace zv
