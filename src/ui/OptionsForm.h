// The two option groups that the main window's options page and the first-run window both carry:
// what happens to a dropped folder, and to a dropped file that has no rule. One set of controls,
// handlers and enabling rules; each window lays them out in its own table and saves them its way.
#pragma once
#include "../settings/Keys.h"
#include "../settings/Sections.h"
#include "BrowseButton.h"
#include "Form.h"

namespace zv {

class SettingsFile;

class OptionsForm : public Form {
  public:
    enum : int {
        IDC_GROUPBOX2 = 201,
        IDC_BTNBROWSE2,
        IDC_RADIOMOVENOEXT,
        IDC_EDTNOEXTMOVEPATH,
        IDC_RADIONOMOVENOEXT,
        IDC_RADIOINQUIRY,
        IDC_GROUPBOX1,
        IDC_BTNBROWSE,
        IDC_RADIOMOVEFOLDER,
        IDC_RADIOZORVIKFOLDER,
        IDC_EDTFOLDERMOVEPATH
    };

    // The option for files without a rule, as the settings file's MoveNoExt stores it; a number
    // that stands for none of the three choices is kept until the user picks one.
    MoveNoExt NoExtMode = MoveNoExt::ToFolder;

  protected:
    using Form::Form;
    // The two groups as a window's table holds them: a group box at the top of parent (0: the
    // window) for dropped folders, and one below it for files without a rule. The picture button
    // comes first in each, a group of its own: the arrow keys move among the radio buttons and
    // the field between them, never onto the picture.
    static ControlTable FolderGroup(int parent);
    static ControlTable NoExtGroup(int parent);
    // Selects the radio buttons, sets the enabled states and fills the two fields from the file.
    void LoadOptions(const SettingsFile &ini);
    // MoveFolder, MoveFolderPath, MoveNoExt and MoveNoExtPath as the window stores them, in this
    // order, with the two paths as given.
    Entries OptionEntries(const std::string &folderPath, const std::string &noExtPath) const;
    // A path field's text without the blanks around it, which the settings file cannot hold;
    // Refused when the code page cannot hold it.
    std::string PathText(int id) const;
    // The handlers of the groups' controls; true when the id was one of them.
    bool OptionCommand(int id, int code);

    void radioMoveFolderClick();
    void radioZorvikFolderClick();
    void radioMoveNoExtClick();
    void radioInquiryClick();
    void radioNoMoveNoExtClick();
    void btnBrowseClick() { BrowseInto(Item(IDC_EDTFOLDERMOVEPATH)); }
    void btnBrowse2Click() { BrowseInto(Item(IDC_EDTNOEXTMOVEPATH)); }

  private:
    void EnableFolderPath(bool enabled);
    void EnableNoExtPath(bool enabled);
};

} // namespace zv
