// Dropped folders: moved whole into MoveFolderPath, or expanded into their files; moves across
// volumes, drive roots, a fatal empty destination, and links that lead back to a parent.
#include "robot/Robot.h"

#include <algorithm>
#include <cstring>
#include <functional>

using namespace zvtest;

namespace {

struct Destination {
    const char *name;
    const char *value; // MoveFolderPath, %R expanded
};

void PrintTo(const Destination &row, std::ostream *os) { *os << row.name; }

class E2EFolderDestination : public ZorvikTest, public ::testing::WithParamInterface<Destination> {
  protected:
    void SetUp() override {
        ZorvikTest::SetUp();
        RemoveTree("U:\\E2EFolderDestination");
    }
};

// However the destination is written, in\Photos ends up as Sorted\Photos, whole.
TEST_P(E2EFolderDestination, MovedWhole) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", std::string("MoveFolderPath=") + GetParam().value,
                  "MoveNoExt=2"}));
    for (const char *f : {"x.jpg", ".hidden", "sub\\y.jpg", "予定表\\表.jpg"}) Make(std::string("in\\Photos\\") + f);
    MakeDir("in\\Photos\\empty");
    Listing photos = Tree("in\\Photos");
    std::string dest = Expand(GetParam().value);
    dest.erase(std::remove(dest.begin(), dest.end(), '"'), dest.end());

    RunResult r = Run({P("in\\Photos")});

    EXPECT_EQ(0u, r.exitCode);
    EXPECT_FALSE(Exists(P("in\\Photos")));
    EXPECT_EQ(photos, TreeAt(InFolder(dest, "Photos")));
}

INSTANTIATE_TEST_SUITE_P(
    MoveFolderPath, E2EFolderDestination,
    ::testing::Values(Destination{"Plain", "%R\\Sorted"},
                      Destination{"TrailingBackslash", "%R\\Sorted\\"},
                      Destination{"Quoted", "\"\"%R\\Sorted\"\""},       // one pair is the file's
                      Destination{"QuotedTrailing", "\"\"%R\\Sorted\\\"\""},
                      Destination{"MissingParents", "%R\\New\\Deep\\Sorted"},
                      Destination{"ShiftJis", "%R\\予定表"},
                      Destination{"OtherVolume", "U:\\E2EFolderDestination\\Sorted"}),
    [](const ::testing::TestParamInfo<Destination> &i) { return i.param.name; });

class E2EFolders : public ZorvikTest {};

// Every folder is moved before any file is sorted, whatever the order of the arguments: the rule
// for txt points at the dropped folder, so a file sorted first would travel with it.
TEST_F(E2EFolders, FolderMovesComeBeforeAnyFile) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=%R\\in\\Photos"}));
    Make("in\\a.txt");
    Make("in\\Photos\\x.jpg");
    Make("in\\Other\\o.jpg");
    RunResult r = Run({P("in\\a.txt"), P("in\\Photos"), P("in\\Other")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Named({"in\\Photos\\a.txt", "Sorted\\Photos\\x.jpg", "Sorted\\Other\\o.jpg"}), Tree());
}

// A folder moved to another volume arrives whole, with its bytes, and the source is gone; a file
// sorted to the other volume goes too.
TEST_F(E2EFolders, AcrossVolumes) {
    const std::string u = "U:\\E2EFolders_AcrossVolumes";
    RemoveTree(u);
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=" + u + "\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=" + u + "\\Docs"}));
    Make("in\\Photos\\x.jpg", std::string(300000, 'x'));
    for (const char *f : {".hidden", "sub\\y.jpg", "sub\\deeper\\z.jpg", "予定表\\表.jpg"})
        Make(std::string("in\\Photos\\") + f);
    MakeDir("in\\Photos\\empty");
    Make("in\\a.txt");
    Listing photos = Tree("in\\Photos");
    RunResult r = Run({P("in\\Photos"), P("in\\a.txt")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(Files({{"in\\", "<dir>"}}), Tree());
    EXPECT_EQ(photos, TreeAt(u + "\\Sorted\\Photos"));
    EXPECT_EQ("a.txt", ReadBytes(u + "\\Docs\\a.txt"));
    RemoveTree(u);
}

// A name that is taken in the destination stops the folder move with an error box; the run goes
// on and both folders stay as they were.
TEST_F(E2EFolders, NameTakenInTheDestination) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "txt=%R\\Docs"}));
    Make("Sorted\\Photos\\old.jpg");
    Make("in\\Photos\\new.jpg");
    Make("in\\a.txt");
    Listing expected = Tree();
    MoveEntry(expected, "in\\a.txt", "Docs\\");
    RunResult r = Run({P("in\\Photos"), P("in\\a.txt")}, {Box(kAppTitle, kOk, P("in\\Photos"))});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// With MoveFolder 0 every file below the folder is sorted, hidden ones included, depth-first:
