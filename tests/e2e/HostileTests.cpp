// What a real desktop throws at the sorting mode: names the code page cannot hold, names the path
// rules change, links, the program's own folder under another name, bare drive letters, full and
// read-only volumes, paths too deep. Nothing may be lost or moved that was not dropped, and what
// stays is reported, many items in one box.
#include "robot/Robot.h"

#include "common/CodePage.h"

#include <algorithm>
#include <set>

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

// Names that code page 932 cannot hold are sorted under their own names, dropped or listed,
// files and a folder moved whole; the look-alikes that their best-fit spellings name (cafe.txt,
// a\b.txt, Photos\2024) are never touched. A key the code page cannot hold leaves its file, named
// correctly in the one warning.
TEST_P(E2EHostile, NamesTheCodePageCannotHoldAreSorted) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=1",
                  "BaseDir=%R", "[Extensions]", "txt=%R\\Docs", "docx=%R\\Docs", "jpg=%R\\Pics"}));
    const std::wstring in = W(P("in\\")), docs = W(P("Docs\\"));
    // The last has no extension: the folder question names it as it is.
    const std::wstring moved[] = {L"caf\u00e9.txt", L"a\u00a5b.txt", L"\ud68c\uc758\ub85d.docx",
                                  L"r\u00e9sum\u00e9"};
    const std::wstring stay[] = {L"cafe.txt", L"a\\b.txt", L"Photos\\2024\\y.txt", L"a.tx\u00e9"};
    for (const auto &f : moved) ASSERT_TRUE(WriteBytes(in + f, "moved"));
    for (const auto &f : stay) ASSERT_TRUE(WriteBytes(in + f, "stays"));
    ASSERT_TRUE(WriteBytes(in + L"a\U0001F600.jpg", "moved"));
    ASSERT_TRUE(WriteBytes(in + L"Photos\u00a52024\\x.txt", "moved"));
    RunOptions options;
    for (const auto &f : moved) options.wideArgs.push_back(in + f);
    for (const wchar_t *f : {L"a\U0001F600.jpg", L"Photos\u00a52024", L"a.tx\u00e9"})
        options.wideArgs.push_back(in + f);
    RunResult r = Run({}, {Box(kWarningTitle, kOk, kLeft), Chooser(kOk, P("Docs"))}, options);
    EXPECT_EQ(0u, r.exitCode);
    for (const auto &f : moved) EXPECT_EQ("moved", ReadBytes(docs + f));
    EXPECT_EQ("moved", ReadBytes(W(P("Pics\\")) + L"a\U0001F600.jpg"));
    EXPECT_EQ("moved", ReadBytes(W(P("Folders\\")) + L"Photos\u00a52024\\x.txt"));
    for (const auto &f : stay) EXPECT_EQ("stays", ReadBytes(in + f));
    ASSERT_EQ(2u, r.windows.size());
    EXPECT_NE(std::wstring::npos, r.windows[0].wideText.find(in + L"a.tx\u00e9"));
    EXPECT_NE(std::wstring::npos, r.windows[1].wideText.find(L"\"r\u00e9sum\u00e9\""));
}

