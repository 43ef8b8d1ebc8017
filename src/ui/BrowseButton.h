// The browse button beside a folder field: the folder chooser, starting where the field says.
#pragma once
#include <windows.h>

#include <string>

namespace zv {

// Lets the user pick a folder for the edit field; a cancelled choice leaves the field as it is.
void BrowseInto(HWND edit);

// The chooser's start folder for a field's text: the documents folder when it is empty, the text
// when it names a folder, otherwise none.
std::string BrowseStartFolder(const std::string &fieldText);

} // namespace zv
