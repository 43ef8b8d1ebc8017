// One run that shows the program works as shipped: a rule, an ignored extension, a folder moved
// whole, and a replace question answered no. Also run against the 32-bit executable on machines
// where every other test drives its 64-bit twin.
#include "robot/Robot.h"

using namespace zvtest;

namespace {

class ShippedExe : public ZorvikTest {
  protected:
    // Where Wine's 32-bit half is emulated, one start of the program takes about a minute.
    static RunOptions Slow() {
        RunOptions o;
        o.timeoutMs = 600000;
        return o;
    }
};

TEST_F(ShippedExe, SortsIgnoresMovesFoldersAndAsksBeforeReplacing) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=2",
                  "MoveNoExtPath=", "BaseDir=", "[Extensions]", "txt=%R\\Text", "log=%R\\Logs",
                  "[Ignore]", "log=NULL"}));
    Make("in\\表.txt");
    Make("in\\keep.log");
    Make("in\\dir\\x.txt");
    Make("in\\dup.txt", "new");
    Make("Text\\dup.txt", "old");
    RunResult r = Run({P("in\\表.txt"), P("in\\keep.log"), P("in\\dir"), P("in\\dup.txt")},
                      {Box(kConfirmTitle, kNo, "dup.txt")}, Slow());
    EXPECT_EQ(0u, r.exitCode);
    Listing expected = Named({"Text\\表.txt", "in\\keep.log", "Folders\\dir\\x.txt"});
    expected["in\\dup.txt"] = "new";
    expected["Text\\dup.txt"] = "old";
    EXPECT_EQ(expected, Tree());
}

} // namespace
