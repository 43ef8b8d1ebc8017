// File-system work of the program: moves, folder listing, folder chooser, documents folder.
#include "FileUnit.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "../common/Application.h"
#include "../common/Error.h"
#include "../common/Text.h"
#include "../common/Win.h"
#include "../settings/SettingsFile.h"

namespace zv {
namespace {

// The shell's own move: one item, the owner being the application window, the lists ending in
// two NUL bytes.
bool ShellMove(const std::string &from, const std::string &to, FILEOP_FLAGS flags) {
    std::string fromList = from + '\0', toList = to + '\0'; // c_str() adds the second NUL
    SHFILEOPSTRUCTA op{};
    op.hwnd = AppWindow();
    op.wFunc = FO_MOVE;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = flags;
    return SHFileOperationA(&op) == 0;
}

void ShowMoveError(const std::string &what, DWORD code) {
    MessageBoxA(CurrentOwner(), (what + "\r\n\r\n" + SystemMessage(code)).c_str(),
                AppTitle().c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

std::string CannotMove(const std::string &source) { return source + " を移動できません。"; }

bool SameItem(const std::string &a, const std::string &b) {
    std::string fa = FullPath(a), fb = FullPath(b);
    return !fa.empty() && SamePath(fa, fb);
}

// On a shell that neither asks before replacing nor reports its failures, the program does the
// shell's work itself: it never replaces a file without a yes, and says when a move fails.
bool OwnMoveFile(const std::string &source, const std::string &destination) {
    const DWORD flags = MOVEFILE_COPY_ALLOWED;
    if (MoveFileExA(source.c_str(), destination.c_str(), flags)) return true;
    DWORD code = GetLastError();
    if (code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND) {
        // The destination folder is created before the move is reported, even for a source
        // that is missing.
        std::string folder = ExtractFilePath(destination);
        if (!folder.empty() && !DirectoryExists(folder)) {
            ForceFolder(folder);
            if (MoveFileExA(source.c_str(), destination.c_str(), flags)) return true;
            code = GetLastError();
        }
    }
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        if (SameItem(source, destination)) return true; // already where it belongs
        if (DirectoryExists(destination)) {
            ShowMoveError(CannotMove(source) + "\r\n移動先に同じ名前のフォルダがあります: " +
                              destination, code);
            return false;
        }
        if (!Confirm("移動先に同じ名前のファイルがあります。\r\n" + destination +
                     "\r\n\r\nこのファイルを置き換えますか？"))
            return false;
        if (MoveFileExA(source.c_str(), destination.c_str(), flags | MOVEFILE_REPLACE_EXISTING))
            return true;
        code = GetLastError();
    }
    ShowMoveError(CannotMove(source), code);
    return false;
}

bool IsFolderLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Calls visit(name, attributes) for every entry of a folder but "." and "..". False when the
// listing could not be started.
template <class Visit> bool ForEachEntry(const std::string &folder, Visit visit) {
    WIN32_FIND_DATAA fd;
    FindHandle find(FindFirstFileA(PathIn(folder, "*.*").c_str(), &fd));
    if (!find.valid()) return false;
    do {
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, ".."))
            if (!visit(std::string(fd.cFileName), fd.dwFileAttributes)) return false;
    } while (FindNextFileA(find.get(), &fd));
    return true;
}

// Copies a folder tree to a new place. Links to folders are not copied: the copy fails instead.
bool CopyTree(const std::string &from, const std::string &to) {
    if (!CreateDirectoryA(to.c_str(), nullptr)) return false;
    return ForEachEntry(from, [&](const std::string &name, DWORD attributes) {
        std::string src = PathIn(from, name), dst = PathIn(to, name);
        if (IsFolderLink(attributes)) return false;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyTree(src, dst);
        return CopyFileA(src.c_str(), dst.c_str(), TRUE) != FALSE;
    });
}

// Counts the files below a folder and adds up their sizes.
bool Measure(const std::string &folder, unsigned long long &files, unsigned long long &bytes) {
    return ForEachEntry(folder, [&](const std::string &name, DWORD attributes) {
        std::string path = PathIn(folder, name);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Measure(path, files, bytes);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        ++files;
        bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return true;
    });
}

bool SameContents(const std::string &a, const std::string &b) {
    unsigned long long fa = 0, ba = 0, fb = 0, bb = 0;
    return Measure(a, fa, ba) && Measure(b, fb, bb) && fa == fb && ba == bb;
}

bool DeleteTree(const std::string &folder) {
    bool ok = ForEachEntry(folder, [&](const std::string &name, DWORD attributes) {
        std::string path = PathIn(folder, name);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(attributes))
            return DeleteTree(path);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryA(path.c_str()) != FALSE;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        return DeleteFileA(path.c_str()) != FALSE;
    });
    return RemoveDirectoryA(folder.c_str()) != FALSE && ok;
}

