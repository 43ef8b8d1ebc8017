// What the sorting run and start-up do to files: the moves whatever engine makes them, the
// listing of a dropped folder, and creating folders.
#include "FileUnit.h"

#include <windows.h>

#include "../common/Application.h"
#include "../common/CodePage.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "../common/Platform.h"
#include "FolderListing.h"

namespace zv {

bool MoveEngine::MoveFileTo(const std::string &source, const std::string &destination) {
    std::string to = destination;
    if (EndsWithBackslash(to)) to += ExtractFileName(source);
    if (IsProgramFile(source)) return false;
    return MoveOneFile(source, to);
}

bool MoveEngine::MoveFolderTo(const std::string &source, const std::string &destinationFolder) {
    std::string from = ExcludeTrailingBackslash(Unquote(source));
    std::string to = ExcludeTrailingBackslash(Unquote(destinationFolder));
    if (!DirectoryExists(to)) ForceFolder(to);
    if (HoldsProgramFile(from)) {
        ShowWarning(from + " には Zorvik 自身が入っているため、移動しません。");
        return false;
    }
    return MoveOneFolder(from, to);
}

MoveEngine &MovesForThisSystem() { return ShellIsWine() ? OwnMoves() : ShellMoves(); }

unsigned long ForceFolder(const std::string &folder) {
    if (folder.empty()) throw Error("ディレクトリを作成できません");
    std::string dir = ExcludeTrailingBackslash(folder);
    if (dir.size() < 3 || DirectoryExists(dir) || ExtractFilePath(dir) == dir) return 0;
    std::string parent = ExtractFilePath(dir);
    // A relative name has no parent to make: no error for it.
    DWORD failed = parent.empty() ? 0 : ForceFolder(parent);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return 0;
    DWORD code = GetLastError();
    return failed ? failed : code;
}

void CollectFiles(const std::string &folder, std::vector<std::string> &list, LeftItems &left) {
    const std::string dir = IncludeTrailingBackslash(folder);
    ForEachEntry(dir, [&](const Entry &e) -> DWORD {
        const std::string path = dir + e.name;
        const bool isFolder = (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // Links to folders are left alone: one that leads back to a parent would never end, and
        // one that leads elsewhere would sort files that were never dropped.
        if (IsFolderLink(e.attributes)) return 0;
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
        return 0;
    });
}

void CollectFiles(const std::string &folder, std::vector<std::string> &list) {
    LeftItems left;
    CollectFiles(folder, list, left);
    left.Show();
}

} // namespace zv
