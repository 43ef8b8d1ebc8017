// The guards against what a desktop may hold that must not be moved: the program's own files,
// links to files, names that the system calls would take for other items; and the one message
// that lists what was left.
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
    // The message: the items by reason, at most kShown of each.
    std::string Text() const;
    // One warning box, when there is anything to say.
    void Show() const;
    static constexpr size_t kShown = 20;

  private:
    std::vector<std::pair<LeftReason, std::string>> items_;
};

// Why a dropped item must not be acted on, or false: an empty argument, a path whose parts the
// system would change, a wildcard, a link to a file.
bool MustLeave(const std::string &path, LeftReason &reason);
// A link to a file: a symbolic link, or under Wine a Unix symlink (which Wine lists as a plain
// file; only the name the opened file really has tells it).
bool IsFileLink(const std::string &path, DWORD attributes, DWORD reparseTag);

// The program's own executable and settings file, and folders that hold them, are never moved.
bool IsProgramFile(const std::string &path);
bool HoldsProgramFile(const std::string &folder);

} // namespace zv
