// What both move engines say.
#include "MoveMessages.h"

#include "../common/Application.h"
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
