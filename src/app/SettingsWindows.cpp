// The windows of settings mode as start-up uses them: each created once, the main window shown
// until it closes, the others shown from it.
#include <initializer_list>

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
    // The windows of settings mode go with the program, which ends here.
    for (Form *form : std::initializer_list<Form *>{&MainForm, &AboutBox, &AddForm, &AddIgnoreForm})
        form->LeaveToProgramEnd();
}

} // namespace zv
