// The shell's folder dialog and the documents folder.
#include "FolderChooser.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "../common/Application.h"
#include "../common/Com.h"
#include "../common/Path.h"
#include "../common/SystemError.h"
#include "../common/WindowsDisabled.h"

namespace zv {

POINT CentredPosition(int screenWidth, int screenHeight, int width, int height) {
    LONG left = (screenWidth - width) / 2, top = (screenHeight - height) / 2;
    left = std::max(std::min(left, static_cast<LONG>(screenWidth - width)), 0L);
    top = std::max(std::min(top, static_cast<LONG>(screenHeight - height)), 0L);
    return POINT{left, top};
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data) {
    const char *start = reinterpret_cast<const char *>(data);
    if (message == BFFM_INITIALIZED) {
        if (start && lstrlenA(start) >= 2)
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start));
        RECT r;
        GetWindowRect(dialog, &r);
        POINT p = CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  r.right - r.left, r.bottom - r.top);
        SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH + 1] = {};
        if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(param), path)) path[0] = '\0';
        SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

bool SelectFolder(const DualText &prompt, const std::string &startFolder, DualText &folder) {
    folder = DualText();
    ComRef<IMalloc> malloc;
    if (FAILED(SHGetMalloc(malloc.out())) || !malloc) return false;
    // The display-name buffer: MAX_PATH characters of either kind.
    MallocPtr<wchar_t, IMalloc> name(
        malloc.get(), static_cast<wchar_t *>(malloc->Alloc((MAX_PATH + 1) * sizeof(wchar_t))));
    if (!name.get()) return false;
    name.get()[0] = L'\0';

    LPITEMIDLIST pidl;
    {
        ThreadWindowsDisabled modal;
        // The callback speaks code page to the dialog, which takes both kinds of message.
        if (prompt.exact) {
            BROWSEINFOA bi{};
            bi.hwndOwner = AppWindow();
            bi.pszDisplayName = reinterpret_cast<char *>(name.get());
            bi.lpszTitle = prompt.ansi.c_str();
            bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
            bi.lpfn = BrowseCallback;
            bi.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
            pidl = SHBrowseForFolderA(&bi);
        } else {
            BROWSEINFOW bi{};
            bi.hwndOwner = AppWindow();
            bi.pszDisplayName = name.get();
            bi.lpszTitle = prompt.wide.c_str();
            bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
            bi.lpfn = BrowseCallback;
            bi.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
            pidl = SHBrowseForFolderW(&bi);
        }
    }
    if (!pidl) return false;
    MallocPtr<ITEMIDLIST, IMalloc> item(malloc.get(), pidl);
    name.get()[0] = L'\0';
    if (!SHGetPathFromIDListW(item.get(), name.get())) return false;
    folder = DualText(std::wstring(name.get(), wcsnlen(name.get(), MAX_PATH)));
    return true;
}

bool SelectFolder(const std::string &prompt, const std::string &startFolder, std::string &folder) {
    DualText chosen;
    const bool ok = SelectFolder(DualText(prompt), startFolder, chosen);
    folder = chosen.ansi;
    return ok;
}

std::string GetDocumentsDir() {
    ComRef<IMalloc> malloc;
    HRESULT hr = CoGetMalloc(MEMCTX_TASK, malloc.out());
    if (FAILED(hr)) RaiseSystemError(static_cast<DWORD>(hr));
    LPITEMIDLIST pidl = nullptr;
    hr = SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &pidl);
    if (FAILED(hr)) RaiseSystemError(static_cast<DWORD>(hr));
    MallocPtr<ITEMIDLIST, IMalloc> item(malloc.get(), pidl);
    char path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(item.get(), path)) path[0] = '\0';
    return IncludeTrailingBackslash(path);
}

} // namespace zv
