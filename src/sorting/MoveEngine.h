// How files and folders are moved. Two engines implement it: the shell's own move, where the
// shell asks before replacing a file and reports its failures (Windows), and the program's own,
// where it does neither (Wine). Start-up chooses one, once, and hands it to whatever moves.
#pragma once
#include <string>

namespace zv {

class MoveEngine {
  public:
    virtual ~MoveEngine() = default;

    // Moves one file. A destination ending in a backslash is a folder: the file keeps its name.
    // The destination's folder is created when missing. True when the file was moved; the
    // program's own files never are.
    bool MoveFileTo(const std::string &source, const std::string &destination);
    // Moves a folder with everything in it into the destination folder (created when missing),
    // under its own name. Both paths may be quoted and may end in a backslash. True when the
    // folder was moved; a folder that holds the program's own files never is.
    bool MoveFolderTo(const std::string &source, const std::string &destinationFolder);

  protected:
    // The moves themselves, on unquoted paths: the file to its full new path, the folder (no
    // trailing backslash) into an existing folder.
    virtual bool MoveOneFile(const std::string &source, const std::string &to) = 0;
    virtual bool MoveOneFolder(const std::string &from, const std::string &toFolder) = 0;
};

MoveEngine &ShellMoves();
MoveEngine &OwnMoves();
// The engine for the system the program runs on.
MoveEngine &MovesForThisSystem();

// Creates a folder together with every missing parent. An empty path raises
// "ディレクトリを作成できません"; any other failure is returned as the system's error code (0:
// none).
unsigned long ForceFolder(const std::string &folder);

} // namespace zv
