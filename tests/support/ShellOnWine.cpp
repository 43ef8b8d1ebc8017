// The engine question answered the other way, for the test build of the program: the shell's own
// moves, as on Windows, with links judged as the system shows them (under Wine, as what they lead
// to, as the shipped program judges them). Linked instead of the shipped answer, with the same
// objects otherwise.
#include "app/Startup.h"
#include "common/Platform.h"
#include "sorting/MoveEngine.h"

namespace zv {

MoveEngine &MovesForThisSystem() {
    static const std::unique_ptr<MoveEngine> engine =
        ShellMoves(ShellIsWine() ? MoveEngine::Links::LookLikeTargets : MoveEngine::Links::Shown);
    return *engine;
}

} // namespace zv
