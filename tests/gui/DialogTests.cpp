// The dialogs of the program driven as a user drives them: the rule editor and the ignore-rule
// editor opened from the main window, the version window, and the first-run window.
#include "OptionGroups.h"
#include "common/Version.h"
#include "ui/AboutUnit.h"
#include "ui/AddIgnoreUnit.h"
#include "ui/AddUnit.h"
#include "ui/FirstRunUnit.h"
#include "ui/FolderChooser.h"
#include "ui/MainUnit.h"

using namespace zvtest;
using M = zv::TMainForm;
using A = zv::TAddForm;
using I = zv::TAddIgnoreForm;
using B = zv::TAboutBox;
using S = zv::TFormSetting;

namespace {

// Pixels of a control on the screen, counted by colour: the most of one row, and all.
struct Ink {
    int total = 0, widestRow = 0, width = 0;
};
Ink InkOf(HWND control, COLORREF color) {
    RECT r;
    GetWindowRect(control, &r);
    HDC screen = GetDC(nullptr);
    Ink ink;
    ink.width = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
        int row = 0;
        for (int x = r.left; x < r.right; ++x) row += GetPixel(screen, x, y) == color;
        ink.total += row;
        ink.widestRow = std::max(ink.widestRow, row);
    }
    ReleaseDC(nullptr, screen);
    return ink;
}

int ListRows(const Session &s, HWND main) {
    return static_cast<int>(s.Rows(Session::Control(main, M::IDC_LISTVIEW1), 1).size());
}

class Dialogs : public ZorvikTest {
  protected:
    void SetUp() override {
        ZorvikTest::SetUp();
        WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=0",
                      "MoveNoExtPath=", "BaseDir=", "[Extensions]", "txt=C:\\T", "[Ignore]",
                      "lnk=NULL"}));
    }
    // The main window, then the editor that its Add button opens on the given page.
    HWND OpenEditor(Session &s, HWND &main, int pages, const char *title) {
        main = s.Window(kMainTitle);
        if (!main) return nullptr;
        for (int i = 0; i < pages; ++i) s.Keys({VK_CONTROL, VK_TAB});
        s.Click(main, M::IDC_BTNADD);
        return s.Window(title);
    }
};

// The rule editor in add mode: its keys, every message that keeps it open, and the
// folder created on the way; the main window then gets one row.
TEST_F(Dialogs, RuleEditorKeysAndMessages) {
    auto s = Start();
    HWND w = nullptr, e = OpenEditor(*s, w, 0, "整理ルールの追加");
    ASSERT_TRUE(e);
    EXPECT_EQ(A::IDC_EDTEXT, s->FocusId());
    s->Keys({VK_ESCAPE}); // assigned to no button
    EXPECT_TRUE(IsWindowVisible(e));

    std::vector<std::string> texts;
    s->Click(e, A::IDC_BTNOK);
    texts.push_back(s->AnswerBox(kWarningTitle, kOk));
    s->Type(e, A::IDC_EDTEXT, "txt");
    s->Type(e, A::IDC_EDTPATH, P("new\\ソ"));
    s->Click(e, A::IDC_BTNOK);
    texts.push_back(s->AnswerBox(kConfirmTitle, kNo));
    s->Type(e, A::IDC_EDTPATH, "");
    s->Click(e, A::IDC_BTNOK);
    texts.push_back(s->AnswerBox(kConfirmTitle, kYes));
    texts.push_back(s->AnswerBox(kAppTitle, kOk));
    EXPECT_TRUE(IsWindowVisible(e));
    EXPECT_EQ(1, ListRows(*s, w)); // nothing added yet
    s->Type(e, A::IDC_EDTPATH, P("new\\ソ"));
    s->Click(e, A::IDC_BTNOK);
    texts.push_back(s->AnswerBox(kConfirmTitle, kYes));
    EXPECT_TRUE(s->Gone(e));
    ASSERT_EQ(5u, texts.size());
    EXPECT_EQ("拡張子を入力してください。", texts[0]);
    EXPECT_EQ("フォルダを作成しますか？", texts[1]);
    EXPECT_EQ("ディレクトリを作成できません.", texts[3]);
    EXPECT_TRUE(IsDir(P("new\\ソ")));
    EXPECT_EQ(2, ListRows(*s, w));
    s->Click(w, M::IDC_BTNCANCEL);
    EXPECT_EQ(0u, s->Wait());
}

