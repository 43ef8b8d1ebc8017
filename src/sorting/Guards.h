// The guards against what a desktop may hold that must not be moved: the program's own files,
// links to files, device names, drive roots however spelt, names that the system calls would take
// for other items; and why each is left where it is.
#pragma once
#include <windows.h>

#include <string>

#include "../common/DualText.h"
#include "../common/FileIdentity.h"

namespace zv {

// Why an item stays where it is.
enum class LeftReason {
    KeyNotInCodePage, // its extension has characters the code page cannot hold
    DotOrBlank,       // a part of its path ends in "." or a blank
    TooLong,          // its path is too long for the system calls
    FileLink,         // a link to a file: moving it would move what it leads to
    FolderLink,       // a link to a folder, dropped: it would move or open up what it leads to
    Empty,            // an empty argument
    Wildcard,         // "*" or "?" in a dropped path: the system calls would take it for a pattern
    Device,           // a device's name (CON, NUL, COM1, ...), with or without extension
    NotAFolder,       // a path ending in "\" whose last part is a file
    DriveRoot,        // a drive's root folder, however reached
    ProgramFile,      // the program's own file, or a folder that holds one
    ProgramTarget,    // the destination is the program's own file
    SameFile,         // the destination is the same file under another name (a hard link)
};

// Why a dropped item must not be acted on, or false: an empty argument, a path whose parts the
// system would change, a wildcard, a device name, a link to a file that the listing shows as one.
bool MustLeave(const DualText &path, LeftReason &reason);
// A part of the path ends in "." or a blank (Path.h's HasPartEndingInDotOrBlank on either form).
bool PartEndsInDotOrBlank(const DualText &path);
// A device's name: the system takes the path for a device, not for a file.
bool IsDeviceName(const DualText &path);
// A link to a file as its directory entry shows it (a symbolic link or a junction).
bool IsLinkEntry(DWORD attributes, DWORD reparseTag);
// Where a link is listed as a plain file, and opening it opens the file it leads to whatever the
// flags (Wine's Unix links; MoveEngine::LinksLookLikeTargets), the name of what the handle holds
// is not the path's. folderFinal is ObjectNameOf the folder the file was listed in (empty: found
// here).
bool LeadsElsewhere(HANDLE file, const DualText &path, const std::wstring &folderFinal);

// A drive's root folder, by every spelling and through links: "T:", "T:\", "T:\.", "\\.\T:\",
// "\\?\Volume{...}\", a link or a junction to any of them.
bool IsDriveRoot(const DualText &folder);

// The program's own executable and settings file, known by identity, and folders that hold them,
// are never moved, nor is a file moved onto them.
bool IsProgramFile(const FileIdentity &identity);
bool IsProgramFile(HANDLE file); // what the handle holds open
bool IsProgramFile(const DualText &path);
bool HoldsProgramFile(const DualText &folder);
// Whether a name may be that of a program file (its own name in any letter case, or a short
// name): only then is its identity worth asking for where no handle is at hand.
bool MayBeProgramFile(const DualText &name);

} // namespace zv
