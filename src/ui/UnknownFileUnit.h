// The first-run window: what happens to dropped folders and to files without a rule.
#pragma once
#include <cstdint>

#include "Form.h"

namespace zv {

class TFormSetting : public Form {
  public:
    enum : int { IDC_GROUPBOX2 = 201, IDC_BTNBROWSE2, IDC_RADIOMOVENOEXT, IDC_EDTNOEXTMOVEPATH,
                 IDC_RADIONOMOVENOEXT, IDC_RADIOINQUIRY, IDC_GROUPBOX1, IDC_BTNBROWSE,
                 IDC_RADIOMOVEFOLDER, IDC_RADIOZORVIKFOLDER, IDC_EDTFOLDERMOVEPATH, IDC_BTNCANCEL,
                 IDC_BTNOK = IDOK };

    TFormSetting(); // loads the options (FormCreate)

    int32_t NoExtMode = 0;
    bool Accepted = false;

  protected:
    bool FormClose() override;
    void Command(int id, int code) override;

  private:
    void FormCreate();
    void Save();
    void btnOKClick();
    void btnCancelClick() { Close(ModalResult::Cancel); }
    void radioMoveFolderClick();
    void radioZorvikFolderClick();
    void radioMoveNoExtClick();
    void radioInquiryClick();
    void radioNoMoveNoExtClick();
    void btnBrowseClick();
    void btnBrowse2Click();
    void EnableFolderPath(bool enabled);
    void EnableNoExtPath(bool enabled);
};

} // namespace zv