bool OnSameVolume(const std::string &a, const std::string &b) {
    char va[MAX_PATH + 1] = {}, vb[MAX_PATH + 1] = {};
    return GetVolumePathNameA(a.c_str(), va, sizeof va) &&
           GetVolumePathNameA(b.c_str(), vb, sizeof vb) && SamePath(va, vb);
}

bool OwnMoveFolder(const std::string &source, const std::string &destinationFolder) {
    std::string target = PathIn(destinationFolder, ExtractFileName(source));
    std::string fullSource = FullPath(source), fullTarget = FullPath(target);
    if (fullSource.empty() || fullTarget.empty()) {
        ShowMoveError(CannotMove(source), ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (SamePath(fullSource, fullTarget)) return true;
    std::string inside = IncludeTrailingBackslash(fullSource);
    if (fullTarget.size() > inside.size() &&
        SamePath(fullTarget.substr(0, inside.size()), inside)) {
        ShowMoveError(CannotMove(source) + "\r\n移動先がフォルダの中にあります。", ERROR_INVALID_PARAMETER);
        return false;
    }
    if (Attributes(target) != INVALID_FILE_ATTRIBUTES) {
        ShowMoveError(CannotMove(source) + "\r\n移動先に同じ名前の項目があります: " + target,
                      ERROR_ALREADY_EXISTS);
        return false;
    }
    if (MoveFileExA(source.c_str(), target.c_str(), 0)) return true;
    DWORD code = GetLastError();
    bool otherVolume = code == ERROR_NOT_SAME_DEVICE ||
                       (code == ERROR_ACCESS_DENIED && !OnSameVolume(fullSource, fullTarget));
    if (!otherVolume) {
        ShowMoveError(CannotMove(source), code);
        return false;
    }
    // Across volumes: copy the whole tree, check the copy, and only then remove the source.
    if (!CopyTree(source, target) || !SameContents(source, target)) {
        code = GetLastError();
        DeleteTree(target); // the copy is ours alone: the target did not exist before
        ShowMoveError(CannotMove(source), code ? code : ERROR_WRITE_FAULT);
        return false;
    }
    if (!DeleteTree(source)) {
        ShowMoveError(source + " は " + target + " にコピーされましたが、元のフォルダを削除できません。",
                      GetLastError());
        return false;
    }
    return true;
}

} // namespace

bool IsProgramFile(const std::string &path) {
    std::string full = FullPath(path);
    return !full.empty() && (SamePath(full, ExePath()) || SamePath(full, SettingsPath()));
}

bool HoldsProgramFile(const std::string &folder) {
    std::string inside = IncludeTrailingBackslash(FullPath(folder));
    auto within = [&](const std::string &file) {
        return inside.size() > 1 && file.size() > inside.size() &&
               SamePath(file.substr(0, inside.size()), inside);
    };
    return within(ExePath()) || within(SettingsPath());
}

void ForceFolder(const std::string &folder) {
    if (folder.empty()) throw Error("ディレクトリを作成できません");
    std::string dir = ExcludeTrailingBackslash(folder);
    if (dir.size() < 3 || DirectoryExists(dir) || ExtractFilePath(dir) == dir) return;
    std::string parent = ExtractFilePath(dir);
    if (!parent.empty()) ForceFolder(parent); // a relative name has none: no error for it
    CreateDirectoryA(dir.c_str(), nullptr);
}

bool MoveFileTo(const std::string &source, const std::string &destination) {
    std::string to = destination;
    if (EndsWithBackslash(to)) to += ExtractFileName(source);
    if (IsProgramFile(source)) return false;
    if (ShellIsWine()) return OwnMoveFile(source, to);
    std::string folder = ExtractFilePath(to);
    if (!DirectoryExists(folder)) ForceFolder(folder);
    return ShellMove(source, to, FOF_SILENT | FOF_ALLOWUNDO);
}

bool MoveFolderTo(const std::string &source, const std::string &destinationFolder) {
    std::string from = ExcludeTrailingBackslash(Unquote(source));
    std::string to = ExcludeTrailingBackslash(Unquote(destinationFolder));
    if (!DirectoryExists(to)) ForceFolder(to);
    if (HoldsProgramFile(from)) {
        ShowWarning(from + " には Zorvik 自身が入っているため、移動しません。");
        return false;
    }
    if (ShellIsWine()) return OwnMoveFolder(from, to);
    return ShellMove(from, to, FOF_ALLOWUNDO);
}

void CollectFiles(const std::string &folder, std::vector<std::string> &list) {
    ForEachEntry(folder, [&](const std::string &name, DWORD attributes) {
        // Links to folders are left alone: one that leads back to a parent would never end, and
        // one that leads elsewhere would sort files that were never dropped.
        if (IsFolderLink(attributes)) return true;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(PathIn(folder, name), list);
        else
            list.push_back(PathIn(folder, name));
        return true;
    });
}

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

std::string BrowseStartFolder(const std::string &fieldText) {
    if (fieldText.empty()) return GetDocumentsDir();
    return DirectoryExists(fieldText) ? fieldText : std::string();
}

} // namespace zv
