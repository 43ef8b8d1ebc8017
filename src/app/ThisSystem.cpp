// The move engine of the shipped program: the shell's own moves where the shell reports its
// failures (Windows), the program's own where it does not (Wine), whose file system shows a link
// as what it leads to.
#include "../common/Platform.h"
#include "../sorting/MoveEngine.h"
#include "Startup.h"

namespace zv {

MoveEngine &MovesForThisSystem() {
    static const std::unique_ptr<MoveEngine> engine =
        ShellIsWine() ? OwnMoves(MoveEngine::Links::LookLikeTargets)
                      : ShellMoves(MoveEngine::Links::Shown);
    return *engine;
}

} // namespace zv
