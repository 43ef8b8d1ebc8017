// What both move engines say.
#include "MoveMessages.h"

#include <algorithm>

#include "../common/Application.h"
#include "../common/Format.h"
#include "../common/Path.h"
#include "../common/SystemError.h"

namespace zv {
namespace {

struct RunReport {
    LeftItems left;
    ItemGroups failures;
    int replaceQuestions = 0;
    int replaceAnswer = -1; // the answer that stands for the rest of the drop: 1 yes, 0 no
    size_t filesToCome = 0;
};

RunReport &Report() {
    static RunReport report;
    return report;
}

} // namespace

void ItemGroups::Add(const std::string &heading, const DualText &item) {
    auto it = std::find_if(groups_.begin(), groups_.end(),
                           [&](const auto &g) { return g.first == heading; });
    if (it == groups_.end()) it = groups_.insert(groups_.end(), {heading, {}});
    it->second.push_back(item);
}

DualText ItemGroups::Text(const std::string &intro) const {
    DualText text = intro;
    for (const auto &g : groups_) {
        text += "\r\n\r\n" + g.first;
        for (size_t i = 0; i < g.second.size() && i < kShown; ++i)
            text += DualText("\r\n") + (g.second[i].empty() ? DualText("\"\"") : g.second[i]);
        if (g.second.size() > kShown)
            text += "\r\n" + Format("ほか %s 件", std::to_string(g.second.size() - kShown));
    }
    return text;
}

void LeftItems::Add(LeftReason reason, const DualText &path) { items_.emplace_back(reason, path); }

DualText LeftItems::Text() const {
    static const struct {
        LeftReason reason;
        const char *text;
    } kReasons[] = {
        {LeftReason::KeyNotInCodePage,
         "拡張子に Shift-JIS で表せない文字があり、整理ルールを引けません:"},
        {LeftReason::DotOrBlank,
         "名前の末尾がピリオドか空白のため、別の項目と取り違えるおそれがあります:"},
        {LeftReason::TooLong, "パスが長すぎるため、扱えません:"},
        {LeftReason::FileLink, "ファイルへのリンクです（リンク先のファイルは移動しません）:"},
        {LeftReason::FolderLink,
         "フォルダへのリンクです（リンク先のフォルダは移動も整理もしません）:"},
        {LeftReason::Empty, "空の引数です（ファイルやフォルダの名前がありません）:"},
        {LeftReason::Wildcard, "名前に * か ? があり、ほかのファイルと取り違えるおそれがあります:"},
        {LeftReason::Device, "デバイスの名前です（ファイルではありません）:"},
        {LeftReason::NotAFolder, "末尾に \\ がありますが、フォルダではありません:"},
        {LeftReason::DriveRoot, "ドライブのルートです（ドライブごと移動や整理はしません）:"},
        {LeftReason::ProgramFile, "Zorvik 自身のファイルか、それが入っているフォルダです:"},
        {LeftReason::ProgramTarget,
         "移動先にあるのが Zorvik 自身のファイルのため、置き換えません:"},
        {LeftReason::SameFile,
         "移動先に同じファイルが別の名前（ハードリンク）であるため、移動しません:"},
    };
    ItemGroups groups;
    for (const auto &r : kReasons)
        for (const auto &item : items_)
            if (item.first == r.reason) groups.Add(r.text, item.second);
    return groups.Text("次の項目は移動しませんでした。");
}

void LeftItems::Show() {
    if (items_.empty()) return;
    ShowWarning(Text());
    items_.clear();
}

void ReportFailure(const std::string &kind, const DualText &item, unsigned long code) {
    Report().failures.Add(code ? kind + "（" + SystemMessage(code) + "）:" : kind + ":", item);
}

void ReportMoveError(const DualText &item, unsigned long code) {
    ReportFailure("移動できませんでした", item, code);
}

void ReportCannotCreate(const DualText &source, const std::string &folder, unsigned long code) {
    ReportFailure("移動先のフォルダ " + ExcludeTrailingBackslash(folder) +
                      " を作成できませんでした",
                  source, code);
}

void ReportLeft(LeftReason reason, const DualText &item) { Report().left.Add(reason, item); }

void ShowRunReport() {
    RunReport &r = Report();
    r.left.Show();
    if (!r.failures.empty()) {
        ShowErrorBox(r.failures.Text("次の項目を移動できませんでした。"));
        r.failures = ItemGroups();
    }
}

void SetFilesToCome(size_t count) { Report().filesToCome = count; }

bool AskReplace(const DualText &destination) {
    RunReport &r = Report();
    if (r.replaceAnswer >= 0) return r.replaceAnswer == 1;
    const bool yes = Confirm(DualText("移動先に同じ名前のファイルがあります。\r\n") + destination +
                             "\r\n\r\nこのファイルを置き換えますか？");
    // Asked once, at the second question, when files are still to come: the default keeps asking.
    if (++r.replaceQuestions == 2 && r.filesToCome > 0 &&
        Confirm(yes ? "この後も移動先に同じ名前のファイルがあれば、確認せずにすべて置き換えますか？"
                    : "この後も移動先に同じ名前のファイルがあれば、確認せずにすべてそのまま残します"
                      "か？",
                true))
        r.replaceAnswer = yes ? 1 : 0;
    return yes;
}

} // namespace zv
