// File-system work of the program: moves, folder listing, folder chooser, documents folder.
#include "FileUnit.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "../common/Application.h"
#include "../common/Buffer.h"
#include "../common/CodePage.h"
#include "../common/Com.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/FileIdentity.h"
#include "../common/Format.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/Platform.h"
#include "../common/ShiftJis.h"
#include "../common/SystemError.h"
#include "../common/SystemPath.h"
#include "../common/WindowsDisabled.h"
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

// The application's error box for a move; code 0 adds no system text.
void ShowMoveError(const std::string &what, DWORD code) {
    MessageBoxA(CurrentOwner(), (code ? what + "\r\n\r\n" + SystemMessage(code) : what).c_str(),
                AppTitle().c_str(), MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

std::string CannotMove(const std::string &source) { return source + " を移動できません。"; }

bool SameItem(const std::string &a, const std::string &b) {
    std::string fa = FullPath(a), fb = FullPath(b);
    return !fa.empty() && SamePath(fa, fb);
}

std::string CannotCreate(const std::string &folder) {
    return "移動先のフォルダ " + ExcludeTrailingBackslash(folder) + " を作成できませんでした。";
}

bool SetDeleteOnClose(HANDLE h, bool remove) {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = remove ? TRUE : FALSE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != FALSE;
}

unsigned long long FileSize(const std::string &path, bool &ok) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    ok = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
    return ok ? (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow : 0;
}

// A file move to another volume, done so that a failure at any point leaves the source as it was
// and no part of the copy behind: the copy is made under a temporary name beside its destination
// and checked; the source's removal is armed (which fails for a source that cannot be removed);
// only then does the copy take its name and the source go.
bool MoveAcrossVolumes(const std::string &source, const std::string &destination, bool replace) {
    const std::string folder = ExtractFilePath(destination);
    char tempName[MAX_PATH + 1] = {};
    // GetTempFileNameA writes at most MAX_PATH bytes and wants room for its own name.
    if (folder.size() + 14 > MAX_PATH || !GetTempFileNameA(folder.c_str(), "zv", 0, tempName)) {
        ShowMoveError(CannotMove(source), GetLastError() ? GetLastError() : ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    const std::string temp = tempName;
    auto fail = [&](const std::string &what, DWORD code) {
        SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp.c_str());
        ShowMoveError(what, code);
        return false;
    };
    if (!CopyFileA(source.c_str(), temp.c_str(), FALSE)) return fail(CannotMove(source), GetLastError());
    bool okSource = false, okCopy = false;
    if (FileSize(source, okSource) != FileSize(temp, okCopy) || !okSource || !okCopy)
        return fail(CannotMove(source) + "\r\nコピーが元のファイルと一致しません。", ERROR_WRITE_FAULT);
    KernelHandle original(CreateFileA(source.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!original.valid() || !SetDeleteOnClose(original.get(), true))
        return fail(CannotMove(source) + "\r\n元のファイルを削除できないため、コピーもしません。", GetLastError());
    if (!MoveFileExA(temp.c_str(), destination.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        DWORD code = GetLastError();
        SetDeleteOnClose(original.get(), false);
        return fail(CannotMove(source), code);
    }
    return true; // the source goes when its handle closes
}

// On a shell that neither asks before replacing nor reports its failures, the program does the
// shell's work itself: it never replaces a file without a yes, and says when a move fails.
bool OwnMoveFile(const std::string &source, const std::string &destination) {
    bool replace = false, folderMade = false;
    for (;;) {
        if (MoveFileExA(source.c_str(), destination.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0))
            return true;
        DWORD code = GetLastError();
        if (code == ERROR_NOT_SAME_DEVICE) {
            if (replace || Attributes(destination) == INVALID_FILE_ATTRIBUTES)
                return MoveAcrossVolumes(source, destination, replace);
            code = ERROR_ALREADY_EXISTS;
        }
        if ((code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND) && !folderMade) {
            // The destination folder is created before the move is reported, even for a source
            // that is missing.
            std::string folder = ExtractFilePath(destination);
            if (!folder.empty() && !DirectoryExists(folder)) {
                folderMade = true;
                DWORD made = ForceFolder(folder);
                if (!DirectoryExists(folder)) {
                    ShowMoveError(CannotMove(source) + "\r\n" + CannotCreate(folder), made ? made : code);
                    return false;
                }
                continue;
            }
        }
        if (!replace && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) {
            if (SameItem(source, destination)) return true; // already where it belongs
            if (DirectoryExists(destination)) {
                ShowMoveError(CannotMove(source) + "\r\n移動先に同じ名前のフォルダがあります: " +
                                  destination, code);
                return false;
            }
            if (!Confirm("移動先に同じ名前のファイルがあります。\r\n" + destination +
                         "\r\n\r\nこのファイルを置き換えますか？"))
                return false;
            replace = true;
            continue;
        }
        ShowMoveError(CannotMove(source), code);
        return false;
    }
}

bool IsFolderLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// One entry of a folder listing. The listing is read in UTF-16 so that a name the system code
// page cannot hold is seen as such (exact false, name with "?" for those characters) instead of
// as the look-alike name of another file.
struct Entry {
    std::string name;
    bool exact;
    DWORD attributes;
    DWORD reparseTag;
};

// Calls visit(entry) for every entry of a folder but "." and "..". False when the listing could
// not be started or visit said stop.
template <class Visit> bool ForEachEntry(const std::string &folder, Visit visit) {
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileW((ToWide(IncludeTrailingBackslash(folder)) + L"*.*").c_str(), &fd));
    if (!find.valid()) return false;
    do {
        const std::wstring wide = fd.cFileName;
        if (wide == L"." || wide == L"..") continue;
        Entry e{std::string(), false, fd.dwFileAttributes, fd.dwReserved0};
        e.exact = ToAnsiExact(wide, e.name);
        if (!visit(e)) return false;
    } while (FindNextFileW(find.get(), &fd));
    return true;
}

// Copies a folder tree to a new place. Links, and names the code page cannot hold, are not
// copied: the copy stops instead, with problem saying which item stopped it.
bool CopyTree(const std::string &from, const std::string &to, std::string &problem) {
    if (!CreateDirectoryA(to.c_str(), nullptr)) return false;
    return ForEachEntry(from, [&](const Entry &e) {
        std::string src = PathIn(from, e.name), dst = PathIn(to, e.name);
        if (!e.exact) {
            problem = "名前に Shift-JIS で表せない文字がある項目 " + src + " があるため、別のドライブへは移動できません。";
            return false;
        }
        if (IsFolderLink(e.attributes) || (!(e.attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                           IsFileLink(src, e.attributes, e.reparseTag))) {
            problem = "リンク " + src + " があるため、別のドライブへは移動できません。";
            return false;
        }
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyTree(src, dst, problem);
        return CopyFileA(src.c_str(), dst.c_str(), TRUE) != FALSE;
    });
}

// Counts the files below a folder and adds up their sizes.
bool Measure(const std::string &folder, unsigned long long &files, unsigned long long &bytes) {
    return ForEachEntry(folder, [&](const Entry &e) {
        if (!e.exact) return false;
        std::string path = PathIn(folder, e.name);
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return Measure(path, files, bytes);
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
    bool ok = ForEachEntry(folder, [&](const Entry &e) {
        if (!e.exact) return false; // never a look-alike of the name
        const DWORD attributes = e.attributes;
        std::string path = PathIn(folder, e.name);
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
    std::string problem;
    if (!CopyTree(source, target, problem) || !SameContents(source, target)) {
        code = GetLastError();
        DeleteTree(target); // the copy is ours alone: the target did not exist before
        if (!problem.empty())
            ShowMoveError(CannotMove(source) + "\r\n" + problem, 0);
        else
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

namespace {

// The identities of the program's own files, and of every folder that holds them. The settings
// file is looked for until it is found: a first run writes it late.
struct ProgramIdentities {
    std::vector<FileIdentity> files, folders;
    bool settingsFound = false;

    ProgramIdentities() {
        FileIdentity id;
        const std::string exe = ExePath();
        if (IdentityOf(exe, id)) files.push_back(id);
        for (std::string dir = ExcludeTrailingBackslash(ExtractFilePath(exe)); !dir.empty();) {
            if (IdentityOf(dir.size() == 2 ? dir + "\\" : dir, id)) folders.push_back(id);
            std::string parent = ExcludeTrailingBackslash(ExtractFilePath(dir));
            if (parent == dir || parent.size() < 2) break;
            dir = parent;
        }
    }
    const std::vector<FileIdentity> &Files() {
        FileIdentity id;
        if (!settingsFound && IdentityOf(SettingsPath(), id)) {
            files.push_back(id);
            settingsFound = true;
        }
        return files;
    }
};

ProgramIdentities &Program() {
    static ProgramIdentities identities;
    return identities;
}

bool Among(const std::vector<FileIdentity> &list, const std::string &path) {
    FileIdentity id;
    return IdentityOf(path, id) && std::find(list.begin(), list.end(), id) != list.end();
}

} // namespace

bool IsProgramFile(const std::string &path) {
    std::string full = FullPath(path);
    if (full.empty()) return false;
    return SamePath(full, ExePath()) || SamePath(full, SettingsPath()) || Among(Program().Files(), full);
}

bool HoldsProgramFile(const std::string &folder) {
    std::string full = FullPath(folder);
    std::string inside = IncludeTrailingBackslash(full);
    auto within = [&](const std::string &file) {
        return inside.size() > 1 && file.size() > inside.size() &&
               SamePath(file.substr(0, inside.size()), inside);
    };
    return within(ExePath()) || within(SettingsPath()) ||
           (!full.empty() && Among(Program().folders, full));
}

bool IsFileLink(const std::string &path, DWORD attributes, DWORD reparseTag) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == IO_REPARSE_TAG_MOUNT_POINT;
    if (!ShellIsWine()) return false;
    // Wine lists a Unix symlink to a file as a plain file, and renaming it moves the file it
    // leads to. The file opened through it tells: its final name is the target's.
    const std::wstring wide = ToWide(path);
    KernelHandle h(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) return false;
    // Too small a buffer gives the size needed, the final NUL counted.
    const std::wstring final = ReadGrowing<wchar_t>(
        [&](wchar_t *buf, size_t size) {
            return GetFinalPathNameByHandleW(h.get(), buf, static_cast<DWORD>(size), 0);
        },
        0, MAX_PATH + 1);
    if (final.empty()) return false;
    auto nameOf = [](const std::wstring &p) {
        size_t i = p.find_last_of(L"\\/");
        return i == std::wstring::npos ? p : p.substr(i + 1);
    };
    const std::wstring real = nameOf(final);
    return CompareStringOrdinal(real.c_str(), -1, nameOf(wide).c_str(), -1, TRUE) != CSTR_EQUAL;
}

bool MustLeave(const std::string &path, LeftReason &reason) {
    if (path.empty()) {
        reason = LeftReason::Empty;
        return true;
    }
    if (HasPartEndingInDotOrBlank(path)) {
        reason = LeftReason::DotOrBlank;
        return true;
    }
    if (FindChar(path, "*?") != std::string::npos) {
        reason = LeftReason::Wildcard;
        return true;
    }
    WIN32_FIND_DATAW fd;
    FindHandle find(FindFirstFileW(ToWide(path).c_str(), &fd));
    if (find.valid() && IsFileLink(path, fd.dwFileAttributes, fd.dwReserved0)) {
        reason = LeftReason::FileLink;
        return true;
    }
    return false;
}

std::string LeftItems::Text() const {
    static const struct {
        LeftReason reason;
        const char *text;
    } kReasons[] = {
        {LeftReason::NotInCodePage, "名前に Shift-JIS で表せない文字があります（その文字は ? で示します）:"},
        {LeftReason::DotOrBlank, "名前の末尾がピリオドか空白のため、別の項目と取り違えるおそれがあります:"},
        {LeftReason::TooLong, "パスが長すぎるため、扱えません:"},
        {LeftReason::FileLink, "ファイルへのリンクです（リンク先のファイルは移動しません）:"},
        {LeftReason::Empty, "空の引数です（ファイルやフォルダの名前がありません）:"},
        {LeftReason::Wildcard, "名前に * か ? があり、ほかのファイルと取り違えるおそれがあります:"},
    };
    std::string text = "次の項目は移動しませんでした。";
    for (const auto &r : kReasons) {
        size_t count = 0;
        for (const auto &item : items_) {
            if (item.first != r.reason) continue;
            if (count == 0) text += std::string("\r\n\r\n") + r.text;
            if (count < kShown) text += "\r\n" + (item.second.empty() ? std::string("\"\"") : item.second);
            ++count;
        }
        if (count > kShown) text += "\r\n" + Format("ほか %s 件", std::to_string(count - kShown));
    }
    return text;
}

void LeftItems::Show() const {
    if (!items_.empty()) ShowWarning(Text());
}

DWORD ForceFolder(const std::string &folder) {
    if (folder.empty()) throw Error("ディレクトリを作成できません");
    std::string dir = ExcludeTrailingBackslash(folder);
    if (dir.size() < 3 || DirectoryExists(dir) || ExtractFilePath(dir) == dir) return 0;
    std::string parent = ExtractFilePath(dir);
    DWORD failed = parent.empty() ? 0 : ForceFolder(parent); // a relative name has none: no error for it
    if (CreateDirectoryA(dir.c_str(), nullptr)) return 0;
    DWORD code = GetLastError();
    return failed ? failed : code;
}

bool MoveFileTo(const std::string &source, const std::string &destination) {
    std::string to = destination;
    if (EndsWithBackslash(to)) to += ExtractFileName(source);
    if (IsProgramFile(source)) return false;
    if (ShellIsWine()) return OwnMoveFile(source, to);
    std::string folder = ExtractFilePath(to);
    if (!DirectoryExists(folder)) {
        DWORD code = ForceFolder(folder);
        // The shell would only say that the path is not found.
        if (!folder.empty() && !DirectoryExists(folder)) {
            ShowMoveError(CannotMove(source) + "\r\n" + CannotCreate(folder), code);
            return false;
        }
    }
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

void CollectFiles(const std::string &folder, std::vector<std::string> &list, LeftItems &left) {
    const std::string dir = IncludeTrailingBackslash(folder);
    ForEachEntry(dir, [&](const Entry &e) {
        const std::string path = dir + e.name;
        const bool isFolder = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // Links to folders are left alone: one that leads back to a parent would never end, and
        // one that leads elsewhere would sort files that were never dropped.
        if (IsFolderLink(e.attributes)) return true;
        // The calls on code-page names take MAX_PATH UTF-16 units at most, the final NUL and,
        // for a folder, the listing's "\*" included.
        const size_t length = ToWide(path).size() + (isFolder ? 2 : 0);
        if (!e.exact)
            left.Add(LeftReason::NotInCodePage, path);
        else if (HasPartEndingInDotOrBlank(e.name))
            left.Add(LeftReason::DotOrBlank, path);
        else if (length >= MAX_PATH)
            left.Add(LeftReason::TooLong, path);
        else if (isFolder)
            CollectFiles(path, list, left);
        else if (IsFileLink(path, e.attributes, e.reparseTag))
            left.Add(LeftReason::FileLink, path);
        else
            list.push_back(path);
        return true;
    });
}

void CollectFiles(const std::string &folder, std::vector<std::string> &list) {
    LeftItems left;
    CollectFiles(folder, list, left);
    left.Show();
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
