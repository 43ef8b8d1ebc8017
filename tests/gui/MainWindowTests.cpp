// Settings mode driven as a user drives it: the main window's pages, lists, options and
// keyboard, and what OK, Cancel and the close box leave in the settings file.
#include "OptionGroups.h"

#include <commctrl.h>

#include "ui/AddIgnoreUnit.h"
#include "ui/AddUnit.h"
#include "ui/MainUnit.h"

using namespace zvtest;
using M = zv::TMainForm;
using A = zv::TAddForm;
using I = zv::TAddIgnoreForm;

namespace {

using Rows = std::vector<std::vector<std::string>>;

COLORREF ScreenPixel(HWND control, POINT at) {
    RECT r;
    GetWindowRect(control, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + at.x, r.top + at.y);
    ReleaseDC(nullptr, screen);
    return c;
}

class SettingsMode : public ZorvikTest {
  protected:
    void SetUp() override {
        ZorvikTest::SetUp();
        WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=C:\\F", "MoveNoExt=5",
                      "MoveNoExtPath=C:\\N", "BaseDir=%R\\base", "[Extensions]", "txt=C:\\T",
                      "jpg=C:\\J", "doc=C:\\D", "[Ignore]", "lnk=NULL", "tmp=x"}));
    }
    // The list buttons that are disabled.
    std::set<int> DisabledListButtons(HWND w) const {
        return StatesOf(w, {M::IDC_BTNADD, M::IDC_BTNDELETE, M::IDC_BTNEDIT}).disabled;
    }
};

