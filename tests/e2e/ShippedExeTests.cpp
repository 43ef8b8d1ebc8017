// Runs that show the program works as shipped: a rule, an ignored extension, a folder moved whole,
// and a replace question answered no; and DLLs planted beside it never loaded. Also run against
// the 32-bit executable on machines where every other test drives its 64-bit twin.
#include "robot/Robot.h"

#include <cstring>

using namespace zvtest;

namespace {

class ShippedExe : public ZorvikTest {
  protected:
    // Where Wine's 32-bit half is emulated, one start of the program takes about a minute.
    static RunOptions Slow() {
        RunOptions o;
        o.timeoutMs = 600000;
        return o;
    }
};

TEST_F(ShippedExe, SortsIgnoresMovesFoldersAndAsksBeforeReplacing) {
    WriteIni(Ini({"[Option]", "MoveFolder=1", "MoveFolderPath=%R\\Folders", "MoveNoExt=2",
                  "MoveNoExtPath=", "BaseDir=", "[Extensions]", "txt=%R\\Text", "log=%R\\Logs",
                  "[Ignore]", "log=NULL"}));
    Make("in\\表.txt");
    Make("in\\keep.log");
    Make("in\\dir\\x.txt");
    Make("in\\dup.txt", "new");
    Make("Text\\dup.txt", "old");
    RunResult r = Run({P("in\\表.txt"), P("in\\keep.log"), P("in\\dir"), P("in\\dup.txt")},
                      {Box(kConfirmTitle, kNo, "dup.txt")}, Slow());
    EXPECT_EQ(0u, r.exitCode);
    Listing expected = Named({"Text\\表.txt", "in\\keep.log", "Folders\\dir\\x.txt"});
    expected["in\\dup.txt"] = "new";
    expected["Text\\dup.txt"] = "old";
    EXPECT_EQ(expected, Tree());
}

// Whether an executable is a 32-bit one (PE machine i386).
bool Is32Bit(const std::string &exe) {
    const std::string bytes = ReadBytes(exe);
    uint32_t pe = 0;
    if (bytes.size() > 0x40) std::memcpy(&pe, &bytes[0x3c], sizeof pe);
    return bytes.compare(pe, 6, std::string("PE\0\0\x4c\x01", 6)) == 0;
}

// Stand-ins for two system DLLs that Windows keeps among no KnownDLLs, planted beside the program
// and in the current folder: neither mode loads them. Run with Windows' search order forced (the
// program's folder first), which Wine takes from its environment at start (tests/CMakeLists.txt
// and tests/pe32-check.sh give it). Wine's own user32 imports version.dll and so loads one from
// the program's folder before the program runs: that one the import table shows.
TEST_F(ShippedExe, PlantedDllsAreNeverLoaded) {
    char order[256] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", order, sizeof order);
    if (!std::strstr(order, "comctl32,uxtheme=n,b")) GTEST_SKIP() << "the search order is Wine's";
    const std::string stubs = TestExeDir() + (Is32Bit(ExePath()) ? "stubs32\\" : "stubs64\\");
    std::vector<std::string> planted;
    for (const char *dll : {"comctl32.dll", "uxtheme.dll"})
        for (const std::string &folder : {P("app\\"), P()}) {
            planted.push_back(folder + dll);
            ASSERT_TRUE(CopyFileA((stubs + dll).c_str(), planted.back().c_str(), FALSE)) << stubs;
        }
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "txt=%R\\Text"}));
    Make("in\\a.txt");
    auto loaded = [&] {
        std::string names;
        for (const std::string &dll : planted)
            if (Exists(dll + ".loaded")) names += dll + " ";
        return names;
    };
    EXPECT_EQ(0u, Run({P("in\\a.txt")}, {}, Slow()).exitCode);
    EXPECT_TRUE(Exists(P("Text\\a.txt")));
    ASSERT_EQ("", loaded()) << "sorting"; // a stand-in that was called would stop the program
    auto s = Start();
    HWND w = s->Window(kMainTitle, Slow().timeoutMs);
    if (w) s->Click(w, IDCANCEL);
    EXPECT_EQ(0u, s->Wait(Slow().timeoutMs));
    EXPECT_EQ("", loaded()) << "settings";
}

} // namespace
