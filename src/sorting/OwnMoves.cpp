// The program's own moves, for a shell that neither asks before replacing a file nor reports a
// move that failed (Wine's): it never replaces a file without a yes, and says when a move fails.
// Each file is opened once, links not followed; what is decided about it is decided on that
// handle, and the handle moves it: renamed on its volume, copied from it to another.
#include <windows.h>

#include <vector>

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

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool SetDeleteOnClose(HANDLE h, bool remove) {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = remove ? TRUE : FALSE;
    return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info) != FALSE;
}

// Renames what the handle holds to a full path, on its volume.
bool RenameTo(HANDLE h, const std::wstring &to, bool replace) {
    const size_t bytes = to.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + bytes);
    auto *info = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(bytes);
    to.copy(info->FileName, to.size());
    return SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) !=
           FALSE;
}

// A file move to another volume, copied from the handle that was checked, done so that a failure
// at any point leaves the source as it was and no part of the copy behind: the copy is made under
// a temporary name beside its destination and checked; the source's removal is armed (which fails
// for a source that cannot be removed); only then does the copy take its name and the source go.
bool MoveAcrossVolumes(DroppedFile &file, const DualText &destination, bool replace) {
    const std::wstring folder = FolderOf(destination).wide;
    wchar_t temp[MAX_PATH + 1] = {};
    if (folder.size() + 14 > MAX_PATH || !GetTempFileNameW(folder.c_str(), L"zv", 0, temp)) {
        ReportMoveError(file.path, folder.size() + 14 > MAX_PATH ? ERROR_FILENAME_EXCED_RANGE
                                                                 : GetLastError());
        return false;
    }
    KernelHandle copy(
        CreateFileW(temp, GENERIC_WRITE | DELETE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    auto fail = [&](const char *kind, DWORD code) {
        if (!copy.valid() || !SetDeleteOnClose(copy.get(), true)) DeleteFileW(temp);
        if (kind)
            ReportFailure(kind, file.path, code);
        else
            ReportMoveError(file.path, code);
        return false;
    };
    if (!copy.valid()) return fail(nullptr, GetLastError());
    HANDLE source = file.handle.get();
    // Read through a second handle to the same open file, never through its name again.
    KernelHandle reader(ReOpenFile(source, GENERIC_READ, kShareAll, 0));
    LARGE_INTEGER size{};
    if (!reader.valid() || !GetFileSizeEx(reader.get(), &size))
        return fail(nullptr, GetLastError());
    std::vector<char> chunk(1 << 20);
    long long copied = 0;
    for (DWORD n = 0;; copied += n) {
        if (!ReadFile(reader.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr))
            return fail(nullptr, GetLastError());
        if (n == 0) break;
        DWORD written = 0;
        if (!WriteFile(copy.get(), chunk.data(), n, &written, nullptr) || written != n)
            return fail(nullptr,
                        written != n && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError());
    }
    if (copied != size.QuadPart)
        return fail("コピーが元のファイルと一致しないため、移動しませんでした", ERROR_WRITE_FAULT);
    if (!SetDeleteOnClose(source, true))
        return fail("元のファイルを削除できないため、別のドライブへはコピーしませんでした",
                    GetLastError());
    if (!RenameTo(copy.get(), destination.wide, replace)) {
        const DWORD code = GetLastError();
        SetDeleteOnClose(source, false);
        return fail(nullptr, code);
    }
    // The copy keeps the source's times and attributes.
    FILE_BASIC_INFO basic{};
    if (GetFileInformationByHandleEx(source, FileBasicInfo, &basic, sizeof basic))
        SetFileInformationByHandle(copy.get(), FileBasicInfo, &basic, sizeof basic);
    file.handle.reset(); // the source goes as its handle closes
    return true;
}

// Copies a folder tree to a new place. Links are not copied: the copy stops instead, with link
// naming the one that stopped it. 0, or the error that stopped it.
DWORD CopyTree(const MoveEngine &moves, const std::wstring &from, const std::wstring &to,
               std::wstring &link) {
    if (!CreateDirectoryW(to.c_str(), nullptr)) return GetLastError();
    return ForEachEntry(from, [&](const ListedEntry &e) -> DWORD {
        std::wstring src = from + L"\\" + e.wide, dst = to + L"\\" + e.wide;
        if (IsFolderLink(e.attributes) || IsLinkEntry(e.attributes, e.reparseTag)) {
            link = src;
            return ERROR_CANT_ACCESS_FILE;
        }
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyTree(moves, src, dst, link);
        // Where a link to a file is listed as a plain file, the name of what it opens as tells.
        KernelHandle h(moves.LinksLookLikeTargets()
                           ? CreateFileW(src.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr)
                           : INVALID_HANDLE_VALUE);
        if (h.valid() && LeadsElsewhere(h.get(), src, std::wstring())) {
            link = src;
            return ERROR_CANT_ACCESS_FILE;
        }
        return CopyFileW(src.c_str(), dst.c_str(), TRUE) ? 0 : GetLastError();
    });
}

unsigned long long SizeOf(const std::wstring &path, bool &ok) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    ok = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
    return ok ? (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow : 0;
}

// Counts the files below a folder and adds up their sizes. 0, or the error that stopped it.
DWORD Measure(const std::wstring &folder, unsigned long long &files, unsigned long long &bytes) {
    return ForEachEntry(folder, [&](const ListedEntry &e) -> DWORD {
        std::wstring path = folder + L"\\" + e.wide;
        if (e.attributes & FILE_ATTRIBUTE_DIRECTORY) return Measure(path, files, bytes);
        bool ok = false;
        bytes += SizeOf(path, ok);
        ++files;
        return ok ? 0 : ERROR_READ_FAULT;
    });
}

bool SameContents(const std::wstring &a, const std::wstring &b) {
    unsigned long long fa = 0, ba = 0, fb = 0, bb = 0;
    return Measure(a, fa, ba) == 0 && Measure(b, fb, bb) == 0 && fa == fb && ba == bb;
}

// Removes a folder and everything in it, links but not what they lead to. 0, or the error of the
// first removal that failed.
DWORD DeleteTree(const std::wstring &folder) {
    DWORD code = ForEachEntry(folder, [&](const ListedEntry &e) -> DWORD {
        const DWORD attributes = e.attributes;
        std::wstring path = folder + L"\\" + e.wide;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(attributes))
            return DeleteTree(path);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return RemoveDirectoryW(path.c_str()) ? 0 : GetLastError();
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        return DeleteFileW(path.c_str()) ? 0 : GetLastError();
    });
    if (!RemoveDirectoryW(folder.c_str()) && code == 0) code = GetLastError();
    return code;
}

bool OnSameVolume(const std::wstring &a, const std::wstring &b) {
    wchar_t va[MAX_PATH + 1] = {}, vb[MAX_PATH + 1] = {};
    return GetVolumePathNameW(a.c_str(), va, MAX_PATH + 1) &&
           GetVolumePathNameW(b.c_str(), vb, MAX_PATH + 1) && SamePath(va, vb);
}

// A folder move to another volume: the whole tree is copied and the copy checked, and only then
// is the source removed; a copy that failed is removed again (the target did not exist before).
bool MoveFolderAcrossVolumes(const MoveEngine &moves, const DualText &source,
                             const std::wstring &target) {
    std::wstring link;
    DWORD copied = CopyTree(moves, source.wide, target, link);
    if (copied == 0 && !SameContents(source.wide, target)) copied = ERROR_WRITE_FAULT;
    if (copied != 0) {
        DeleteTree(target);
        if (!link.empty())
            ReportFailure(
                "中にリンクがあるため、別のドライブへは移動できません（リンクを示します）", link);
        else
            ReportMoveError(source, copied);
        return false;
    }
    if (DWORD removed = DeleteTree(source.wide)) {
        ReportFailure("別のドライブにコピーしましたが、元のフォルダを削除できません", source,
                      removed);
        return false;
    }
    return true;
}

class OwnMoveEngine : public MoveEngine {
  public:
    using MoveEngine::MoveEngine;
    bool Take(DroppedFile &file) override;

  protected:
    bool MoveOneFile(DroppedFile &file, const DualText &destination) override;
    bool MoveOneFolder(const DualText &source, const std::string &destinationFolder) override;
};

bool OwnMoveEngine::Take(DroppedFile &file) {
    // The access a move needs, as the system's own move asks for it; a copy to another volume
    // reads through a reopening of this handle.
    file.handle.reset(CreateFileW(
        file.path.wide.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.handle.valid()) {
        // Reported when its move is due, as the system would report it.
        file.openError = GetLastError();
        return true;
    }
    const HANDLE h = file.handle.get();
    FILE_ATTRIBUTE_TAG_INFO tag{};
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) ||
        !GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard)) {
        ReportMoveError(file.path, GetLastError());
    } else if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        ReportMoveError(file.path, ERROR_DIRECTORY);
    } else if (IsLinkEntry(tag.FileAttributes, tag.ReparseTag) ||
               (LinksLookLikeTargets() &&
                LeadsElsewhere(h, file.path,
                               file.folderFinal ? *file.folderFinal : std::wstring()))) {
        ReportLeft(LeftReason::FileLink, file.path);
    } else if (IsProgramFile(h)) {
        ReportLeft(LeftReason::ProgramFile, file.path);
    } else {
        file.links = standard.NumberOfLinks;
        return true;
    }
    file.handle.reset();
    return false;
}

