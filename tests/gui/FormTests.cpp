// The rule editor and the first-run window, driven the way a user drives them: geometry, tab
// order, keyboard, validation messages, what they store.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "GuiRobot.h"
#include "app/globUnit.h"
#include "common/Application.h"
#include "common/Win.h"
#include "common/Text.h"
#include "settings/SettingsFile.h"
#include "sorting/FileUnit.h"
#include "ui/AddUnit.h"
#include "ui/UnknownFileUnit.h"

using namespace zv;
using namespace zvgui;

namespace {

struct Layout {
    int id;
    int left, top, width, height; // relative to the client area
    const char *caption;
};

// What the robot saw of a window, checked on the test thread.
struct Seen {
    SIZE client{};
    std::vector<RECT> rects;
    std::vector<std::string> captions;
    std::vector<int> tabOrder;
    int focus = 0;
    std::vector<std::string> boxes;
    std::string title;
};

void Look(HWND w, const std::vector<Layout> &layout, Seen &seen) {
    RECT c;
    GetClientRect(w, &c);
    seen.client = {c.right, c.bottom};
    seen.title = TextOf(w);
    for (const Layout &l : layout) {
        seen.rects.push_back(ClientRectOf(w, GetDlgItem(w, l.id)));
        seen.captions.push_back(TextOf(GetDlgItem(w, l.id)));
    }
    HWND first = GetNextDlgTabItem(w, nullptr, FALSE), h = first;
    do {
        seen.tabOrder.push_back(GetDlgCtrlID(h));
        h = GetNextDlgTabItem(w, h, FALSE);
    } while (h && h != first && seen.tabOrder.size() < 20);
}

void ExpectLayout(const std::vector<Layout> &layout, const Seen &seen) {
    ASSERT_EQ(layout.size(), seen.rects.size());
    for (size_t i = 0; i < layout.size(); ++i) {
        const Layout &l = layout[i];
        const RECT &r = seen.rects[i];
        EXPECT_EQ(l.left, r.left) << "control " << l.id;
        EXPECT_EQ(l.top, r.top) << "control " << l.id;
        EXPECT_EQ(l.width, r.right - r.left) << "control " << l.id;
        EXPECT_EQ(l.height, r.bottom - r.top) << "control " << l.id;
        if (l.caption) {
            EXPECT_EQ(l.caption, seen.captions[i]) << "control " << l.id;
        }
    }
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TempFolder(const char *name) {
    char tmp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof tmp, tmp);
    std::string dir = std::string(tmp) + "zvgui_" + name + "_" + std::to_string(GetTickCount());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(932u, GetACP());
        InitApplication();
        DeleteFileA(SettingsPath().c_str());
        RemoveDirectoryA(SettingsPath().c_str());
    }
    void TearDown() override {
        DeleteFileA(SettingsPath().c_str());
        RemoveDirectoryA(SettingsPath().c_str());
    }
};

using TAddFormTest = GuiTest;
using TFormSettingTest = GuiTest;

const std::vector<Layout> kAddLayout = {
    {TAddForm::IDC_STATICTEXT1, 8, 8, 46, 16, "拡張子 :"},
    {TAddForm::IDC_STATICTEXT2, 56, 8, 173, 16, "( 拡張子のピリオドは不要です。 )"},
    {TAddForm::IDC_EDTEXT, 32, 24, 57, 20, nullptr},
    {TAddForm::IDC_STATICTEXT3, 8, 48, 89, 16, "格納先フォルダ :"},
    {TAddForm::IDC_EDTPATH, 32, 64, 201, 20, nullptr},
    {TAddForm::IDC_BTNBROWSE, 240, 64, 20, 20, ""},
    {TAddForm::IDC_BTNOK, 48, 105, 97, 25, "OK"},
    {TAddForm::IDC_BUTTON1, 152, 105, 97, 25, "ｷｬﾝｾﾙ"},
};