// Asked for a rule while sorting: the fields come from the file and the base folder; a settings
// file that cannot be written keeps the editor open with the error, and nothing is moved. Still
// held when the editor closes, the file cannot be read either: the run ends there with the error,
// never taking the lookup's default for the file's rule.
TEST_F(Dialogs, RuleEditorWhileSortingShowsTheWriteError) {
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R\\base"}));
    Make("desk\\photo.JPG");
    auto s = Start({P("desk\\photo.JPG")});
    HWND e = s->Window("整理ルールの追加");
    ASSERT_TRUE(e);
    EXPECT_EQ("JPG", TextOf(Session::Control(e, A::IDC_EDTEXT)));
    EXPECT_EQ(P("base\\JPG"), TextOf(Session::Control(e, A::IDC_EDTPATH)));
    zv::KernelHandle held = HoldExclusively(IniPath());
    ASSERT_TRUE(held.valid());
    s->Click(e, A::IDC_BTNOK);
    s->AnswerBox(kConfirmTitle, kYes);
    EXPECT_EQ(IniPath() + " に書き込めません.", s->AnswerBox("Zorvik", kOk));
    EXPECT_TRUE(IsWindowVisible(e));
    s->Click(e, A::IDC_BUTTON1);
    EXPECT_EQ(IniPath() + " を読み込めません", s->AnswerBox(kFatalTitle, kOk));
    EXPECT_EQ(1u, s->Wait());
    held.reset();
    EXPECT_TRUE(Exists(P("desk\\photo.JPG")));
}

// The browse button starts at the documents folder for an empty field, at the field's folder
// when it exists, and nowhere when it does not; a cancelled chooser leaves the text.
TEST_F(Dialogs, BrowseStartFolders) {
    MakeDir("there");
    const std::string documents = zv::GetDocumentsDir();
    const std::pair<std::string, std::string> cases[] = {
        {"", documents.substr(0, documents.size() - 1)},
        {P("there"), P("there")},
        {P("none"), ""},
    };
    auto s = Start();
    HWND w = nullptr, e = OpenEditor(*s, w, 0, "整理ルールの追加");
    ASSERT_TRUE(e);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        s->Type(e, A::IDC_EDTPATH, c.first);
        s->Click(e, A::IDC_BTNBROWSE);
        HWND chooser = s->Window(kChooserTitle);
        ASSERT_TRUE(chooser);
        EXPECT_EQ("フォルダを指定してください。", TextOf(GetDlgItem(chooser, kChooserPrompt)));
        EXPECT_EQ(c.second, ChooserSelection(chooser));
        s->Click(chooser, kCancel);
        EXPECT_TRUE(s->Gone(chooser));
        EXPECT_EQ(c.first, TextOf(Session::Control(e, A::IDC_EDTPATH)));
    }
    s->Click(e, A::IDC_BUTTON1);
    s->Click(w, M::IDC_BTNCANCEL);
    EXPECT_EQ(0u, s->Wait());
}

// The ignore-rule editor: an empty field refused, Escape as Cancel, Enter as OK with every
// dot removed.
TEST_F(Dialogs, IgnoreEditorKeysAndMessages) {
    IniMayChange();
    auto s = Start();
    HWND w = nullptr, e = OpenEditor(*s, w, 1, "無視ルールの追加");
    ASSERT_TRUE(e);
    EXPECT_EQ(I::IDC_EDTEXT, s->FocusId());
    s->Keys({VK_RETURN});
    EXPECT_EQ("拡張子を入力してください。", s->AnswerBox(kWarningTitle, kOk));
    s->Type(e, I::IDC_EDTEXT, "tmp");
    s->Keys({VK_ESCAPE});
    EXPECT_TRUE(s->Gone(e));
    s->Click(w, M::IDC_BTNADD);
    e = s->Window("無視ルールの追加");
    ASSERT_TRUE(e);
    EXPECT_EQ("", TextOf(Session::Control(e, I::IDC_EDTEXT))); // refilled on every show
    s->Type(e, I::IDC_EDTEXT, ".t.m.p");
    s->Keys({VK_RETURN});
    EXPECT_TRUE(s->Gone(e));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"lnk"}, {"tmp"}}),
              s->Rows(Session::Control(w, M::IDC_LISTIGNORE), 1));
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_NE(std::string::npos, ReadBytes(IniPath()).find("[Ignore]\r\nlnk=NULL\r\ntmp=NULL\r\n"));
}

