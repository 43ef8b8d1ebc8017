// The shell's own move, where the shell reports its failures (Windows): one item at a time,
// undoable, as a move in the shell's own windows is. Names the code page holds go to the shell's
// code-page call, byte for byte; others to its UTF-16 call.
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
    using MoveEngine::MoveEngine;
    bool Take(DroppedFile &file) override {
        // Only a name that may be a program file's is worth opening here.
        if (MayBeProgramFile(file.path) && IsProgramFile(file.path)) {
            ReportLeft(LeftReason::ProgramFile, file.path);
            return false;
        }
        // The shell would move what such a link leads to: it is judged as the program's own
        // engine judges it. (A link Windows shows as one is left by start-up and the listing.)
        if (LinksLookLikeTargets()) {
            KernelHandle h(CreateFileW(
                file.path.wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (h.valid() &&
                LeadsElsewhere(h.get(), file.path,
                               file.folderFinal ? *file.folderFinal : std::wstring())) {
                ReportLeft(LeftReason::FileLink, file.path);
                return false;
            }
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

std::unique_ptr<MoveEngine> ShellMoves(MoveEngine::Links links) {
    return std::make_unique<ShellMoveEngine>(links);
}

} // namespace zv
