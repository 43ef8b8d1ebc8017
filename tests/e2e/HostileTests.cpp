// What a real desktop throws at the sorting mode: names the code page cannot hold, names the path
// rules change, links, the program's own folder under another name, bare drive letters, full and
// read-only volumes, paths too deep. Nothing may be lost or moved that was not dropped, and what
// stays is reported, many items in one box.
#include "robot/Robot.h"

#include "common/CodePage.h"

using namespace zvtest;

namespace {

// The test's paths in UTF-16, for the names the code page cannot hold.
std::wstring W(const std::string &s) { return zv::ToWide(s); }

const char kLeft[] = "次の項目は移動しませんでした。";

// Runs once on the Wine path and once on the shell's path (the build that leaves moves to it).
class E2EHostile : public ZorvikTest, public ::testing::WithParamInterface<const char *> {
  protected:
    void SetUp() override {
        ZorvikTest::SetUp();
        if (std::string(GetParam()) == "Shell") {
            std::string shell = TestExeDir() + "ZorvikShell.exe";
            ASSERT_TRUE(CopyFileA(shell.c_str(), ExePath().c_str(), FALSE)) << shell;
        }
    }
};

// Dropped names that code page 932 cannot hold: each spelt in the code page names another item
// (best fit: é is e, ¥ a backslash) or a wildcard (€ is "?"). All stay, in one box; the
// look-alikes are untouched.
TEST_P(E2EHostile, ArgumentsTheCodePageCannotHold) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=2",
                  "[Extensions]", "txt=%R\\Docs"}));
    const std::wstring in = W(P("in\\"));
    // Each name, and the look-alike that its spelling in the code page names.
    const std::wstring pairs[][2] = {{L"caf\u00e9.txt", L"cafe.txt"},
                                     {L"a\u00a5b.txt", L"a\\b.txt"},
                                     {L"a\u20acb.txt", L"a1b.txt"},
                                     {L"Photos\u00a52024\\x.txt", L"Photos\\2024\\y.txt"}};
    for (const auto &pair : pairs)
        for (const std::wstring &f : pair) ASSERT_TRUE(WriteBytes(in + f, "same"));
    Make("in\\ok.txt");
    RunOptions options;
    options.wideArgs = {in + L"caf\u00e9.txt", in + L"a\u00a5b.txt", in + L"a\u20acb.txt",
                        in + L"Photos\u00a52024"};
    // "?" and "*" typed in an argument are no names but patterns: a1b.txt and cafe.txt stay.
    RunResult r = Run({P("in\\ok.txt"), P("in\\a?b.txt"), P("in\\caf*.txt")},
                      {Box(kWarningTitle, kOk, kLeft)}, options);
    EXPECT_EQ(0u, r.exitCode);
    for (const auto &pair : pairs)
        for (const std::wstring &f : pair) EXPECT_EQ("same", ReadBytes(in + f));
    EXPECT_EQ("ok.txt", ReadBytes(P("Docs\\ok.txt")));
    EXPECT_FALSE(Exists(P("Folders")));
    ASSERT_EQ(1u, r.windows.size());
    for (const char *shown : {"caf?.txt", "a?b.txt", "Photos?2024", "caf*.txt"})
        EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\") + shown)) << shown;
}

