// Which system the program runs on.
#include "Platform.h"

#include <windows.h>

namespace zv {

bool ShellIsWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace zv
