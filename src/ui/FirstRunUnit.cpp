// The first-run window. It saves the four options every time it closes, however it is closed;
// start-up reads Accepted to know whether the user confirmed it.
#include "FirstRunUnit.h"

#include <string>

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../settings/SettingsSave.h"

namespace zv {

const FormLayout &TFormSetting::Layout() {
    static const FormLayout layout{"Zorvikの設定", 290, 226,
                                   NoExtGroup(0) +
                                       ControlTable{{Kind::DefaultButton, IDC_BTNOK, 0, 40, 198,
                                                     kButtonWidth, kButtonHeight, "OK"}} +
                                       FolderGroup(0) +
                                       ControlTable{{Kind::Button, IDC_BTNCANCEL, 0, 144, 198,
                                                     kButtonWidth, kButtonHeight, "ｷｬﾝｾﾙ"}}};
    return layout;
}

TFormSetting::TFormSetting() : OptionsForm(Layout()) { FormCreate(); }

void TFormSetting::FormCreate() {
    Accepted = false;
    SettingsReading reading; // a file that cannot be read ends the program (see TMainForm)
    SettingsFile ini;
    LoadOptions(ini);
    BaseDir = ini.Read(kFormBaseDir);
}

void TFormSetting::Command(int id, int code) {
    if (OptionCommand(id, code) || code != BN_CLICKED) return;
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BTNCANCEL: btnCancelClick(); break;
    }
}

void TFormSetting::btnOKClick() {
    Accepted = true;
    Close(ModalResult::OK);
}

// The paths are stored as typed, a trailing backslash included; only the blanks around them go,
// which the settings file cannot hold.
void TFormSetting::Save() {
    const std::string folderPath = PathText(IDC_EDTFOLDERMOVEPATH);
    SettingsChange change;
    for (const Entry &option : OptionEntries(folderPath, PathText(IDC_EDTNOEXTMOVEPATH)))
        change.keys.push_back({kOption, option.key, option.value});
    SaveSettings(change);
    MoveFolder = Checked(IDC_RADIOMOVEFOLDER);
    MoveFolderPath = folderPath;
}

bool TFormSetting::FormClose() {
    const Outcome saved = Guarded([this] { Save(); });
    if (saved != Outcome::Failed) return saved == Outcome::Done; // refused: a text to change first
    // The window stays open while the settings cannot be written; the user may instead leave
    // without saving, which counts as not confirmed: nothing is sorted with unsaved settings.
    if (!Confirm("設定を保存できませんでした。\r\n保存せずに閉じますか？\r\n"
                 "(ファイルを指定して起動した場合、ファイルは移動されません。)"))
        return false;
    Accepted = false;
    return true;
}

} // namespace zv
