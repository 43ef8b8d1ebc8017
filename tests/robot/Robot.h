// The end-to-end robot: a fresh folder per test with its own copy of Zorvik.exe, helpers for the
// files around it, and a run of the program whose boxes and dialogs are answered from outside the
// process by a script of expected windows.
//
//   class MySuite : public zvtest::ZorvikTest {};
//   TEST_F(MySuite, Something) {
//       WriteIni(Ini({"[Extensions]", "txt=%R\\Docs"}));   // %R: the test's folder
//       Make("in\\a.txt");                                   // content "a.txt"
//       RunResult r = Run({P("in\\a.txt")}, {Box("確認", kYes)});
//       EXPECT_EQ(0u, r.exitCode);
//       EXPECT_EQ(Files({{"Docs\\a.txt", "a.txt"}}), Tree());
//   }
//
// The robot polls every 20 ms for visible top-level windows of the child process, answers each
// new one once (PostMessage BM_CLICK on an enabled button, so the robot never blocks on a modal
// loop) and records it. Every window that the program shows is recorded in RunResult::windows. A
// window that the script does not expect next is dismissed and fails the test, so does a script
// entry that never appeared, and so does a run that outlives its time-out (the process is then
// killed).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "support/Support.h"
#include "ui/AddUnit.h"
#include "ui/Controls.h"
#include "ui/FirstRunUnit.h"

namespace zvtest {

constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;
inline constexpr char kChooserTitle[] = "フォルダーの参照";      // the shell's folder dialog
inline constexpr char kFatalTitle[] = "アプリケーション エラー"; // the fatal error box
inline constexpr char kAppTitle[] = "Zorvik";                    // the application's error box
inline constexpr char kConfirmTitle[] = "確認";                  // the replace question
inline constexpr char kWarningTitle[] = "警告";
inline constexpr char kFirstRunTitle[] = "Zorvikの設定"; // the first-run settings window
inline constexpr char kMainTitle[] = "Zorvikの設定";     // the main settings window
inline constexpr char kRuleTitle[] = "整理ルールの追加"; // the rule editor
constexpr int kFirstRunCancel = zv::TFormSetting::IDC_BTNCANCEL;
constexpr int kFirstRunFolderPath = zv::TFormSetting::IDC_EDTFOLDERMOVEPATH;
constexpr int kRuleExtension = zv::TAddForm::IDC_EDTEXT, kRuleFolder = zv::TAddForm::IDC_EDTPATH;
constexpr int kRuleCancel = zv::TAddForm::IDC_BUTTON1;
// The shell's folder dialog: its prompt, and its status line, which shows the folder selected.
constexpr int kChooserPrompt = 14146, kChooserStatus = 14147;

// One expected window and its answer.
struct Answer {
    std::string title;  // exact caption
    std::string text;   // a part of the box text or of the chooser's prompt; empty: any
    int button = kOk;   // the button pressed
    std::string select; // chooser only: the folder selected before the button is pressed
    // Texts put into controls (by id, at any depth) before the button is pressed: WM_SETTEXT.
    std::map<int, std::string> fields;
};
Answer Box(const std::string &title, int button, const std::string &text = "");
// The folder chooser: confirmed (kOk) on select, or cancelled (kCancel).
Answer Chooser(int button, const std::string &select = "", const std::string &text = "");
// One of the program's own windows, with fields filled in before the button is pressed.
Answer Form(const std::string &title, int button, const std::map<int, std::string> &fields = {});

// A window the program showed while it ran.
struct Seen {
    std::string title;
    std::string text;      // message text (static 65535), or the chooser's prompt
    std::wstring wideText; // the same read in UTF-16
    std::string selection; // chooser: the folder selected when it appeared (its status text)
    std::map<int, std::string> controls; // every control's text by id, as it appeared
    bool expected = false;
};

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    bool timedOut = false;
    std::vector<Seen> windows;
};

