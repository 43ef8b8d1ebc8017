// The shell's own move, where the shell reports its failures (Windows): one item at a time,
// undoable, as a move in the shell's own windows is. Names the code page holds go to the shell's
// code-page call as they always did; others to its UTF-16 call.
#include <windows.h>

#include <shellapi.h>

#include "../common/Application.h"
#include "../common/FileAttributes.h"
#include "../common/Path.h"
#include "Guards.h"
#include "MoveEngine.h"
#include "MoveMessages.h"

namespace zv {
namespace {

// One item, the owner being the application window, the lists ending in two NUL characters
// (c_str() adds the second).
template <typename Op, typename Text>
bool ShellMoveIn(const Text &from, const Text &to, FILEOP_FLAGS flags, int(WINAPI *run)(Op *)) {
    const Text fromList = from + typename Text::value_type(0),
               toList = to + typename Text::value_type(0);
    Op op{};
    op.hwnd = AppWindow();
    op.wFunc = FO_MOVE;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = flags;
    return run(&op) == 0;
}

// Names the code page holds go through the "A" call, others through the UTF-16 one.
bool ShellMove(const DualText &from, const DualText &to, FILEOP_FLAGS flags) {
    if (from.exact && to.exact) return ShellMoveIn(from.ansi, to.ansi, flags, SHFileOperationA);
    return ShellMoveIn(from.wide, to.wide, flags, SHFileOperationW);
}

class ShellMoveEngine : public MoveEngine {
  public:
    bool Take(DroppedFile &file) override {
        // Only a name that may be a program file's is worth opening here.
        if (MayBeProgramFile(file.path) && IsProgramFile(file.path)) {
            ReportLeft(LeftReason::ProgramFile, file.path);
            return false;
        }
        return true;
    }

  protected:
    bool MoveOneFile(DroppedFile &file, const DualText &to) override {
        const DualText folder = FolderOf(to);
        if (!FolderExists(folder)) {
            const unsigned long code = ForceFolder(folder);
            if (!folder.empty() && !FolderExists(folder)) {
                ReportCannotCreate(file.path, folder.ansi, code);
                return false;
            }
        }
        FILEOP_FLAGS flags = FOF_SILENT | FOF_ALLOWUNDO;
        // The program asks before replacing a file, so that the answer can stand for the rest
        // of the drop; the shell then does not ask again.
        if ((to.exact ? Attributes(to.ansi) : GetFileAttributesW(to.wide.c_str())) !=
            INVALID_FILE_ATTRIBUTES) {
            if (!MayReplace(file, to)) return false;
            flags |= FOF_NOCONFIRMATION;
        }
        return ShellMove(file.path, to, flags);
    }
    bool MoveOneFolder(const DualText &from, const std::string &toFolder) override {
        return ShellMove(from, toFolder, FOF_ALLOWUNDO);
    }
};

} // namespace

MoveEngine &ShellMoves() {
    static ShellMoveEngine engine;
    return engine;
}

} // namespace zv
