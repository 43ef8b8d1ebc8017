// The settings file as a hostile user and a hostile environment treat it: what the editors must
// refuse, a file that cannot be read, a full disk, another program writing meanwhile, links, long
// paths and values. Nothing the user did not change may change, and no failed save is a success.
#include <tuple>

#include "OptionGroups.h"
#include "common/CodePage.h"
#include "ui/AddIgnoreUnit.h"
#include "ui/AddUnit.h"
#include "ui/MainUnit.h"

using namespace zvtest;
using M = zv::TMainForm;
using A = zv::TAddForm;

namespace {

const char kAddRule[] = "整理ルールの追加", kEditRule[] = "整理ルールの編集";
const char kCannotStore[] = "保存できません", kNotInCodePage[] = "扱えない文字",
           kNotFull[] = "ドライブから指定";
using Refusals = std::vector<std::pair<std::wstring, const char *>>;
const Refusals kBadExtensions = {
    {L".", kCannotStore},    {L"...", kCannotStore},   {L" ", kCannotStore},
    {L" jpg", kCannotStore}, {L"jpg\t", kCannotStore}, {L"a=b", kCannotStore},
    {L"[x", kCannotStore},   {L".;x", kCannotStore},   {L"\u00e9", kNotInCodePage}};

// Types each text into a field, presses OK and expects a warning holding its part; the window
// stays open.
void ExpectRefused(Session &s, HWND w, int field, const Refusals &texts) {
    for (const auto &t : texts) {
        SCOPED_TRACE(::testing::PrintToString(t.first));
        Session::Type(Session::Control(w, field), t.first);
        s.Click(w, IDOK);
        EXPECT_NE(std::string::npos, s.AnswerBox(kWarningTitle, kOk).find(t.second));
        EXPECT_TRUE(IsWindowVisible(w));
    }
}

// Fills the volume of folder with one file until leave bytes are free.
bool Fill(const std::string &folder, ULONGLONG leave) {
    ULARGE_INTEGER free{};
    return GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr) && free.QuadPart >= leave &&
           WriteBytes(folder + "filler", std::string(free.QuadPart - leave, 'f'));
}

class SettingsUnderAttack : public ZorvikTest {
  protected:
    // A copy of the program in folder; its path.
    std::string App(const std::string &folder) const {
        MakeDirs(folder);
        CopyFileA(ExePath().c_str(), (folder + "Zorvik.exe").c_str(), FALSE);
        return folder + "Zorvik.exe";
    }
};

