// The ignore-rule editor: adds a row to the main window's ignore list, or changes the selected
// one. Nothing reaches the settings file until the main window's OK.
#include "AddIgnoreUnit.h"

#include "../app/globUnit.h"
#include "AddUnit.h"
#include "ReportList.h"

namespace zv {

TAddIgnoreForm::TAddIgnoreForm(HWND listIgnore)
    : Form(
          "無視する拡張子の追加", 273, 136,
          {
              {Kind::Label, IDC_STATICTEXT1, 0, 8, 8, 46, 16, "拡張子 :"},
              {Kind::Label, IDC_STATICTEXT2, 0, 56, 8, 173, 16, "( 拡張子のピリオドは不要です。 )"},
              {Kind::Edit, IDC_EDTEXT, 0, 32, 24, 57, 20, ""},
              {Kind::DefaultButton, IDC_BTNOK, 0, 48, 105, kButtonWidth, kButtonHeight, "OK"},
              {Kind::Button, IDC_BTNCANCEL, 0, 152, 105, kButtonWidth, kButtonHeight, "ｷｬﾝｾﾙ"},
          }),
      ListIgnore(listIgnore) {}

void TAddIgnoreForm::Command(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BTNCANCEL: btnCancelClick(); break;
    }
}

void TAddIgnoreForm::FormShow() {
    if (RuleDialogMode == RuleMode::Edit) {
        SetCaption("無視ルールの編集");
        int row = ListSelectedRow(ListIgnore);
        SetText(IDC_EDTEXT, row >= 0 ? ListCell(ListIgnore, row, 0) : "");
    } else {
        SetCaption("無視ルールの追加");
        SetText(IDC_EDTEXT, "");
    }
    Focus(IDC_EDTEXT);
}

void TAddIgnoreForm::btnOKClick() {
    std::string extension;
    if (!ExtensionFromField(Text(IDC_EDTEXT), extension)) return;
    if (RuleDialogMode == RuleMode::Edit) {
        int row = ListSelectedRow(ListIgnore);
        if (row >= 0) ListSetCell(ListIgnore, row, 0, extension);
    } else {
        ListAppendRow(ListIgnore, {extension});
    }
    Close(ModalResult::OK);
}

} // namespace zv
