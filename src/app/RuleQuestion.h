// The rule question of the sorting run: the rule editor for the file in PendingFile.
#pragma once

namespace zv {
void AskRuleForPendingFile();
} // namespace zv
