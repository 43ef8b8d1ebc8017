// What both move engines say when a move fails, in the application's error box.
#pragma once
#include <string>

namespace zv {

// "<source> を移動できません。"
std::string CannotMove(const std::string &source);
// The error box for a move: what, then a blank line and the system's text for code (0: none).
void ShowMoveError(const std::string &what, unsigned long code);
// The destination folder could not be made: the move is not tried (the shell would only say that
// the path is not found).
void ShowCannotCreate(const std::string &source, const std::string &folder, unsigned long code);

} // namespace zv
