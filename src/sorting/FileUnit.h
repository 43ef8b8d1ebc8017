// File-system work of the program: moving files and folders, listing a dropped folder, the folder
// chooser and the documents folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zv {

// Creates a folder together with every missing parent. An empty path raises
// "ディレクトリを作成できません"; any other failure goes unnoticed (the move that follows reports it).
void ForceFolder(const std::string &folder);

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
// folders are not followed.
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