bool OwnMoveEngine::MoveOneFile(DroppedFile &file, const DualText &destination) {
    const DualText folder = FolderOf(destination);
    bool replace = false, folderMade = false;
    if (!file.handle.valid()) {
        // The destination folder is made before the move is reported, even for a source that
        // is missing.
        if (!folder.empty() && !FolderExists(folder)) ForceFolder(folder);
        ReportMoveError(file.path, file.openError);
        return false;
    }
    // A rename onto a second name of the same file succeeds under Wine without moving anything.
    if (file.links > 1 && GetFileAttributesW(destination.wide.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !MayReplace(file, destination))
        return false;
    for (;;) {
        if (RenameTo(file.handle.get(), destination.wide, replace)) return true;
        DWORD code = GetLastError();
        if (code == ERROR_NOT_SAME_DEVICE) {
            if (replace || GetFileAttributesW(destination.wide.c_str()) == INVALID_FILE_ATTRIBUTES)
                return MoveAcrossVolumes(file, destination, replace);
            code = ERROR_ALREADY_EXISTS;
        }
        if ((code == ERROR_PATH_NOT_FOUND || code == ERROR_FILE_NOT_FOUND) && !folderMade &&
            !folder.empty() && !FolderExists(folder)) {
            folderMade = true;
            const DWORD made = ForceFolder(folder);
            if (!FolderExists(folder)) {
                ReportCannotCreate(file.path, folder.ansi, made ? made : code);
                return false;
            }
            continue;
        }
        if (!replace && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) {
            if (!MayReplace(file, destination)) return false;
            replace = true;
            continue;
        }
        ReportMoveError(file.path, code);
        return false;
    }
}

bool OwnMoveEngine::MoveOneFolder(const DualText &source, const std::string &destinationFolder) {
    const std::wstring target = PathIn(DualText(destinationFolder), FileNameOf(source)).wide;
    const std::wstring fullSource = FullPath(source.wide), fullTarget = FullPath(target);
    if (fullSource.empty() || fullTarget.empty()) {
        ReportMoveError(source, ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    if (SamePath(fullSource, fullTarget)) return true;
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ReportFailure("移動先に同じ名前の項目があります", source);
        return false;
    }
    if (MoveFileExW(source.wide.c_str(), target.c_str(), 0)) return true;
    const DWORD code = GetLastError();
    const bool otherVolume = code == ERROR_NOT_SAME_DEVICE ||
                             (code == ERROR_ACCESS_DENIED && !OnSameVolume(fullSource, fullTarget));
    if (!otherVolume) {
        ReportMoveError(source, code);
        return false;
    }
    return MoveFolderAcrossVolumes(*this, source, target);
}

} // namespace

std::unique_ptr<MoveEngine> OwnMoves(MoveEngine::Links links) {
    return std::make_unique<OwnMoveEngine>(links);
}

} // namespace zv
