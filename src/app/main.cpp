// Entry point: COM, the application object, the arguments, and the fatal error box.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "../common/Application.h"
#include "../common/CodePage.h"
#include "../common/Com.h"
#include "../common/Platform.h"
#include "Startup.h"

namespace {

// The arguments after the program's own path, in the system code page; those it cannot spell
// exactly go to unheld instead.
std::vector<std::string> Arguments(std::vector<std::string> &unheld) {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i) {
        std::string a;
        (zv::ToAnsiExact(argv[i], a) ? args : unheld).push_back(a);
    }
    LocalFree(argv);
    return args;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
#ifdef ZORVIK_FORCE_SHELL_MOVES
    zv::ActAsOnWindows(); // the build that tests the Windows shell's path under Wine
#endif
    zv::OleSession ole;
    try {
        zv::InitApplication();
        std::vector<std::string> unheld;
        std::vector<std::string> args = Arguments(unheld);
        return zv::RunProgram(args, unheld);
    } catch (const std::exception &e) {
        zv::ShowFatal(e.what());
    } catch (...) {
        zv::ShowFatal(zv::kUnknownError);
    }
    return 1;
}
