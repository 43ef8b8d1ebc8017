// The rule question of the sorting run: the rule editor for a file met while sorting.
#pragma once
#include <string>

namespace zv {
void AskRuleFor(const std::string &file);
} // namespace zv
