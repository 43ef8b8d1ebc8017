// The sorting run: one pass over the dropped files, each looked up in the settings file and moved.
#include "ZorvikUnit.h"

#include "../common/Path.h"
#include "../settings/SettingsFile.h"
#include "Decision.h"
#include "FileUnit.h"

namespace zv {

void DoZorvik(const std::vector<std::string> &items, MoveEngine &moves, const RunQuestions &ask) {
    SettingsFile ini;
    const MoveNoExt moveNoExt = ini.Read(kSortMoveNoExt);
    const std::string noExtPath = ini.Read(kSortMoveNoExtPath);

    for (const std::string &source : items) {
        const std::string name = ExtractFileName(source);
        const std::string key = ExtensionKey(source);
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
        case Outcome::MoveToRule: moves.MoveFileTo(source, PathIn(rule, name)); break;
        case Outcome::MoveToNoExtPath: moves.MoveFileTo(source, PathIn(noExtPath, name)); break;
        case Outcome::AskRule:
            ask.askRule(source);
            // Looked up under the file's own key, whatever extension the user typed.
            rule = ini.ReadString(kExtensions, key.c_str(), "");
            if (!rule.empty()) moves.MoveFileTo(source, PathIn(rule, name));
            break;
        case Outcome::AskFolder: {
            std::string folder;
            if (ask.askFolder(NoExtensionPrompt(name), folder))
                moves.MoveFileTo(source, PathIn(folder, name));
            break;
        }
        }
    }
}

} // namespace zv