struct RunOptions {
    std::string exe; // default: the test's own app\Zorvik.exe
    std::string cwd; // default: the test's folder
    DWORD timeoutMs = 30000;
    // Arguments passed after args as UTF-16, for names the code page cannot hold.
    std::vector<std::wstring> wideArgs;
};

// Starts the program with the arguments (each quoted) and answers its windows by the script.
RunResult RunProgram(const std::vector<std::string> &args, const std::vector<Answer> &script,
                     const RunOptions &options);

// A running Zorvik that a test drives step by step, the way a user does: clicks and key presses go
// through the system's input queue (SendInput), so focus, activation, radio groups and
// accelerators take their real paths. Everything read from its windows is read from outside.
class Session {
  public:
    Session(const std::string &exe, const std::vector<std::string> &args, const std::string &cwd);
    ~Session(); // kills the program if it still runs
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // A visible top-level window of the program with that caption; null (and a failure) after
    // the time-out.
    HWND Window(const std::string &title, DWORD ms = 10000) const;
    // True once the window is hidden or gone.
    bool Gone(HWND window, DWORD ms = 10000) const;
    static HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

    // A left click (or two) at a point of the control, by default its centre.
    void Click(HWND control, POINT at = {-1, -1}, int clicks = 1) const;
    void Click(HWND window, int id) const { Click(Control(window, id)); }
    void MoveTo(HWND control, POINT at = {-1, -1}) const;
    // Keys pressed in order and released in reverse: {VK_CONTROL, VK_TAB} is Ctrl+Tab.
    void Keys(std::initializer_list<WORD> keys) const;
    // Waits until the program has handled the input sent to it (Click, MoveTo and Keys do).
    void Idle() const;
    // Puts text into an edit field (WM_SETTEXT).
    static void Type(HWND edit, const std::string &text);
    void Type(HWND window, int id, const std::string &text) const {
        Type(Control(window, id), text);
    }
    // The same in UTF-16, as a paste brings text the code page may not hold.
    static void Type(HWND edit, const std::wstring &text);
    // The control that has the keyboard focus in the program, and its id.
    HWND Focus() const;
    int FocusId() const { return GetDlgCtrlID(Focus()); }
    // Waits for a message box with that title, returns its text and clicks the button.
    std::string AnswerBox(const std::string &title, int button) const;

    // A report list's rows: the first columns cells of each, read through the program's memory.
    std::vector<std::vector<std::string>> Rows(HWND list, int columns) const;
    // Selects a row by clicking it (or opens it with a double click).
    void ClickRow(HWND list, int row, int clicks = 1) const;
    // Sends a message whose lParam points to data, copied into the program's memory, as the
    // system sends one to a window (WM_DPICHANGED and its rectangle).
    LRESULT SendWithData(HWND window, UINT msg, WPARAM wp, const void *data, size_t size) const;

    // Waits for the program to end; its exit code, or 0xFFFFFFFF (and a failure) when it did not.
    DWORD Wait(DWORD ms = 15000);

  private:
    PROCESS_INFORMATION pi_{};
    bool wow64_ = false; // a 32-bit program: its structures have 32-bit pointers
};

// Checks a window of the program as it is shown now against its one table (the program's own),
// the 96-DPI figures scaled to dpi: the client area, every control's place and size within a
// pixel (a label sized to its text by where it starts), each inside its parent and clear of its
// siblings, each caption its own and fitting its control in the window font at that scale; the
// tab order that of the table among the tab stops shown; each set of radio buttons one group.
void ExpectLayout(HWND window, const zv::FormLayout &layout, int dpi = 96);
// Which of some controls are checked and which are disabled.
struct ControlStates {
    std::set<int> checked, disabled;
    bool operator==(const ControlStates &o) const {
        return checked == o.checked && disabled == o.disabled;
    }
};
void PrintTo(const ControlStates &states, std::ostream *os);
ControlStates StatesOf(HWND window, std::initializer_list<int> ids);
std::string TextOf(HWND window);
// The folder a chooser shows as selected (its status text), without a trailing backslash but a
// drive's; empty when nothing with a path is selected.
std::string ChooserSelection(HWND chooser);