// each file asks before replacing its namesake in Docs, so the questions show the order.
TEST_F(E2EFolders, ExpandedDepthFirst) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=", "MoveNoExt=2", "[Extensions]",
                  "txt=%R\\Docs"}));
    const char *files[] = {"a.txt", "s1\\b.txt", "s1\\s2\\c.txt", "s1\\e.txt", "s3\\d.txt", ".h.txt"};
    for (const char *f : files) {
        Make(std::string("in\\D\\") + f);
        Make("Docs\\" + FileNameOf(f), "old");
    }
    SetFileAttributesA(P("in\\D\\.h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeDir("in\\D\\empty");
    // The order the file system lists them in, walked depth-first.
    std::vector<std::string> order;
    std::function<void(const std::string &)> walk = [&](const std::string &dir) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "*.*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return;
        do {
            if (!std::strcmp(fd.cFileName, ".") || !std::strcmp(fd.cFileName, "..")) continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                walk(dir + fd.cFileName + "\\");
            else
                order.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    };
    walk(P("in\\D\\"));
    ASSERT_EQ(6u, order.size());
    std::vector<Answer> script;
    for (const std::string &name : order) script.push_back(Box(kConfirmTitle, kYes, P("Docs\\" + name)));
    Listing expected = Tree();
    for (const char *f : files) {
        std::string from = std::string("in\\D\\") + f;
        expected.erase("Docs\\" + FileNameOf(from));
        MoveEntry(expected, from, "Docs\\");
    }

    RunResult r = Run({P("in\\D")}, script);

    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// The Unix path of a file on a Wine drive; empty outside Wine.
std::string UnixPath(const std::string &path) {
    typedef char *(CDECL * UnixName)(const WCHAR *);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
    char *name = unixName(wide);
    if (!name) return "";
    std::string s = name;
    HeapFree(GetProcessHeap(), 0, name);
    return s;
}

// Runs a Unix program (Wine starts ELF executables) and waits for it.
void RunUnix(const std::string &commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A link inside an expanded folder that leads back to its parent is not followed: every file is
// sorted once, nothing is reported, the link stays.
TEST_F(E2EFolders, LinkBackToAParentIsNotFollowed) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveNoExt=2", "[Extensions]", "txt=%R\\Docs"}));
    Make("in\\D\\a.txt");
    Make("in\\D\\sub\\b.txt");
    const std::string link = P("in\\D\\sub\\loop");
    const std::string unixLink = UnixPath(link);
    std::string how;
    // Wine's CreateSymbolicLinkA may report success without making anything.
    if (CreateSymbolicLinkA(link.c_str(), P("in\\D").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        Exists(link + "\\sub\\b.txt"))
        how = "CreateSymbolicLinkA";
    if (how.empty() && !unixLink.empty()) {
        RunUnix("/bin/ln -s .. \"" + unixLink + "\"");
        // The process Wine reports may end before the Unix program has run.
        if (WaitUntil([&] { return Exists(link + "\\sub\\b.txt"); })) how = "/bin/ln";
    }
    if (how.empty()) GTEST_SKIP() << "neither CreateSymbolicLinkA nor /bin/ln made a folder link";
    RecordProperty("link", how);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(link.c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FindClose(h);
    SCOPED_TRACE("link made by " + how + ", listed with attributes " + std::to_string(fd.dwFileAttributes));

    RunResult r = Run({P("in\\D")}, {}, RunOptions{"", "", 60000});

    EXPECT_EQ(0u, r.exitCode) << how;
    EXPECT_EQ(Named({"a.txt", "b.txt"}), Tree("Docs"));
    EXPECT_TRUE(Exists(link + "\\sub")) << "the link was removed";
    // Wine removes such a link neither with RemoveDirectoryA nor with DeleteFileA.
    if (!unixLink.empty()) RunUnix("/bin/rm -f \"" + unixLink + "\"");
    RemoveDirectoryA(link.c_str());
}

// A dropped drive root is neither moved nor expanded: a warning, and the run goes on.
TEST_F(E2EFolders, DriveRootIsLeftAlone) {
    WriteIni(Ini({"[Option]", "MoveFolder=0", "MoveFolderPath=%R\\Sorted", "MoveNoExt=2",
                  "[Extensions]", "zve2eroot=%R\\Docs"}));
    Make("in\\a.zve2eroot");
    Make("in\\b.jpg");
    Listing expected = Tree();
    MoveEntry(expected, "in\\a.zve2eroot", "Docs\\");
    RunResult r = Run({"T:\\", P("in\\a.zve2eroot")}, {Box(kWarningTitle, kOk, "T:\\")});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(expected, Tree());
}

// A folder dropped with an empty MoveFolderPath ends the program before any file is sorted.
TEST_F(E2EFolders, EmptyDestinationIsFatal) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=", "MoveNoExt=2", "[Extensions]",
                  "txt=%R\\Docs"}));
    Make("in\\a.txt");
    Make("in\\Photos\\x.jpg");
    Listing before = Tree();
    RunResult r = Run({P("in\\a.txt"), P("in\\Photos")},
                      {Box(kFatalTitle, kOk, "ディレクトリを作成できません")});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_EQ(before, Tree());
}

// An empty settings file is a settings file: no first run, and a dropped folder has nowhere to go.
TEST_F(E2EFolders, EmptySettingsFileIsNoFirstRun) {
    WriteIni("");
    Make("in\\Photos\\x.jpg");
    Listing before = Tree();
    RunResult r = Run({P("in\\Photos")}, {Box(kFatalTitle, kOk, "ディレクトリを作成できません")});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_EQ(before, Tree());
}

} // namespace
