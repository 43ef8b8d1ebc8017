// Entry point: COM, the application object, the arguments, and the fatal error box.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "../common/Application.h"
#include "../common/Com.h"
#include "../common/DualText.h"
#include "../common/SystemLibrary.h"
#include "Startup.h"

namespace {

// The arguments after the program's own path, as the system gave them (UTF-16), each with its
// code-page spelling.
std::vector<zv::DualText> Arguments() {
    std::vector<zv::DualText> args;
    int argc = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i) args.emplace_back(std::wstring(argv[i]));
    LocalFree(argv);
    return args;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zv::SearchSystemFolderOnly();
    zv::OleSession ole; // outlives every window
    try {
        zv::Application app;
        return zv::RunProgram(Arguments());
    } catch (const std::exception &e) {
        zv::ShowFatal(e.what());
    } catch (...) {
        zv::ShowFatal(zv::kUnknownError);
    }
    return 1;
}
