// The browse button beside a folder field.
#include "BrowseButton.h"

#include "../common/FileAttributes.h"
#include "Controls.h"
#include "FolderChooser.h"

namespace zv {

std::string BrowseStartFolder(const std::string &fieldText) {
    if (fieldText.empty()) return GetDocumentsDir();
    return DirectoryExists(fieldText) ? fieldText : std::string();
}

void BrowseInto(HWND edit) {
    std::string folder, typed;
    // A text the code page cannot hold names no folder to start at.
    const std::string start = ExactTextOf(edit, typed) ? BrowseStartFolder(typed) : std::string();
    if (SelectFolder("フォルダを指定してください。", start, folder))
        SetWindowTextA(edit, folder.c_str());
}

} // namespace zv
