// The browse button beside a folder field.
#include "BrowseButton.h"

#include "../common/FileAttributes.h"
#include "../sorting/FolderChooser.h"
#include "Controls.h"

namespace zv {

std::string BrowseStartFolder(const std::string &fieldText) {
    if (fieldText.empty()) return GetDocumentsDir();
    return DirectoryExists(fieldText) ? fieldText : std::string();
}

void BrowseInto(HWND edit) {
    std::string folder;
    if (SelectFolder("フォルダを指定してください。", BrowseStartFolder(TextOf(edit)), folder))
        SetWindowTextA(edit, folder.c_str());
}

} // namespace zv
