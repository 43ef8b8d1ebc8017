// The first-run window. It saves the four options every time it closes, however it is closed;
// start-up reads Accepted to know whether the user confirmed it.
#include "UnknownFileUnit.h"

#include <exception>
#include <string>

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../settings/SettingsFile.h"

namespace zv {

TFormSetting::TFormSetting()
    : OptionsForm("Zorvikの設定", 290, 226,
                  NoExtGroup(0) +
                      ControlTable{{Kind::DefaultButton, IDC_BTNOK, 0, 40, 198, kButtonWidth,
                                    kButtonHeight, "OK"}} +
                      FolderGroup(0) +
                      ControlTable{{Kind::Button, IDC_BTNCANCEL, 0, 144, 198, kButtonWidth,
                                    kButtonHeight, "ｷｬﾝｾﾙ"}}) {
    FormCreate();
}

void TFormSetting::FormCreate() {
    Accepted = false;
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

// The paths are stored exactly as typed, a trailing backslash included.
void TFormSetting::Save() {
    SettingsFile ini;
    MoveFolder = Checked(IDC_RADIOMOVEFOLDER);
    MoveFolderPath = Text(IDC_EDTFOLDERMOVEPATH);
    SaveOptions(ini, MoveFolderPath, Text(IDC_EDTNOEXTMOVEPATH));
}

bool TFormSetting::FormClose() {
    try {
        Save();
        return true;
    } catch (const std::exception &e) {
        ShowError(e.what());
    }
    // The window stays open while the settings cannot be written; the user may instead leave
    // without saving, which counts as not confirmed: nothing is sorted with unsaved settings.
    if (!Confirm("設定を保存できませんでした。\r\n保存せずに閉じますか？\r\n"
                 "(ファイルを指定して起動した場合、ファイルは移動されません。)"))
        return false;
    Accepted = false;
    return true;
}

} // namespace zv
