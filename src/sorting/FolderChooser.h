// The shell's folder dialog and the user's documents folder.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// The shell's folder dialog. True and the chosen folder when the user confirmed one.
bool SelectFolder(const std::string &prompt, const std::string &startFolder, std::string &folder);
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
// Where BrowseCallback puts the dialog: centred, clamped to the screen.
POINT CentredPosition(int screenWidth, int screenHeight, int width, int height);

// The user's documents folder, ending in a backslash.
std::string GetDocumentsDir();

} // namespace zv