// A report-style rule list like the main window's.
class RuleList {
  public:
    RuleList() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        hwnd_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                                300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        LVCOLUMNA col{};
        col.mask = LVCF_WIDTH;
        col.cx = 100;
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
    }
    ~RuleList() { DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }
    void Select(int row) {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    int Count() const { return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

  private:
    HWND hwnd_;
};

void Type(HWND w, int id, const std::string &text) {
    SendMessageA(GetDlgItem(w, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

TEST_F(TAddFormTest, LayoutTabOrderAndKeyboard) {
    RuleDialogMode = 0;
    BaseDir = "C:\\予定表";
    TAddForm form;
    Seen seen;
    bool openAfterEscape = false;
    ModalResult result = Drive(form, [&](HWND w, DWORD gui) {
        Look(w, kAddLayout, seen);
        seen.focus = GetDlgCtrlID(FocusOf(gui));
        seen.captions.push_back(TextOf(GetDlgItem(w, TAddForm::IDC_EDTPATH)));
        Key(gui, VK_ESCAPE); // assigned to no button
        openAfterEscape = IsWindowVisible(w) != FALSE;
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); // the close box
    });
    EXPECT_EQ(ModalResult::Cancel, result);
    EXPECT_EQ(273, seen.client.cx);
    EXPECT_EQ(136, seen.client.cy);
    EXPECT_EQ("整理ルールの追加", seen.title);
    ExpectLayout(kAddLayout, seen);
    EXPECT_EQ((std::vector<int>{TAddForm::IDC_EDTEXT, TAddForm::IDC_EDTPATH, TAddForm::IDC_BTNOK,
                                TAddForm::IDC_BUTTON1}),
              seen.tabOrder);
    EXPECT_EQ(TAddForm::IDC_EDTEXT, seen.focus);
    EXPECT_EQ("C:\\予定表", seen.captions.back());
    EXPECT_TRUE(openAfterEscape);
}

TEST_F(TAddFormTest, AddAndEditRowsOfTheRuleList) {
    RuleList list;
    std::string dir = TempFolder("add");
    BaseDir = dir;
    RuleDialogMode = 0;
    {
        TAddForm form(list.get());
        // Enter in the extension field presses OK; dots go, one trailing backslash goes.
        EXPECT_EQ(ModalResult::OK, Drive(form, [&](HWND w, DWORD gui) {
                      Type(w, TAddForm::IDC_EDTEXT, "..J.pg");
                      Type(w, TAddForm::IDC_EDTPATH, dir + "\\\\");
                      Key(gui, VK_RETURN);
                  }));
    }
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ("Jpg", ListCell(list.get(), 0, 0));
    EXPECT_EQ(dir + "\\", ListCell(list.get(), 0, 1));

    list.Select(0);
    RuleDialogMode = 1;
    std::string editCaption, shownExt;
    TAddForm form(list.get());
    EXPECT_EQ(ModalResult::OK, Drive(form, [&](HWND w, DWORD) {
                  editCaption = TextOf(w);
                  shownExt = TextOf(GetDlgItem(w, TAddForm::IDC_EDTEXT));
                  Type(w, TAddForm::IDC_EDTEXT, " Tar.GZ");
                  Type(w, TAddForm::IDC_EDTPATH, dir);
                  Press(w, TAddForm::IDC_BTNOK);
              }));
    EXPECT_EQ("整理ルールの編集", editCaption);
    EXPECT_EQ("Jpg", shownExt);
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ(" TarGZ", ListCell(list.get(), 0, 0));
    EXPECT_EQ(dir, ListCell(list.get(), 0, 1));
}

TEST_F(TAddFormTest, ValidationMessagesKeepTheDialogOpen) {
    RuleList list;
    std::string dir = TempFolder("valid");
    RuleDialogMode = 0;
    BaseDir = dir;
    TAddForm form(list.get());
    std::vector<std::string> texts;
    bool stillOpen = true;
    ModalResult result = Drive(form, [&](HWND w, DWORD gui) {
        Press(w, TAddForm::IDC_BTNOK); // empty extension
        texts.push_back(Answer("警告", IDOK));
        for (const char *bad : {"a=b", "[x", ".;x"}) {
            Type(w, TAddForm::IDC_EDTEXT, bad);
            Press(w, TAddForm::IDC_BTNOK);
            texts.push_back(Answer("警告", IDOK));
        }
        Type(w, TAddForm::IDC_EDTEXT, "txt");
        Type(w, TAddForm::IDC_EDTPATH, dir + "\\new\\ソ");
        Press(w, TAddForm::IDC_BTNOK);
        texts.push_back(Answer("確認", IDNO)); // not created, still open
        Type(w, TAddForm::IDC_EDTPATH, "");
        Press(w, TAddForm::IDC_BTNOK);
        texts.push_back(Answer("確認", IDYES));
        texts.push_back(Answer(AppTitle(), IDOK)); // an empty folder cannot be created
        stillOpen = IsWindowVisible(w) != FALSE;
        Type(w, TAddForm::IDC_EDTPATH, dir + "\\new\\ソ");
        SetFocus(nullptr);
        Press(w, TAddForm::IDC_BTNOK);
        texts.push_back(Answer("確認", IDYES));
        (void)gui;
    });
    EXPECT_EQ(ModalResult::OK, result);
    ASSERT_EQ(8u, texts.size());
    EXPECT_EQ("拡張子を入力してください。", texts[0]);
    for (int i = 1; i <= 3; ++i) EXPECT_NE(std::string::npos, texts[i].find("=")) << texts[i];
    EXPECT_EQ("フォルダを作成しますか？", texts[4]);
    EXPECT_EQ("ディレクトリを作成できません.", texts[6]);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(DirectoryExists(dir + "\\new\\ソ"));
    ASSERT_EQ(1, list.Count()); // only the last OK stored a row
    EXPECT_EQ("txt", ListCell(list.get(), 0, 0));
    EXPECT_EQ(dir + "\\new\\ソ", ListCell(list.get(), 0, 1));
}

TEST_F(TAddFormTest, SortingModeSavesTheRuleOrShowsTheWriteError) {
    std::string dir = TempFolder("mode2");
    RuleDialogMode = 2;
    PendingFile = "C:\\Users\\me\\Desktop\\photo.JPG";
    BaseDir = dir;
    std::string ext, path;
    {
        TAddForm form;
        EXPECT_EQ(ModalResult::OK, Drive(form, [&](HWND w, DWORD) {
                      ext = TextOf(GetDlgItem(w, TAddForm::IDC_EDTEXT));
                      path = TextOf(GetDlgItem(w, TAddForm::IDC_EDTPATH));
                      Press(w, TAddForm::IDC_BTNOK);
                      Answer("確認", IDYES);
                  }));
    }
    EXPECT_EQ("JPG", ext);
    EXPECT_EQ(dir + "\\JPG", path);
    EXPECT_TRUE(DirectoryExists(dir + "\\JPG"));
    EXPECT_EQ("[Extensions]\r\nJPG=" + dir + "\\JPG\r\n", ReadFile(SettingsPath()));

    // A folder standing at the settings path: the rule cannot be saved, the dialog stays open.
    DeleteFileA(SettingsPath().c_str());
    CreateDirectoryA(SettingsPath().c_str(), nullptr);
    std::string error;
    TAddForm form;
    EXPECT_EQ(ModalResult::Cancel, Drive(form, [&](HWND w, DWORD) {
                  Press(w, TAddForm::IDC_BTNOK);
                  error = Answer(AppTitle(), IDOK);
                  Press(w, TAddForm::IDC_BUTTON1);
              }));
    EXPECT_EQ(SettingsPath() + " に書き込めません.", error);
}

namespace {
using S = TFormSetting;
// Rectangles relative to the client area: the group boxes' children sit inside their boxes.
const std::vector<Layout> kSettingLayout = {
    {S::IDC_GROUPBOX2, 0, 90, 289, 103, "登録されていないﾌｧｲﾙがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
    {S::IDC_BTNBROWSE2, 261, 127, 20, 20, nullptr},
    {S::IDC_RADIOMOVENOEXT, 8, 106, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
    {S::IDC_EDTNOEXTMOVEPATH, 24, 127, 233, 20, nullptr},
    {S::IDC_RADIONOMOVENOEXT, 8, 170, 233, 17, "移動しない"},
    {S::IDC_RADIOINQUIRY, 8, 154, 241, 17, "ﾌｧｲﾙごとに問い合わせる"},
    {S::IDC_BTNOK, 40, 198, 97, 25, "OK"},
    {S::IDC_GROUPBOX1, 0, 0, 289, 89, "ﾌｫﾙﾀﾞがﾄﾞﾗｯｸﾞ&&ﾄﾞﾛｯﾌﾟされたとき"},
    {S::IDC_BTNBROWSE, 261, 37, 20, 20, nullptr},
    {S::IDC_RADIOMOVEFOLDER, 8, 16, 273, 17, "指定ﾌｫﾙﾀﾞに移動する"},
    {S::IDC_RADIOZORVIKFOLDER, 8, 64, 233, 17, "ﾌｫﾙﾀﾞ内のﾌｧｲﾙも整理する"},
    {S::IDC_EDTFOLDERMOVEPATH, 24, 37, 233, 20, nullptr},
    {S::IDC_BTNCANCEL, 144, 198, 97, 25, "ｷｬﾝｾﾙ"},
};
const char kDefaults[] = "[Option]\r\nMoveFolder=1\r\nMoveFolderPath=C:\\表\r\nMoveNoExt=1\r\n"
                         "MoveNoExtPath=C:\\表\r\nBaseDir=C:\\表\r\n";
} // namespace

TEST_F(TFormSettingTest, OpensOnTheFirstRunDefaults) {
    WriteFile(SettingsPath(), kDefaults);
    BaseDir = "C:\\表\\";
    TFormSetting form;
    EXPECT_EQ("C:\\表", BaseDir);
    Seen seen;
    bool enabled[4] = {};
    bool openAfterEscape = false;
    ModalResult result = Drive(form, [&](HWND w, DWORD gui) {
        Look(w, kSettingLayout, seen);
        seen.focus = GetDlgCtrlID(FocusOf(gui));
        int ids[4] = {S::IDC_EDTFOLDERMOVEPATH, S::IDC_BTNBROWSE, S::IDC_EDTNOEXTMOVEPATH,
                      S::IDC_BTNBROWSE2};
        for (int i = 0; i < 4; ++i) enabled[i] = IsWindowEnabled(GetDlgItem(w, ids[i])) != FALSE;
        Key(gui, VK_ESCAPE);
        openAfterEscape = IsWindowVisible(w) != FALSE;
        Key(gui, VK_RETURN); // on a radio button: OK
    });
    EXPECT_EQ(ModalResult::OK, result);
    EXPECT_TRUE(form.Accepted);
    EXPECT_EQ(290, seen.client.cx);
    EXPECT_EQ(226, seen.client.cy);
    EXPECT_EQ("Zorvikの設定", seen.title);
    ExpectLayout(kSettingLayout, seen);
    EXPECT_EQ((std::vector<int>{S::IDC_RADIOINQUIRY, S::IDC_BTNOK, S::IDC_RADIOMOVEFOLDER,
                                S::IDC_EDTFOLDERMOVEPATH, S::IDC_BTNCANCEL}),
              seen.tabOrder);
    EXPECT_EQ(S::IDC_RADIOINQUIRY, seen.focus);
    EXPECT_TRUE(enabled[0] && enabled[1]);
    EXPECT_FALSE(enabled[2] || enabled[3]);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(std::string(kDefaults), ReadFile(SettingsPath()));
    EXPECT_TRUE(MoveFolder);
    EXPECT_EQ("C:\\表", MoveFolderPath);
}

TEST_F(TFormSettingTest, SavesWhatItShowsOnEveryClose) {
    struct Case {
        const char *name;
        std::function<void(HWND, DWORD)> close;
        ModalResult result;
    };
    const Case cases[] = {
        {"cancel", [](HWND w, DWORD) { Press(w, S::IDC_BTNCANCEL); }, ModalResult::Cancel},
        {"close box", [](HWND w, DWORD) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); },
         ModalResult::Cancel},
        {"enter on cancel",
         [](HWND w, DWORD gui) {
             PostMessageA(w, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(w, S::IDC_BTNCANCEL)), 1);
             Sleep(100);
             Key(gui, VK_RETURN);
         },
         ModalResult::Cancel},
        {"ok", [](HWND w, DWORD) { Press(w, S::IDC_BTNOK); }, ModalResult::OK},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(SettingsPath(), "[Option]\r\nMoveNoExt=5\r\n");
        TFormSetting form;
        bool noExtEnabled = true, noneSelected = false;
        ModalResult result = Drive(form, [&](HWND w, DWORD gui) {
            noExtEnabled = IsWindowEnabled(GetDlgItem(w, S::IDC_EDTNOEXTMOVEPATH)) != FALSE;
            noneSelected = !SendMessageA(GetDlgItem(w, S::IDC_RADIOMOVENOEXT), BM_GETCHECK, 0, 0) &&
                           !SendMessageA(GetDlgItem(w, S::IDC_RADIOINQUIRY), BM_GETCHECK, 0, 0) &&
                           !SendMessageA(GetDlgItem(w, S::IDC_RADIONOMOVENOEXT), BM_GETCHECK, 0, 0);
            Press(w, S::IDC_RADIOZORVIKFOLDER);
            Sleep(100);
            Type(w, S::IDC_EDTFOLDERMOVEPATH, "D:\\予定表\\");
            Type(w, S::IDC_EDTNOEXTMOVEPATH, "E:\\x");
            c.close(w, gui);
        });
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(c.result == ModalResult::OK, form.Accepted);
        EXPECT_FALSE(noExtEnabled);
        EXPECT_TRUE(noneSelected);
        EXPECT_EQ("[Option]\r\nMoveNoExt=5\r\nMoveFolder=0\r\nMoveFolderPath=D:\\予定表\\\r\n"
                  "MoveNoExtPath=E:\\x\r\n",
                  ReadFile(SettingsPath()));
        EXPECT_FALSE(MoveFolder);
        EXPECT_EQ("D:\\予定表\\", MoveFolderPath);
    }
}

TEST_F(TFormSettingTest, UnwritableSettingsKeepItOpenUntilTheUserLeavesWithoutSaving) {
    CreateDirectoryA(SettingsPath().c_str(), nullptr);
    TFormSetting form;
    std::vector<std::string> texts;
    bool openAfterNo = false;
    ModalResult result = Drive(form, [&](HWND w, DWORD) {
        Press(w, S::IDC_BTNOK);
        texts.push_back(Answer(AppTitle(), IDOK));
        texts.push_back(Answer("確認", IDNO)); // stay and try again
        openAfterNo = IsWindowVisible(w) != FALSE;
        Press(w, S::IDC_BTNCANCEL);
        texts.push_back(Answer(AppTitle(), IDOK));
        texts.push_back(Answer("確認", IDYES)); // leave without saving
    });
    EXPECT_EQ(ModalResult::Cancel, result);
    EXPECT_FALSE(form.Accepted); // nothing is sorted with settings that were not saved
    EXPECT_TRUE(openAfterNo);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ(SettingsPath() + " に書き込めません.", texts[0]);
    EXPECT_NE(std::string::npos, texts[1].find("保存せずに閉じますか"));
}

TEST_F(TAddFormTest, BrowseStartsAtTheFieldsFolderAndCancelKeepsTheText) {
    std::string dir = TempFolder("browse");
    struct Case {
        std::string field, selection;
    };
    const Case cases[] = {
        {"", ExcludeTrailingBackslash(GetDocumentsDir())}, // empty: the documents folder
        {dir, dir},                                         // an existing folder: itself
        {dir + "\\none", ""},                              // a missing one: no selection
    };
    RuleDialogMode = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        BaseDir = c.field;
        TAddForm form;
        std::string prompt, selection, after;
        Drive(form, [&](HWND w, DWORD) {
            PostMessageA(w, WM_COMMAND, MAKEWPARAM(TAddForm::IDC_BTNBROWSE, STN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(w, TAddForm::IDC_BTNBROWSE)));
            HWND chooser = WaitWindow("フォルダーの参照");
            if (chooser) {
                prompt = TextOf(GetDlgItem(chooser, 14146));
                selection = TextOf(GetDlgItem(chooser, 14147));
                Press(chooser, IDCANCEL);
                WaitGone(chooser);
            }
            after = TextOf(GetDlgItem(w, TAddForm::IDC_EDTPATH));
            Press(w, TAddForm::IDC_BUTTON1);
        });
        EXPECT_EQ("フォルダを指定してください。", prompt);
        EXPECT_EQ(c.selection, ExcludeTrailingBackslash(selection));
        EXPECT_EQ(c.field, after);
    }
}
