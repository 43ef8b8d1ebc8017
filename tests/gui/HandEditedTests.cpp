// The settings file as people leave it: saved by Notepad as UTF-8 or UTF-16, cut short by a power
// failure, scratch copies of a killed save beside it, a link that leads nowhere at its path,
// deleted while the settings window is open, saved by several instances at once. Through the
// real program: what is on disk afterwards, which boxes showed, what moved.
#include "robot/Robot.h"

#include <commctrl.h>

#include "common/CodePage.h"
#include "settings/ScratchFile.h"
#include "ui/AddUnit.h"
#include "ui/MainUnit.h"

using namespace zvtest;
using M = zv::TMainForm;
using A = zv::TAddForm;

namespace {

// A code-page text in UTF-8 or UTF-16 (little-endian), as Notepad saves it.
std::string Utf8(const std::string &text) {
    const std::wstring w = zv::ToWide(text);
    std::string out(w.size() * 3, '\0');
    out.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &out[0],
                            static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}
std::string Utf16(const std::string &text) {
    const std::wstring w = zv::ToWide(text);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char *>(w.data()), w.size() * 2);
}

struct FileCase {
    const char *name,
        *form;    // how the file is left: utf8, utf16, emoji (UTF-8 with a 😀), nul
                  // (two NUL bytes before a header), nuls (nothing but), scratch
                  // (copies of a killed save beside it), link (a link that leads nowhere)
    bool sorting; // in\a.txt dropped, to its rule's folder 書類; else the settings mode
    std::vector<Answer> script; // with the fatal box: exit code 1, nothing moved or written
};
void PrintTo(const FileCase &c, std::ostream *os) { *os << c.name; }

const FileCase kCases[] = {
    {"Utf8Converted", "utf8", true, {Box(kConfirmTitle, kYes, "UTF-8")}},
    {"Utf8Refused",
     "utf8",
     true,
     {Box(kConfirmTitle, kNo, "UTF-8"), Box(kFatalTitle, kOk, "ANSI")}},
    {"Utf16Converted",
     "utf16",
     false,
     {Box(kConfirmTitle, kYes, "UTF-16"), Form(kMainTitle, kCancel)}},
    {"Utf8WithoutShiftJis", "emoji", true, {Box(kFatalTitle, kOk, "6 行目")}},
    {"NulsBeforeAHeaderSorting", "nul", true, {Box(kFatalTitle, kOk, "4 行目")}},
    {"NulsBeforeAHeaderSettings", "nul", false, {Box(kFatalTitle, kOk, "NUL")}},
    {"NothingButNuls", "nuls", true, {Box(kFatalTitle, kOk, "すべて NUL")}},
    {"ScratchOfAKilledSave",
     "scratch",
     true,
     {Form(kRuleTitle, kOk, {{A::IDC_EDTPATH, "%R\\書類"}}), Box(kConfirmTitle, kYes)}},
    {"LinkThatLeadsNowhere",
     "link",
     false,
     {Chooser(kCancel), Form(kFirstRunTitle, kOk), Form(kMainTitle, kCancel)}},
};

