// Floor of a sorting start as a GUI program: only the work every sorting start must do. OLE as a
// single-threaded apartment, the hidden owner window, the settings file beside the executable
// tested, the documents folder looked up, the five options read, then for the dropped file (or
// every file of a dropped folder) the two lookups and one move into the rule folder.
// Usage: floor_app FILE|FOLDER. Exit code: 0 when every file with a rule was moved.
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The settings file: the executable's path with its extension replaced by ".INI".
std::string IniPath() {
    char exe[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe, n < MAX_PATH ? n : 0);
    size_t dot = path.rfind('.'); // the benchmark's paths are ASCII
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ".INI";
}

std::string Read(const char *section, const char *key, const char *def, const std::string &ini) {
    char buf[2048] = {};
    GetPrivateProfileStringA(section, key, def, buf, sizeof buf, ini.c_str());
    return buf;
}

std::string Documents() {
    IMalloc *malloc = nullptr;
    if (FAILED(SHGetMalloc(&malloc)) || !malloc) return std::string();
    LPITEMIDLIST pidl = nullptr;
    char path[MAX_PATH + 1] = {};
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl))) {
        SHGetPathFromIDListA(pidl, path);
        malloc->Free(pidl);
    }
    malloc->Release();
    return path;
}

// Two lookups and one move, as a file met on Wine's shell is moved; false when a move failed.
bool SortOne(const std::string &path, const std::string &ini) {
    size_t slash = path.rfind('\\'), dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return true;
    std::string key = path.substr(dot + 1);
    std::string rule = Read("Extensions", key.c_str(), "", ini);
    std::string ignore = Read("Ignore", key.c_str(), "", ini);
    if (rule.empty() || !lstrcmpiA(ignore.c_str(), "NULL")) return true;
    std::string to = rule + '\\' + path.substr(slash == std::string::npos ? 0 : slash + 1);
    return MoveFileExA(path.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED) != FALSE;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc != 2) return 2;
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "FloorApplication";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "Floor",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    (void)window;

    int failed = 0;
    const std::string ini = IniPath();
    if (GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const std::string documents = Documents();
        Read("Option", "MoveFolder", "1", ini);
        Read("Option", "MoveFolderPath", "", ini);
        Read("Option", "BaseDir", documents.c_str(), ini);
        const std::string dropped = __argv[1];
        DWORD attributes = GetFileAttributesA(dropped.c_str());
        Read("Option", "MoveNoExt", "1", ini);
        Read("Option", "MoveNoExtPath", "", ini);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            // The list comes first: nothing is moved while the folder is being read.
            std::vector<std::string> files;
            WIN32_FIND_DATAA fd;
            HANDLE find = FindFirstFileA((dropped + "\\*.*").c_str(), &fd);
            if (find != INVALID_HANDLE_VALUE) {
                do {
                    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                        files.push_back(dropped + '\\' + fd.cFileName);
                } while (FindNextFileA(find, &fd));
                FindClose(find);
            }
            for (const std::string &f : files)
                if (!SortOne(f, ini)) ++failed;
        } else if (!SortOne(dropped, ini)) {
            ++failed;
        }
    } else {
        failed = 1;
    }
    if (ole) OleUninitialize();
    return failed ? 1 : 0;
}