// The same inside an expanded folder: "..\u00a5..\u00a5secret.txt" spelt in the code page would
// lead out of the dropped folder; sorted, it keeps its name. Keys the code page cannot hold give
// one box that counts what it does not list.
TEST_P(E2EHostile, ListedNamesTheCodePageCannotHold) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    const std::wstring d = W(P("in\\D\\")), docs = W(P("Docs\\"));
    ASSERT_TRUE(WriteBytes(d + L"sub\\..\u00a5..\u00a5secret.txt", "inside"));
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(WriteBytes(d + L"many\\\u20ac" + std::to_wstring(i) + L".txt", "x"));
        ASSERT_TRUE(WriteBytes(d + L"keys\\k" + std::to_wstring(i) + L".tx\u20ac", "k"));
    }
    Make("in\\secret.txt", "outside");
    Make("in\\D\\plain.txt");
    RunResult r = Run({P("in\\D")}, {Box(kWarningTitle, kOk, "ほか 5 件")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("outside", ReadBytes(P("in\\secret.txt")));
    EXPECT_EQ("inside", ReadBytes(docs + L"..\u00a5..\u00a5secret.txt"));
    EXPECT_EQ("x", ReadBytes(docs + L"\u20ac24.txt"));
    EXPECT_EQ("k", ReadBytes(d + L"keys\\k24.tx\u20ac"));
    EXPECT_EQ("plain.txt", ReadBytes(P("Docs\\plain.txt")));
    EXPECT_EQ(27u, ListFolder(docs).size());
}

// The program's own settings file and executable are never a destination: a dropped Zorvik.INI
// and Zorvik.exe whose rules point at the program's folder stay, with no replace question, and
// the warning says why. A destination that is a second name of the source (a hard link) is named.
TEST_P(E2EHostile, ProgramFilesAndHardLinksAsDestinations) {
    WriteIni(Ini(
        {"[Option]", "MoveNoExt=2", "[Extensions]", "INI=%R\\app", "exe=%R\\app", "txt=%R\\Docs"}));
    Make("in\\Zorvik.INI", "[Extensions]\r\nINI=elsewhere\r\n");
    Make("in\\Zorvik.exe", "not the program");
    Make("in\\h.txt");
    MakeDir("Docs");
    ASSERT_TRUE(CreateHardLinkA(P("Docs\\h.txt").c_str(), P("in\\h.txt").c_str(), nullptr));
    Listing before = Tree();
    RunResult r = Run({P("in\\Zorvik.INI"), P("in\\Zorvik.exe"), P("in\\h.txt")},
                      {Box(kWarningTitle, kOk, "Zorvik 自身")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(before, Tree());
    ASSERT_EQ(1u, r.windows.size());
    for (const char *f : {"in\\Zorvik.INI", "in\\Zorvik.exe", "in\\h.txt"})
        EXPECT_NE(std::string::npos, r.windows[0].text.find(P(f))) << f;
    EXPECT_NE(std::string::npos, r.windows[0].text.find("ハードリンク"));
}

// A dropped link to a folder, to be moved whole or opened up, is left and named: the folder it
// leads to stays where it is with all it holds, on either engine.
TEST_P(E2EHostile, DroppedFolderLinksStay) {
    std::string how;
    Make("real\\a.txt");
    MakeDir("in");
    if (!MakeFolderLink(P("in\\link"), P("real"), how)) GTEST_SKIP() << how;
    for (const std::string moveFolder : {"1", "0"}) {
        WriteIni(Ini({"[Option]", "MoveFolder=" + moveFolder, "MoveFolderPath=%R\\Folders",
                      "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
        EXPECT_EQ(0u,
                  Run({P("in\\link")}, {Box(kWarningTitle, kOk, "フォルダへのリンク")}).exitCode);
        EXPECT_EQ("a.txt", ReadBytes(P("real\\a.txt")));
        EXPECT_FALSE(Exists(P("Folders")) || Exists(P("Docs")));
    }
}

// A read-only volume: the rule folder cannot be created, and the box says so (the shell said
// nothing, Wine's path "not found").
TEST_P(E2EHostile, RuleFolderThatCannotBeCreated) {
    if (!IsDir("R:\\")) GTEST_SKIP() << "no read-only volume R: on this machine";
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=R:\\Docs"}));
    Make("in\\a.txt");
    RunResult r = Run({P("in\\a.txt")},
                      {Box(kAppTitle, kOk, "移動先のフォルダ R:\\Docs を作成できませんでした")});
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
    RunResult r = Run(
        {P("in\\applink\\Zorvik.exe"), P("in\\applink\\Zorvik.INI"), P("in\\applink")},
        {Box(kWarningTitle, kOk, "フォルダへのリンク"), Box(kWarningTitle, kOk, "Zorvik 自身")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_TRUE(IsDir(P("in\\applink")));
    EXPECT_FALSE(Exists(P("Moved")));
    EXPECT_FALSE(Exists(P("Folders\\applink")));
}

// A drive's root by every spelling, and through a link, is neither moved nor opened up; one
// warning lists them. A file of a rule at the drive's root shows that nothing was sorted there.
TEST_F(E2EHostileWine, DriveRootsHoweverSpelt) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "zvroot=%R\\Docs"}));
    const std::string marker = "T:\\E2EHostileWine_DriveRoots.zvroot";
    ASSERT_TRUE(WriteBytes(marker, "root"));
    Make("in\\a.zvroot");
    std::vector<std::string> args = {"T:",          "T:\\",        "T:\\.", "T:\\in\\..",
                                     "\\\\.\\T:\\", "\\\\?\\T:\\", "t:/"};
    if (UnixLink(UnixPath("T:\\"), P("in\\rootlink"))) args.push_back(P("in\\rootlink"));
    args.push_back(P("in\\a.zvroot"));
    RunResult r = Run(args, {Box(kWarningTitle, kOk, "ドライブのルート")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("root", ReadBytes(marker));
    DeleteFileA(marker.c_str());
    EXPECT_EQ("a.zvroot", ReadBytes(P("Docs\\a.zvroot")));
    ASSERT_EQ(1u, r.windows.size());
    std::set<std::string> lines;
    for (size_t start = 0, end; start <= r.windows[0].text.size(); start = end + 2) {
        end = std::min(r.windows[0].text.find("\r\n", start), r.windows[0].text.size());
        lines.insert(r.windows[0].text.substr(start, end - start));
    }
    for (size_t i = 0; i + 1 < args.size(); ++i) EXPECT_EQ(1u, lines.count(args[i])) << args[i];
}

// Valid names and their true reasons: a device's name is refused as one and never opened; a
// short name, a drive-relative path, forward slashes and a "\\?\" path name a real file and sort
// it under its own name; a file named with a final backslash is refused once, not asked about.
TEST_F(E2EHostileWine, ValidNamesAndTrueReasons) {
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R", "[Extensions]", "txt=%R\\Docs",
                  "pdf=%R\\Docs", "jpg=%R\\Docs"}));
    for (const char *f :
         {"in\\longfilename.txt", "rel.txt", "in\\fwd.txt", "in\\verb.txt", "in\\slash.txt"})
        Make(f);
    WIN32_FIND_DATAA fd{};
    FindClose(FindFirstFileA(P("in\\longfilename.txt").c_str(), &fd));
    const std::string shortName = fd.cAlternateFileName;
    const std::string root = R().substr(2); // \<test folder>, on the current drive T:
    std::vector<std::string> devices = {P("in\\CON.txt"),  P("in\\NUL"),     P("in\\AUX.pdf"),
                                        P("in\\COM1.jpg"), P("in\\nul.txt"), P("in\\prn"),
                                        "\\\\.\\T:"};
    std::vector<std::string> args = devices;
    args.insert(args.end(), {"T:rel.txt", "T:" + std::string(root) + "/in/fwd.txt",
                             "\\\\?\\" + P("in\\verb.txt"), P("in\\slash.txt\\")});
    Listing expected = Tree();
    for (const char *f : {"rel.txt", "in\\fwd.txt", "in\\verb.txt"})
        MoveEntry(expected, f, "Docs\\");
    if (!shortName.empty()) {
        args.push_back(P("in\\" + shortName));
        MoveEntry(expected, "in\\longfilename.txt", "Docs\\");
    }
    RunResult r = Run(args, {Box(kWarningTitle, kOk, "デバイスの名前")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
    ASSERT_EQ(1u, r.windows.size());
    const std::string &text = r.windows[0].text;
    const size_t device = text.find("デバイスの名前"), slash = text.find("フォルダではありません");
    for (const std::string &d : devices) EXPECT_NE(std::string::npos, text.find(d, device)) << d;
    EXPECT_LT(device, slash);
    EXPECT_NE(std::string::npos, text.find(P("in\\slash.txt\\"), slash));
}

// Links to files, dropped or inside an expanded folder, stay: moving one moves what it leads to.
TEST_P(E2EHostile, LinksToFilesStay) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\outside.txt");
    Make("in\\D\\a.txt");
    Make("in\\other\\same.txt");
    // The last leads to a file of its own name: only its folder tells.
    if (!UnixLink("../outside.txt", P("in\\D\\lnk.txt")) ||
        !UnixLink("outside.txt", P("in\\lnk2.txt")) ||
        !UnixLink("../other/same.txt", P("in\\D\\same.txt")))
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
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\D\\same.txt")));
}

// File moves across volumes that fail leave the source as it was and nothing at the
// destination: a read-only source, and a file larger than the volume. One box names both.
TEST_F(E2EHostileWine, FailedMovesAcrossVolumesLeaveNoCopy) {
    const std::string u = "U:\\E2EHostileWine_Across", s = "S:\\E2EHostileWine_Across";
    const bool small = IsDir("S:\\");
    RemoveTree(u);
    if (small) RemoveTree(s);
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=" + u, "big=" + s}));
    Make("in\\ro.txt");
    SetFileAttributesA(P("in\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Make("in\\huge.big", std::string(3 << 20, 'h'));
    RunResult r = Run({P("in\\ro.txt"), P(small ? "in\\huge.big" : "in\\none.zz")},
                      {Box(kAppTitle, kOk, P("in\\ro.txt"))});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ("ro.txt", ReadBytes(P("in\\ro.txt")));
    EXPECT_EQ(std::string(3 << 20, 'h'), ReadBytes(P("in\\huge.big")));
    EXPECT_EQ(Listing(), TreeAt(u));
    if (small) {
        EXPECT_EQ(Listing(), TreeAt(s));
        ASSERT_EQ(1u, r.windows.size());
        EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\huge.big")));
    } else {
        std::cout << "[ SKIPPED  ] the full-volume case: no small volume S: on this machine\n";
    }
    SetFileAttributesA(P("in\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveTree(u);
}

// A link inside a folder moved to another volume stops the move; one box names both links.
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
    RunResult r = Run({P("in\\D1"), P("in\\D2")}, {Box(kAppTitle, kOk, P("in\\D1\\dlink"))});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(before, Tree());
    EXPECT_EQ(Listing(), TreeAt(u));
    ASSERT_EQ(1u, r.windows.size());
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\D2\\flink.jpg")));
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
