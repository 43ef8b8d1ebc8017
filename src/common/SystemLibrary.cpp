// The system's DLLs that are not KnownDLLs, from the system's folder.
#include "SystemLibrary.h"

#include <map>

#include "CodePage.h"
#include "Error.h"

namespace zv {
namespace {

// SetDefaultDllDirectories came with Windows 8, and to Windows 7 with an update (KB2533623);
// where the system lacks it, so does LOAD_LIBRARY_SEARCH_SYSTEM32.
using SetDefaultDllDirectoriesCall = BOOL(WINAPI *)(DWORD);
SetDefaultDllDirectoriesCall SetDefaultDirectories() {
    static const auto call =
        reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    return call;
}

HMODULE Load(const wchar_t *dll) {
    if (SetDefaultDirectories()) return LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A full path is loaded from where it names, and with the altered search path the DLL's own
    // dependencies are looked for in its folder first.
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return nullptr;
    return LoadLibraryExW((std::wstring(folder) + L"\\" + dll).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

void SearchSystemFolderOnly() {
    if (SetDefaultDllDirectoriesCall call = SetDefaultDirectories())
        call(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L""); // the current folder out of the search, on every system
}

void *SystemFunction(const wchar_t *dll, const char *name, bool optional) {
    static std::map<std::wstring, HMODULE> loaded; // kept for the program's life
    auto found = loaded.find(dll);
    if (found == loaded.end()) found = loaded.emplace(dll, Load(dll)).first;
    void *function =
        found->second ? reinterpret_cast<void *>(GetProcAddress(found->second, name)) : nullptr;
    if (!function && !optional) {
        std::string ansi;
        ToAnsiExact(dll, ansi);
        throw Error(ansi + " に " + name + " がありません");
    }
    return function;
}

} // namespace zv