// Every editor refuses what the file cannot hold as it will be read back, and text the code page
// cannot hold; the rule editor refuses relative folders and creates one ending in two
// backslashes. A line with an empty name hides no rule and is not written back.
TEST_F(SettingsUnderAttack, EditorsRefuseWhatTheFileCannotHold) {
    IniMayChange();
    WriteIni(Ini({"[Extensions]", "=T:\\dst", "doc=%R", "jpg=%R", "txt=%R"}));
    auto s = Start();
    HWND w = s->Window(kMainTitle), e = nullptr;
    ASSERT_TRUE(w);
    HWND list = Session::Control(w, M::IDC_LISTVIEW1);
    EXPECT_EQ(3u, s->Rows(list, 1).size());
    const std::tuple<int, const char *, int> editors[] = {
        {0, kAddRule, A::IDC_EDTEXT},
        {1, kEditRule, A::IDC_EDTEXT},
        {2, "無視ルールの追加", zv::TAddIgnoreForm::IDC_EDTEXT}};
    for (const auto &[mode, title, field] : editors) {
        if (mode == 1) s->ClickRow(list, 0);
        if (mode == 2) s->Keys({VK_CONTROL, VK_TAB});
        s->Click(w, mode == 1 ? M::IDC_BTNEDIT : M::IDC_BTNADD);
        ASSERT_TRUE(e = s->Window(title));
        ExpectRefused(*s, e, field, kBadExtensions);
        if (mode == 0) {
            Session::Type(Session::Control(e, A::IDC_EDTEXT), "new");
            ExpectRefused(*s, e, A::IDC_EDTPATH,
                          {{L"rel\\sub", kNotFull},
                           {L"\\root", kNotFull},
                           {L"T:rel", kNotFull},
                           {zv::ToWide(P("a")) + L"\u00a5b", kNotInCodePage}});
            s->Type(e, A::IDC_EDTPATH, P("new\\sub\\\\"));
            s->Click(e, IDOK);
            s->AnswerBox(kConfirmTitle, kYes);
            EXPECT_TRUE(s->Gone(e));
            EXPECT_TRUE(IsDir(P("new\\sub")));
        } else {
            s->Click(e, mode == 2 ? IDCANCEL : A::IDC_BUTTON1);
            EXPECT_TRUE(s->Gone(e));
        }
    }
    EXPECT_FALSE(Exists(P("a\\b")));
    s->Keys({VK_CONTROL, VK_TAB});
    ExpectRefused(*s, w, M::IDC_EDTFOLDERMOVEPATH, {{L"C:\\\u20ac", kNotInCodePage}});
    s->Type(w, M::IDC_EDTFOLDERMOVEPATH, "");
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_EQ(Ini({"[Extensions]", "=T:\\dst", "doc=%R", "jpg=%R", "new=%R\\new\\sub\\", "txt=%R",
                   "[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=0", "MoveNoExtPath="}),
              ReadBytes(IniPath()));

    // The rule editor asked for while sorting: nothing refused reaches the file; nothing moves.
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R"}));
    Make("in\\a.xyz");
    s = Start({P("in\\a.xyz")});
    ASSERT_TRUE(e = s->Window(kAddRule));
    ExpectRefused(*s, e, A::IDC_EDTEXT, kBadExtensions);
    s->Click(e, A::IDC_BUTTON1);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_EQ(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R"}), ReadBytes(IniPath()));
    EXPECT_TRUE(IsFile(P("in\\a.xyz")));
}

// A settings file held open by another program without sharing is never read as defaults nor
// written over: both modes end with the error, and no file moves.
TEST_F(SettingsUnderAttack, UnreadableSettingsEndWithTheError) {
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\a.txt");
    zv::KernelHandle held = HoldExclusively(IniPath());
    ASSERT_TRUE(held.valid());
    for (const auto &args : {std::vector<std::string>{}, std::vector<std::string>{P("in\\a.txt")}})
        EXPECT_EQ(1u, Run(args, {Box(kFatalTitle, kOk, IniPath() + " を読み込めません")}).exitCode);
    held.reset();
    EXPECT_EQ(Named({"in\\a.txt"}), Tree());
}

// Another program writes while the window is open (a sorting run's rule editor, a second
// settings window): OK keeps what it added, changed or deleted wherever the window left that key
// alone; where both changed one, the window's wins.
TEST_F(SettingsUnderAttack, AnotherProgramsChangesSurviveOk) {
    IniMayChange();
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=0",
                  "MoveNoExtPath=C:\\N", "[Extensions]", "doc=C:\\D", "jpg=C:\\J", "txt=C:\\T",
                  "zip=C:\\Z", "[Ignore]", "tmp=NULL"}));
    auto s = Start();
    HWND w = s->Window(kMainTitle), list = Session::Control(w, M::IDC_LISTVIEW1);
    ASSERT_TRUE(w);
    const char *const writes[][3] = {
        {"Extensions", "pdf", "C:\\P"}, {"Extensions", "txt", "C:\\T2"},
        {"Extensions", "jpg", nullptr}, {"Extensions", "doc", "C:\\D3"},
        {"Ignore", "log", "NULL"},      {"Option", "MoveNoExtPath", "X"}};
    for (const auto &k : writes)
        ASSERT_TRUE(WritePrivateProfileStringA(k[0], k[1], k[2], IniPath().c_str()));
    s->ClickRow(list, 0); // doc changed, mp3 added, zip deleted here
    s->Click(w, M::IDC_BTNEDIT);
    HWND e = s->Window(kEditRule);
    ASSERT_TRUE(e);
    s->Type(e, A::IDC_EDTPATH, R());
    s->Click(e, IDOK);
    EXPECT_TRUE(s->Gone(e));
    s->Click(w, M::IDC_BTNADD);
    ASSERT_TRUE(e = s->Window(kAddRule));
    s->Type(e, A::IDC_EDTEXT, "mp3");
    s->Type(e, A::IDC_EDTPATH, R());
    s->Click(e, IDOK);
    EXPECT_TRUE(s->Gone(e));
    EXPECT_TRUE(WaitUntil([&] { return s->Rows(list, 1).size() == 5; }));
    s->ClickRow(list, 4);
    s->Click(w, M::IDC_BTNDELETE);
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_EQ(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=0", "MoveNoExtPath=X",
                   "[Extensions]", "doc=%R", "mp3=%R", "txt=C:\\T2", "pdf=C:\\P", "[Ignore]",
                   "tmp=NULL", "log=NULL"}),
              ReadBytes(IniPath()));
}

