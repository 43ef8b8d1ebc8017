// Helpers of every test that runs under Wine (unit, end-to-end and GUI): files by path, narrow
// (code page 932) or UTF-16 ("\\?\" allowed), trees, links and Unix commands, a temporary folder.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Handles.h"

namespace zvtest {

// A file's bytes; empty when it is missing (see Exists).
std::string ReadBytes(const std::wstring &path);
std::string ReadBytes(const std::string &path);
// Writes a file whole, making its missing folders; false when that failed.
bool WriteBytes(const std::wstring &path, const std::string &bytes);
bool WriteBytes(const std::string &path, const std::string &bytes);

// Holds a file open without sharing it, as another program may: every other open fails until the
// holder goes. Not valid() when the file could not be opened.
zv::KernelHandle HoldExclusively(const std::string &path);

bool Exists(const std::string &path);
bool IsDir(const std::string &path);
bool IsFile(const std::string &path);
// Creates a folder with its parents.
void MakeDirs(const std::wstring &path);
void MakeDirs(const std::string &path);
// An entry of a folder: its name in UTF-16 and in the code page ("?" for what it lacks), and its
// attributes.
struct FolderEntry {
    std::wstring wide;
    std::string name;
    DWORD attributes;
};
// The entries of a folder but "." and "..", in listing order.
std::vector<FolderEntry> ListFolder(const std::wstring &folder);
std::vector<FolderEntry> ListFolder(const std::string &folder);
// Removes a folder with everything in it; links are removed, never followed.
void RemoveTree(const std::wstring &path);
void RemoveTree(const std::string &path);

// The Unix path of a Windows path, through Wine's own kernel32 export; empty outside Wine.
std::string UnixPath(const std::string &path);
// Runs a Unix program (Wine starts native programs too) and waits until done() holds, ten seconds
// at most. Under a persistent wineserver the process of a Unix program cannot be waited on, so
// the outcome is watched instead.
bool RunUnix(const std::string &commandLine, const std::function<bool()> &done);
// A Unix symlink at link to target (a Unix path, relative to the link's folder or absolute), as a
// Linux desktop makes one; false outside Wine.
bool UnixLink(const std::string &target, const std::string &link);
// A link to a folder: CreateSymbolicLinkA, or where that makes nothing (Wine 8 may claim success
// all the same), a Unix symlink. how says which, or why there is none.
bool MakeFolderLink(const std::string &link, const std::string &target, std::string &how);

// A new, empty folder under the temp path, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

} // namespace zvtest
