// The first run: no settings file beside the executable. The initial folder is asked for, the
// default settings are written, and the run goes on with them.
#include "robot/Robot.h"

#include "ui/FolderChooser.h"

using namespace zvtest;

namespace {

class E2EFirstRun : public ZorvikTest {
  protected:
    static std::string Defaults(const std::string &base) {
        return "[Option]\r\nMoveFolder=1\r\nMoveFolderPath=" + base +
               "\r\nMoveNoExt=1\r\nMoveNoExtPath=" + base + "\r\nBaseDir=" + base + "\r\n";
    }
    // This process shares the prefix, so its documents folder is the program's.
    static std::string Documents() {
        std::string d = zv::GetDocumentsDir();
        return d.substr(0, d.size() - 1);
    }
};

// Prompt cancelled: the documents folder becomes the initial folder. The first-run window then
// closed with Cancel: the run is cancelled, nothing is asked or moved, and the file keeps what
// the window saved (the same defaults).
TEST_F(E2EFirstRun, ChooserCancelledAndWindowCancelled) {
    Make("in\\README");
    Make("in\\a.txt");
    RunResult r = Run({P("in\\README"), P("in\\a.txt")},
                      {Chooser(kCancel, "", "初期フォルダを指定してください。"),
                       Form(kFirstRunTitle, kFirstRunCancel)});
    EXPECT_EQ(0u, r.exitCode);
    ASSERT_EQ(2u, r.windows.size());
    EXPECT_EQ("初期フォルダを指定してください。", r.windows[0].text);
    EXPECT_EQ(Documents(), r.windows[0].selection);
    EXPECT_EQ(Documents(), r.windows[1].controls[kFirstRunFolderPath]);
    EXPECT_EQ(Defaults(Documents()), ReadBytes(IniPath()));
    EXPECT_EQ(Named({"in\\README", "in\\a.txt"}), Tree());
}

// Prompt confirmed: the chosen folder, without trailing backslash, in all three folder keys; the
// first-run window confirmed, the run goes on and the file without extension asks, starting at
// the chosen folder.
TEST_F(E2EFirstRun, ChooserConfirmedAndWindowConfirmed) {
    MakeDir("chosen");
    Make("in\\README");
    RunResult r =
        Run({P("in\\README")}, {Chooser(kOk, P("chosen"), "初期フォルダを指定してください。"),
                                Form(kFirstRunTitle, kOk), Chooser(kOk, "", "\"README\"")});
    EXPECT_EQ(0u, r.exitCode);
    ASSERT_EQ(3u, r.windows.size());
    EXPECT_EQ(P("chosen"), r.windows[2].selection);
    EXPECT_EQ(Defaults(P("chosen")), ReadBytes(IniPath()));
    Listing expected = Named({"chosen\\README"});
    expected["in\\"] = "<dir>";
    EXPECT_EQ(expected, Tree());
}

// A folder where the settings file belongs: a first run whose write fails ends the program.
TEST_F(E2EFirstRun, FolderAtTheSettingsPathIsFatal) {
    MakeDir("app\\Zorvik.INI");
    Make("in\\README");
    RunResult r = Run({P("in\\README")},
                      {Chooser(kCancel), Box(kFatalTitle, kOk, IniPath() + " に書き込めません")});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_TRUE(IsDir(IniPath()));
    EXPECT_EQ(Named({"in\\README"}), Tree());
}

} // namespace
