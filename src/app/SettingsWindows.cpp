// The windows of settings mode as start-up uses them: each created once, the main window shown
// until it closes, the others shown from it. They are destroyed as settings mode ends, the editors
// first, before the fonts and pictures they draw with and before OLE goes.
#include "../ui/AboutUnit.h"
#include "../ui/AddIgnoreUnit.h"
#include "../ui/AddUnit.h"
#include "../ui/MainUnit.h"
#include "Startup.h"

namespace zv {

void ShowSettingsWindows() {
    TMainForm MainForm;
    TAboutBox AboutBox;
    TAddForm AddForm(MainForm.ListView1);
    TAddIgnoreForm AddIgnoreForm(MainForm.ListIgnore);
    MainForm.SetDialogs(&AboutBox, &AddForm, &AddIgnoreForm);
    MainForm.ShowModal(Form::Closing::EndsProgram);
}

} // namespace zv
