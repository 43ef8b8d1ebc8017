// The sorting run over dropped files: the decision for each file, the folder question for files
// without extension, the replace question, failed moves, and the program's own files.
#include "robot/Robot.h"

#include "common/Path.h"

using namespace zvtest;

namespace {

// What the rules below make of a file.
enum class Kind { Rule, Stay, NoRule, NoExt, Left };

struct Row {
    const char *file; // below in\ .
    Kind kind;
    const char *ruleFolder; // Kind::Rule: where it goes, relative to the test's folder
};

const Row kTable[] = {
    {"photo.JPG", Kind::Rule, "New\\Pics\\"},     // rule in another letter case
    {"archive.tar.gz", Kind::Rule, "Archives\\"}, // the last dot counts
    {".profile", Kind::Rule, "Dot\\"},            // a leading dot is an extension
    {"report.txt", Kind::Rule, "Docs\\"},
    {"予定表.txt", Kind::Rule, "Docs\\"},
    {"a.b.log2", Kind::Rule, "Logs\\"},
    {"letter.doc", Kind::Stay, nullptr},  // rule and ignore: ignored
    {"app.log", Kind::Stay, nullptr},     // null
    {"sys.cfg", Kind::Stay, nullptr},     // Null
    {"old.bak", Kind::NoRule, nullptr},   // ignore value 1 does not ignore
    {"x.tmp", Kind::NoRule, nullptr},     // empty ignore value does not ignore
    {"readme.md", Kind::NoRule, nullptr}, // empty rule folder
    {"data.xyz", Kind::NoRule, nullptr},
    {"notes.", Kind::Left, nullptr},             // names the file notes: left, and said so
    {"Old.files\\README", Kind::NoExt, nullptr}, // a dot in the folder name does not count
    {"予定表", Kind::NoExt, nullptr},            // ends in a 0x5C trail byte
};

struct Mode {
    const char *name;
    const char *line; // the MoveNoExt line, or nullptr for none
    int value;        // what the run makes of it
};

void PrintTo(const Mode &row, std::ostream *os) { *os << row.name; }

class E2ESortDecision : public ZorvikTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(E2ESortDecision, EveryRowOfTheTable) {
    const Mode mode = GetParam();
    std::vector<std::string> ini = {"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders",
                                    "MoveNoExtPath=%R\\Misc\\Deep", "BaseDir=%R\\base"};
    if (mode.line) ini.push_back(mode.line);
    // Rules: jpg and profile into missing folders (created with their parents), gz with a
    // trailing backslash, md with an empty folder (no rule); ignore markers NULL/null/Null
    // ignore, 1 and an empty value do not; doc has a rule and is ignored.
    ini.insert(ini.end(),
               {"[Extensions]", "jpg=%R\\New\\Pics", "gz=%R\\Archives\\", "profile=%R\\Dot",
                "txt=%R\\Docs", "doc=%R\\Docs2", "md=", "log2=%R\\Logs", "[Ignore]", "doc=NULL",
                "log=null", "cfg=Null", "bak=1", "tmp="});
    WriteIni(Ini(ini));
    MakeDir("base");
    const bool ask = mode.value == 1;
    std::vector<std::string> args;
    // What is left unacted on is reported once, before any question.
    std::vector<Answer> script{Box(kWarningTitle, kOk, "notes.")};
    for (const Row &row : kTable) {
        Make(std::string("in\\") + row.file);
        args.push_back(P("in\\") + row.file);
        const std::string name = zv::ExtractFileName(row.file);
        // In ask mode each of these asks, in argument order; every question is declined.
        if (ask && row.kind == Kind::NoExt)
            script.push_back(Chooser(kCancel, "", "\"" + name + "\""));
        if (ask && row.kind == Kind::NoRule) script.push_back(Form(kRuleTitle, kRuleCancel));
    }
    Listing expected = Tree();
    for (const Row &row : kTable) {
        // A name's trailing dots are not part of it on disk: notes. is the file notes.
        std::string from = std::string("in\\") + row.file;
        while (from.back() == '.') from.pop_back();
        if (row.kind == Kind::Rule) MoveEntry(expected, from, row.ruleFolder);
        if ((row.kind == Kind::NoRule || row.kind == Kind::NoExt) && mode.value == 0)
            MoveEntry(expected, from, "Misc\\Deep\\");
    }

