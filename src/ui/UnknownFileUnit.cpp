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
           {
               {Kind::Group, IDC_GROUPBOX2, 0, 0, 90, 289, 103,
                "登録されていないﾌｧｲﾙがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
               {Kind::Picture, IDC_BTNBROWSE2, IDC_GROUPBOX2, 261, 37, 20, 20, nullptr},
               {Kind::Radio, IDC_RADIOMOVENOEXT, IDC_GROUPBOX2, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
               {Kind::Edit, IDC_EDTNOEXTMOVEPATH, IDC_GROUPBOX2, 24, 37, 233, 20, ""},
               {Kind::Radio, IDC_RADIONOMOVENOEXT, IDC_GROUPBOX2, 8, 80, 233, 17, "移動しない"},
               {Kind::Radio, IDC_RADIOINQUIRY, IDC_GROUPBOX2, 8, 64, 241, 17, "ﾌｧｲﾙごとに問い合わせる"},
               {Kind::DefaultButton, IDC_BTNOK, 0, 40, 198, 97, 25, "OK"},
               {Kind::Group, IDC_GROUPBOX1, 0, 0, 0, 289, 89, "ﾌｫﾙﾀﾞがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
               {Kind::Picture, IDC_BTNBROWSE, IDC_GROUPBOX1, 261, 37, 20, 20, nullptr},
               {Kind::Radio, IDC_RADIOMOVEFOLDER, IDC_GROUPBOX1, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
               {Kind::Radio, IDC_RADIOZORVIKFOLDER, IDC_GROUPBOX1, 8, 64, 233, 17,
                "ﾌｫﾙﾀﾞ内のﾌｧｲﾙも整理する"},
               {Kind::Edit, IDC_EDTFOLDERMOVEPATH, IDC_GROUPBOX1, 24, 37, 233, 20, ""},
               {Kind::Button, IDC_BTNCANCEL, 0, 144, 198, 97, 25, "ｷｬﾝｾﾙ"},
           }) {
    FormCreate();
}

void TFormSetting::FormCreate() {
    Accepted = false;
    SettingsFile ini;
    LoadOptions(ini);
    BaseDir = ini.ReadString("Option", "BaseDir", "");
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
