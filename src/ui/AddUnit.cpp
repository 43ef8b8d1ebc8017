// The rule editor dialog, in its three modes: add and edit a row of the main window's rule list,
// and add a rule for a file met while sorting (saved to the settings file at once).
#include "AddUnit.h"

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "../common/ShiftJis.h"
#include "../settings/SettingsSave.h"
#include "../settings/Value.h"
#include "../sorting/FileUnit.h"
#include "BrowseButton.h"
#include "ReportList.h"

namespace zv {

TAddForm::TAddForm(HWND listView1)
    : Form(
          "整理ルールの追加", 273, 136,
          {
              {Kind::Label, IDC_STATICTEXT1, 0, 8, 8, 46, 16, "拡張子 :"},
              {Kind::Label, IDC_STATICTEXT2, 0, 56, 8, 173, 16, "( 拡張子のピリオドは不要です。 )"},
              {Kind::Edit, IDC_EDTEXT, 0, 32, 24, 57, 20, ""},
              {Kind::Label, IDC_STATICTEXT3, 0, 8, 48, 89, 16, "格納先フォルダ :"},
              {Kind::Edit, IDC_EDTPATH, 0, 32, 64, 201, 20, ""},
              {Kind::Picture, IDC_BTNBROWSE, 0, 240, 64, kPictureSize, kPictureSize, nullptr},
              {Kind::DefaultButton, IDC_BTNOK, 0, 48, 105, kButtonWidth, kButtonHeight, "OK"},
              {Kind::Button, IDC_BUTTON1, 0, 152, 105, kButtonWidth, kButtonHeight, "ｷｬﾝｾﾙ"},
          }),
      ListView1(listView1) {}

void TAddForm::Command(int id, int code) {
    switch (id) {
    case IDC_BTNOK: btnOKClick(); break;
    case IDC_BUTTON1: Button1Click(); break;
    case IDC_BTNBROWSE:
        if (code == STN_CLICKED) btnBrowseClick();
        break;
    }
}

void TAddForm::FormShow() {
    switch (RuleDialogMode) {
    case RuleMode::Edit: {
        SetCaption("整理ルールの編集");
        int row = ListView1 ? ListSelectedRow(ListView1) : -1;
        SetText(IDC_EDTEXT, row >= 0 ? ListCell(ListView1, row, 0) : "");
        SetText(IDC_EDTPATH, row >= 0 ? ListCell(ListView1, row, 1) : "");
        break;
    }
    case RuleMode::ForFile: {
        SetCaption("整理ルールの追加");
        std::string dotted = ExtensionWithDot(ExtractFileName(PendingFile));
        std::string extension = dotted.empty() ? dotted : dotted.substr(1);
        SetText(IDC_EDTEXT, extension);
        SetText(IDC_EDTPATH, IncludeTrailingBackslash(BaseDir) + extension);
        break;
    }
    case RuleMode::Add:
        SetCaption("整理ルールの追加");
        SetText(IDC_EDTEXT, "");
        SetText(IDC_EDTPATH, BaseDir);
        break;
    }
    Focus(IDC_EDTEXT);
}

void TAddForm::btnBrowseClick() { BrowseInto(Item(IDC_EDTPATH)); }

bool ExtensionFromField(const std::string &typed, std::string &extension) {
    if (typed.empty()) { // the text as typed: an entry of dots only is refused below
        ShowWarning("拡張子を入力してください。");
        return false;
    }
    extension = RemoveDots(typed);
    if (!IsStorableKey(extension)) {
        ShowWarning("この拡張子は設定ファイルに保存できません。\r\n"
                    "ピリオドや空白だけの拡張子、前後に空白のある拡張子、「=」を含む拡張子、\r\n"
                    "「[」「;」で始まる拡張子は使えません。");
        return false;
    }
    return true;
}

namespace {

// A full path: a drive and its root ("C:\"), or a share ("\\server"). Any other is resolved
// against whatever the current folder is when a run uses it.
bool IsFullPath(const std::string &path) {
    const bool drive = path.size() >= 3 && IsDriveLetter(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && path[2] == '\\';
    return drive || path.compare(0, 2, "\\\\") == 0;
}

// The folder of the path field: the blanks after it go, which the settings file cannot hold
// (and the system drops from a folder's name). False, after a warning, for a text that names no
// folder of its own.
bool FolderFromField(const std::string &typed, std::string &path) {
    path = TrimBlanks(typed);
    if (path.empty() || (IsFullPath(path) && !HasControlChar(path))) return true;
    ShowWarning(HasControlChar(path)
                    ? "格納先フォルダに使えない文字が含まれています。"
                    : "格納先フォルダは「C:\\フォルダ」のように、ドライブから指定してください。\r\n"
                      "相対パスは、整理するときの作業フォルダによって別のフォルダを指します。");
    return false;
}

// Creates the folder with every missing parent, however many backslashes end it.
void CreateFolder(std::string path) {
    while (path.size() > 3 && EndsWithBackslash(path)) path = ExcludeTrailingBackslash(path);
    ForceFolder(path);
}

} // namespace

void TAddForm::btnOKClick() {
    std::string extension, path;
    if (!ExtensionFromField(Text(IDC_EDTEXT), extension) ||
        !FolderFromField(Text(IDC_EDTPATH), path))
        return;
    if (!DirectoryExists(path)) {
        if (!Confirm("フォルダを作成しますか？")) return;
        CreateFolder(path);
    }
    const std::string folder = ExcludeTrailingBackslash(path);
    switch (RuleDialogMode) {
    case RuleMode::Add:
        if (ListView1) ListAppendRow(ListView1, {extension, folder});
        break;
    case RuleMode::Edit:
        if (ListView1) {
            int row = ListSelectedRow(ListView1);
            if (row >= 0) {
                ListSetCell(ListView1, row, 0, extension);
                ListSetCell(ListView1, row, 1, folder);
            }
        }
        break;
    case RuleMode::ForFile: SaveRule(extension, folder); break;
    }
    Close(ModalResult::OK);
}

void TAddForm::SaveRule(const std::string &extension, const std::string &folder) {
    SettingsChange change;
    change.keys.push_back({kExtensions, extension, folder});
    SaveSettings(change);
}

} // namespace zv
