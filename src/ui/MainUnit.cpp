// The main settings window. It reads the settings file once, when it is created; the lists,
// radio buttons and fields are the only copy of the user's edits until OK rewrites the file.
#include "MainUnit.h"

#include <commctrl.h>

#include <algorithm>

#include "../app/globUnit.h"
#include "../common/Path.h"
#include "../settings/SettingsSave.h"
#include "AboutUnit.h"
#include "AddIgnoreUnit.h"
#include "AddUnit.h"
#include "Dpi.h"
#include "ReportList.h"

namespace zv {

const FormLayout &TMainForm::Layout() {
    static const FormLayout layout{
        "Zorvikの設定", 311, 309,
        ControlTable{
            {Kind::DefaultButton, IDC_BTNOK, 0, 8, 280, kButtonWidth, kButtonHeight, "OK"},
            {Kind::Button, IDC_BTNCANCEL, 0, 108, 280, kButtonWidth, kButtonHeight, "ｷｬﾝｾﾙ"},
            {Kind::Button, IDC_BTNABOUT, 0, 208, 280, kButtonWidth, kButtonHeight,
             "ﾊﾞｰｼﾞｮﾝ情報..."},
            {Kind::Button, IDC_BTNADD, 0, 8, 240, kButtonWidth, kButtonHeight, "追加(&A)..."},
            {Kind::Button, IDC_BTNDELETE, 0, 108, 240, kButtonWidth, kButtonHeight, "削除(&D)"},
            {Kind::Button, IDC_BTNEDIT, 0, 208, 240, kButtonWidth, kButtonHeight, "編集(&E)..."},
            {Kind::Tabs, IDC_PAGECONTROL1, 0, 8, 8, 297, 225, nullptr},
            {Kind::Page, IDC_TABSHEET1, IDC_PAGECONTROL1, 0, 0, 289, 198, "ﾌｧｲﾙの格納先"},
            {Kind::List, IDC_LISTVIEW1, IDC_TABSHEET1, 0, 0, 289, 198, nullptr, Group::Opens, 0,
             "ﾌｧｲﾙの格納先"},
            {Kind::Page, IDC_TABSHEET2, IDC_PAGECONTROL1, 0, 0, 289, 198, "無視するﾌｧｲﾙ"},
            {Kind::List, IDC_LISTIGNORE, IDC_TABSHEET2, 0, 0, 289, 198, nullptr, Group::Opens, 0,
             "無視するﾌｧｲﾙ"},
            {Kind::Page, IDC_TABSHEET3, IDC_PAGECONTROL1, 0, 0, 289, 198, "設定"},
        } + FolderGroup(IDC_TABSHEET3) +
            NoExtGroup(IDC_TABSHEET3) +
            ControlTable{{Kind::Bevel, IDC_BEVEL1, 0, 8, 272, 297, 2, nullptr}}};
    return layout;
}

TMainForm::TMainForm()
    : OptionsForm(Layout()), ListView1(Item(IDC_LISTVIEW1)), ListIgnore(Item(IDC_LISTIGNORE)) {
    FormCreate();
}

void TMainForm::SetDialogs(TAboutBox *aboutBox, TAddForm *addForm, TAddIgnoreForm *addIgnoreForm) {
    AboutBox = aboutBox;
    AddForm = addForm;
    AddIgnoreForm = addIgnoreForm;
}

void TMainForm::FormCreate() {
    ListAddColumn(ListView1, "拡張子", 0);
    ListAddColumn(ListView1, "格納先ﾌｫﾙﾀﾞ", 0);
    ListAddColumn(ListIgnore, "移動を行わないﾌｧｲﾙの拡張子", 0);
    Rescaled();
    ShowPage(IDC_PAGECONTROL1, IDC_TABSHEET1);

    // Held open while it is read: a file that cannot be read is never shown as defaults, nor
    // written over by OK; the error ends the program before the window shows.
    SettingsReading reading;
    SettingsFile ini;
    LoadedRules = ini.ReadList(kExtensions);
    Rows rows;
    for (const Entry &rule : KeysOf(LoadedRules, Duplicates::FirstWins))
        rows.push_back({rule.key, ini.Looked(kExtensions, rule)});
    ListAppendRows(ListView1, std::move(rows));
    LoadedIgnore = ini.ReadList(kIgnore);
    rows.clear();
    for (const Entry &ignored : KeysOf(LoadedIgnore, Duplicates::FirstWins))
        rows.push_back({ignored.key}); // whatever its value
    ListAppendRows(ListIgnore, std::move(rows));
    LoadedOptions = ini.ReadKeys(kOption);
    LoadOptions(ini);
    BaseDir = ini.Read(kFormBaseDir);
}

// The columns' widths at the window's DPI: the rule list's first 50 pixels, its second the rest
// but 16 (the room of a scroll bar); the ignore list's one all of it.
void TMainForm::Rescaled() {
    RECT list;
    GetClientRect(ListView1, &list);
    SendMessageA(ListView1, LVM_SETCOLUMNWIDTH, 0, Scaled(50, Dpi()));
    SendMessageA(ListView1, LVM_SETCOLUMNWIDTH, 1, list.right - Scaled(66, Dpi()));
    GetClientRect(ListIgnore, &list);
    SendMessageA(ListIgnore, LVM_SETCOLUMNWIDTH, 0, list.right);
}

void TMainForm::Command(int id, int code) {
    if (OptionCommand(id, code) || code != BN_CLICKED) return;
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BTNCANCEL: btnCancelClick(); break;
    case IDC_BTNABOUT: btnAboutClick(); break;
    case IDC_BTNADD: btnAddClick(); break;
    case IDC_BTNDELETE: btnDeleteClick(); break;
    case IDC_BTNEDIT: btnEDITClick(); break;
    }
}

