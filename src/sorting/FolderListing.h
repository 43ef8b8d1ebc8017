// A folder's entries as the move engines and the listing of a dropped folder see them.
#pragma once
#include <windows.h>

#include <string>

#include "../common/CodePage.h"
#include "../common/Handles.h"

namespace zv {

// One entry of a folder listing. The listing is read in UTF-16 so that a name the system code
// page cannot hold is seen as such (exact false, name with "?" for those characters) instead of
// as the look-alike name of another file.
struct ListedEntry {
    std::wstring wide;
    std::string name; // in the code page; "?" for what it lacks when not exact
    bool exact;
    DWORD attributes;
    DWORD reparseTag;
};

inline bool IsFolderLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Calls visit(entry) for every entry of a folder but "." and "..", until visit returns an error
// code other than 0. That code, the listing's own error when it could not be started, or 0.
template <class Visit> DWORD ForEachEntry(const std::wstring &folder, Visit visit) {
    const bool slash = !folder.empty() && folder.back() == L'\\';
    const std::wstring pattern = folder + (slash ? L"*.*" : L"\\*.*");
    WIN32_FIND_DATAW fd;
    const HANDLE first = FindFirstFileW(pattern.c_str(), &fd);
    if (first == INVALID_HANDLE_VALUE) return GetLastError();
    FindHandle find(first);
    do {
        const std::wstring wide = fd.cFileName;
        if (wide == L"." || wide == L"..") continue;
        ListedEntry e{wide, std::string(), false, fd.dwFileAttributes, fd.dwReserved0};
        e.exact = ToAnsiExact(wide, e.name);
        if (DWORD code = visit(e)) return code;
    } while (FindNextFileW(find.get(), &fd));
    return 0;
}

} // namespace zv
