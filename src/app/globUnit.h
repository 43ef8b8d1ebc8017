// State that the windows, start-up and the sorting run share.
#pragma once
#include <cstdint>
#include <string>

namespace zv {

extern uint8_t RuleDialogMode;   // 0 add, 1 edit, 2 add a rule for a file met while sorting
extern std::string PendingFile;  // the file the rule editor is opened for in mode 2
extern std::string BaseDir;      // the initial folder
extern bool MoveFolder;          // dropped folders are moved whole into MoveFolderPath
extern std::string MoveFolderPath;

} // namespace zv
