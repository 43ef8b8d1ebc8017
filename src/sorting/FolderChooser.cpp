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

bool SelectFolder(const std::string &prompt, const std::string &startFolder, std::string &folder) {
    folder.clear();
    ComRef<IMalloc> malloc;
    if (FAILED(SHGetMalloc(malloc.out())) || !malloc) return false;
    MallocPtr<char, IMalloc> name(malloc.get(), static_cast<char *>(malloc->Alloc(MAX_PATH)));
    if (!name.get()) return false;
    name.get()[0] = '\0';

    BROWSEINFOA bi{};
    bi.hwndOwner = AppWindow();
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = name.get();
    bi.lpszTitle = prompt.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());

    LPITEMIDLIST pidl;
    {
        ThreadWindowsDisabled modal;
        pidl = SHBrowseForFolderA(&bi);
    }
    if (!pidl) return false;
    MallocPtr<ITEMIDLIST, IMalloc> item(malloc.get(), pidl);
    // The display-name buffer is MAX_PATH bytes, as SHGetPathFromIDListA expects.
    name.get()[0] = '\0';
    if (!SHGetPathFromIDListA(item.get(), name.get())) return false;
    folder.assign(name.get(), strnlen(name.get(), MAX_PATH));
    return true;
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
