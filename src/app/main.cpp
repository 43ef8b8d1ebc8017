// Entry point: COM, the application object, the arguments, and the fatal error box.
#include <windows.h>

#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "../common/Application.h"
#include "Startup.h"

namespace {

// The arguments after the program's own path, in the system code page.
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i) {
        int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string a(n > 0 ? static_cast<size_t>(n) : 1, '\0');
        if (n > 0) WideCharToMultiByte(CP_ACP, 0, argv[i], -1, &a[0], n, nullptr, nullptr);
        a.resize(a.size() - 1);
        args.push_back(a);
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
        return zv::RunProgram(Arguments());
    } catch (const std::exception &e) {
        zv::ShowFatal(e.what());
    } catch (...) {
        zv::ShowFatal("Unknown error");
    }
    return 1;
}