// What the window shows when it opens, page by page, and how the keyboard and the radio groups
// behave; Escape then leaves without writing anything.
TEST_F(SettingsMode, PagesListsOptionsAndKeyboard) {
    auto s = Start();
    HWND w = s->Window(kMainTitle);
    ASSERT_TRUE(w);
    HWND list = Session::Control(w, M::IDC_LISTVIEW1),
         ignore = Session::Control(w, M::IDC_LISTIGNORE);
    EXPECT_EQ(M::IDC_BTNOK, s->FocusId());
    EXPECT_EQ((Rows{{"txt", "C:\\T"}, {"jpg", "C:\\J"}, {"doc", "C:\\D"}}), s->Rows(list, 2));
    for (HWND l : {list, ignore}) {
        LONG style = GetWindowLongA(l, GWL_STYLE);
        EXPECT_EQ(
            LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
            style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_EDITLABELS | WS_BORDER));
        EXPECT_TRUE(SendMessageA(l, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    }
    EXPECT_EQ(50, SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(223, SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_EQ(289, SendMessageA(ignore, LVM_GETCOLUMNWIDTH, 0, 0));

    // Ctrl+Tab to the ignore list: every key listed, whatever its value.
    s->Keys({VK_CONTROL, VK_TAB});
    EXPECT_SOON(true, IsWindowVisible(ignore) && !IsWindowVisible(list));
    EXPECT_EQ((Rows{{"lnk"}, {"tmp"}}), s->Rows(ignore, 1));
    EXPECT_SOON(std::set<int>(), DisabledListButtons(w));

    // The options page disables the list buttons; a MoveNoExt of 5 selects nothing.
    s->Keys({VK_CONTROL, VK_TAB});
    EXPECT_SOON((std::set<int>{M::IDC_BTNADD, M::IDC_BTNDELETE, M::IDC_BTNEDIT}),
                DisabledListButtons(w));
    EXPECT_SOON((ControlStates{{O::IDC_RADIOZORVIKFOLDER}, kFolderPath + kNoExtPath}),
                OptionStates(w));
    EXPECT_EQ("C:\\F", TextOf(Session::Control(w, M::IDC_EDTFOLDERMOVEPATH)));
    // The page is painted in the button face, as the controls on it are.
    EXPECT_SOON(GetSysColor(COLOR_BTNFACE),
                ScreenPixel(Session::Control(w, M::IDC_GROUPBOX1), {3, 45}));
    EXPECT_EQ("C:\\N", TextOf(Session::Control(w, M::IDC_EDTNOEXTMOVEPATH)));

    // The two groups are independent: a click in the lower one leaves the upper one alone.
    s->Click(w, M::IDC_RADIONOMOVENOEXT);
    EXPECT_SOON((ControlStates{{O::IDC_RADIOZORVIKFOLDER, O::IDC_RADIONOMOVENOEXT},
                               kFolderPath + kNoExtPath}),
                OptionStates(w));
    s->Click(w, M::IDC_RADIOMOVENOEXT);
    const ControlStates zorvikAndMoveNoExt{{O::IDC_RADIOZORVIKFOLDER, O::IDC_RADIOMOVENOEXT},
                                           kFolderPath};
    EXPECT_SOON(zorvikAndMoveNoExt, OptionStates(w));
    // Arrow keys move within a group only.
    s->Click(w, M::IDC_RADIOMOVEFOLDER);
    EXPECT_SOON((ControlStates{{O::IDC_RADIOMOVEFOLDER, O::IDC_RADIOMOVENOEXT}, {}}),
                OptionStates(w));
    s->Keys({VK_DOWN});
    EXPECT_SOON(zorvikAndMoveNoExt, OptionStates(w));
    EXPECT_SOON(M::IDC_RADIOZORVIKFOLDER, s->FocusId());

    // Ctrl+Shift+Tab back to the ignore list, a click on the first tab back to the rules.
    s->Keys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_SOON(true, IsWindowVisible(ignore));
    EXPECT_SOON(std::set<int>(), DisabledListButtons(w));
    s->Click(Session::Control(w, M::IDC_PAGECONTROL1), {20, 10});
    EXPECT_SOON(true, IsWindowVisible(list) && !IsWindowVisible(ignore));

    s->Keys({VK_ESCAPE});
    EXPECT_EQ(0u, s->Wait());
}

// Fills an editor that has just opened and confirms it: Enter, or a click on OK.
void Confirm(Session &s, const std::string &title, std::map<int, std::string> fields,
             bool enter = true) {
    HWND e = s.Window(title);
    if (!e) return;
    for (const auto &f : fields) s.Type(e, f.first, f.second);
    if (enter)
        s.Keys({VK_RETURN});
    else
        s.Click(e, IDOK);
    EXPECT_TRUE(s.Gone(e)) << title;
}

const char kAddRule[] = "整理ルールの追加", kEditRule[] = "整理ルールの編集";
const char kAddIgnore[] = "無視ルールの追加", kEditIgnore[] = "無視ルールの編集";

// Adds sort, edits keep their place, deletes go at once; OK then rewrites both lists in list
// order and the four options, and leaves every other key alone.
TEST_F(SettingsMode, EditsAndOkRewriteTheFile) {
    IniMayChange();
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=C:\\F", "MoveNoExt=5",
                  "MoveNoExtPath=C:\\N", "BaseDir=%R\\base", "Extra=1", "[Extensions]", "txt=C:\\T",
                  "jpg=C:\\J", "doc=C:\\D", "[Ignore]", "lnk=NULL", "tmp=x", "[Other]", "k=v"}));
    auto s = Start();
    HWND w = s->Window(kMainTitle);
    ASSERT_TRUE(w);
    HWND list = Session::Control(w, M::IDC_LISTVIEW1),
         ignore = Session::Control(w, M::IDC_LISTIGNORE);

    s->Click(w, M::IDC_BTNADD);
    HWND e = s->Window(kAddRule);
    ASSERT_TRUE(e);
    EXPECT_EQ("", TextOf(Session::Control(e, A::IDC_EDTEXT)));
    EXPECT_EQ(R() + "\\base", TextOf(Session::Control(e, A::IDC_EDTPATH)));
    Confirm(*s, kAddRule, {{A::IDC_EDTEXT, ".mp3"}, {A::IDC_EDTPATH, R() + "\\"}});
    EXPECT_SOON(M::IDC_BTNADD, s->FocusId()); // the focus comes back where it was
    s->Keys({VK_MENU, 'A'});
    Confirm(*s, kAddRule, {{A::IDC_EDTEXT, "JPG"}, {A::IDC_EDTPATH, R()}}, false);
    s->Keys({VK_MENU, 'A'});
    Confirm(*s, kAddRule, {{A::IDC_EDTEXT, "7z"}, {A::IDC_EDTPATH, R()}});
    s->Click(w, M::IDC_BTNADD); // cancelled: no row, no sort
    if (HWND c = s->Window(kAddRule)) s->Click(c, A::IDC_BUTTON1);
    EXPECT_SOON((Rows{{"7z", R()},
                      {"doc", "C:\\D"},
                      {"jpg", "C:\\J"},
                      {"JPG", R()},
                      {"mp3", R()},
                      {"txt", "C:\\T"}}),
                s->Rows(list, 2));

    s->ClickRow(list, 5);
    s->Click(w, M::IDC_BTNEDIT);
    e = s->Window(kEditRule);
    ASSERT_TRUE(e);
    EXPECT_EQ("txt", TextOf(Session::Control(e, A::IDC_EDTEXT)));
    EXPECT_EQ("C:\\T", TextOf(Session::Control(e, A::IDC_EDTPATH)));
    Confirm(*s, kEditRule, {{A::IDC_EDTEXT, "text"}, {A::IDC_EDTPATH, R()}});
    s->ClickRow(list, 0, 2); // a double click edits too
    if (HWND c = s->Window(kEditRule)) s->Click(c, A::IDC_BUTTON1);
    s->ClickRow(list, 1);
    s->Click(w, M::IDC_BTNDELETE);
    EXPECT_SOON((Rows{{"7z", R()}, {"jpg", "C:\\J"}, {"JPG", R()}, {"mp3", R()}, {"text", R()}}),
                s->Rows(list, 2));

    s->Keys({VK_CONTROL, VK_TAB});
    s->Click(w, M::IDC_BTNADD);
    Confirm(*s, kAddIgnore, {{I::IDC_EDTEXT, "..t.mp"}}); // a second tmp: duplicates are kept
    s->ClickRow(ignore, 0);
    s->Keys({VK_MENU, 'E'});
    e = s->Window(kEditIgnore);
    ASSERT_TRUE(e);
    EXPECT_EQ("lnk", TextOf(Session::Control(e, I::IDC_EDTEXT)));
    Confirm(*s, kEditIgnore, {{I::IDC_EDTEXT, "url"}});
    EXPECT_SOON((Rows{{"url"}, {"tmp"}, {"tmp"}}), s->Rows(ignore, 1));
    s->ClickRow(ignore, 1);
    s->Keys({VK_MENU, 'D'});

    s->Keys({VK_CONTROL, VK_TAB});
    s->Click(w, M::IDC_RADIOMOVEFOLDER);
    s->Type(w, M::IDC_EDTFOLDERMOVEPATH, "C:\\予定表\\");
    s->Click(w, M::IDC_RADIOINQUIRY);
    s->Type(w, M::IDC_EDTNOEXTMOVEPATH, "C:\\ソ"); // disabled, written all the same
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(0u, s->Wait());
    // Each section where it stood, in list order; jpg and JPG are one key, the lower row's; the
    // ignore values become NULL; one trailing backslash goes, a trail byte 5C stays.
    EXPECT_EQ(
        Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=C:\\予定表", "MoveNoExt=1",
             "MoveNoExtPath=C:\\ソ", "BaseDir=%R\\base", "Extra=1", "[Extensions]", "7z=%R",
             "jpg=%R", "mp3=%R", "text=%R", "[Ignore]", "url=NULL", "tmp=NULL", "[Other]", "k=v"}),
        ReadBytes(IniPath()));
}

