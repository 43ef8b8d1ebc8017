// The main settings window: the rule list, the ignore list and the options, on three pages.
#pragma once
#include "OptionsForm.h"

namespace zv {

class TAboutBox;
class TAddForm;
class TAddIgnoreForm;

class TMainForm : public OptionsForm {
  public:
    enum : int {
        IDC_BTNOK = IDOK,
        IDC_BTNCANCEL = IDCANCEL,
        IDC_BTNABOUT = 401,
        IDC_BTNADD,
        IDC_BTNDELETE,
        IDC_BTNEDIT,
        IDC_PAGECONTROL1,
        IDC_TABSHEET1,
        IDC_LISTVIEW1,
        IDC_TABSHEET2,
        IDC_LISTIGNORE,
        IDC_TABSHEET3,
        IDC_BEVEL1
    };

    TMainForm(); // reads the whole settings file (FormCreate)
    static const FormLayout &Layout();

    // The windows it shows; they are created after it and live as long as it does.
    void SetDialogs(TAboutBox *aboutBox, TAddForm *addForm, TAddIgnoreForm *addIgnoreForm);

    HWND ListView1 = nullptr;
    HWND ListIgnore = nullptr;

  protected:
    void Command(int id, int code) override;
    LRESULT Notify(const NMHDR &n) override;
    bool PreviewKey(const MSG &msg) override;
    void Rescaled() override;

  private:
    void FormCreate();
    void PageControl1Change();
    void btnAddClick();
    void btnDeleteClick();
    void btnEDITClick();
    void ListView1DblClick() { btnEDITClick(); }
    void ListIgnoreDblClick() { btnEDITClick(); }
    void btnOKClick();
    void btnCancelClick() { Close(ModalResult::Cancel); }
    void btnAboutClick();
    // The list of the page shown, or null on the options page.
    HWND PageList() const;

    TAboutBox *AboutBox = nullptr;
    TAddForm *AddForm = nullptr;
    TAddIgnoreForm *AddIgnoreForm = nullptr;
    // The three sections as the window loaded them: OK writes what the window changed since and
    // leaves what it did not touch as other programs may have left it meanwhile.
    std::string LoadedRules, LoadedIgnore; // as SectionList gives them
    Entries LoadedOptions;
};

} // namespace zv
