// What the sorting run and start-up do to files: moves through the engine that start-up chose,
// the listing of a dropped folder, the guards.
#pragma once
#include <string>
#include <vector>

#include "Guards.h"
#include "MoveEngine.h"
#include "MoveMessages.h"

namespace zv {

// Appends every file below the folder, at any depth, depth-first in listing order, as the engine
// that moves them sees links. Links to folders are not followed. Files that must stay (see
// LeftReason) go into left instead; the form without it shows them in one box.
void CollectFiles(const MoveEngine &moves, const DualText &folder, std::vector<ListedFile> &list,
                  LeftItems &left);
void CollectFiles(const MoveEngine &moves, const DualText &folder, std::vector<ListedFile> &list);

} // namespace zv
