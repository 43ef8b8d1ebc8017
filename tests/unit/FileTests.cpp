// File-system work on real folders under Wine: listing dropped folders, creating folders, moving
// files the program's own way, the guards, the documents folder and the folder chooser's
// placement. (A link back to a parent, met while listing, is an end-to-end test.)
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/Startup.h"
#include "common/Application.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/FileIdentity.h"
#include "common/Path.h"
#include "common/SystemPath.h"
#include "settings/SettingsFile.h"
#include "sorting/FileUnit.h"
#include "sorting/MoveMessages.h"
#include "support/Support.h"
#include "ui/BrowseButton.h"
#include "ui/FolderChooser.h"

using namespace zv;
using namespace zvtest;

namespace {

void Touch(const std::string &path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(WriteBytes(path, path)) << path;
    if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesA(path.c_str(), attributes);
}

void Folder(const std::string &path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

// Answers every message box this process shows (No, else OK) and counts them, so that a move that
// fails shows its box without hanging the test.
class BoxAnswerer {
  public:
    BoxAnswerer() : thread_([this] { Run(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    int count() const { return count_; }

  private:
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM self) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        char cls[16] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && !lstrcmpA(cls, "#32770")) {
            HWND button = GetDlgItem(hwnd, IDNO);
            if (!button) button = GetDlgItem(hwnd, IDOK);
            auto *me = reinterpret_cast<BoxAnswerer *>(self);
            if (button && std::find(me->seen_.begin(), me->seen_.end(), hwnd) == me->seen_.end()) {
                me->seen_.push_back(hwnd);
                ++me->count_;
            }
            if (button) PostMessageA(button, BM_CLICK, 0, 0);
        }
        return TRUE;
    }
    void Run() {
        while (!stop_) {
            EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
    std::vector<HWND> seen_; // the watcher thread's own
    std::thread thread_;
};

// The paths CollectFiles appends, in the code page.
void Collect(const std::string &folder, std::vector<std::string> &list) {
    std::vector<ListedFile> files;
    CollectFiles(MovesForThisSystem(), folder, files);
    for (const ListedFile &f : files) list.push_back(f.ansi);
}

} // namespace

TEST(FileCollect, EveryFileBelowDepthFirst) {
    TempFolder t;
    Touch(t / "a.txt");
    Touch(t / "hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    Touch(t / "system.dat", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    Folder(t / "sub");
    Touch(t / "sub\\b.txt");
    Folder(t / "sub\\deeper");
    Touch(t / "sub\\deeper\\c");
    Touch(t / "sub\\z.jpg");
    Folder(t / "empty");
    Folder(t / "表"); // ends in a 0x5C trail byte
    Touch(t / "表\\ソ.txt");
    Touch(t / "z.txt");

    std::vector<std::string> list{"already listed"};
    Collect(t.path() + "\\", list);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ("already listed", list.front()) << "the list is appended to";
    list.erase(list.begin());

    std::vector<std::string> expected;
    for (const char *name : {"a.txt", "hidden.txt", "system.dat", "sub\\b.txt", "sub\\deeper\\c",
                             "sub\\z.jpg", "表\\ソ.txt", "z.txt"})
        expected.push_back(t / name);
    std::vector<std::string> sorted = list;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, sorted);

    // Depth-first: the files below any folder stand together, at the folder's place.
    for (const char *folder : {"sub\\", "sub\\deeper\\", "表\\"}) {
        std::string prefix = t / folder;
        auto inside = [&](const std::string &f) {
            return f.compare(0, prefix.size(), prefix) == 0;
        };
        auto first = std::find_if(list.begin(), list.end(), inside);
        auto last = std::find_if(list.rbegin(), list.rend(), inside).base();
        EXPECT_TRUE(std::all_of(first, last, inside)) << folder << " is split";
    }

    std::vector<std::string> same;
    Collect(t.path(), same);
    EXPECT_EQ(list, same) << "with or without a final backslash";

    std::vector<std::string> none;
    Collect(t / "empty", none);
    Collect(t / "missing", none);
    Collect(t / "a.txt", none);
    EXPECT_TRUE(none.empty());

    std::vector<std::string> kanji;
    Collect(t / "表", kanji);
    EXPECT_EQ(std::vector<std::string>{t / "表\\ソ.txt"}, kanji);
}

TEST(FileCentredPosition, CentredAndKeptOnScreen) {
    const struct {
        int sw, sh, w, h;
        LONG x, y;
    } rows[] = {
        {1024, 768, 400, 300, 312, 234}, {1024, 768, 1024, 768, 0, 0},
        {1024, 768, 1300, 300, 0, 234}, // wider than the screen
        {1024, 768, 400, 1000, 312, 0}, // taller than the screen
        {1024, 768, 2000, 2000, 0, 0},   {1025, 769, 400, 300, 312, 234},
        {1024, 768, 0, 0, 512, 384},
    };
    for (const auto &r : rows) {
        POINT p = CentredPosition(r.sw, r.sh, r.w, r.h);
        EXPECT_EQ(r.x, p.x) << r.w << "x" << r.h << " on " << r.sw << "x" << r.sh;
        EXPECT_EQ(r.y, p.y) << r.w << "x" << r.h << " on " << r.sw << "x" << r.sh;
    }
}

TEST(FileForceFolder, CreatesEveryMissingParent) {
    try {
        ForceFolder("");
        ADD_FAILURE() << "an empty path raised nothing";
    } catch (const Error &e) {
        EXPECT_STREQ("ディレクトリを作成できません", e.what());
    }

    TempFolder t;
    const char *nested[] = {"a\\b\\c", "予定表\\表", "ソ\\x\\", "a\\b\\c"};
    for (const char *name : nested) {
        EXPECT_NO_THROW(ForceFolder(t / name));
        EXPECT_TRUE(IsDir(t / name)) << name;
    }
    EXPECT_TRUE(IsDir(t / "予定表"));

    // Relative names: only the empty path is an error.
    char cwd[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    ASSERT_TRUE(SetCurrentDirectoryA(t.path().c_str()));
    for (const char *name : {"Sorted", "予定表x", "rel\\deep\\"}) {
        EXPECT_NO_THROW(ForceFolder(name)) << name;
        EXPECT_TRUE(IsDir(t / name)) << name;
    }
    SetCurrentDirectoryA(cwd);
    // A file in the way: no error here, the move that follows reports it.
    Touch(t / "file");
    EXPECT_NO_THROW(ForceFolder(t / "file\\sub"));
    EXPECT_TRUE(IsFile(t / "file"));
}

TEST(FileFolders, DocumentsAndBrowseStart) {
    std::string docs = GetDocumentsDir();
    ASSERT_GE(docs.size(), 4u);
    EXPECT_EQ('\\', docs.back());
    EXPECT_NE('\\', docs[docs.size() - 2]) << docs;
    EXPECT_TRUE(IsDir(docs)) << docs;

    TempFolder t;
    Folder(t / "表");
    Touch(t / "file.txt");
    EXPECT_EQ(docs, BrowseStartFolder(""));
    EXPECT_EQ(t.path(), BrowseStartFolder(t.path()));
    EXPECT_EQ(t / "表", BrowseStartFolder(t / "表"));
    EXPECT_EQ("", BrowseStartFolder(t / "missing"));
    EXPECT_EQ("", BrowseStartFolder(t / "file.txt"));
}

TEST(FileMove, MovesWithoutQuestions) {
    MoveEngine &moves = MovesForThisSystem(); // the program's own, under Wine
    BoxAnswerer boxes; // a failing move shows a box: answer it rather than hang
    TempFolder t;
    Folder(t / "src");
    Folder(t / "src\\表");
    Folder(t / "dst");
    const struct {
        const char *source, *destination, *result;
    } rows[] = {
        {"src\\a.txt", "dst\\", "dst\\a.txt"},                     // into an existing folder
        {"src\\b.txt", "dst\\renamed.txt", "dst\\renamed.txt"},    // to a new name
        {"src\\予定表", "dst\\", "dst\\予定表"},                   // the name keeps its 0x5C byte
        {"src\\表\\ソ", "dst\\表\\", "dst\\表\\ソ"},               // folder 表 created
        {"src\\c.jpg", "new\\deep\\er\\", "new\\deep\\er\\c.jpg"}, // parents created
        {"src\\d.txt", "ソ\\x\\d.txt", "ソ\\x\\d.txt"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.source);
        Touch(t / r.source);
        EXPECT_TRUE(moves.MoveFileTo(t / r.source, t / r.destination));
        EXPECT_FALSE(IsFile(t / r.source));
        EXPECT_EQ(t / r.source, ReadBytes(t / r.result)) << "contents moved with the file";
    }
    EXPECT_EQ(0, boxes.count());

    // A missing source: false, and the program's own error box at the run's end.
    EXPECT_FALSE(moves.MoveFileTo(t / "src\\missing.txt", t / "dst\\"));
    ShowRunReport();
    EXPECT_EQ(1, boxes.count());
    EXPECT_FALSE(IsFile(t / "dst\\missing.txt"));
}

TEST(FileProgramFiles, NeverMoved) {
    BoxAnswerer boxes;
    TempFolder t;
    Touch(t / "other.exe");
    std::string exe = ExePath(), upper = exe;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    EXPECT_TRUE(IsProgramFile(exe));
    EXPECT_TRUE(IsProgramFile(upper)) << "one path in two letter cases";
    EXPECT_TRUE(IsProgramFile(SettingsPath()));
    EXPECT_FALSE(IsProgramFile(t / "other.exe"));
    EXPECT_FALSE(IsProgramFile(""));

    EXPECT_TRUE(HoldsProgramFile(ExtractFilePath(exe)));
    EXPECT_TRUE(HoldsProgramFile(ExtractFilePath(ExcludeTrailingBackslash(ExtractFilePath(exe)))));
    EXPECT_FALSE(HoldsProgramFile(t.path()));

    bool moved = MovesForThisSystem().MoveFileTo(exe, t / "");
    if (IsFile(t / ExtractFileName(exe)))
        MoveFileA((t / ExtractFileName(exe)).c_str(), exe.c_str());
    EXPECT_FALSE(moved);
    EXPECT_TRUE(IsFile(exe));
    EXPECT_EQ(0, boxes.count());
}

TEST(FileMoveFolder, QuotedPathsAndShiftJisNames) {
    BoxAnswerer boxes;
    TempFolder t;
    Folder(t / "予定表");
    Folder(t / "予定表\\表");
    Touch(t / "予定表\\表\\ソ.txt");
    Touch(t / "予定表\\a.txt");
    EXPECT_TRUE(MovesForThisSystem().MoveFolderTo("\"" + t / "予定表\\\"", t / "Sorted\\New\\"));
    EXPECT_FALSE(IsDir(t / "予定表"));
    EXPECT_EQ(t / "予定表\\表\\ソ.txt", ReadBytes(t / "Sorted\\New\\予定表\\表\\ソ.txt"));
    EXPECT_TRUE(IsFile(t / "Sorted\\New\\予定表\\a.txt"));
    EXPECT_EQ(0, boxes.count());
}

TEST(FileCodePage, OnlyExactSpellingsAreHeld) {
    const struct {
        const wchar_t *wide;
        bool held;
        const char *shown;
    } rows[] = {
        {L"\u8868\u30bd.txt", true, "表ソ.txt"},
        {L"plain", true, "plain"},
        {L"", true, ""},
        {L"caf\u00e9.txt", false, "caf?.txt"}, // best fit would make it cafe.txt
        {L"a\u00a5b.txt", false, "a?b.txt"},   // best fit would make it a\b.txt
        {L"a\u20acb", false, "a?b"},
        {L"\uac00", false, "?"},
    };
    for (const auto &r : rows) {
        std::string ansi;
        EXPECT_EQ(r.held, ToAnsiExact(r.wide, ansi)) << r.shown;
        EXPECT_EQ(r.shown, ansi);
    }
}

TEST(FileLeftItems, OneMessageListsAndCounts) {
    LeftItems left;
    for (int i = 0; i < 25; ++i)
        left.Add(LeftReason::KeyNotInCodePage, "C:\\in\\?" + std::to_string(i));
    left.Add(LeftReason::Empty, "");
    const std::string text = left.Text().ansi;
    EXPECT_EQ(0u, text.find("次の項目は移動しませんでした。"));
    EXPECT_NE(std::string::npos, text.find("C:\\in\\?19\r\n"));
    EXPECT_EQ(std::string::npos, text.find("C:\\in\\?20"));
    EXPECT_NE(std::string::npos, text.find("ほか 5 件"));
    EXPECT_NE(std::string::npos,
              text.find("空の引数です（ファイルやフォルダの名前がありません）:\r\n\"\""));
}

TEST(FileIdentity, SameFileBySpellingOrNot) {
    TempFolder t;
    Touch(t / "a.txt");
    Touch(t / "b.txt");
    FileIdentity a, a2, b, none;
    ASSERT_TRUE(IdentityOf(t / "a.txt", a));
    ASSERT_TRUE(IdentityOf(t / "sub\\..\\A.TXT", a2)) << "another spelling";
    ASSERT_TRUE(IdentityOf(t / "b.txt", b));
    EXPECT_TRUE(a == a2);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(IdentityOf(t / "missing", none));
}
