// The sorting run over the dropped files.
#pragma once
#include <string>
#include <vector>

namespace zv {

// The questions the run asks the user, handed in by whoever composes the program (the windows
// live above this layer). The run itself decides nothing through them: it reads the settings file
// again after a rule question, and moves into the folder a folder question gives.
struct RunQuestions {
    // Ask for a rule for the file in PendingFile (RuleDialogMode is 2).
    void (*askRule)();
    // Ask for a folder; true and the folder when one was chosen.
    bool (*askFolder)(const std::string &prompt, const std::string &startFolder,
                      std::string &folder);
};
void DoZorvik(const std::vector<std::string> &items, const RunQuestions &ask);

} // namespace zv
