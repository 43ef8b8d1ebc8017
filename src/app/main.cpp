// Entry point: COM, the application object, the arguments, and the fatal error box.
#include <windows.h>

#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "../common/Application.h"
#include "../common/Win.h"
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

// OLE for the GUI thread, as a single-threaded apartment, for the life of the program.
class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession &) = delete;
    OleSession &operator=(const OleSession &) = delete;

  private:
    bool ok_;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OleSession ole;
    try {
        zv::InitApplication();
        std::vector<std::string> unheld;
        std::vector<std::string> args = Arguments(unheld);
        return zv::RunProgram(args, unheld);
    } catch (const std::exception &e) {
        zv::ShowFatal(e.what());
    } catch (...) {
        zv::ShowFatal("Unknown error");
    }
    return 1;
}
