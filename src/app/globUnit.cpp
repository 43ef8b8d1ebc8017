// State that the windows, start-up and the sorting run share.
#include "globUnit.h"

namespace zv {

RuleMode RuleDialogMode = RuleMode::Add;
std::string PendingFile;
std::string BaseDir;
bool MoveFolder = false;
std::string MoveFolderPath;

} // namespace zv