class HandEdited : public ZorvikTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(HandEdited, NothingMisreadNothingLost) {
    const FileCase &c = GetParam();
    const std::string form = c.form, option = Ini({"[Option]", "MoveNoExt=2", "BaseDir=%R"}),
                      rule = Ini({"[Extensions]", "txt=%R\\書類"}), text = option + rule;
    const std::map<std::string, std::string> forms = {
        {"utf8", Utf8(text)},
        {"utf16", Utf16(text)},
        {"emoji", Utf8(text) + "\xF0\x9F\x98\x80=1\r\n"},
        {"nul", option + std::string(2, '\0') + rule},
        {"nuls", std::string(4096, '\0')},
        {"scratch", Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R"})}};
    const std::string bytes = forms.count(form) ? forms.at(form) : text;
    bool fatal = false, converted = form == "utf8" || form == "utf16";
    for (const Answer &a : c.script) fatal = fatal || a.title == kFatalTitle;
    std::vector<std::string> ours, users = {P("app\\~notes.txt"), P("app\\~0123456789")};
    if (form == "link" && !UnixLink("real.ini", IniPath())) GTEST_SKIP() << "no Unix symlinks here";
    if (form != "link") WriteIni(bytes);
    if (!fatal) IniMayChange();
    for (int i = 0; form == "scratch" && i < 2; ++i) ours.push_back(zv::ScratchPath(IniPath()));
    for (const std::string &f : ours) ASSERT_TRUE(WriteBytes(f, bytes));
    for (const std::string &f : users) ASSERT_TRUE(WriteBytes(f, "the user's"));
    Make("in\\a.txt");
    std::vector<Answer> script = c.script;
    for (Answer &a : script)
        for (auto &f : a.fields) f.second = Expand(f.second);
    const RunResult r = Run(
        c.sorting ? std::vector<std::string>{P("in\\a.txt")} : std::vector<std::string>{}, script);
    EXPECT_EQ(fatal ? 1u : 0u, r.exitCode);
    const bool moved = c.sorting && !fatal;
    EXPECT_EQ(moved ? "a.txt" : "", ReadBytes(P("書類\\a.txt")));
    EXPECT_EQ(moved, !Exists(P("in\\a.txt")));
    if (converted && !fatal) {
        EXPECT_EQ(text, ReadBytes(IniPath()));
        EXPECT_EQ(bytes, ReadBytes(IniPath() + (form == "utf8" ? ".utf-8.bak" : ".utf-16.bak")));
    }
    if (form == "scratch") {
        EXPECT_EQ(bytes + rule, ReadBytes(IniPath()));
    }
    for (const std::string &f : ours) EXPECT_FALSE(Exists(f)) << f;
    for (const std::string &f : users) EXPECT_EQ("the user's", ReadBytes(f)) << f;
    if (form == "link") { // written through the link, which stays one
        EXPECT_NE(std::string::npos, ReadBytes(P("app\\real.ini")).find("BaseDir="));
        EXPECT_EQ(ReadBytes(P("app\\real.ini")), ReadBytes(IniPath()));
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, HandEdited, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FileCase> &i) {
                             return std::string(i.param.name);
                         });

class SettingsSaves : public ZorvikTest {
  protected:
    // Adds a rule through the rule editor that the main window's Add button opens.
    void AddRule(Session &s, HWND main, const std::string &extension, const std::string &folder) {
        s.Click(main, M::IDC_BTNADD);
        HWND e = s.Window(kRuleTitle);
        ASSERT_TRUE(e);
        s.Type(e, A::IDC_EDTEXT, extension);
        s.Type(e, A::IDC_EDTPATH, folder);
        s.Click(e, IDOK);
        EXPECT_TRUE(s.Gone(e));
    }
};

// The file deleted while the settings window is open: there is nothing to merge with, and OK
// writes all the window shows, with the options it read and does not show.
TEST_F(SettingsSaves, FileDeletedUnderAnOpenWindow) {
    IniMayChange();
    const std::vector<std::string> options = {
        "[Option]",    "MoveFolder=1",        "MoveFolderPath=%R\\F",
        "MoveNoExt=0", "MoveNoExtPath=%R\\N", "BaseDir=%R"};
    WriteIni(Ini(options) + Ini({"[Extensions]", "doc=%R\\D", "jpg=%R\\J", "txt=%R\\T", "[Ignore]",
                                 "a=NULL", "b=NULL", "c=x"}));
    auto s = Start();
    HWND w = s->Window(kMainTitle);
    ASSERT_TRUE(w);
    ASSERT_TRUE(DeleteFileA(IniPath().c_str()));
    AddRule(*s, w, "zip", R());
    s->Click(w, IDOK);
    EXPECT_EQ(0u, s->Wait());
    EXPECT_EQ(Ini({"[Extensions]", "doc=%R\\D", "jpg=%R\\J", "txt=%R\\T", "zip=%R", "[Ignore]",
                   "a=NULL", "b=NULL", "c=NULL"}) +
                  Ini(options),
              ReadBytes(IniPath()));
}

// A folder Windows cannot make is refused before the question, or said after it: the editor
// stays open, nothing is accepted, and no level made on the way is left.
TEST_F(SettingsSaves, AFolderIsMadeOrTheUserIsTold) {
    WriteIni(Ini({"[Option]", "MoveNoExt=2"}));
    auto s = Start();
    HWND w = s->Window(kMainTitle), e = nullptr;
    ASSERT_TRUE(w);
    s->Click(w, M::IDC_BTNADD);
    ASSERT_TRUE(e = s->Window(kRuleTitle));
    s->Type(e, A::IDC_EDTEXT, "bad");
    s->Type(e, A::IDC_EDTPATH, P("bad|name"));
    s->Click(e, IDOK);
    EXPECT_NE(std::string::npos, s->AnswerBox(kWarningTitle, kOk).find("使えない文字"));
    std::string deep = P("deep");
    while (deep.size() < 2300) deep += "\\" + std::string(200, 'd');
    s->Type(e, A::IDC_EDTPATH, deep);
    s->Click(e, IDOK);
    s->AnswerBox(kConfirmTitle, kYes);
    EXPECT_NE(std::string::npos, s->AnswerBox(kAppTitle, kOk).find("作成できません"));
    EXPECT_TRUE(IsWindowVisible(e));
    EXPECT_FALSE(Exists(P("deep")));
    s->Click(e, A::IDC_BUTTON1);
    EXPECT_TRUE(s->Gone(e));
    EXPECT_EQ(0, ListView_GetItemCount(Session::Control(w, M::IDC_LISTVIEW1)));
    s->Click(w, IDCANCEL);
    EXPECT_EQ(0u, s->Wait());
}

// Instances that save at one moment, rule editors of sorting runs and settings windows, round
// after round: every key that one of them saved is in the file.
TEST_F(SettingsSaves, SavesAtOneMomentLoseNothing) {
    IniMayChange();
    WriteIni(Ini({"[Option]", "MoveNoExt=1", "BaseDir=%R"}));
    std::vector<std::string> keys;
    for (int round = 0; round < 4; ++round) {
        std::vector<std::unique_ptr<Session>> all;
        std::vector<HWND> oks;
        for (int i = 0; i < 5; ++i) {
            const std::string key = "k" + std::to_string(round) + std::to_string(i);
            keys.push_back(key);
            if (i < 3) { // a sorting run asks for a rule
                Make("in\\a." + key);
                all.push_back(Start({P("in\\a." + key)}));
                HWND e = all.back()->Window(kRuleTitle);
                ASSERT_TRUE(e);
                Session::Type(Session::Control(e, A::IDC_EDTPATH), R());
                oks.push_back(Session::Control(e, IDOK));
            } else { // a settings window gets a rule
                all.push_back(Start());
                HWND w = all.back()->Window(kMainTitle);
                ASSERT_TRUE(w);
                AddRule(*all.back(), w, key, R());
                oks.push_back(Session::Control(w, IDOK));
            }
        }
        for (HWND ok : oks) PostMessageA(ok, BM_CLICK, 0, 0);
        for (auto &s : all) EXPECT_EQ(0u, s->Wait(60000));
    }
    const std::string ini = ReadBytes(IniPath());
    for (const std::string &k : keys) EXPECT_NE(std::string::npos, ini.find(k + "=")) << k;
}
} // namespace
