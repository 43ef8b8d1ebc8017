// Floors of the settings window: the profile reads it makes when it opens, a bare window with its
// title and an OK button, and on OK the rewrite of the two lists, on a copy beside the file that
// then replaces it. Two kinds:
//   keys      the calls key by key: a read per rule, and on OK an erase and a write per key (each
//             write rewrites the whole file), and the four options written;
//   sections  what start-up must do besides (OLE, the common controls), each section read with
//             one call, and on OK each list written with one WritePrivateProfileSectionA call;
//             the options, unchanged, are not written. The two lists stand last in the
//             benchmark's file, in this order: written in place they give the bytes that erasing
//             them and writing them anew gives.
// Usage: floor_settings keys|sections INI. Exit code: 0 when the rewrite succeeded.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

const char *g_path = nullptr;
bool g_sections = false;
std::vector<std::pair<std::string, std::string>> g_rules;
std::vector<std::string> g_ignore;
std::string g_lists[2];   // sections: Extensions and Ignore as GetPrivateProfileSectionA gives them
std::string g_options[5]; // MoveFolder, MoveFolderPath, MoveNoExt, MoveNoExtPath, BaseDir
const char *const kOptions[5] = {"MoveFolder", "MoveFolderPath", "MoveNoExt", "MoveNoExtPath",
                                 "BaseDir"};
const char *const kLists[2] = {"Extensions", "Ignore"};
bool g_saved = false;

// A list of zero-terminated strings, the buffer as large as the file, doubling until the whole
// list fits.
std::string List(const char *section, bool keys) {
    WIN32_FILE_ATTRIBUTE_DATA file{};
    size_t first = 16384;
    if (GetFileAttributesExA(g_path, GetFileExInfoStandard, &file) && !file.nFileSizeHigh &&
        file.nFileSizeLow + 16 > first)
        first = file.nFileSizeLow + 16;
    std::vector<char> buf(first);
    DWORD n;
    for (;;) {
        const DWORD size = static_cast<DWORD>(buf.size());
        n = keys ? GetPrivateProfileStringA(section, nullptr, nullptr, buf.data(), size, g_path)
                 : GetPrivateProfileSectionA(section, buf.data(), size, g_path);
        if (n + 2 < buf.size()) break;
        buf.resize(buf.size() * 2);
    }
    return std::string(buf.data(), n + 1); // with the final NUL that ends the list
}

std::vector<std::string> Keys(const char *section) {
    const std::string list = List(section, true);
    std::vector<std::string> keys;
    for (size_t i = 0; i < list.size() && list[i];) {
        size_t len = strnlen(&list[i], list.size() - i);
        keys.emplace_back(&list[i], len);
        i += len + 1;
    }
    return keys;
}

std::string Value(const char *section, const char *key, const char *path) {
    char buf[2048] = {};
    GetPrivateProfileStringA(section, key, "", buf, sizeof buf, path);
    return std::string(buf, strnlen(buf, sizeof buf - 1));
}

bool WriteKeys(const char *temp) {
    bool ok = WritePrivateProfileStringA("Extensions", nullptr, nullptr, temp) != FALSE;
    for (size_t i = 0; ok && i < g_rules.size(); ++i)
        ok = WritePrivateProfileStringA("Extensions", g_rules[i].first.c_str(),
                                        g_rules[i].second.c_str(), temp) != FALSE;
    ok = ok && WritePrivateProfileStringA("Ignore", nullptr, nullptr, temp) != FALSE;
    for (size_t i = 0; ok && i < g_ignore.size(); ++i)
        ok = WritePrivateProfileStringA("Ignore", g_ignore[i].c_str(), "NULL", temp) != FALSE;
    for (int i = 0; ok && i < 4; ++i)
        ok = WritePrivateProfileStringA("Option", kOptions[i], g_options[i].c_str(), temp) != FALSE;
    return ok;
}

bool WriteSections(const char *temp) {
    bool ok = true;
    for (int i = 0; ok && i < 2; ++i)
        ok = g_lists[i].size() < 2
                 ? WritePrivateProfileStringA(kLists[i], nullptr, nullptr, temp) != FALSE
                 : WritePrivateProfileSectionA(kLists[i], g_lists[i].c_str(), temp) != FALSE;
    return ok;
}

bool Save() {
    std::string folder(g_path);
    size_t slash = folder.find_last_of("\\/:");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash + 1);
    char temp[MAX_PATH + 1] = {};
    if (folder.size() + 14 > MAX_PATH || !GetTempFileNameA(folder.c_str(), "zv", 0, temp) ||
        !CopyFileA(g_path, temp, FALSE))
        return false;
    bool ok = g_sections ? WriteSections(temp) : WriteKeys(temp);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, temp);
    ok = ok && MoveFileExA(temp, g_path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp);
    return ok;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) {
        g_saved = Save();
        DestroyWindow(hwnd);
        return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || (std::strcmp(argv[1], "keys") && std::strcmp(argv[1], "sections"))) {
        std::fprintf(stderr, "usage: floor_settings keys|sections INI\n");
        return 2;
    }
    g_sections = std::strcmp(argv[1], "sections") == 0;
    g_path = argv[2];
    if (g_sections) {
        OleInitialize(nullptr);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        for (int i = 0; i < 2; ++i) g_lists[i] = List(kLists[i], false);
    } else {
        for (const std::string &key : Keys("Extensions"))
            g_rules.emplace_back(key, Value("Extensions", key.c_str(), g_path));
        g_ignore = Keys("Ignore");
    }
    for (int i = 0; i < 5; ++i) g_options[i] = Value("Option", kOptions[i], g_path);

    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "FloorSettings";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME, wc.lpszClassName, "Zorvikの設定",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 317, 338, nullptr,
                                nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 8, 280, 97, 25,
                    hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), wc.hInstance,
                    nullptr);
    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (g_sections) OleUninitialize();
    return g_saved ? 0 : 1;
}
