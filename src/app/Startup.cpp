// Start-up: chooses the run mode, performs the first run and turns the arguments into the list
// of files that the sorting run sorts.
#include "Startup.h"

#include <shlwapi.h>

#include "../common/Application.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "../common/SystemPath.h"
#include "../settings/SettingsFile.h"
#include "../sorting/FileUnit.h"
#include "../sorting/ZorvikUnit.h"
#include "RuleQuestion.h"
#include "globUnit.h"

namespace zv {
namespace {

void ReadFolderOptions() {
    SettingsFile ini;
    MoveFolder = ini.Read(kSortMoveFolder);
    MoveFolderPath = ini.Read(kSortMoveFolderPath);
    // The documents folder is asked for on every start, whether the key is there or not.
    std::string documents = ExcludeTrailingBackslash(GetDocumentsDir());
    BaseDir = ini.ReadString(kOption, kBaseDir, documents);
}

// A drive or share root: moving it, or sorting a whole drive, is never what a drop means. full
// is the path that is acted on; "T:" alone names the drive's current folder to the system, but
// the drive to whoever typed it.
bool IsRoot(const std::string &path, const std::string &full) {
    if (path.size() == 2 && path[1] == ':') return true;
    return !full.empty() && PathIsRootA(IncludeTrailingBackslash(full).c_str());
}

// unheld: arguments whose names the code page cannot hold, with "?" for what it lacks; they are
// never acted on, since their code-page spelling names another item or none.
void Sort(const std::vector<std::string> &args, const std::vector<std::string> &unheld) {
    MoveEngine &moves = MovesForThisSystem();
    std::vector<std::string> dropped;
    LeftItems left;
    for (const std::string &p : unheld) left.Add(LeftReason::NotInCodePage, p);
    for (const std::string &p : args) {
        LeftReason reason;
        if (MustLeave(p, reason)) {
            left.Add(reason, p);
        } else if (!DirectoryExists(p)) {
            dropped.push_back(p);
        } else {
            // The folder is acted on by its full path, which the root test looked at.
            const std::string full = FullPath(p);
            if (IsRoot(p, full))
                ShowWarning(p + " はドライブのため、移動も整理もしません。");
            else if (MoveFolder)
                moves.MoveFolderTo(full, MoveFolderPath);
            else
                CollectFiles(full, dropped, left);
        }
    }
    left.Show();
    DoZorvik(dropped, moves,
             RunQuestions{AskRuleFor, [](const std::string &prompt, std::string &folder) {
                              return SelectFolder(prompt, BaseDir, folder);
                          }});
}

} // namespace

void FirstRunSteps() {
    const std::string documents = GetDocumentsDir();
    std::string chosen;
    if (SelectFolder("初期フォルダを指定してください。", documents, chosen))
        BaseDir = IncludeTrailingBackslash(chosen);
    else
        BaseDir = documents;
    WriteDefaultSettings(BaseDir);
}

int RunProgram(const std::vector<std::string> &args, const std::vector<std::string> &unheld) {
    const bool sorting = !args.empty() || !unheld.empty();
    bool runCancelled = false;
    if (SettingsFileExists()) {
        if (sorting) ReadFolderOptions();
    } else {
        FirstRunSteps();
        if (!ShowFirstRunWindow() && sorting) runCancelled = true;
    }
    if (!sorting) {
        SetAppTitle("Zorvik");
        ShowSettingsWindows();
        return 0;
    }
    if (!runCancelled) Sort(args, unheld);
    return 0;
}

} // namespace zv
