// The sorting run over the dropped files.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "../common/DualText.h"

namespace zv {

class MoveEngine;
struct ListedFile;

// The questions the run asks the user, handed in by whoever composes the program (the windows
// live above this layer). The run itself decides nothing through them: it reads the settings file
// again after a rule question, and moves into the folder a folder question gives.
struct RunQuestions {
    // Ask for a rule for the file (an extension that has none).
    std::function<void(const std::string &file)> askRule;
    // Ask for a folder with the prompt; true and the folder when one was chosen.
    std::function<bool(const DualText &prompt, DualText &folder)> askFolder;
};
// Sorts the files one by one, each checked and moved through moves; then shows, once, what was
// left on the way and what failed.
void DoZorvik(const std::vector<ListedFile> &items, MoveEngine &moves, const RunQuestions &ask);

} // namespace zv
