// File-system work of the program: moving files and folders, listing a dropped folder, the folder
// chooser and the documents folder.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace zv {

// Why an item stays where it is without a move being tried.
enum class LeftReason {
    NotInCodePage, // its name has characters the system code page cannot hold
    DotOrBlank,    // a part of its path ends in "." or a blank
    TooLong,       // its path is too long for the system calls
    FileLink,      // a link to a file: moving it would move what it leads to
    Empty,         // an empty argument
    Wildcard,      // "*" or "?" in a dropped path: the system calls would take it for a pattern
};

// The items a run leaves alone, gathered so that the user gets one message for all of them.
class LeftItems {
  public:
    void Add(LeftReason reason, const std::string &path) { items_.emplace_back(reason, path); }
    bool Empty() const { return items_.empty(); }
    size_t Count() const { return items_.size(); }
    // The message: the items by reason, at most kShown of each.
    std::string Text() const;
    // One warning box, when there is anything to say.
    void Show() const;
    static constexpr size_t kShown = 20;

  private:
    std::vector<std::pair<LeftReason, std::string>> items_;
};

// Why a dropped item must not be acted on, or false: an empty argument, a path whose parts the
// system would change, a link to a file.
bool MustLeave(const std::string &path, LeftReason &reason);
// A link to a file: a symbolic link, or under Wine a Unix symlink (which Wine lists as a plain
// file; only the name the opened file really has tells it).
bool IsFileLink(const std::string &path, DWORD attributes, DWORD reparseTag);

// Creates a folder together with every missing parent. An empty path raises
// "ディレクトリを作成できません"; any other failure is returned as the system's error code (0: none).
DWORD ForceFolder(const std::string &folder);

// The program's own executable and settings file, and folders that hold them, are never moved.
bool IsProgramFile(const std::string &path);
bool HoldsProgramFile(const std::string &folder);

// Moves one file. A destination ending in a backslash is a folder: the file keeps its name.
// The destination's folder is created when missing. True when the file was moved.
bool MoveFileTo(const std::string &source, const std::string &destination);

// Moves a folder with everything in it into the destination folder, under its own name. Both
// paths may be quoted and may end in a backslash. True when the folder was moved.
bool MoveFolderTo(const std::string &source, const std::string &destinationFolder);

// Appends every file below the folder, at any depth, depth-first in listing order. Links to
// folders are not followed. Files that must stay (see LeftReason) go into left instead; the
// form without it shows them in one box.
void CollectFiles(const std::string &folder, std::vector<std::string> &list, LeftItems &left);
void CollectFiles(const std::string &folder, std::vector<std::string> &list);

// The shell's folder dialog. True and the chosen folder when the user confirmed one.
bool SelectFolder(const std::string &prompt, const std::string &startFolder, std::string &folder);
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
// Where BrowseCallback puts the dialog: centred, clamped to the screen.
POINT CentredPosition(int screenWidth, int screenHeight, int width, int height);

// The user's documents folder, ending in a backslash.
std::string GetDocumentsDir();

// The start folder of a browse button whose field holds text: the documents folder when it is
// empty, the text when it names a folder, otherwise none.
std::string BrowseStartFolder(const std::string &fieldText);

} // namespace zv
