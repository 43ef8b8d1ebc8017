// The shell's own move, where the shell asks before replacing a file and reports its failures
// (Windows): one item at a time, undoable, as a move in the shell's own windows is.
#include <windows.h>

#include <shellapi.h>

#include "../common/Application.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "MoveEngine.h"
#include "MoveMessages.h"

namespace zv {
namespace {

// One item, the owner being the application window, the lists ending in two NUL bytes.
bool ShellMove(const std::string &from, const std::string &to, FILEOP_FLAGS flags) {
    std::string fromList = from + '\0', toList = to + '\0'; // c_str() adds the second NUL
    SHFILEOPSTRUCTA op{};
    op.hwnd = AppWindow();
    op.wFunc = FO_MOVE;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = flags;
    return SHFileOperationA(&op) == 0;
}

class ShellMoveEngine : public MoveEngine {
  protected:
    bool MoveOneFile(const std::string &source, const std::string &to) override {
        const std::string folder = ExtractFilePath(to);
        if (!DirectoryExists(folder)) {
            const unsigned long code = ForceFolder(folder);
            if (!folder.empty() && !DirectoryExists(folder)) {
                ShowCannotCreate(source, folder, code);
                return false;
            }
        }
        return ShellMove(source, to, FOF_SILENT | FOF_ALLOWUNDO);
    }
    bool MoveOneFolder(const std::string &from, const std::string &toFolder) override {
        return ShellMove(from, toFolder, FOF_ALLOWUNDO);
    }
};

} // namespace

MoveEngine &ShellMoves() {
    static ShellMoveEngine engine;
    return engine;
}

} // namespace zv
