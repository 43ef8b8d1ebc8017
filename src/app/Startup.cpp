// Start-up: chooses the run mode, performs the first run and turns the arguments into the list
// of files that the sorting run sorts.
#include "Startup.h"

#include <shlwapi.h>

#include "../common/Application.h"
#include "../common/Text.h"
#include "../common/Win.h"
#include "../settings/SettingsFile.h"
#include "../sorting/FileUnit.h"
#include "../sorting/ZorvikUnit.h"
#include "RuleQuestion.h"
#include "globUnit.h"

namespace zv {
namespace {

void ReadFolderOptions() {
    SettingsFile ini;
    MoveFolder = ini.ReadBool("Option", "MoveFolder", true);
    MoveFolderPath = ini.ReadString("Option", "MoveFolderPath", "");
    // The documents folder is asked for on every start, whether the key is there or not.
    std::string documents = ExcludeTrailingBackslash(GetDocumentsDir());
    BaseDir = ini.ReadString("Option", "BaseDir", documents);
}

// A drive or share root: moving it, or sorting a whole drive, is never what a drop means.
bool IsRoot(const std::string &path) {
    std::string full = FullPath(path);
    return !full.empty() && PathIsRootA(IncludeTrailingBackslash(full).c_str());
}

void Sort(const std::vector<std::string> &args) {
    std::vector<std::string> dropped;
    for (const std::string &p : args) {
        if (!DirectoryExists(p)) {
            dropped.push_back(p);
        } else if (IsRoot(p)) {
            ShowWarning(p + " はドライブのため、移動も整理もしません。");
        } else if (MoveFolder) {
            MoveFolderTo(p, MoveFolderPath);
        } else {
            CollectFiles(p, dropped);
        }
    }
    DoZorvik(dropped, RunQuestions{AskRuleForPendingFile, SelectFolder});
}

} // namespace

void FirstRunSteps() {
    const std::string documents = GetDocumentsDir();
    std::string chosen;
    if (SelectFolder("初期フォルダを指定してください。", documents, chosen))
        BaseDir = IncludeTrailingBackslash(chosen);
    else
        BaseDir = documents;
    WriteDefaultSettings();
}

int RunProgram(const std::vector<std::string> &args) {
    const bool sorting = !args.empty();
    bool runCancelled = false;
    if (SettingsFileExists()) {
        if (sorting) ReadFolderOptions();
    } else {
        FirstRunSteps();
        if (!ShowFirstRunWindow() && sorting) runCancelled = true;
    }
    if (!sorting) {
        SetAppTitle("Zorvik");
        return 0;
    }
    if (!runCancelled) Sort(args);
    return 0;
}

} // namespace zv
