// The program's own moves, for a shell that neither asks before replacing a file nor reports a
// move that failed (Wine's): it never replaces a file without a yes, and says when a move fails.
// A move to another volume is a copy that is checked before the source goes.
#include <windows.h>

#include "../common/Application.h"
#include "../common/FileAttributes.h"
#include "../common/Handles.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"
#include "FolderListing.h"
#include "Guards.h"
#include "MoveEngine.h"
#include "MoveMessages.h"

namespace zv {
namespace {

bool SameItem(const std::string &a, const std::string &b) {
    std::string fa = FullPath(a), fb = FullPath(b);
    return !fa.empty() && SamePath(fa, fb);
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
    std::string temp;
    if (DWORD code = MakeTempFileIn(ExtractFilePath(destination), temp)) {
        ShowMoveError(CannotMove(source), code);
        return false;
    }
    auto fail = [&](const std::string &what, DWORD code) {
        SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temp.c_str());
        ShowMoveError(what, code);
        return false;
    };
    if (!CopyFileA(source.c_str(), temp.c_str(), FALSE))
        return fail(CannotMove(source), GetLastError());
    bool okSource = false, okCopy = false;
    if (FileSize(source, okSource) != FileSize(temp, okCopy) || !okSource || !okCopy)
        return fail(CannotMove(source) + "\r\nコピーが元のファイルと一致しません。",
                    ERROR_WRITE_FAULT);
    KernelHandle original(CreateFileA(source.c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    if (!original.valid() || !SetDeleteOnClose(original.get(), true))
        return fail(CannotMove(source) + "\r\n元のファイルを削除できないため、コピーもしません。",
                    GetLastError());
    if (!MoveFileExA(temp.c_str(), destination.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        DWORD code = GetLastError();
        SetDeleteOnClose(original.get(), false);
        return fail(CannotMove(source), code);
    }
    return true; // the source goes when its handle closes
}

// Copies a folder tree to a new place. Links, and names the code page cannot hold, are not
// copied: the copy stops instead, with problem saying which item stopped it. 0, or the error
// that stopped it.
DWORD CopyTree(const std::string &from, const std::string &to, std::string &problem) {
    if (!CreateDirectoryA(to.c_str(), nullptr)) return GetLastError();
    return ForEachEntry(from, [&](const Entry &e) -> DWORD {
        std::string src = PathIn(from, e.name), dst = PathIn(to, e.name);
        if (!e.exact) {
            problem = "名前に Shift-JIS で表せない文字がある項目 " + src +
                      " があるため、別のドライブへは移動できません。";
            return ERROR_INVALID_NAME;
        }
        if (IsFolderLink(e.attributes) || (!(e.attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                           IsFileLink(src, e.attributes, e.reparseTag))) {
            problem = "リンク " + src + " があるため、別のドライブへは移動できません。";
            return ERROR_CANT_ACCESS_FILE;
        }
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyTree(src, dst, problem);
        return CopyFileA(src.c_str(), dst.c_str(), TRUE) ? 0 : GetLastError();
    });
}

// Counts the files below a folder and adds up their sizes. 0, or the error that stopped it.
DWORD Measure(const std::string &folder, unsigned long long &files, unsigned long long &bytes) {
    return ForEachEntry(folder, [&](const Entry &e) -> DWORD {
        if (!e.exact) return ERROR_INVALID_NAME;
        std::string path = PathIn(folder, e.name);
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return Measure(path, files, bytes);
        bool ok = false;
        bytes += FileSize(path, ok);
        ++files;
        return ok ? 0 : ERROR_READ_FAULT;
    });
}

bool SameContents(const std::string &a, const std::string &b) {
    unsigned long long fa = 0, ba = 0, fb = 0, bb = 0;
    return Measure(a, fa, ba) == 0 && Measure(b, fb, bb) == 0 && fa == fb && ba == bb;
}

// Removes a folder and everything in it, links but not what they lead to. 0, or the error of the
// first removal that failed.
DWORD DeleteTree(const std::string &folder) {
    DWORD code = ForEachEntry(folder, [&](const Entry &e) -> DWORD {
        if (!e.exact) return ERROR_INVALID_NAME; // never a look-alike of the name
        const DWORD attributes = e.attributes;
        std::string path = PathIn(folder, e.name);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(attributes))
            return DeleteTree(path);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return RemoveDirectoryA(path.c_str()) ? 0 : GetLastError();
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        return DeleteFileA(path.c_str()) ? 0 : GetLastError();
    });
    if (!RemoveDirectoryA(folder.c_str()) && code == 0) code = GetLastError();
    return code;
}

bool OnSameVolume(const std::string &a, const std::string &b) {
    char va[MAX_PATH + 1] = {}, vb[MAX_PATH + 1] = {};
    return GetVolumePathNameA(a.c_str(), va, sizeof va) &&
           GetVolumePathNameA(b.c_str(), vb, sizeof vb) && SamePath(va, vb);
}

// A folder move to another volume: the whole tree is copied and the copy checked, and only then
// is the source removed; a copy that failed is removed again (the target did not exist before).
bool MoveFolderAcrossVolumes(const std::string &source, const std::string &target) {
    std::string problem;
    DWORD copied = CopyTree(source, target, problem);
    if (copied == 0 && !SameContents(source, target)) copied = ERROR_WRITE_FAULT;
    if (copied != 0) {
        DeleteTree(target);
        if (!problem.empty())
            ShowMoveError(CannotMove(source) + "\r\n" + problem, 0);
        else
            ShowMoveError(CannotMove(source), copied);
        return false;
    }
    if (DWORD removed = DeleteTree(source)) {
        ShowMoveError(source + " は " + target +
                          " にコピーされましたが、元のフォルダを削除できません。",
                      removed);
        return false;
    }
    return true;
}

class OwnMoveEngine : public MoveEngine {
  protected:
    bool MoveOneFile(const std::string &source, const std::string &destination) override;
    bool MoveOneFolder(const std::string &source, const std::string &destinationFolder) override;
};

bool OwnMoveEngine::MoveOneFile(const std::string &source, const std::string &destination) {
    bool replace = false, folderMade = false;
    for (;;) {
        if (MoveFileExA(source.c_str(), destination.c_str(),
                        replace ? MOVEFILE_REPLACE_EXISTING : 0))
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
                    ShowCannotCreate(source, folder, made ? made : code);
                    return false;
                }
                continue;
            }
        }
        if (!replace && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) {
            if (SameItem(source, destination)) return true; // already where it belongs
            if (DirectoryExists(destination)) {
                ShowMoveError(CannotMove(source) +
                                  "\r\n移動先に同じ名前のフォルダがあります: " + destination,
                              code);
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

bool OwnMoveEngine::MoveOneFolder(const std::string &source, const std::string &destinationFolder) {
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
        ShowMoveError(CannotMove(source) + "\r\n移動先がフォルダの中にあります。",
                      ERROR_INVALID_PARAMETER);
        return false;
    }
    if (Attributes(target) != INVALID_FILE_ATTRIBUTES) {
        ShowMoveError(CannotMove(source) + "\r\n移動先に同じ名前の項目があります: " + target,
                      ERROR_ALREADY_EXISTS);
        return false;
    }
    if (MoveFileExA(source.c_str(), target.c_str(), 0)) return true;
    const DWORD code = GetLastError();
    const bool otherVolume = code == ERROR_NOT_SAME_DEVICE ||
                             (code == ERROR_ACCESS_DENIED && !OnSameVolume(fullSource, fullTarget));
    if (!otherVolume) {
        ShowMoveError(CannotMove(source), code);
        return false;
    }
    return MoveFolderAcrossVolumes(source, target);
}

} // namespace

MoveEngine &OwnMoves() {
    static OwnMoveEngine engine;
    return engine;
}

} // namespace zv