    RunResult r = Run(args, script);

    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MoveNoExt, E2ESortDecision,
    ::testing::Values(Mode{"Zero", "MoveNoExt=0", 0}, Mode{"Two", "MoveNoExt=2", 2},
                      Mode{"Five", "MoveNoExt=5", 5}, Mode{"One", "MoveNoExt=1", 1},
                      Mode{"Missing", nullptr, 1}, Mode{"NotANumber", "MoveNoExt=two", 1},
                      Mode{"Hex", "MoveNoExt=0x2", 2}),
    [](const ::testing::TestParamInfo<Mode> &i) { return i.param.name; });

class E2ESort : public ZorvikTest {};

// In ask mode an unregistered extension opens the rule editor for the file. A rule saved there
// moves the file and every later file of that extension without a question; a cancel asks again
// for the next file; a rule saved under another extension leaves the file where it is.
TEST_F(E2ESort, RuleQuestionInAskMode) {
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R\\base", "[Extensions]", "txt=%R\\Docs"}));
    MakeDir("base");
    for (const char *f : {"a.xyz", "b.xyz", "c.abc", "d.abc"}) Make(std::string("in\\") + f);
    RunResult r =
        Run({P("in\\a.xyz"), P("in\\b.xyz"), P("in\\c.abc"), P("in\\d.abc")},
            {Form(kRuleTitle, kOk), Box(kConfirmTitle, kYes, "フォルダを作成しますか"),
             Form(kRuleTitle, kRuleCancel), Form(kRuleTitle, kOk, {{kRuleExtension, "abc2"}}),
             Box(kConfirmTitle, kYes, "フォルダを作成しますか")});
    EXPECT_EQ(0u, r.exitCode);
    ASSERT_EQ(5u, r.windows.size());
    EXPECT_EQ("xyz", r.windows[0].controls[kRuleExtension]);
    EXPECT_EQ(P("base\\xyz"), r.windows[0].controls[kRuleFolder]);
    EXPECT_EQ("abc", r.windows[2].controls[kRuleExtension]);
    Listing expected = Named({"base\\xyz\\a.xyz", "base\\xyz\\b.xyz", "in\\c.abc", "in\\d.abc"});
    expected["base\\abc\\"] = "<dir>";
    EXPECT_EQ(expected, Tree());
    IniMayChange();
    EXPECT_EQ(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R\\base", "[Extensions]", "txt=%R\\Docs",
                   "xyz=%R\\base\\xyz", "abc2=%R\\base\\abc"}),
              ReadBytes(IniPath()));
}

// With an empty MoveNoExtPath a file goes to the root of the current drive.
TEST_F(E2ESort, EmptyNoExtPathMeansTheCurrentDriveRoot) {
    WriteIni(Ini({"[Option]", "MoveNoExt=0", "MoveNoExtPath="}));
    const char *names[] = {"ZvE2ERootNoExt", "zve2e-root.zvq"};
    for (const char *n : names) {
        DeleteFileA((std::string("T:\\") + n).c_str());
        Make(std::string("in\\") + n);
    }
    RunResult r = Run({P("in\\") + names[0], P("in\\") + names[1]});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"in\\", "<dir>"}}), Tree());
    for (const char *n : names) {
        std::string moved = std::string("T:\\") + n;
        EXPECT_EQ(n, ReadBytes(moved));
        DeleteFileA(moved.c_str());
    }
}

// The folder question for a file without extension: it starts at BaseDir, names the file, and
// moves the file into the folder chosen; a cancel leaves the next file where it is.
TEST_F(E2ESort, FolderQuestionForAFileWithoutExtension) {
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R\\base"}));
    MakeDir("base");
    MakeDir("ソ表");
    Make("in\\予定表");
    Make("in\\LICENSE");
    Listing expected = Tree();
    MoveEntry(expected, "in\\予定表", "ソ表\\");
    RunResult r =
        Run({P("in\\予定表"), P("in\\LICENSE")}, {Chooser(kOk, P("ソ表")), Chooser(kCancel)});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
    ASSERT_EQ(2u, r.windows.size());
    EXPECT_EQ("ファイルに拡張子がありません。 : \"予定表\"\r移動先フォルダを指定してください。",
              r.windows[0].text);
    EXPECT_EQ("ファイルに拡張子がありません。 : \"LICENSE\"\r移動先フォルダを指定してください。",
              r.windows[1].text);
    EXPECT_EQ(P("base"), r.windows[0].selection);
    EXPECT_EQ(P("base"), r.windows[1].selection);
}

