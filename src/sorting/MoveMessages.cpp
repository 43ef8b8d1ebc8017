// What both move engines say when a move fails.
#include "MoveMessages.h"

#include "../common/Application.h"
#include "../common/Path.h"
#include "../common/SystemError.h"

namespace zv {

std::string CannotMove(const std::string &source) { return source + " を移動できません。"; }

void ShowMoveError(const std::string &what, unsigned long code) {
    ShowErrorBox(code ? what + "\r\n\r\n" + SystemMessage(code) : what);
}

void ShowCannotCreate(const std::string &source, const std::string &folder, unsigned long code) {
    ShowMoveError(CannotMove(source) + "\r\n移動先のフォルダ " + ExcludeTrailingBackslash(folder) +
                      " を作成できませんでした。",
                  code);
}

} // namespace zv
