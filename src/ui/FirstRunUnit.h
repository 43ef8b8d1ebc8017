// The first-run window: what happens to dropped folders and to files without a rule.
#pragma once
#include "OptionsForm.h"

namespace zv {

class TFormSetting : public OptionsForm {
  public:
    enum : int { IDC_BTNCANCEL = 212, IDC_BTNOK = IDOK };

    TFormSetting(); // loads the options (FormCreate)
    static const FormLayout &Layout();

    bool Accepted = false;

  protected:
    bool FormClose() override;
    void Command(int id, int code) override;

  private:
    void FormCreate();
    void Save();
    void btnOKClick();
    void btnCancelClick() { Close(ModalResult::Cancel); }
};

} // namespace zv
