// Which system the program runs on.
#include "Platform.h"

#include <windows.h>

namespace zv {
namespace {

bool g_actAsOnWindows = false;

} // namespace

bool ShellIsWine() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine && !g_actAsOnWindows;
}

void ActAsOnWindows() { g_actAsOnWindows = true; }

} // namespace zv
