// The rule question of the sorting run. The rule editor window is not part of this build yet: the
// file is left where it is.
#include "RuleQuestion.h"

namespace zv {
void AskRuleForPendingFile() {}
} // namespace zv
