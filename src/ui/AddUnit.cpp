// The rule editor dialog, in its three modes: add and edit a row of the main window's rule list,
// and add a rule for a file met while sorting (saved to the settings file at once).
#include "AddUnit.h"

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../common/Error.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "../common/ShiftJis.h"
#include "../common/SystemError.h"
#include "../settings/SettingsSave.h"
#include "../settings/Value.h"
#include "../sorting/FileUnit.h"
#include "BrowseButton.h"

namespace zv {

const FormLayout &TAddForm::Layout() {
    static const FormLayout layout = EditorLayout(
        "整理ルールの追加", IDC_STATICTEXT1, IDC_STATICTEXT2, IDC_EDTEXT,
        {
            {Kind::Label, IDC_STATICTEXT3, 0, 8, 48, 89, 16, "格納先フォルダ :"},
            {Kind::Edit, IDC_EDTPATH, 0, 32, 64, 201, 20, "", Group::Opens, 0, "格納先フォルダ"},
            {Kind::Picture, IDC_BTNBROWSE, 0, 240, 64, kPictureSize, kPictureSize,
             "参照... (格納先フォルダ)"},
        },
        IDC_BTNOK, IDC_BUTTON1);
    return layout;
}

TAddForm::TAddForm(HWND listView1)
    : ExtensionEditor(Layout(), listView1, {IDC_EDTEXT, IDC_EDTPATH}) {}

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
    std::string extension, folder = BaseDir;
    if (RuleDialogMode == RuleMode::ForFile) {
        const std::string dotted = ExtensionWithDot(ExtractFileName(PendingFile));
        extension = dotted.empty() ? dotted : dotted.substr(1);
        folder = IncludeTrailingBackslash(BaseDir) + extension;
    }
    ShowMode("整理ルールの追加", "整理ルールの編集", {extension, folder});
}

void TAddForm::btnBrowseClick() { BrowseInto(Item(IDC_EDTPATH)); }

namespace {

// A full path: a drive and its root ("C:\"), or a share ("\\server"). Any other is resolved
// against whatever the current folder is when a run uses it.
bool IsFullPath(const std::string &path) {
    const bool drive = path.size() >= 3 && IsDriveLetter(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && path[2] == '\\';
    return drive || path.compare(0, 2, "\\\\") == 0;
}

// A character Windows forbids in a folder's name, or a name it would change: the names after the
// drive or share, each checked whole.
bool HasForbiddenName(const std::string &path) {
    const size_t from = path.compare(0, 2, "\\\\") == 0 ? 2 : 3;
    return FindChar(path, "<>:\"/|?*", from) != std::string::npos ||
           HasPartEndingInDotOrBlank(path.substr(from));
}

// The folder of the path field: the blanks after it go, which the settings file cannot hold
// (and the system drops from a folder's name). False, after a warning, for a text that names no
// folder of its own, or one Windows cannot make.
bool FolderFromField(const std::string &typed, std::string &path) {
    path = TrimBlanks(typed);
    if (path.empty() || (IsFullPath(path) && !HasControlChar(path) && !HasForbiddenName(path)))
        return true;
    if (HasControlChar(path))
        ShowWarning("格納先フォルダに使えない文字が含まれています。");
    else if (!IsFullPath(path))
        ShowWarning("格納先フォルダは「C:\\フォルダ」のように、ドライブから指定してください。\r\n"
                    "相対パスは、整理するときの作業フォルダによって別のフォルダを指します。");
    else
        ShowWarning("格納先フォルダの名前に、Windows で使えない文字 ( \\ / : * ? \" < > | ) か、"
                    "末尾のピリオドや空白が含まれています。");
    return false;
}

// Creates the folder with every missing parent, however many backslashes end it. What cannot be
// made is said, and the folders made on the way are removed again (only those).
void CreateFolder(std::string path) {
    while (path.size() > 3 && EndsWithBackslash(path)) path = ExcludeTrailingBackslash(path);
    std::vector<DualText> made;
    const unsigned long code = ForceFolder(path, &made);
    if (DirectoryExists(path)) return;
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->wide.c_str());
    throw Error("ディレクトリを作成できません: " + path + "\r\n(" +
                SystemMessage(code ? code : ERROR_PATH_NOT_FOUND) + ")");
}

} // namespace

void TAddForm::btnOKClick() {
    std::string extension, path;
    if (!ExtensionTyped(extension) || !FolderFromField(Text(IDC_EDTPATH), path)) return;
    if (!DirectoryExists(path)) {
        if (!Confirm("フォルダを作成しますか？")) return;
        CreateFolder(path);
    }
    const std::string folder = ExcludeTrailingBackslash(path);
    if (RuleDialogMode == RuleMode::ForFile)
        SaveRule(extension, folder);
    else
        StoreRow({extension, folder});
    Close(ModalResult::OK);
}

void TAddForm::SaveRule(const std::string &extension, const std::string &folder) {
    SettingsChange change;
    change.keys.push_back({kExtensions, extension, folder});
    SaveSettings(change);
}

} // namespace zv
