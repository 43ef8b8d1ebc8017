// What the two editors share.
#include "ExtensionEditor.h"

#include "../app/globUnit.h"
#include "../common/Application.h"
#include "../common/Path.h"
#include "../settings/Value.h"
#include "ReportList.h"

namespace zv {

ExtensionEditor::ExtensionEditor(const FormLayout &layout, HWND list, std::vector<int> fields)
    : Form(layout), list_(list), fields_(std::move(fields)) {}

FormLayout ExtensionEditor::EditorLayout(const char *caption, int label, int hint, int field,
                                         const ControlTable &more, int ok, int cancel) {
    return {caption, 273, 136,
            ControlTable{
                {Kind::Label, label, 0, 8, 8, 46, 16, "拡張子 :"},
                {Kind::Label, hint, 0, 56, 8, 173, 16, "( 拡張子のピリオドは不要です。 )"},
                {Kind::Edit, field, 0, 32, 24, 57, 20, "", Group::Opens, 0, "拡張子"},
            } + more +
                ControlTable{
                    {Kind::DefaultButton, ok, 0, 48, 105, kButtonWidth, kButtonHeight, "OK"},
                    {Kind::Button, cancel, 0, 152, 105, kButtonWidth, kButtonHeight, "ｷｬﾝｾﾙ"},
                }};
}

void ExtensionEditor::ShowMode(const char *addCaption, const char *editCaption,
                               const std::vector<std::string> &texts) {
    const bool edit = RuleDialogMode == RuleMode::Edit;
    SetCaption(edit ? editCaption : addCaption);
    const int row = edit && list_ ? ListSelectedRow(list_) : -1;
    for (size_t i = 0; i < fields_.size(); ++i)
        SetText(fields_[i], !edit      ? texts[i]
                            : row >= 0 ? ListCell(list_, row, static_cast<int>(i))
                                       : "");
    Focus(fields_.front());
}

bool ExtensionEditor::ExtensionTyped(std::string &extension) const {
    const std::string typed = Text(fields_.front());
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

void ExtensionEditor::StoreRow(const std::vector<std::string> &cells) {
    if (!list_) return;
    if (RuleDialogMode != RuleMode::Edit) {
        ListAppendRow(list_, cells);
        return;
    }
    const int row = ListSelectedRow(list_);
    for (size_t i = 0; row >= 0 && i < cells.size(); ++i)
        ListSetCell(list_, row, static_cast<int>(i), cells[i]);
}

} // namespace zv
