// The ignore-rule editor: one extension for the main window's ignore list.
#pragma once
#include "ExtensionEditor.h"

namespace zv {

class TAddIgnoreForm : public ExtensionEditor {
  public:
    enum : int {
        IDC_EDTEXT = 501,
        IDC_STATICTEXT1,
        IDC_STATICTEXT2,
        IDC_BTNOK = IDOK,
        IDC_BTNCANCEL = IDCANCEL
    };

    explicit TAddIgnoreForm(HWND listIgnore);
    static const FormLayout &Layout();

  protected:
    void FormShow() override;
    void Command(int id, int code) override;

  private:
    void btnOKClick();
    void btnCancelClick() { Close(ModalResult::Cancel); }
};

} // namespace zv
