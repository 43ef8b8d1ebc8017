// How files and folders are moved. Two engines implement it: the shell's own move, where the
// shell reports its failures (Windows), and the program's own, which checks and moves each file
// through one handle (Wine). Start-up chooses one, once, and hands it to whatever moves.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "../common/DualText.h"
#include "../common/FileIdentity.h"
#include "../common/Handles.h"

namespace zv {

// A file listed for a run, kept small: a drop may list many thousands. The UTF-16 form is kept
// only where the code-page form is not exact; the folder's final path is shared by its files.
struct ListedFile {
    explicit ListedFile(const DualText &path, std::shared_ptr<const std::wstring> folder = nullptr);
    DualText Path() const;
    std::string ansi;
    std::unique_ptr<const std::wstring> wide; // null where ansi is exact
    // The final path of the folder it was listed in; null for a file dropped itself.
    std::shared_ptr<const std::wstring> folderFinal;
};

// One file of a run, from its check to its move.
struct DroppedFile {
    explicit DroppedFile(const ListedFile &listed)
        : path(listed.Path()), folderFinal(listed.folderFinal) {}
    explicit DroppedFile(DualText p) : path(std::move(p)) {}
    DualText path;
    std::shared_ptr<const std::wstring> folderFinal;
    // The program's own engine: the file opened once, links not followed, and what that handle
    // told (the error when it could not be opened).
    KernelHandle handle;
    unsigned long openError = 0;
    unsigned long links = 1; // names the file has (hard links)
};

class MoveEngine {
  public:
    // How the system shows a link to a file or folder: as a link, by its attributes (Windows), or
    // listed and opened as what it leads to (Wine's Unix links), where only the name of what a
    // handle holds tells it (LeadsElsewhere).
    enum class Links { Shown, LookLikeTargets };
    explicit MoveEngine(Links links) : links_(links) {}
    virtual ~MoveEngine() = default;
    MoveEngine(const MoveEngine &) = delete;
    MoveEngine &operator=(const MoveEngine &) = delete;
    bool LinksLookLikeTargets() const { return links_ == Links::LookLikeTargets; }

    // Looks at a file before anything is decided for it: false when it stays where it is (the
    // run's report says why): a link, the program's own file.
    virtual bool Take(DroppedFile &file) = 0;
    // Moves one file that Take let through. A destination ending in a backslash is a folder: the
    // file keeps its name. The destination's folder is created when missing. True when the file
    // was moved.
    bool MoveFileTo(DroppedFile &file, const DualText &destination);
    // Take, then MoveFileTo.
    bool MoveFileTo(const DualText &source, const DualText &destination);
    // Moves a folder with everything in it into the destination folder (created when missing),
    // under its own name. The destination may be quoted, and both may end in a backslash. True
    // when the folder was moved; a folder that holds the program's own files never is.
    bool MoveFolderTo(const DualText &source, const std::string &destinationFolder);

  protected:
    // The moves themselves: the file to its full new path, the folder (no trailing backslash)
    // into an existing folder.
    virtual bool MoveOneFile(DroppedFile &file, const DualText &to) = 0;
    virtual bool MoveOneFolder(const DualText &from, const std::string &toFolder) = 0;

  private:
    Links links_;
};

// The two engines; links says how the system they move on shows a link.
std::unique_ptr<MoveEngine> ShellMoves(MoveEngine::Links links);
std::unique_ptr<MoveEngine> OwnMoves(MoveEngine::Links links);

// Creates a folder together with every missing parent. An empty path raises
// "ディレクトリを作成できません"; any other failure is returned as the system's error code (0:
// none). made, where given, gets the folders this call created, outermost first.
unsigned long ForceFolder(const DualText &folder, std::vector<DualText> *made = nullptr);
// A folder stands at the path.
bool FolderExists(const DualText &path);

// Before a file replaces another: the destination is no folder, not the file itself under
// another name, not the program's own file; then the question. True to replace.
bool MayReplace(const DroppedFile &file, const DualText &destination);

} // namespace zv
