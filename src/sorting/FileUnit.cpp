// What the sorting run and start-up do to files: the moves whatever engine makes them, the
// listing of a dropped folder, and creating folders.
#include "FileUnit.h"

#include <windows.h>

#include "../common/Application.h"
#include "../common/CodePage.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"
#include "FolderListing.h"
#include "MoveMessages.h"

namespace zv {
namespace {

DWORD AttributesOf(const DualText &path) {
    return path.exact ? Attributes(path.ansi) : GetFileAttributesW(path.wide.c_str());
}

DualText WithoutTrailingBackslash(const DualText &path) {
    if (path.exact) return DualText(ExcludeTrailingBackslash(path.ansi));
    const bool slash = !path.wide.empty() && path.wide.back() == L'\\';
    return DualText(slash ? path.wide.substr(0, path.wide.size() - 1) : path.wide);
}

} // namespace

ListedFile::ListedFile(const DualText &path, std::shared_ptr<const std::wstring> folder)
    : ansi(path.ansi), folderFinal(std::move(folder)) {
    if (!path.exact) wide = std::make_unique<const std::wstring>(path.wide);
}

DualText ListedFile::Path() const { return wide ? DualText(*wide) : DualText(ansi); }

bool MoveEngine::MoveFileTo(DroppedFile &file, const DualText &destination) {
    const bool toFolder = destination.exact
                              ? EndsWithBackslash(destination.ansi)
                              : !destination.wide.empty() && destination.wide.back() == L'\\';
    return MoveOneFile(file, toFolder ? destination + FileNameOf(file.path) : destination);
}

bool MoveEngine::MoveFileTo(const DualText &source, const DualText &destination) {
    DroppedFile file(source);
    return Take(file) && MoveFileTo(file, destination);
}

bool MoveEngine::MoveFolderTo(const DualText &source, const std::string &destinationFolder) {
    const DualText from = WithoutTrailingBackslash(source.exact ? Unquote(source.ansi) : source);
    const std::string to = ExcludeTrailingBackslash(Unquote(destinationFolder));
    // A folder that stays where it is leaves no destination behind.
    if (HoldsProgramFile(from)) {
        ReportLeft(LeftReason::ProgramFile, from);
        return false;
    }
    const std::wstring inside = FullPath(from.wide) + L"\\", target = FullPath(ToWide(to) + L"\\");
    if (!to.empty() && target.size() >= inside.size() &&
        SamePath(target.substr(0, inside.size()), inside)) {
        ReportFailure("移動先がフォルダの中にあります", from);
        return false;
    }
    if (!DirectoryExists(to)) ForceFolder(to);
    return MoveOneFolder(from, to);
}

bool FolderExists(const DualText &path) {
    const DWORD a = AttributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

unsigned long ForceFolder(const DualText &folder, std::vector<DualText> *made) {
    if (folder.empty()) throw Error("ディレクトリを作成できません");
    const DualText dir = WithoutTrailingBackslash(folder);
    const DualText parent = FolderOf(dir);
    if (dir.wide.size() < 3 || FolderExists(dir) || parent.wide == dir.wide) return 0;
    // A relative name has no parent to make: no error for it.
    DWORD failed = parent.empty() ? 0 : ForceFolder(parent, made);
    if (dir.exact ? CreateDirectoryA(dir.ansi.c_str(), nullptr)
                  : CreateDirectoryW(dir.wide.c_str(), nullptr)) {
        if (made) made->push_back(dir);
        return 0;
    }
    DWORD code = GetLastError();
    return failed ? failed : code;
}

bool MayReplace(const DroppedFile &file, const DualText &destination) {
    FileIdentity self, target;
    const bool known = file.handle.valid() ? IdentityOfHandle(file.handle.get(), self)
                                           : IdentityOf(file.path, self);
    if (IdentityOf(destination, target)) {
        if (known && target == self) {
            // The file itself: already where it belongs, or a second name of it (a hard link).
            if (!SamePath(FullPath(file.path.wide), FullPath(destination.wide)))
                ReportLeft(LeftReason::SameFile, file.path);
            return false;
        }
        if (IsProgramFile(target)) {
            ReportLeft(LeftReason::ProgramTarget, file.path);
            return false;
        }
    }
    if (FolderExists(destination)) {
        ReportFailure("移動先に同じ名前のフォルダがあります", file.path);
        return false;
    }
    return AskReplace(destination);
}

void CollectFiles(const MoveEngine &moves, const DualText &folder, std::vector<ListedFile> &list,
                  LeftItems &left) {
    const DualText dir = PathIn(folder, DualText());
    // Where a link to a file opens as what it leads to, the name of what it opens as tells it:
    // the folder's own name, once for all its files.
    std::shared_ptr<const std::wstring> final;
    if (moves.LinksLookLikeTargets()) {
        KernelHandle h = OpenToLook(dir.wide);
        if (h.valid()) final = std::make_shared<const std::wstring>(ObjectNameOf(h.get()));
    }
    ForEachEntry(dir.wide, [&](const ListedEntry &e) -> DWORD {
        const DualText path =
            dir + (e.exact ? DualText(e.name) : DualText(e.wide)); // the listing's own spelling
        const bool isFolder = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // Links to folders are left alone: one that leads back to a parent would never end, and
        // one that leads elsewhere would sort files that were never dropped.
        if (IsFolderLink(e.attributes)) return 0;
        // The calls take MAX_PATH UTF-16 units at most, the final NUL and, for a folder, the
        // listing's "\*" included.
        const size_t length = path.wide.size() + (isFolder ? 2 : 0);
        std::string key;
        if (PartEndsInDotOrBlank(DualText(e.wide)))
            left.Add(LeftReason::DotOrBlank, path);
        else if (length >= MAX_PATH)
            left.Add(LeftReason::TooLong, path);
        else if (isFolder)
            CollectFiles(moves, path, list, left);
        else if (IsLinkEntry(e.attributes, e.reparseTag))
            left.Add(LeftReason::FileLink, path);
        else if (!KeyOf(path, key))
            left.Add(LeftReason::KeyNotInCodePage, path);
        else if (IsDeviceName(path))
            left.Add(LeftReason::Device, path);
        else
            list.emplace_back(path, final);
        return 0;
    });
}

void CollectFiles(const MoveEngine &moves, const DualText &folder, std::vector<ListedFile> &list) {
    LeftItems left;
    CollectFiles(moves, folder, list, left);
    left.Show();
}

} // namespace zv
