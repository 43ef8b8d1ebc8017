// The rule question that start-up hands to the sorting run: a fresh rule editor without owner
// for each file, destroyed as soon as it closes.
#include "RuleQuestion.h"

#include "../ui/AddUnit.h"
#include "globUnit.h"

namespace zv {

void AskRuleFor(const std::string &file) {
    RuleDialogMode = RuleMode::ForFile;
    PendingFile = file;
    TAddForm AddForm;
    AddForm.ShowModal();
}

} // namespace zv
