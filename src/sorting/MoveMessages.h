// What both move engines say: the failures of a run, gathered by kind and shown once at its end,
// the items the run left on the way, and the replace question, which can answer for the rest of
// the drop.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "../common/DualText.h"
#include "Guards.h"

namespace zv {

// Lines of a message: items under headings, at most kShown under each, then how many more.
class ItemGroups {
  public:
    void Add(const std::string &heading, const DualText &item);
    bool empty() const { return groups_.empty(); }
    // intro, then each heading with its items, in the order the headings first came.
    DualText Text(const std::string &intro) const;
    static constexpr size_t kShown = 20;

  private:
    std::vector<std::pair<std::string, std::vector<DualText>>> groups_;
};

// The items a run leaves alone, gathered so that the user gets one message for all of them.
class LeftItems {
  public:
    void Add(LeftReason reason, const DualText &path);
    DualText Text() const;
    // One warning box, when there is anything to say; empties the list.
    void Show();
    static constexpr size_t kShown = ItemGroups::kShown;

  private:
    std::vector<std::pair<LeftReason, DualText>> items_;
};

// A move that failed: kind says how (a heading of the one error box, the system's text for code
// added in brackets, 0: none), item names what did not move.
void ReportFailure(const std::string &kind, const DualText &item, unsigned long code = 0);
// The move of item failed with the system's error code.
void ReportMoveError(const DualText &item, unsigned long code);
// The destination folder could not be made: the move is not tried (the shell would only say that
// the path is not found).
void ReportCannotCreate(const DualText &source, const std::string &folder, unsigned long code);
// An item the run leaves where it is, found while it ran.
void ReportLeft(LeftReason reason, const DualText &item);
// Shows what was gathered: one warning for the items left, one error box for the failures.
void ShowRunReport();

// "移動先に同じ名前のファイルがあります。..." for one destination: true to replace it. At the
// second such question of a drop, when files are still to come, the user may let the answer
// stand for the rest of it.
bool AskReplace(const DualText &destination);
// How many files of the drop come after the one being moved.
void SetFilesToCome(size_t count);

} // namespace zv