// A save that fails keeps the window open with the file as it was; the next OK writes it whole.
// 10,000 rules and 1,000 ignore keys, far beyond one key listing (16 KB of names), are loaded
// and written back in full; a MoveNoExt that selects nothing is written back as it was.
TEST_F(SettingsMode, FailedSaveLosesNothingAndLongSectionsSurvive) {
    IniMayChange();
    std::vector<std::string> lines = {"[Option]",    "MoveFolder=1",        "MoveFolderPath=C:\\F",
                                      "MoveNoExt=5", "MoveNoExtPath=C:\\N", "BaseDir=C:\\B",
                                      "[Extensions]"};
    for (int i = 0; i < 10000; ++i)
        lines.push_back("Key_" + std::to_string(10000 + i) + "_ab=C:\\" + std::to_string(i));
    lines.push_back("[Ignore]");
    for (int i = 0; i < 1000; ++i) lines.push_back("Ign_" + std::to_string(10000 + i) + "_ab=NULL");
    const std::string bytes = Ini(lines);
    WriteIni(bytes);
    auto s = Start();
    HWND w = s->Window(kMainTitle, 30000);
    ASSERT_TRUE(w);
    EXPECT_EQ(10000, ListView_GetItemCount(Session::Control(w, M::IDC_LISTVIEW1)));
    EXPECT_EQ(1000, ListView_GetItemCount(Session::Control(w, M::IDC_LISTIGNORE)));

    zv::KernelHandle held = HoldExclusively(IniPath());
    ASSERT_TRUE(held.valid());
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(IniPath() + " に書き込めません.", s->AnswerBox(kAppTitle, kOk));
    EXPECT_TRUE(IsWindowVisible(w));
    held.reset();
    EXPECT_EQ(bytes, ReadBytes(IniPath()));
    s->Click(w, M::IDC_BTNOK);
    EXPECT_EQ(0u, s->Wait(60000));
    EXPECT_EQ(bytes, ReadBytes(IniPath())); // the same keys, in the same order
}

// Cancel, Escape and the close box write nothing, whatever was changed before.
TEST_F(SettingsMode, CancelEscapeAndCloseBoxWriteNothing) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        auto s = Start();
        HWND w = s->Window(kMainTitle);
        ASSERT_TRUE(w);
        s->Keys({VK_MENU, 'A'});
        Confirm(*s, kAddRule, {{A::IDC_EDTEXT, "new"}, {A::IDC_EDTPATH, R()}});
        s->ClickRow(Session::Control(w, M::IDC_LISTVIEW1), 0);
        s->Click(w, M::IDC_BTNDELETE);
        s->Keys({VK_CONTROL, VK_TAB});
        s->Keys({VK_CONTROL, VK_TAB});
        s->Click(w, M::IDC_RADIOMOVENOEXT);
        if (way == 0) s->Click(w, M::IDC_BTNCANCEL);
        if (way == 1) s->Keys({VK_ESCAPE});
        if (way == 2) PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(0u, s->Wait());
    }
}

} // namespace
