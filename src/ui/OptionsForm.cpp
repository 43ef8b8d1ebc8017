// The option groups shared by the main window and the first-run window.
#include "OptionsForm.h"

#include "../settings/SettingsFile.h"
#include "../settings/Value.h"

namespace zv {
namespace {
constexpr std::initializer_list<int> kFolderSet = {OptionsForm::IDC_RADIOMOVEFOLDER,
                                                   OptionsForm::IDC_RADIOZORVIKFOLDER};
constexpr std::initializer_list<int> kNoExtSet = {OptionsForm::IDC_RADIOMOVENOEXT,
                                                  OptionsForm::IDC_RADIOINQUIRY,
                                                  OptionsForm::IDC_RADIONOMOVENOEXT};

// The radio button of each choice for files without a rule; another number selects none.
int NoExtRadio(MoveNoExt mode) {
    switch (mode) {
    case MoveNoExt::ToFolder: return OptionsForm::IDC_RADIOMOVENOEXT;
    case MoveNoExt::Ask: return OptionsForm::IDC_RADIOINQUIRY;
    case MoveNoExt::Leave: return OptionsForm::IDC_RADIONOMOVENOEXT;
    default: return 0;
    }
}
} // namespace

ControlTable OptionsForm::FolderGroup(int parent) {
    return {
        {Kind::Group, IDC_GROUPBOX1, parent, 0, 0, 289, 89, "ﾌｫﾙﾀﾞがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
        {Kind::Picture, IDC_BTNBROWSE, IDC_GROUPBOX1, 261, 37, kPictureSize, kPictureSize,
         "参照... (ﾌｫﾙﾀﾞの移動先)"},
        {Kind::Radio, IDC_RADIOMOVEFOLDER, IDC_GROUPBOX1, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
        {Kind::Radio, IDC_RADIOZORVIKFOLDER, IDC_GROUPBOX1, 8, 64, 233, 17,
         "ﾌｫﾙﾀﾞ内のﾌｧｲﾙも整理する", Group::Joins},
        {Kind::Edit, IDC_EDTFOLDERMOVEPATH, IDC_GROUPBOX1, 24, 37, 233, 20, "", Group::Joins, 0,
         "ﾌｫﾙﾀﾞの移動先"},
    };
}

ControlTable OptionsForm::NoExtGroup(int parent) {
    return {
        {Kind::Group, IDC_GROUPBOX2, parent, 0, 90, 289, 103,
         "登録されていないﾌｧｲﾙがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
        {Kind::Picture, IDC_BTNBROWSE2, IDC_GROUPBOX2, 261, 37, kPictureSize, kPictureSize,
         "参照... (登録されていないﾌｧｲﾙの移動先)"},
        {Kind::Radio, IDC_RADIOMOVENOEXT, IDC_GROUPBOX2, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
        {Kind::Edit, IDC_EDTNOEXTMOVEPATH, IDC_GROUPBOX2, 24, 37, 233, 20, "", Group::Joins, 0,
         "登録されていないﾌｧｲﾙの移動先"},
        {Kind::Radio, IDC_RADIONOMOVENOEXT, IDC_GROUPBOX2, 8, 80, 233, 17, "移動しない",
         Group::Joins},
        {Kind::Radio, IDC_RADIOINQUIRY, IDC_GROUPBOX2, 8, 64, 241, 17, "ﾌｧｲﾙごとに問い合わせる",
         Group::Joins},
    };
}

void OptionsForm::LoadOptions(const SettingsFile &ini) {
    bool moveFolder = ini.Read(kFormMoveFolder);
    SelectRadio(kFolderSet, moveFolder ? IDC_RADIOMOVEFOLDER : IDC_RADIOZORVIKFOLDER);
    EnableFolderPath(moveFolder);
    SetText(IDC_EDTFOLDERMOVEPATH, ini.Read(kFormMoveFolderPath));
    NoExtMode = ini.Read(kFormMoveNoExt);
    SelectRadio(kNoExtSet, NoExtRadio(NoExtMode));
    EnableNoExtPath(NoExtMode == MoveNoExt::ToFolder);
    SetText(IDC_EDTNOEXTMOVEPATH, ini.Read(kFormMoveNoExtPath));
}

Entries OptionsForm::OptionEntries(const std::string &folderPath,
                                   const std::string &noExtPath) const {
    return {{kMoveFolder, Checked(IDC_RADIOMOVEFOLDER) ? "1" : "0"},
            {kMoveFolderPath, folderPath},
            {kMoveNoExt, std::to_string(static_cast<int32_t>(NoExtMode))},
            {kMoveNoExtPath, noExtPath}};
}

std::string OptionsForm::PathText(int id) const { return TrimBlanks(Text(id)); }

bool OptionsForm::OptionCommand(int id, int code) {
    if (code != BN_CLICKED && code != STN_CLICKED) return false;
    switch (id) {
    case IDC_RADIOMOVEFOLDER: radioMoveFolderClick(); return true;
    case IDC_RADIOZORVIKFOLDER: radioZorvikFolderClick(); return true;
    case IDC_RADIOMOVENOEXT: radioMoveNoExtClick(); return true;
    case IDC_RADIOINQUIRY: radioInquiryClick(); return true;
    case IDC_RADIONOMOVENOEXT: radioNoMoveNoExtClick(); return true;
    case IDC_BTNBROWSE: btnBrowseClick(); return true;
    case IDC_BTNBROWSE2: btnBrowse2Click(); return true;
    default: return false;
    }
}

void OptionsForm::EnableFolderPath(bool enabled) {
    Enable(IDC_EDTFOLDERMOVEPATH, enabled);
    Enable(IDC_BTNBROWSE, enabled);
}

void OptionsForm::EnableNoExtPath(bool enabled) {
    Enable(IDC_EDTNOEXTMOVEPATH, enabled);
    Enable(IDC_BTNBROWSE2, enabled);
}

void OptionsForm::radioMoveFolderClick() {
    SelectRadio(kFolderSet, IDC_RADIOMOVEFOLDER);
    EnableFolderPath(true);
}

void OptionsForm::radioZorvikFolderClick() {
    SelectRadio(kFolderSet, IDC_RADIOZORVIKFOLDER);
    EnableFolderPath(false);
}

void OptionsForm::radioMoveNoExtClick() {
    SelectRadio(kNoExtSet, IDC_RADIOMOVENOEXT);
    NoExtMode = MoveNoExt::ToFolder;
    EnableNoExtPath(true);
}

void OptionsForm::radioInquiryClick() {
    SelectRadio(kNoExtSet, IDC_RADIOINQUIRY);
    NoExtMode = MoveNoExt::Ask;
    EnableNoExtPath(false);
}

void OptionsForm::radioNoMoveNoExtClick() {
    SelectRadio(kNoExtSet, IDC_RADIONOMOVENOEXT);
    NoExtMode = MoveNoExt::Leave;
    EnableNoExtPath(false);
}

} // namespace zv
