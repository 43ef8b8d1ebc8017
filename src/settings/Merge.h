// Sections as the profile API lists them ("key=value" lines, each followed by a NUL), the keys
// among their lines, and the three-way merge of a section that a window loaded, changed and saves
// while other programs may have changed it too. No windows.h here: this also builds and runs
// natively.
#pragma once
#include <string>
#include <vector>

namespace zv {

// One key of a section: its name, and its value as the file holds it (never cut, quotes kept).
struct Entry {
    std::string key, value;
    bool operator==(const Entry &o) const { return key == o.key && value == o.value; }
};
using Entries = std::vector<Entry>;

// One spelling for every spelling of a key or section name: the profile API matches names
// without regard to letter case, full-width letters included.
std::wstring NameIdentity(const std::string &name);
// Its part for a name that is not all ASCII: the system's own letter case (NameFoldWin.cpp); in
// the native build, ASCII and Shift-JIS's full-width Latin letters (NameFoldHost.cpp).
std::wstring FoldNonAscii(const std::string &name);
inline bool SameKey(const std::string &a, const std::string &b) {
    return NameIdentity(a) == NameIdentity(b);
}

// The entries of a list, in order.
std::vector<std::string> SplitList(const std::string &list);
// The list of these keys, as SectionList gives it back once they are written.
std::string ListOf(const Entries &entries);

// The keys among a section's lines (a SectionList), where they stand. A lookup finds the first of
// two lines that name one key: FirstWins keeps that one (what the file holds for the key);
// LastWins keeps the first place with the last value (what writing the keys one after the other
// leaves); All keeps every line. Lines that are no key the program could write back
// (IsStorableKey: an empty name, one that would read back as a section or a comment) are left
// out.
enum class Duplicates { FirstWins, LastWins, All };
Entries KeysOf(const std::string &list, Duplicates duplicates);
Entries Deduplicated(const Entries &entries); // LastWins

// The section a window saves: loaded is the section's list (SectionList) when the window read it,
// mine what the window holds now, now the section's list at the save. A key the window added,
// changed (in value or spelling) or deleted is written as the window has it; a key the window
// left as loaded stays as now has it (changed, added or deleted by another program). The
// window's rows keep their order; a key another program added stands after the key it follows
// in the file.
Entries MergeSection(const std::string &loaded, const Entries &mine, const std::string &now);

} // namespace zv