LRESULT TMainForm::Notify(const NMHDR &n) {
    if (n.idFrom == IDC_PAGECONTROL1 && n.code == TCN_SELCHANGE) {
        PageControl1Change();
    } else if (n.code == NM_DBLCLK) {
        if (n.idFrom == IDC_LISTVIEW1) ListView1DblClick();
        if (n.idFrom == IDC_LISTIGNORE) ListIgnoreDblClick();
    }
    return 0;
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in every tabbed dialog.
bool TMainForm::PreviewKey(const MSG &msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return false;
    HWND tabs = Item(IDC_PAGECONTROL1);
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    int next = (static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) + step) % count;
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    PageControl1Change();
    return true;
}

void TMainForm::PageControl1Change() {
    int page = CurrentPage(IDC_PAGECONTROL1);
    ShowPage(IDC_PAGECONTROL1, page);
    for (int id : {IDC_BTNADD, IDC_BTNDELETE, IDC_BTNEDIT}) Enable(id, page != IDC_TABSHEET3);
}

HWND TMainForm::PageList() const {
    switch (CurrentPage(IDC_PAGECONTROL1)) {
    case IDC_TABSHEET1: return ListView1;
    case IDC_TABSHEET2: return ListIgnore;
    default: return nullptr;
    }
}

void TMainForm::btnAddClick() {
    RuleDialogMode = RuleMode::Add;
    HWND list = PageList();
    if (list == ListView1) {
        if (AddForm->ShowModal() == ModalResult::OK) ListSortRows(ListView1);
    } else if (list == ListIgnore) {
        if (AddIgnoreForm->ShowModal() == ModalResult::OK) ListSortRows(ListIgnore);
    }
}

// The edited row keeps its place: no sort after an edit.
void TMainForm::btnEDITClick() {
    HWND list = PageList();
    if (!list || ListSelectedRow(list) < 0) return;
    RuleDialogMode = RuleMode::Edit;
    if (list == ListView1)
        AddForm->ShowModal();
    else
        AddIgnoreForm->ShowModal();
}

void TMainForm::btnDeleteClick() {
    HWND list = PageList();
    int row = list ? ListSelectedRow(list) : -1;
    if (row >= 0) ListDeleteRow(list, row);
}

void TMainForm::btnOKClick() {
    Entries rules, ignored;
    for (const auto &row : ListRows(ListView1))
        rules.push_back({row[0], row.size() > 1 ? row[1] : std::string()});
    for (const auto &row : ListRows(ListIgnore)) ignored.push_back({row[0], kIgnoreMarker});
    const Entries options = OptionEntries(ExcludeTrailingBackslash(PathText(IDC_EDTFOLDERMOVEPATH)),
                                          ExcludeTrailingBackslash(PathText(IDC_EDTNOEXTMOVEPATH)));
    // Both lists replace their sections whole, merged with what other programs wrote since the
    // window loaded them; an option is written where the window holds another value than it
    // loaded. A failed save loses nothing: the window stays open for another try or Cancel.
    SaveSettings([&](const SettingsNow &now) {
        SettingsChange change;
        // Deleted or emptied since the window read it: there is nothing to merge with, and the
        // window writes all it holds, with the options it read and does not show.
        if (now.All().empty()) {
            change.sections = {{kExtensions, Deduplicated(rules)},
                               {kIgnore, Deduplicated(ignored)}};
            Entries all = LoadedOptions;
            for (const Entry &option : options) {
                auto held = std::find_if(all.begin(), all.end(), [&](const Entry &e) {
                    return SameKey(e.key, option.key);
                });
                if (held == all.end())
                    all.push_back(option);
                else
                    held->value = option.value;
            }
            for (const Entry &option : all)
                change.keys.push_back({kOption, option.key, option.value});
            return change;
        }
        change.sections = {{kExtensions, MergeSection(LoadedRules, rules, now.List(kExtensions))},
                           {kIgnore, MergeSection(LoadedIgnore, ignored, now.List(kIgnore))}};
        for (const Entry &option : options) {
            auto loaded = std::find_if(LoadedOptions.begin(), LoadedOptions.end(),
                                       [&](const Entry &e) { return SameKey(e.key, option.key); });
            if (loaded == LoadedOptions.end() || loaded->value != option.value)
                change.keys.push_back({kOption, option.key, option.value});
        }
        return change;
    });
    Close(ModalResult::OK);
}

void TMainForm::btnAboutClick() { AboutBox->ShowModal(); }

} // namespace zv
