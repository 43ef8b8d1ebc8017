// Hostile input: settings files the program never wrote, and very long command lines. No run may
// crash, hang, lose a file or touch the settings file.
#include "robot/Robot.h"

#include <functional>
#include <random>

using namespace zvtest;

namespace {

struct BadIni {
    const char *name;
    // The settings file's bytes, given the test's folder (no trailing backslash).
    std::function<std::string(const std::string &)> bytes;
    const char *destination; // where in\a.txt ends up: a folder below the test's, or "in"
    bool errorBox;           // the move is reported as failed
};

std::string Rule(const std::string &root, const char *eol = "\r\n") {
    return std::string("[Option]") + eol + "MoveNoExt=2" + eol + "[Extensions]" + eol +
           "txt=" + root + "\\Docs" + eol;
}

const BadIni kBadInis[] = {
    {"RandomBytesBeforeTheRule",
     [](const std::string &root) {
         std::mt19937 rng(20240611);
         std::string junk;
         for (int i = 0; i < 8192; ++i) junk += static_cast<char>(rng() % 255 + 1); // no NUL
         return junk + "\r\n" + Rule(root);
     },
     "Docs", false},
    {"LineFeedsOnly", [](const std::string &root) { return Rule(root, "\n"); }, "Docs", false},
    {"LinesWithoutEquals",
     [](const std::string &root) {
         return "[Option]\r\nno equals here\r\nMoveNoExt=2\r\n[Extensions]\r\njunk "
                "line\r\n=x\r\n[half\r\ntxt=" +
                root + "\\Docs\r\n";
     },
     "Docs", false},
    {"DuplicateKeysFirstWins",
     [](const std::string &root) {
         return "[Option]\r\nMoveNoExt=2\r\n[Extensions]\r\ntxt=" + root +
                "\\First\r\nTXT=" + root + "\\Second\r\n[Extensions]\r\ntxt=" + root +
                "\\Third\r\n";
     },
     "First", false},
    {"TenMegabytes",
     [](const std::string &root) {
         std::string s = "[Option]\r\nMoveNoExt=2\r\n[Extensions]\r\n";
         for (int i = 0; s.size() < 10 * 1024 * 1024; ++i)
             s += "k" + std::to_string(i) + "=" + root + "\\Elsewhere\\" + std::to_string(i) +
                  "\r\n";
         return s + "txt=" + root + "\\Docs\r\n";
     },
     "Docs", false},
    {"LongValueBeside",
     [](const std::string &root) {
         return "[Option]\r\nMoveNoExt=2\r\nBaseDir=" + std::string(5000, 'b') +
                "\r\n[Extensions]\r\nlong=" + std::string(5000, '\x95') + "\r\ntxt=" + root +
                "\\Docs\r\n";
     },
     "Docs", false},
    {"LongRuleFolder",
     [](const std::string &root) {
         return "[Option]\r\nMoveNoExt=2\r\n[Extensions]\r\ntxt=" + root + "\\" +
                std::string(5000, 'd') + "\r\n";
     },
     "in", true},
};

void PrintTo(const BadIni &row, std::ostream *os) { *os << row.name; }

class E2EBadIni : public ZorvikTest, public ::testing::WithParamInterface<BadIni> {};

TEST_P(E2EBadIni, SortsWithoutHarm) {
    WriteIni(GetParam().bytes(R()));
    Make("in\\a.txt");
    std::vector<Answer> script;
    if (GetParam().errorBox) script.push_back(Box(kAppTitle, kOk, P("in\\a.txt")));
    RunResult r = Run({P("in\\a.txt")}, script);
    EXPECT_EQ(0u, r.exitCode);
    Listing expected = Named({std::string(GetParam().destination) + "\\a.txt"});
    expected["in\\"] = "<dir>";
    EXPECT_EQ(expected, Tree());
}

INSTANTIATE_TEST_SUITE_P(Settings, E2EBadIni, ::testing::ValuesIn(kBadInis),
                         [](const ::testing::TestParamInfo<BadIni> &i) { return i.param.name; });

class E2EBadInput : public ZorvikTest {};

// 2,000 arguments, relative to the working folder to stay within the command line's limit.
TEST_F(E2EBadInput, TwoThousandArguments) {
    WriteIni(Ini({"[Option]", "MoveNoExt=2", "[Extensions]", "t=%R\\Docs"}));
    std::vector<std::string> args;
    std::vector<std::string> moved;
    for (int i = 0; i < 2000; ++i) {
        std::string name = std::to_string(1000 + i) + ".t";
        Make("in\\" + name);
        args.push_back(name);
        moved.push_back("Docs\\" + name);
    }
    RunOptions options;
    options.cwd = P("in");
    options.timeoutMs = 120000;
    RunResult r = Run(args, {}, options);
    EXPECT_EQ(0u, r.exitCode);
    Listing expected = Named(moved);
    expected["in\\"] = "<dir>";
    EXPECT_EQ(expected, Tree());
}

} // namespace
