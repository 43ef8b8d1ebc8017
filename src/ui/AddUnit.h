// The rule editor: one extension and the folder its files are moved to.
#pragma once
#include <string>

#include "ExtensionEditor.h"

namespace zv {

class TAddForm : public ExtensionEditor {
  public:
    enum : int {
        IDC_EDTEXT = 101,
        IDC_EDTPATH,
        IDC_BTNBROWSE,
        IDC_BUTTON1,
        IDC_STATICTEXT1,
        IDC_STATICTEXT2,
        IDC_STATICTEXT3,
        IDC_BTNOK = IDOK
    };

    // listView1: the main window's rule list (report view), for the add and edit modes; null
    // while sorting, where a rule is saved to the settings file instead.
    explicit TAddForm(HWND listView1 = nullptr);
    static const FormLayout &Layout();

  protected:
    void FormShow() override;
    void Command(int id, int code) override;

  private:
    void btnBrowseClick();
    void btnOKClick();
    void Button1Click() { Close(ModalResult::Cancel); }
    void SaveRule(const std::string &extension, const std::string &folder);
};

} // namespace zv
