// The files a save of the settings file works with: the file read whole, a scratch copy of our
// own beside it, the file a link leads to, and writing over a file that has more names than one.
#pragma once
#include <windows.h>

#include <string>

#include "../common/Handles.h"

namespace zv {

// The whole file: true with its bytes, or with exists false when there is none; false when it
// exists but cannot be read (held by another program, a folder at the path, no folder at all).
bool ReadWhole(const std::string &path, std::string &bytes, bool &exists);

// Dates a file ago seconds back (its last-write time).
bool Date(const std::string &path, LONGLONG ago);

// A file of our own beside another, removed when it goes unless it took the other's place.
class Scratch {
  public:
    Scratch() = default;
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;
    ~Scratch();
    const std::string &path() const { return path_; }
    // A new file beside target holding bytes, under a name a save can tell as one of ours.
    bool Create(const std::string &target, const std::string &bytes);
    // Its bytes written anew.
    bool Write(const std::string &bytes);
    // Gives the file a new name that the profile API has never seen, so that what it reads next
    // comes from the disk and not from a copy it keeps.
    bool Rename();
    // Puts the file in target's place; it is no longer ours to remove.
    bool Replace(const std::string &target, bool exists);

  private:
    std::string path_, target_;
    KernelHandle hold_; // open while it is ours
};

// A new name for a copy beside target: one that CleanScratch tells as a save's.
std::string ScratchPath(const std::string &target);

// Removes the copies that saves of target left beside it when they were stopped (killed, the
// power gone), and nothing else: no other file has such a name, nor a copy a save holds.
void CleanScratch(const std::string &target);

// A link at path that leads to no file: the file it leads to is made, empty, through it, and its
// path is given; empty when no such link stands at path.
std::string MakeThroughLink(const std::string &path);

// Where a save writes: the file that a link at path leads to, else path itself. A link stays a
// link, and its file's folder takes the copy.
std::string WriteTarget(const std::string &path);

// How many names the file has (1 when it cannot be asked).
DWORD LinkCount(const std::string &path);

// Writes bytes over a file that has more names than one, which a new file in its place would
// part from the others; on failure the bytes it held (before) go back where they stood.
bool Overwrite(const std::string &path, const std::string &bytes, const std::string &before);

} // namespace zv
