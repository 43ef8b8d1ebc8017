// The shell's folder dialog and the user's documents folder.
#pragma once
#include <windows.h>

#include <string>

#include "../common/DualText.h"

namespace zv {

// The shell's folder dialog. True and the chosen folder when the user confirmed one. A prompt the
// code page cannot hold is shown through the shell's UTF-16 dialog; the folder comes in both
// forms, a name the code page cannot hold never spelt as a look-alike.
bool SelectFolder(const DualText &prompt, const std::string &startFolder, DualText &folder);
// The same for the settings windows, whose fields hold code-page texts: "?" for what it lacks.
bool SelectFolder(const std::string &prompt, const std::string &startFolder, std::string &folder);
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
// Where BrowseCallback puts the dialog: centred, clamped to the screen.
POINT CentredPosition(int screenWidth, int screenHeight, int width, int height);

// The user's documents folder, ending in a backslash.
std::string GetDocumentsDir();

} // namespace zv
