// The settings file's names in one place: its sections, the keys of section Option with the
// value each reader takes when one is missing, and the numbers MoveNoExt stores.
#pragma once
#include <cstdint>

namespace zv {

inline constexpr char kOption[] = "Option";
inline constexpr char kExtensions[] = "Extensions"; // extension = the folder its files go to
inline constexpr char kIgnore[] = "Ignore";         // extension = the ignore marker
// The value that ignore rules are written with; any letter case of it ignores (IsIgnoreMarker).
inline constexpr char kIgnoreMarker[] = "NULL";

// The keys of section Option.
inline constexpr char kMoveFolder[] = "MoveFolder"; // dropped folders are moved whole (1) or sorted
inline constexpr char kMoveFolderPath[] = "MoveFolderPath";
inline constexpr char kMoveNoExt[] = "MoveNoExt"; // MoveNoExt below
inline constexpr char kMoveNoExtPath[] = "MoveNoExtPath";
inline constexpr char kBaseDir[] = "BaseDir"; // the initial folder

// What happens to a dropped file without extension, or whose extension has no rule. The values
// are the numbers stored; any other number leaves such files where they are.
enum class MoveNoExt : int32_t { ToFolder = 0, Ask = 1, Leave = 2 };

// A key of section Option as one reader reads it: the value it takes when the key is missing
// (for a number, also when the key holds none).
template <class T> struct OptionRead {
    const char *key;
    T missing;
};

// Start-up and the sorting run. BaseDir defaults to the documents folder there, which start-up
// asks the system for.
inline constexpr OptionRead<bool> kSortMoveFolder{kMoveFolder, true};
inline constexpr OptionRead<const char *> kSortMoveFolderPath{kMoveFolderPath, ""};
inline constexpr OptionRead<MoveNoExt> kSortMoveNoExt{kMoveNoExt, MoveNoExt::Ask};
inline constexpr OptionRead<const char *> kSortMoveNoExtPath{kMoveNoExtPath, ""};

// The main settings window and the first-run window.
inline constexpr OptionRead<bool> kFormMoveFolder{kMoveFolder, true};
inline constexpr OptionRead<const char *> kFormMoveFolderPath{kMoveFolderPath, ""};
inline constexpr OptionRead<MoveNoExt> kFormMoveNoExt{kMoveNoExt, MoveNoExt::ToFolder};
inline constexpr OptionRead<const char *> kFormMoveNoExtPath{kMoveNoExtPath, ""};
inline constexpr OptionRead<const char *> kFormBaseDir{kBaseDir, ""};

// What a new settings file holds besides the initial folder.
inline constexpr bool kNewMoveFolder = true;
inline constexpr MoveNoExt kNewMoveNoExt = MoveNoExt::Ask;

} // namespace zv
