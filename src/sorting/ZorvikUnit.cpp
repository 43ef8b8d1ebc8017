// The sorting run: one pass over the dropped files, each looked up in the settings file and moved.
#include "ZorvikUnit.h"

#include "../common/Path.h"
#include "../settings/SettingsFile.h"
#include "Decision.h"
#include "FileUnit.h"
#include "MoveMessages.h"

namespace zv {
namespace {

// The folder question for a file without extension; a name the code page cannot hold is shown
// as it is.
DualText PromptFor(const DualText &name) {
    if (name.exact) return NoExtensionPrompt(name.ansi);
    return DualText(std::string("ファイルに拡張子がありません。 : ")) +
           DualText(L"\"" + name.wide + L"\"") + "\r移動先フォルダを指定してください。";
}

} // namespace

void DoZorvik(const std::vector<ListedFile> &items, MoveEngine &moves, const RunQuestions &ask) {
    SettingsFile ini;
    const MoveNoExt moveNoExt = ini.Read(kSortMoveNoExt);
    const std::string noExtPath = ini.Read(kSortMoveNoExtPath);

    for (size_t i = 0; i < items.size(); ++i) {
        DroppedFile file(items[i]);
        SetFilesToCome(items.size() - i - 1);
        // The key is one the code page holds: start-up and the listing left the others.
        std::string key;
        if (!KeyOf(file.path, key)) {
            ReportLeft(LeftReason::KeyNotInCodePage, file.path);
            continue;
        }
        if (!moves.Take(file)) continue;
        const DualText name = FileNameOf(file.path);
        Outcome outcome;
        std::string rule;
        if (key.empty()) {
            outcome = DecideNoExtension(moveNoExt);
        } else {
            rule = ini.ReadString(kExtensions, key.c_str(), "");
            outcome =
                DecideWithExtension(rule, ini.ReadString(kIgnore, key.c_str(), ""), moveNoExt);
        }
        switch (outcome) {
        case Outcome::Stay: break;
        case Outcome::MoveToRule: moves.MoveFileTo(file, PathIn(rule, name)); break;
        case Outcome::MoveToNoExtPath: moves.MoveFileTo(file, PathIn(noExtPath, name)); break;
        case Outcome::AskRule:
            ask.askRule(file.path.ansi);
            // Looked up under the file's own key, whatever extension the user typed.
            rule = ini.ReadString(kExtensions, key.c_str(), "");
            if (!rule.empty()) moves.MoveFileTo(file, PathIn(rule, name));
            break;
        case Outcome::AskFolder: {
            DualText folder;
            if (ask.askFolder(PromptFor(name), folder))
                moves.MoveFileTo(file, PathIn(folder, name));
            break;
        }
        }
    }
    ShowRunReport();
}

} // namespace zv
