// State that the windows, start-up and the sorting run share.
#pragma once
#include <cstdint>
#include <string>

namespace zv {

// How the rule editor and the ignore-rule editor work when they open next.
enum class RuleMode : uint8_t {
    Add = 0,     // add a row to the main window's list
    Edit = 1,    // change the list's selected row
    ForFile = 2, // add a rule for PendingFile, met while sorting, straight to the settings file
};

extern RuleMode RuleDialogMode;
extern std::string PendingFile; // the file the rule editor is opened for in ForFile mode
extern std::string BaseDir;     // the initial folder
extern bool MoveFolder;         // dropped folders are moved whole into MoveFolderPath
extern std::string MoveFolderPath;

} // namespace zv