// The same inside an expanded folder: "..¥..¥secret.txt" spelt in the code page leads out of the
// dropped folder. A hundred such names give one box that counts what it does not list.
TEST_P(E2EHostile, ListedNamesTheCodePageCannotHold) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    const std::wstring d = W(P("in\\D\\"));
    ASSERT_TRUE(WriteBytes(d + L"sub\\..\u00a5..\u00a5secret.txt", "inside"));
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(WriteBytes(d + L"many\\\u20ac" + std::to_wstring(i) + L".txt", "x"));
    Make("in\\secret.txt", "outside");
    Make("in\\D\\plain.txt");
    RunResult r = Run({P("in\\D")}, {Box(kWarningTitle, kOk, "ほか 81 件")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("outside", ReadBytes(P("in\\secret.txt")));
    EXPECT_EQ("inside", ReadBytes(d + L"sub\\..\u00a5..\u00a5secret.txt"));
    EXPECT_EQ("x", ReadBytes(d + L"many\\\u20ac99.txt"));
    EXPECT_EQ(Named({"plain.txt"}), Tree("Docs"));
}

// A read-only volume: the rule folder cannot be created, and the box says so (the shell said
// nothing, Wine's path "not found").
TEST_P(E2EHostile, RuleFolderThatCannotBeCreated) {
    if (!IsDir("R:\\")) GTEST_SKIP() << "no read-only volume R: on this machine";
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=R:\\Docs"}));
    Make("in\\a.txt");
    RunResult r = Run({P("in\\a.txt")},
                      {Box(kAppTitle, kOk, "移動先のフォルダ R:\\Docs を作成できませんでした。")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("a.txt", ReadBytes(P("in\\a.txt")));
}

INSTANTIATE_TEST_SUITE_P(Path, E2EHostile, ::testing::Values("Wine", "Shell"),
                         [](const ::testing::TestParamInfo<const char *> &i) {
                             return std::string(i.param);
                         });

class E2EHostileWine : public ZorvikTest {};

// A final dot or blank, which the path rules drop, would name the item beside; an empty argument
// names nothing. None is acted on; one box says why.
TEST_F(E2EHostileWine, DotsBlanksAndEmptyArguments) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=1",
                  "BaseDir=%R", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\a.txt");
    Make("in\\b.txt");
    Make("in\\Photos\\x.jpg");
    Listing before = Tree();
    RunResult r = Run({P("in\\a.txt."), P("in\\b.txt "), P("in\\Photos."), ""},
                      {Box(kWarningTitle, kOk, kLeft)});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(before, Tree());
    ASSERT_EQ(1u, r.windows.size());
    for (const std::string &shown :
         {P("in\\a.txt."), P("in\\b.txt "), P("in\\Photos."), std::string("空の引数")})
        EXPECT_NE(std::string::npos, r.windows[0].text.find(shown)) << shown;
}

// The program's folder reached through a link: not moved, nor the files in it.
TEST_F(E2EHostileWine, ProgramFilesThroughALink) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=2",
                  "[Extensions]", "exe=%R\\Moved", "INI=%R\\Moved"}));
    MakeDir("in");
    if (!UnixLink("../app", P("in\\applink"))) GTEST_SKIP() << "no Unix symlinks here";
    RunResult r =
        Run({P("in\\applink\\Zorvik.exe"), P("in\\applink\\Zorvik.INI"), P("in\\applink")},
            {Box(kWarningTitle, kOk, "Zorvik 自身")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_TRUE(IsDir(P("in\\applink")));
    EXPECT_FALSE(Exists(P("Moved")));
    EXPECT_FALSE(Exists(P("Folders\\applink")));
}

// "T:" without a backslash is the drive, not its current folder spelt as "T:\*.*" later on.
TEST_F(E2EHostileWine, BareDriveLetter) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "zvbare=%R\\Docs"}));
    Make("in\\a.zvbare");
    RunResult r = Run({"T:", P("in\\a.zvbare")}, {Box(kWarningTitle, kOk, "T: はドライブ")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"Docs\\a.zvbare", "a.zvbare"}, {"in\\", "<dir>"}}), Tree());
}

