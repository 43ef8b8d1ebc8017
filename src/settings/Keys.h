// The settings file's names in one place.
#pragma once
#include <cstdint>

namespace zv {

// The value that ignore rules are written with; any letter case of it ignores (IsIgnoreMarker).
inline constexpr char kIgnoreMarker[] = "NULL";

// What happens to a dropped file without extension, or whose extension has no rule. The values
// are the numbers stored; any other number leaves such files where they are.
enum class MoveNoExt : int32_t { ToFolder = 0, Ask = 1, Leave = 2 };

} // namespace zv
