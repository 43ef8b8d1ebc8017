// The test build's engine, linked instead of the shipped one: the shell's moves, as on Windows,
// with links judged as the shipped program judges them on this system.
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
