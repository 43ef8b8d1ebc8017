// The sorting run's decision for one dropped file.
#include "Decision.h"

#include "../common/ShiftJis.h"
#include "../settings/Value.h"

namespace zv {

Outcome DecideNoExtension(MoveNoExt moveNoExt) {
    switch (moveNoExt) {
    case MoveNoExt::ToFolder: return Outcome::MoveToNoExtPath;
    case MoveNoExt::Ask: return Outcome::AskFolder;
    default: return Outcome::Stay;
    }
}

Outcome DecideWithExtension(const std::string &ruleFolder, const std::string &ignoreMarker,
                            MoveNoExt moveNoExt) {
    if (IsIgnoreMarker(ignoreMarker)) return Outcome::Stay;
    if (!ruleFolder.empty()) return Outcome::MoveToRule;
    switch (moveNoExt) {
    case MoveNoExt::ToFolder: return Outcome::MoveToNoExtPath;
    case MoveNoExt::Ask: return Outcome::AskRule;
    default: return Outcome::Stay;
    }
}

std::string NoExtensionPrompt(const std::string &fileName) {
    // The name in double quotes, a quote inside it doubled.
    std::string quoted = "\"";
    size_t start = 0;
    for (size_t q = FindChar(fileName, "\""); q != std::string::npos;
         q = FindChar(fileName, "\"", start)) {
        quoted.append(fileName, start, q + 1 - start) += '"';
        start = q + 1;
    }
    quoted.append(fileName, start, std::string::npos) += '"';
    return "ファイルに拡張子がありません。 : " + quoted + "\r" +
           "移動先フォルダを指定してください。";
}

} // namespace zv