// The replace question names the destination; no keeps both files as they were, yes replaces.
// At the second question the answer may stand for the rest of the drop: the three files after it
// replace theirs without a question. On the shell's path too, where the program asks first.
class E2EReplace : public ZorvikTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(E2EReplace, QuestionAndTheRestOfTheDrop) {
    if (std::string(GetParam()) == "Shell") {
        std::string shell = TestExeDir() + "ZorvikShell.exe";
        ASSERT_TRUE(CopyFileA(shell.c_str(), ExePath().c_str(), FALSE)) << shell;
    }
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    std::vector<std::string> args;
    for (const char *f : {"keep", "swap", "r1", "r2", "r3"}) {
        Make(std::string("Docs\\") + f + ".txt", "old");
        Make(std::string("in\\") + f + ".txt", "new");
        args.push_back(P("in\\") + f + ".txt");
    }
    RunResult r = Run(args, {Box(kConfirmTitle, kNo, P("Docs\\keep.txt")),
                             Box(kConfirmTitle, kYes, P("Docs\\swap.txt")),
                             Box(kConfirmTitle, kYes, "すべて置き換えますか")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"Docs\\keep.txt", "old"},
                     {"Docs\\swap.txt", "new"},
                     {"Docs\\r1.txt", "new"},
                     {"Docs\\r2.txt", "new"},
                     {"Docs\\r3.txt", "new"},
                     {"in\\keep.txt", "new"}}),
              Tree());
}

INSTANTIATE_TEST_SUITE_P(Path, E2EReplace, ::testing::Values("Wine", "Shell"),
                         [](const ::testing::TestParamInfo<const char *> &i) {
                             return std::string(i.param);
                         });

// Moves that fail are gathered by kind into one box at the run's end, twenty named and the rest
// counted; the run goes on. The same file twice, and paths that name nothing (their destination
// folder is still made).
TEST_F(E2ESort, FailedMovesAreGatheredIntoOneBox) {
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs", "gone=%R\\Gone"}));
    Make("in\\a.txt");
    Make("in\\b.txt");
    std::vector<std::string> args{P("in\\a.txt"), P("in\\a.txt")};
    for (int i = 0; i < 25; ++i) args.push_back(P("in\\nothing" + std::to_string(i) + ".gone"));
    args.push_back(P("in\\b.txt"));
    RunResult r = Run(args, {Box(kAppTitle, kOk, "ほか 6 件")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"Docs\\a.txt", "a.txt"},
                     {"Docs\\b.txt", "b.txt"},
                     {"in\\", "<dir>"},
                     {"Gone\\", "<dir>"}}),
              Tree());
    ASSERT_EQ(1u, r.windows.size());
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\a.txt")));
    EXPECT_NE(std::string::npos, r.windows[0].text.find(P("in\\nothing18.gone")));
}

// The program's executable and settings file are never moved, whatever the rules say; nor is
// the folder that holds them.
TEST_F(E2ESort, TheProgramsOwnFilesStay) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=2",
                  "[Extensions]", "exe=%R\\Moved", "INI=%R\\Moved"}));
    Make("in\\tool.exe");
    Make("in\\other.ini");
    RunResult r = Run({ExePath(), IniPath(), P("in\\tool.exe"), P("in\\other.ini"), P("app")},
                      {Box(kWarningTitle, kOk, "Zorvik")});
    EXPECT_EQ(0u, r.exitCode);
    // The folder that stays makes no destination of its own.
    EXPECT_EQ(Files({{"Moved\\tool.exe", "tool.exe"},
                     {"Moved\\other.ini", "other.ini"},
                     {"in\\", "<dir>"}}),
              Tree());
}

// The build that leaves every move to the shell: files sorted into missing folders, a file
// without extension and a folder.
TEST_F(E2ESort, ShellMoves) {
    std::string shell = TestExeDir() + "ZorvikShell.exe";
    ASSERT_TRUE(CopyFileA(shell.c_str(), ExePath().c_str(), FALSE)) << shell;
    WriteIni(
        Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=0",
             "MoveNoExtPath=%R\\Misc", "[Extensions]", "txt=%R\\New\\Docs", "jpg=%R\\Pics\\"}));
    Make("in\\a.txt");
    Make("in\\表.txt");
    Make("in\\b.jpg");
    Make("in\\README");
    Make("in\\Photos\\x.jpg");
    RunResult r =
        Run({P("in\\a.txt"), P("in\\表.txt"), P("in\\b.jpg"), P("in\\README"), P("in\\Photos")});
    EXPECT_EQ(0u, r.exitCode);
    Listing expected = Named({"New\\Docs\\a.txt", "New\\Docs\\表.txt", "Pics\\b.jpg",
                              "Misc\\README", "Folders\\Photos\\x.jpg"});
    expected["in\\"] = "<dir>";
    EXPECT_EQ(expected, Tree());
}

} // namespace
