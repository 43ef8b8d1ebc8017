// Dropped folders: moved whole into MoveFolderPath, or expanded into their files; moves across
// volumes, drive roots, a fatal empty destination, and links that lead back to a parent.
#include "robot/Robot.h"

#include "common/Path.h"

#include <algorithm>
#include <functional>

using namespace zvtest;

namespace {

struct Destination {
    const char *name;
    const char *value; // MoveFolderPath, %R expanded
};

void PrintTo(const Destination &row, std::ostream *os) { *os << row.name; }

class E2EFolderDestination : public ZorvikTest, public ::testing::WithParamInterface<Destination> {
  protected:
    void SetUp() override {
        ZorvikTest::SetUp();
        RemoveTree("U:\\E2EFolderDestination");
    }
};

// However the destination is written, in\Photos ends up as Sorted\Photos, whole.
TEST_P(E2EFolderDestination, MovedWhole) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", std::string("MoveFolderPath=") + GetParam().value,
                  "MoveNoExt=2"}));
    for (const char *f : {"x.jpg", ".hidden", "sub\\y.jpg", "予定表\\表.jpg"})
        Make(std::string("in\\Photos\\") + f);
    MakeDir("in\\Photos\\empty");
    Listing photos = Tree("in\\Photos");
    std::string dest = Expand(GetParam().value);
    dest.erase(std::remove(dest.begin(), dest.end(), '"'), dest.end());

    RunResult r = Run({P("in\\Photos")});

    EXPECT_EQ(0u, r.exitCode);
    EXPECT_FALSE(Exists(P("in\\Photos")));
    EXPECT_EQ(photos, TreeAt(zv::PathIn(dest, "Photos")));
}

INSTANTIATE_TEST_SUITE_P(
    MoveFolderPath, E2EFolderDestination,
    ::testing::Values(Destination{"Plain", "%R\\Sorted"},
                      Destination{"TrailingBackslash", "%R\\Sorted\\"},
                      Destination{"Quoted", "\"\"%R\\Sorted\"\""}, // one pair is the file's
                      Destination{"QuotedTrailing", "\"\"%R\\Sorted\\\"\""},
                      Destination{"MissingParents", "%R\\New\\Deep\\Sorted"},
                      Destination{"ShiftJis", "%R\\予定表"},
                      Destination{"OtherVolume", "U:\\E2EFolderDestination\\Sorted"}),
    [](const ::testing::TestParamInfo<Destination> &i) { return i.param.name; });

class E2EFolders : public ZorvikTest {};

// Every folder is moved before any file is sorted, whatever the order of the arguments: the rule
// for txt points at the dropped folder, so a file sorted first would travel with it.
TEST_F(E2EFolders, FolderMovesComeBeforeAnyFile) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=%R\\in\\Photos"}));
    Make("in\\a.txt");
    Make("in\\Photos\\x.jpg");
    Make("in\\Other\\o.jpg");
    RunResult r = Run({P("in\\a.txt"), P("in\\Photos"), P("in\\Other")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Named({"in\\Photos\\a.txt", "Sorted\\Photos\\x.jpg", "Sorted\\Other\\o.jpg"}),
              Tree());
}

// A folder moved to another volume arrives whole, with its bytes, and the source is gone; a file
// sorted to the other volume goes too.
TEST_F(E2EFolders, AcrossVolumes) {
    const std::string u = "U:\\E2EFolders_AcrossVolumes";
    RemoveTree(u);
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=" + u + "\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=" + u + "\\Docs"}));
    Make("in\\Photos\\x.jpg", std::string(300000, 'x'));
    for (const char *f : {".hidden", "sub\\y.jpg", "sub\\deeper\\z.jpg", "予定表\\表.jpg"})
        Make(std::string("in\\Photos\\") + f);
    MakeDir("in\\Photos\\empty");
    Make("in\\a.txt");
    Listing photos = Tree("in\\Photos");
    RunResult r = Run({P("in\\Photos"), P("in\\a.txt")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"in\\", "<dir>"}}), Tree());
    EXPECT_EQ(photos, TreeAt(u + "\\Sorted\\Photos"));
    EXPECT_EQ("a.txt", ReadBytes(u + "\\Docs\\a.txt"));
    RemoveTree(u);
}

// A name that is taken in the destination stops the folder move with an error box; the run goes
// on and both folders stay as they were.
TEST_F(E2EFolders, NameTakenInTheDestination) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=%R\\Docs"}));
    Make("Sorted\\Photos\\old.jpg");
    Make("in\\Photos\\new.jpg");
    Make("in\\a.txt");
    Listing expected = Tree();
    MoveEntry(expected, "in\\a.txt", "Docs\\");
    RunResult r = Run({P("in\\Photos"), P("in\\a.txt")}, {Box(kAppTitle, kOk, P("in\\Photos"))});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// With MoveFolder 0 every file below the folder is sorted, hidden ones included, depth-first:
// each file asks before replacing its namesake in Docs, so the questions show the order.
TEST_F(E2EFolders, ExpandedDepthFirst) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=", "MoveNoExt=2", "[Extensions]",
                  "txt=%R\\Docs"}));
    const char *files[] = {"a.txt",     "s1\\b.txt", "s1\\s2\\c.txt",
                           "s1\\e.txt", "s3\\d.txt", ".h.txt"};
    for (const char *f : files) {
        Make(std::string("in\\D\\") + f);
        Make("Docs\\" + zv::ExtractFileName(f), "old");
    }
    SetFileAttributesA(P("in\\D\\.h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeDir("in\\D\\empty");
    // The order the file system lists them in, walked depth-first.
    std::vector<std::string> order;
    std::function<void(const std::string &)> walk = [&](const std::string &dir) {
        for (const FolderEntry &e : ListFolder(dir))
            if (e.attributes & FILE_ATTRIBUTE_DIRECTORY)
                walk(dir + e.name + "\\");
            else
                order.push_back(e.name);
    };
    walk(P("in\\D\\"));
    ASSERT_EQ(6u, order.size());
    std::vector<Answer> script;
    for (const std::string &name : order) {
        script.push_back(Box(kConfirmTitle, kYes, P("Docs\\" + name)));
        // Once, at the second: the answer may stand for the rest; no keeps asking.
        if (script.size() == 2) script.push_back(Box(kConfirmTitle, kNo, "すべて置き換えますか"));
    }
    Listing expected = Tree();
    for (const char *f : files) {
        std::string from = std::string("in\\D\\") + f;
        expected.erase("Docs\\" + zv::ExtractFileName(from));
        MoveEntry(expected, from, "Docs\\");
    }

    RunResult r = Run({P("in\\D")}, script);

    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// A link inside an expanded folder that leads back to its parent is not followed: every file is
// sorted once, nothing is reported, the link stays.
TEST_F(E2EFolders, LinkBackToAParentIsNotFollowed) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\D\\a.txt");
    Make("in\\D\\sub\\b.txt");
    const std::string link = P("in\\D\\sub\\loop");
    std::string how;
    if (!MakeFolderLink(link, P("in\\D"), how)) GTEST_SKIP() << how;
    ASSERT_TRUE(Exists(link + "\\sub\\b.txt")) << "the link (" << how << ") leads nowhere";
    SCOPED_TRACE("link made by " + how);

    RunResult r = Run({P("in\\D")}, {}, RunOptions{"", "", 60000});

    EXPECT_EQ(0u, r.exitCode) << how;
    EXPECT_EQ(Named({"a.txt", "b.txt"}), Tree("Docs"));
    EXPECT_TRUE(Exists(link + "\\sub")) << "the link was removed";
}

// A dropped drive root is neither moved nor expanded: a warning, and the run goes on.
TEST_F(E2EFolders, DriveRootIsLeftAlone) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "zve2eroot=%R\\Docs"}));
    Make("in\\a.zve2eroot");
    Make("in\\b.jpg");
    Listing expected = Tree();
    MoveEntry(expected, "in\\a.zve2eroot", "Docs\\");
    RunResult r = Run({"T:\\", P("in\\a.zve2eroot")}, {Box(kWarningTitle, kOk, "T:\\")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// A folder dropped with an empty MoveFolderPath ends the program before any file is sorted.
TEST_F(E2EFolders, EmptyDestinationIsFatal) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=2", "[Extensions]",
                  "txt=%R\\Docs"}));
    Make("in\\a.txt");
    Make("in\\Photos\\x.jpg");
    Listing before = Tree();
    RunResult r = Run({P("in\\a.txt"), P("in\\Photos")},
                      {Box(kFatalTitle, kOk, "ディレクトリを作成できません")});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_EQ(before, Tree());
}

// An empty settings file is a settings file: no first run, and a dropped folder has nowhere to go.
TEST_F(E2EFolders, EmptySettingsFileIsNoFirstRun) {
    WriteIni("");
    Make("in\\Photos\\x.jpg");
    Listing before = Tree();
    RunResult r = Run({P("in\\Photos")}, {Box(kFatalTitle, kOk, "ディレクトリを作成できません")});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_EQ(before, Tree());
}

} // namespace