// A full disk: every save fails with the write error and leaves the file byte for byte, with no
// copy beside it. The main window's OK with two pages free (the profile writer cuts its copy),
// the rule editor while sorting with none, a first run with none.
TEST_F(SettingsUnderAttack, FullDiskLeavesTheFileAsItWas) {
    const std::string dir = "S:\\SettingsUnderAttack_FullDisk\\", ini = dir + "Zorvik.INI";
    if (!IsDir("S:\\")) GTEST_SKIP() << "no small volume S: on this machine";
    RemoveTree(dir);
    const std::string exe = App(dir);
    Make("in\\a.xyz");
    std::string bytes = "[Option]\r\nMoveNoExt=1\r\nBaseDir=" + R() +
                        "\r\n[Ignore]\r\ntmp=NULL\r\n" + "[Extensions]\r\ntxt=" + R() +
                        "\r\npad=C:\\";
    bytes += std::string(8192 - 10 - bytes.size(), 'p') + "\r\n"; // a new rule takes it over
    ASSERT_TRUE(WriteBytes(ini, bytes) && Fill(dir, 8192));
    auto files = [&] { return TreeAt(dir).size(); };
    {
        Session s(exe, {}, R());
        HWND w = s.Window(kMainTitle), e = nullptr;
        ASSERT_TRUE(w);
        s.Click(w, M::IDC_BTNADD);
        ASSERT_TRUE(e = s.Window(kAddRule));
        s.Type(e, A::IDC_EDTEXT, "zz");
        s.Type(e, A::IDC_EDTPATH, R());
        s.Click(e, IDOK);
        EXPECT_TRUE(s.Gone(e));
        s.Click(w, M::IDC_BTNOK);
        EXPECT_EQ(ini + " に書き込めません.", s.AnswerBox(kAppTitle, kOk));
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(bytes, ReadBytes(ini));
        EXPECT_EQ(3u, files());
        s.Click(w, M::IDC_BTNCANCEL);
        EXPECT_EQ(0u, s.Wait());
    }
    ASSERT_TRUE(DeleteFileA((dir + "filler").c_str()) && Fill(dir, 0));
    {
        Session s(exe, {P("in\\a.xyz")}, R());
        HWND e = s.Window(kAddRule);
        ASSERT_TRUE(e);
        s.Type(e, A::IDC_EDTPATH, R());
        s.Click(e, IDOK);
        EXPECT_EQ(ini + " に書き込めません.", s.AnswerBox(kAppTitle, kOk));
        EXPECT_TRUE(IsWindowVisible(e));
        s.Click(e, A::IDC_BUTTON1);
        EXPECT_EQ(0u, s.Wait());
    }
    EXPECT_EQ(bytes, ReadBytes(ini));
    EXPECT_TRUE(IsFile(P("in\\a.xyz")));
    ASSERT_TRUE(DeleteFileA(ini.c_str()) && DeleteFileA((dir + "filler").c_str()) && Fill(dir, 0));
    RunOptions first;
    first.exe = exe;
    EXPECT_EQ(1u, Run({P("in\\a.xyz")},
                      {Chooser(kCancel), Box(kFatalTitle, kOk, ini + " に書き込めません")}, first)
                      .exitCode);
    EXPECT_EQ(2u, files());
    RemoveTree(dir);
}

// What a save must not change: a read-only file stays read-only and unwritten; a link stays a
// link and its file is written; a second name of the file sees the save; a folder near the path
// limit saves; a value longer than a lookup reads is kept whole, and each line the user did not
// change keeps its bytes and its place.
TEST_F(SettingsUnderAttack, SavesChangeOnlyWhatTheyMean) {
    const std::string value = "C:\\" + std::string(3000, 'v');
    const std::string before =
                          Ini({"[Extensions]", "txt = " + value, "", "[Option]", "MoveFolder=1",
                               "MoveFolderPath=", "MoveNoExt=0", "MoveNoExtPath="}),
                      after = Ini({"[Extensions]", "txt = " + value, "", "[Option]", "MoveFolder=1",
                                   "MoveFolderPath=", "MoveNoExt=2", "MoveNoExtPath="});
    struct Case {
        const char *name;
        std::string exe, ini; // ini: where the file the save writes stands
        bool refused;
    };
    std::vector<Case> cases = {{"plain", App(P("plain\\")), P("plain\\Zorvik.INI"), false},
                               {"read-only", App(P("ro\\")), P("ro\\Zorvik.INI"), true},
                               {"link", App(P("link\\app\\")), P("link\\real\\Zorvik.INI"), false},
                               {"second name", App(P("hard\\")), P("hard\\other.INI"), false}};
    const std::string deep = P("deep\\") + std::string(246 - P("deep\\").size(), 'd') + "\\";
    cases.push_back({"path near the limit", App(deep), deep + "Zorvik.INI", false});
    for (const Case &c : cases) ASSERT_TRUE(WriteBytes(c.ini, before));
    if (!UnixLink("../real/Zorvik.INI", P("link\\app\\Zorvik.INI")))
        GTEST_SKIP() << "no Unix symlinks here";
    ASSERT_TRUE(
        CreateHardLinkA(P("hard\\Zorvik.INI").c_str(), P("hard\\other.INI").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesA(P("ro\\Zorvik.INI").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Session s(c.exe, {}, R());
        HWND w = s.Window(kMainTitle);
        if (!w) continue;
        s.Keys({VK_CONTROL, VK_SHIFT, VK_TAB});
        s.Click(w, M::IDC_RADIONOMOVENOEXT);
        s.Click(w, M::IDC_BTNOK);
        if (c.refused) {
            EXPECT_EQ(c.ini + " に書き込めません.", s.AnswerBox(kAppTitle, kOk));
            s.Click(w, M::IDC_BTNCANCEL);
        }
        EXPECT_EQ(0u, s.Wait());
        EXPECT_EQ(c.refused ? before : after, ReadBytes(c.ini));
    }
    EXPECT_TRUE(GetFileAttributesA(P("ro\\Zorvik.INI").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(P("ro\\Zorvik.INI").c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