// Waits until done() holds, for ms at most: for what the system does on its own time (a pointer's
// leaving is looked for at the hover interval, a browser is started by another process). True
// when it held.
template <class Done> bool WaitUntil(Done done, DWORD ms = 30000) {
    for (ULONGLONG start = GetTickCount64(); !done(); Sleep(20))
        if (GetTickCount64() - start > ms) return false;
    return true;
}

// Expects what expr reads from the program to become expected: what a click or a key press does
// shows once the program's thread has taken the input, which no call of the system tells.
#define EXPECT_SOON(expected, expr)                                                                \
    do {                                                                                           \
        const auto zvWanted = (expected);                                                          \
        auto zvGot = (expr);                                                                       \
        ::zvtest::WaitUntil([&] { return (zvGot = (expr)) == zvWanted; }, 10000);                  \
        EXPECT_EQ(zvWanted, zvGot) << #expr;                                                       \
    } while (0)

// Every entry below a folder: files with their bytes (over 256 bytes: size and hash), folders as
// "<dir>", links as "<link>"; paths relative to the folder, folders ending in '\'.
using Listing = std::map<std::string, std::string>;
Listing TreeAt(const std::string &folder);
// Applies a file move to a listing: the entry from (a file) goes to to, keeping its name when to
// ends in '\'; to's parent folders are added. Folders left empty stay.
void MoveEntry(Listing &listing, const std::string &from, const std::string &to);

// Gives the folder, every folder below it, the documents folder and the folders above both a last
// change in the past and a last access ahead, so that the shell's folder dialog can find them.
void SteadyFolderTimes(const std::string &root);

// The folder of this test exe, ending in '\'.
std::string TestExeDir();

// The fixture: T:\<Suite>_<Test>\ with app\Zorvik.exe, made fresh for each test. When the test
// wrote a settings file, TearDown checks that its bytes are unchanged unless the test said the
// program may write it (IniMayChange), and that the executable is still in place.
class ZorvikTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The test's folder + rel; the folder itself ends in '\'.
    std::string P(const std::string &rel = "") const { return root_ + rel; }
    // The test's folder without its trailing backslash: what "%R" stands for in Ini and Expand.
    std::string R() const { return root_.substr(0, root_.size() - 1); }
    std::string Expand(const std::string &text) const;
    // CRLF lines, "%R" expanded.
    std::string Ini(const std::vector<std::string> &lines) const;

    std::string ExePath() const { return P("app\\Zorvik.exe"); }
    std::string IniPath() const { return P("app\\Zorvik.INI"); }
    void WriteIni(const std::string &bytes);
    void IniMayChange() { checkIni_ = false; }

    // A file below the test's folder, by default holding its own name; missing folders made.
    void Make(const std::string &rel, const std::string &bytes);
    void Make(const std::string &rel);
    void MakeDir(const std::string &rel) { MakeDirs(P(rel)); }

    // The tree of the test's folder without app\ (checked by TearDown), or of a sub-folder.
    Listing Tree(const std::string &rel = "") const;
    // A listing of files each holding the bytes given, with every parent folder added.
    static Listing Files(const std::map<std::string, std::string> &files);
    // A listing of files each holding its own file name, with every parent folder added.
    static Listing Named(const std::vector<std::string> &files);

    RunResult Run(const std::vector<std::string> &args, const std::vector<Answer> &script = {},
                  RunOptions options = {});
    // Starts the test's copy of the program to be driven step by step.
    std::unique_ptr<Session> Start(const std::vector<std::string> &args = {}) const {
        SteadyFolderTimes(root_);
        return std::make_unique<Session>(ExePath(), args, root_);
    }

    std::string root_;
    bool ready_ = false;
    std::string iniBytes_;
    bool iniWritten_ = false, checkIni_ = true;
};

} // namespace zvtest