// Links to files, dropped or inside an expanded folder, stay: moving one moves what it leads to.
TEST_F(E2EHostileWine, LinksToFilesStay) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\outside.txt");
    Make("in\\D\\a.txt");
    if (!UnixLink("../outside.txt", P("in\\D\\lnk.txt")) ||
        !UnixLink("outside.txt", P("in\\lnk2.txt")))
        GTEST_SKIP() << "no Unix symlinks here";
    Listing expected = Tree();
    MoveEntry(expected, "in\\D\\a.txt", "Docs\\");
    RunResult r =
        Run({P("in\\D"), P("in\\lnk2.txt")}, {Box(kWarningTitle, kOk, "ファイルへのリンク")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
    ASSERT_EQ(1u, r.windows.size());
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\D\\lnk.txt")));
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\lnk2.txt")));
}

// File moves across volumes that fail leave the source as it was and nothing at the
// destination: a read-only source, and a file larger than the volume.
TEST_F(E2EHostileWine, FailedMovesAcrossVolumesLeaveNoCopy) {
    const std::string u = "U:\\E2EHostileWine_Across", s = "S:\\E2EHostileWine_Across";
    const bool small = IsDir("S:\\");
    RemoveTree(u);
    if (small) RemoveTree(s);
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=" + u, "big=" + s}));
    Make("in\\ro.txt");
    SetFileAttributesA(P("in\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Make("in\\huge.big", std::string(3 << 20, 'h'));
    std::vector<Answer> script{Box(kAppTitle, kOk, P("in\\ro.txt"))};
    if (small) script.push_back(Box(kAppTitle, kOk, P("in\\huge.big")));
    RunResult r = Run({P("in\\ro.txt"), P(small ? "in\\huge.big" : "in\\none.zz")}, script);
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("ro.txt", ReadBytes(P("in\\ro.txt")));
    EXPECT_EQ(std::string(3 << 20, 'h'), ReadBytes(P("in\\huge.big")));
    EXPECT_EQ(Listing(), TreeAt(u));
    if (small)
        EXPECT_EQ(Listing(), TreeAt(s));
    else
        std::cout << "[ SKIPPED  ] the full-volume case: no small volume S: on this machine\n";
    SetFileAttributesA(P("in\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveTree(u);
}

// A link inside a folder moved to another volume stops the move, and the box names the link.
TEST_F(E2EHostileWine, LinkInAFolderMovedAcrossVolumes) {
    const std::string u = "U:\\E2EHostileWine_LinkAcross";
    RemoveTree(u);
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=" + u, "MoveNoExt=2"}));
    Make("in\\elsewhere\\e.jpg");
    Make("in\\D1\\a.jpg");
    Make("in\\D2\\b.jpg");
    if (!UnixLink("../elsewhere", P("in\\D1\\dlink")) ||
        !UnixLink("../elsewhere/e.jpg", P("in\\D2\\flink.jpg")))
        GTEST_SKIP() << "no Unix symlinks here";
    Listing before = Tree();
    RunResult r =
        Run({P("in\\D1"), P("in\\D2")}, {Box(kAppTitle, kOk, "リンク " + P("in\\D1\\dlink")),
                                         Box(kAppTitle, kOk, "リンク " + P("in\\D2\\flink.jpg"))});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(before, Tree());
    EXPECT_EQ(Listing(), TreeAt(u));
    RemoveTree(u);
}

// A file too deep for the code-page calls, inside an expanded folder, is named, not skipped.
TEST_F(E2EHostileWine, PathTooDeepIsNamed) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\D\\near.txt");
    std::wstring deep = L"\\\\?\\" + W(P("in\\D"));
    // The last folder can still be listed; the file's path is 262 characters or more.
    while (deep.size() - 4 + 41 <= 255) deep += L"\\" + std::wstring(40, L'f');
    const std::wstring name = std::wstring(262 - (deep.size() - 4) - 9, L'x') + L"deep.txt";
    ASSERT_TRUE(WriteBytes(deep + L"\\" + name, "deep"));
    RunResult r = Run({P("in\\D")}, {Box(kWarningTitle, kOk, "パスが長すぎる")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("deep", ReadBytes(deep + L"\\" + name));
    EXPECT_EQ(Named({"near.txt"}), Tree("Docs"));
    ASSERT_EQ(1u, r.windows.size());
    EXPECT_NE(std::string::npos, r.windows[0].text.find("deep.txt"));
    RemoveTree(L"\\\\?\\" + W(P("in\\D")));
}

} // namespace
