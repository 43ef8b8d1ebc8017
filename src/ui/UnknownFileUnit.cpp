// The first-run window. It saves the four options every time it closes, however it is closed;
// start-up reads Accepted to know whether the user confirmed it.
#include "UnknownFileUnit.h"

#include <exception>
#include <string>

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../settings/SettingsFile.h"
#include "../sorting/FileUnit.h"

namespace zv {

TFormSetting::TFormSetting()
    : Form("Zorvikの設定", 290, 226,
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

namespace {
constexpr std::initializer_list<int> kFolderSet = {TFormSetting::IDC_RADIOMOVEFOLDER,
                                                   TFormSetting::IDC_RADIOZORVIKFOLDER};
constexpr std::initializer_list<int> kNoExtSet = {TFormSetting::IDC_RADIOMOVENOEXT,
                                                  TFormSetting::IDC_RADIOINQUIRY,
                                                  TFormSetting::IDC_RADIONOMOVENOEXT};
} // namespace

void TFormSetting::FormCreate() {
    Accepted = false;
    SettingsFile ini;
    bool moveFolder = ini.ReadBool("Option", "MoveFolder", true);
    SelectRadio(kFolderSet, moveFolder ? IDC_RADIOMOVEFOLDER : IDC_RADIOZORVIKFOLDER);
    EnableFolderPath(moveFolder);
    SetText(IDC_EDTFOLDERMOVEPATH, ini.ReadString("Option", "MoveFolderPath", ""));
    NoExtMode = ini.ReadInteger("Option", "MoveNoExt", 0);
    const int noExtRadio[] = {IDC_RADIOMOVENOEXT, IDC_RADIOINQUIRY, IDC_RADIONOMOVENOEXT};
    SelectRadio(kNoExtSet, NoExtMode >= 0 && NoExtMode <= 2 ? noExtRadio[NoExtMode] : 0);
    EnableNoExtPath(NoExtMode == 0);
    SetText(IDC_EDTNOEXTMOVEPATH, ini.ReadString("Option", "MoveNoExtPath", ""));
    BaseDir = ini.ReadString("Option", "BaseDir", "");
}

void TFormSetting::Command(int id, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return;
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BTNCANCEL: btnCancelClick(); break;
    case IDC_RADIOMOVEFOLDER: radioMoveFolderClick(); break;
    case IDC_RADIOZORVIKFOLDER: radioZorvikFolderClick(); break;
    case IDC_RADIOMOVENOEXT: radioMoveNoExtClick(); break;
    case IDC_RADIOINQUIRY: radioInquiryClick(); break;
    case IDC_RADIONOMOVENOEXT: radioNoMoveNoExtClick(); break;
    case IDC_BTNBROWSE: btnBrowseClick(); break;
    case IDC_BTNBROWSE2: btnBrowse2Click(); break;
    }
}

void TFormSetting::btnOKClick() {
    Accepted = true;
    Close(ModalResult::OK);
}

void TFormSetting::EnableFolderPath(bool enabled) {
    Enable(IDC_EDTFOLDERMOVEPATH, enabled);
    Enable(IDC_BTNBROWSE, enabled);
}

void TFormSetting::EnableNoExtPath(bool enabled) {
    Enable(IDC_EDTNOEXTMOVEPATH, enabled);
    Enable(IDC_BTNBROWSE2, enabled);
}

void TFormSetting::radioMoveFolderClick() {
    SelectRadio(kFolderSet, IDC_RADIOMOVEFOLDER);
    EnableFolderPath(true);
}

void TFormSetting::radioZorvikFolderClick() {
    SelectRadio(kFolderSet, IDC_RADIOZORVIKFOLDER);
    EnableFolderPath(false);
}

void TFormSetting::radioMoveNoExtClick() {
    SelectRadio(kNoExtSet, IDC_RADIOMOVENOEXT);
    NoExtMode = 0;
    EnableNoExtPath(true);
}

void TFormSetting::radioInquiryClick() {
    SelectRadio(kNoExtSet, IDC_RADIOINQUIRY);
    NoExtMode = 1;
    EnableNoExtPath(false);
}

void TFormSetting::radioNoMoveNoExtClick() {
    SelectRadio(kNoExtSet, IDC_RADIONOMOVENOEXT);
    NoExtMode = 2;
    EnableNoExtPath(false);
}

void TFormSetting::btnBrowseClick() { BrowseInto(IDC_EDTFOLDERMOVEPATH); }
void TFormSetting::btnBrowse2Click() { BrowseInto(IDC_EDTNOEXTMOVEPATH); }

void TFormSetting::Save() {
    SettingsFile ini;
    MoveFolder = Checked(IDC_RADIOMOVEFOLDER);
    ini.WriteBool("Option", "MoveFolder", MoveFolder);
    MoveFolderPath = Text(IDC_EDTFOLDERMOVEPATH);
    ini.WriteString("Option", "MoveFolderPath", MoveFolderPath);
    ini.WriteInteger("Option", "MoveNoExt", NoExtMode);
    ini.WriteString("Option", "MoveNoExtPath", Text(IDC_EDTNOEXTMOVEPATH));
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
