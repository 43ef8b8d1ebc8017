// The ignore-rule editor: adds a row to the main window's ignore list, or changes the selected
// one. Nothing reaches the settings file until the main window's OK.
#include "AddIgnoreUnit.h"

namespace zv {

const FormLayout &TAddIgnoreForm::Layout() {
    static const FormLayout layout =
        EditorLayout("無視する拡張子の追加", IDC_STATICTEXT1, IDC_STATICTEXT2, IDC_EDTEXT, {},
                     IDC_BTNOK, IDC_BTNCANCEL);
    return layout;
}

TAddIgnoreForm::TAddIgnoreForm(HWND listIgnore)
    : ExtensionEditor(Layout(), listIgnore, {IDC_EDTEXT}) {}

void TAddIgnoreForm::Command(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BTNCANCEL: btnCancelClick(); break;
    }
}

void TAddIgnoreForm::FormShow() { ShowMode("無視ルールの追加", "無視ルールの編集", {""}); }

void TAddIgnoreForm::btnOKClick() {
    std::string extension;
    if (!ExtensionTyped(extension)) return;
    StoreRow({extension});
    Close(ModalResult::OK);
}

} // namespace zv