// The version window: its texts from the version resource, the copyright line lit exactly
// while the pointer is over it, the web page opened by both links with the window staying
// open, Enter closing it and Escape not; a second showing shows the same.
TEST_F(Dialogs, AboutBoxTextsHotTrackingAndWebPage) {
    const std::string log = "T:\\browser.log";
    DeleteFileA(log.c_str());
    auto s = Start();
    HWND w = s->Window(kMainTitle);
    ASSERT_TRUE(w);
    for (int round = 0; round < 2; ++round) {
        s->Click(w, M::IDC_BTNABOUT);
        HWND a = s->Window("ﾊﾞｰｼﾞｮﾝ情報");
        ASSERT_TRUE(a);
        ExpectLayout(a, B::Layout());
        HWND copyright = Session::Control(a, B::IDC_COPYRIGHT);
        // Underlined: one row of the line holds far more ink than any row of the plain text.
        const int plainRow = InkOf(copyright, GetSysColor(COLOR_WINDOWTEXT)).widestRow;
        EXPECT_GT(plainRow, 0);
        EXPECT_EQ(0, InkOf(copyright, GetSysColor(COLOR_HOTLIGHT)).total);
        for (int hover = 0; hover < 2; ++hover) {
            s->MoveTo(copyright);
            EXPECT_TRUE(WaitUntil(
                [&] { return InkOf(copyright, GetSysColor(COLOR_WINDOWTEXT)).total == 0; }));
            Ink hot = InkOf(copyright, GetSysColor(COLOR_HOTLIGHT));
            EXPECT_GT(hot.widestRow, 2 * plainRow);
            s->MoveTo(a, {5, 5});
            EXPECT_TRUE(WaitUntil(
                [&] { return InkOf(copyright, GetSysColor(COLOR_HOTLIGHT)).total == 0; }));
            EXPECT_EQ(plainRow, InkOf(copyright, GetSysColor(COLOR_WINDOWTEXT)).widestRow);
        }
        if (round == 0) {
            s->Click(copyright);
            s->Click(a, B::IDC_IMAGE1);
            s->Keys({VK_ESCAPE});
            EXPECT_TRUE(IsWindowVisible(a));
        }
        s->Keys({VK_RETURN});
        EXPECT_TRUE(s->Gone(a));
    }
    std::string opened;
    WaitUntil([&] {
        opened = ReadBytes(log);
        return std::count(opened.begin(), opened.end(), '\n') >= 2;
    });
    EXPECT_EQ(std::string(zv::kWebAddress) + "\n" + zv::kWebAddress + "\n", opened);
    s->Click(w, M::IDC_BTNCANCEL);
    EXPECT_EQ(0u, s->Wait());
}

// The first run without arguments: the folder question cancelled, then the first-run window.
// It opens on the defaults, its two radio groups are independent, a failed save keeps it open,
// and Cancel still saves; the main window then shows what it wrote.
TEST_F(Dialogs, FirstRunWindowThenTheMainWindow) {
    DeleteFileA(IniPath().c_str());
    IniMayChange();
    const std::string documents = zv::GetDocumentsDir(),
                      base = documents.substr(0, documents.size() - 1);
    auto s = Start();
    HWND chooser = s->Window(kChooserTitle);
    ASSERT_TRUE(chooser);
    s->Click(chooser, kCancel);
    HWND f = s->Window(kMainTitle);
    ASSERT_TRUE(f);
    ASSERT_TRUE(GetDlgItem(f, S::IDC_BTNCANCEL)) << "not the first-run window";
    EXPECT_EQ(S::IDC_RADIOINQUIRY, s->FocusId());
    EXPECT_EQ((ControlStates{{O::IDC_RADIOMOVEFOLDER, O::IDC_RADIOINQUIRY}, kNoExtPath}),
              OptionStates(f));
    EXPECT_EQ(base, TextOf(Session::Control(f, S::IDC_EDTNOEXTMOVEPATH)));
    s->Keys({VK_ESCAPE});
    EXPECT_TRUE(IsWindowVisible(f));
    s->Click(f, S::IDC_RADIONOMOVENOEXT); // the upper group keeps its choice
    const ControlStates moveFolderAndNoMove{{O::IDC_RADIOMOVEFOLDER, O::IDC_RADIONOMOVENOEXT},
                                            kNoExtPath};
    EXPECT_SOON(moveFolderAndNoMove, OptionStates(f));
    s->Keys({VK_UP}); // within the lower group, in tab order
    EXPECT_SOON((ControlStates{{O::IDC_RADIOMOVEFOLDER, O::IDC_RADIOMOVENOEXT}, {}}),
                OptionStates(f));
    s->Click(f, S::IDC_RADIONOMOVENOEXT);
    s->Type(f, S::IDC_EDTFOLDERMOVEPATH, "D:\\予定表\\");

    // While the settings file is held open the save fails; staying is the user's choice.
    zv::KernelHandle held = HoldExclusively(IniPath());
    ASSERT_TRUE(held.valid());
    s->Click(f, S::IDC_BTNCANCEL);
    EXPECT_EQ(IniPath() + " に書き込めません.", s->AnswerBox(kAppTitle, kOk));
    EXPECT_NE(std::string::npos, s->AnswerBox(kConfirmTitle, kNo).find("保存せずに閉じますか"));
    EXPECT_TRUE(IsWindowVisible(f));
    held.reset();
    s->Click(f, S::IDC_BTNCANCEL);
    EXPECT_TRUE(s->Gone(f));

    HWND w = s->Window(kMainTitle);
    ASSERT_TRUE(w);
    ASSERT_TRUE(GetDlgItem(w, M::IDC_PAGECONTROL1)) << "not the main window";
    s->Keys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_EQ(moveFolderAndNoMove, OptionStates(w));
    EXPECT_EQ("D:\\予定表\\", TextOf(Session::Control(w, M::IDC_EDTFOLDERMOVEPATH)));
    s->Click(w, M::IDC_BTNCANCEL);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_EQ(
        "[Option]\r\nMoveFolder=1\r\nMoveFolderPath=D:\\予定表\\\r\nMoveNoExt=2\r\nMoveNoExtPath=" +
            base + "\r\nBaseDir=" + base + "\r\n",
        ReadBytes(IniPath()));
}

} // namespace
