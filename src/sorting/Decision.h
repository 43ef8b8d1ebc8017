// The sorting run's decision for one dropped file, and the question it asks for a file without
// extension. No windows.h here: this also builds and runs natively.
#pragma once
#include <string>

#include "../settings/Keys.h"

namespace zv {

// What the sorting run does with one file.
enum class Outcome { Stay, MoveToRule, MoveToNoExtPath, AskRule, AskFolder };

Outcome DecideNoExtension(MoveNoExt moveNoExt);
// ruleFolder and ignoreMarker: the file's extension key looked up in Extensions and in Ignore.
Outcome DecideWithExtension(const std::string &ruleFolder, const std::string &ignoreMarker,
                            MoveNoExt moveNoExt);

// The folder question for a file without extension.
std::string NoExtensionPrompt(const std::string &fileName);

} // namespace zv
