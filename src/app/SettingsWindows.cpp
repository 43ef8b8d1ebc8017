// The windows of settings mode as start-up uses them: each created once, in their order, the main
// window shown until it closes, the others shown from it. The main window is shown and painted
// first; the other three are made right after it appears, before it takes the user's first
// input. They are destroyed as settings mode ends, the editors first, before the fonts and
// pictures they draw with and before OLE goes.
#include <optional>

#include "../ui/AboutUnit.h"
#include "../ui/AddIgnoreUnit.h"
#include "../ui/AddUnit.h"
#include "../ui/MainUnit.h"
#include "Startup.h"

namespace zv {

void ShowSettingsWindows() {
    TMainForm MainForm;
    std::optional<TAboutBox> AboutBox;
    std::optional<TAddForm> AddForm;
    std::optional<TAddIgnoreForm> AddIgnoreForm;
    MainForm.ShowModal(Form::Closing::EndsProgram, [&] {
        AboutBox.emplace();
        AnswerSentMessages();
        AddForm.emplace(MainForm.ListView1);
        AnswerSentMessages();
        AddIgnoreForm.emplace(MainForm.ListIgnore);
        MainForm.SetDialogs(&*AboutBox, &*AddForm, &*AddIgnoreForm);
    });
}

} // namespace zv
