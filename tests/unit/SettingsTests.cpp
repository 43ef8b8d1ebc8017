// The settings-file object on real files under Wine's profile API.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/Error.h"
#include "common/Format.h"
#include "common/ShiftJis.h"
#include "common/SystemPath.h"
#include "settings/SettingsFile.h"
#include "support/Support.h"

using namespace zv;
using namespace zvtest;

namespace {

const std::string A2046(2046, 'A');

// Asserts that a read value is whole Shift-JIS within the read limit.
void ExpectSane(const std::string &value) {
    EXPECT_LE(value.size(), SettingsFile::kValueBuffer - 1);
    EXPECT_EQ(value, CutWhole(value, value.size())) << "ends in half a character";
}

class Settings : public ::testing::Test {
  protected:
    TempFolder dir;
    std::string path = dir / "Zorvik.INI";
    // Writes the file; a loop passes a new name each time, so that no cached copy can be used.
    void File(const std::string &bytes, const std::string &name = "Zorvik.INI") {
        path = dir / name;
        ASSERT_TRUE(WriteBytes(path, bytes));
    }
};

std::string KeyName(int i, size_t length) {
    char b[32];
    std::snprintf(b, sizeof b, "Key_%04d_", i);
    std::string name = b;
    name.resize(length, 'x');
    return name;
}

} // namespace

TEST(SettingsPath, ExtensionOfTheFileNameReplaced) {
    const struct {
        const char *exe, *ini;
    } rows[] = {
        {"C:\\Tools\\Zorvik.exe", "C:\\Tools\\Zorvik.INI"},
        {"C:\\Tools\\Zorvik.tar.exe", "C:\\Tools\\Zorvik.tar.INI"},
        {"C:\\Old.files\\Zorvik", "C:\\Old.files\\Zorvik.INI"},
        {"C:\\予定表\\表.exe", "C:\\予定表\\表.INI"},
        {"C:\\ソ", "C:\\ソ.INI"},
        {"C:\\x.d\\予定表", "C:\\x.d\\予定表.INI"},
    };
    for (const auto &r : rows) EXPECT_EQ(r.ini, SettingsPathFor(r.exe)) << r.exe;
    EXPECT_EQ(SettingsPathFor(ExePath()), SettingsPath());
}

TEST_F(Settings, ReadsStringsIntegersAndBooleans) {
    File("[Option]\r\n"
         "MoveNoExt=0x2\r\n"
         "Hex=$1F\r\n"
         "Neg=-1\r\n"
         "Word=two\r\n"
         "Big=2147483648\r\n"
         "Empty=\r\n"
         "Quoted=\"D:\\Sorted\"\r\n"
         "Single='  q  '\r\n"
         "  Spaced  =   v w   \r\n"
         "BoolTrue=true\r\n"
         "Two=2\r\n"
         "Zero=0\r\n"
         "表=C:\\予定表\\ソ\r\n"
         "ア=a\r\n"
         "ヂ=di\r\n");
    SettingsFile ini(path);
    EXPECT_EQ(2, ini.ReadInteger("Option", "MoveNoExt", 1));
    EXPECT_EQ(31, ini.ReadInteger("Option", "Hex", 0));
    EXPECT_EQ(-1, ini.ReadInteger("Option", "Neg", 0));
    EXPECT_EQ(1, ini.ReadInteger("Option", "Word", 1));
    EXPECT_EQ(7, ini.ReadInteger("Option", "Big", 7));
    EXPECT_EQ(9, ini.ReadInteger("Option", "Empty", 9));
    EXPECT_EQ(4, ini.ReadInteger("Option", "Missing", 4));

    EXPECT_EQ("", ini.ReadString("Option", "Empty", "DEF")); // present but empty: no default
    EXPECT_EQ("DEF", ini.ReadString("Option", "Missing", "DEF"));
    EXPECT_EQ("DEF", ini.ReadString("Nowhere", "MoveNoExt", "DEF"));
    EXPECT_EQ("0x2", ini.ReadString("oPTION", "MOVENOEXT", "")); // names in any letter case
    EXPECT_EQ("D:\\Sorted", ini.ReadString("Option", "Quoted", ""));
    EXPECT_EQ("  q  ", ini.ReadString("Option", "Single", ""));
    EXPECT_EQ("v w", ini.ReadString("Option", "Spaced", ""));
    EXPECT_EQ("C:\\予定表\\ソ", ini.ReadString("Option", "表", ""));
    EXPECT_EQ("a", ini.ReadString("Option", "ア", "")); // trail bytes are not case-folded
    EXPECT_EQ("di", ini.ReadString("Option", "ヂ", ""));

    const struct {
        const char *key;
        bool def, value;
    } bools[] = {
        {"BoolTrue", true, true}, {"BoolTrue", false, false}, // a word gives the default
        {"Two", false, true},     {"Neg", false, true},       {"Zero", true, false},
        {"Missing", true, true},  {"Missing", false, false},  {"Empty", true, true},
    };
    for (const auto &b : bools)
        EXPECT_EQ(b.value, ini.ReadBool("Option", b.key, b.def)) << b.key << " default " << b.def;
}

TEST_F(Settings, MissingFileGivesDefaultsAndNoKeys) {
    SettingsFile ini(dir / "none.ini");
    EXPECT_EQ("DEF", ini.ReadString("Option", "BaseDir", "DEF"));
    EXPECT_EQ(1, ini.ReadInteger("Option", "MoveNoExt", 1));
    EXPECT_TRUE(ini.ReadSection("Extensions").empty());
    EXPECT_FALSE(IsFile(dir / "none.ini")) << "reading must not create the file";
}

TEST_F(Settings, LongValuesAreCutToWholeCharacters) {
    File("[S]\r\nLong=" + std::string(5000, 'B') + "\r\nStraddle=" + A2046 + "表表\r\nFits=" +
         std::string(2045, 'A') + "表表\r\nExact=" + std::string(2047, 'C') + "\r\n");
    SettingsFile ini(path);
    EXPECT_EQ(std::string(2047, 'B'), ini.ReadString("S", "Long", ""));
    EXPECT_EQ(A2046, ini.ReadString("S", "Straddle", "")); // never half of 表
    EXPECT_EQ(std::string(2045, 'A') + "表", ini.ReadString("S", "Fits", ""));
    EXPECT_EQ(std::string(2047, 'C'), ini.ReadString("S", "Exact", ""));

    // The same through a write: the file holds the whole value, the read is cut.
    ini.WriteString("S", "Written", A2046 + "表表");
    EXPECT_EQ(A2046, ini.ReadString("S", "Written", ""));
    EXPECT_NE(std::string::npos, ReadBytes(path).find("Written=" + A2046 + "表表\r\n"));
}

TEST_F(Settings, ReadSectionListsKeysInFileOrder) {
    File("[Extensions]\r\nzip=D:\\Z\r\nJPG=D:\\P\r\n表=D:\\H\r\n; note=1\r\nno equals\r\n"
         "Empty=\r\nabc=D:\\A\r\n[Ignore]\r\ntmp=NULL\r\n");
    SettingsFile ini(path);
    EXPECT_EQ((std::vector<std::string>{"zip", "JPG", "表", "Empty", "abc"}),
              ini.ReadSection("extensions"));
    EXPECT_EQ(std::vector<std::string>{"tmp"}, ini.ReadSection("Ignore"));
    EXPECT_TRUE(ini.ReadSection("Option").empty());
}

TEST_F(Settings, ReadSectionBeyondTheFirstBuffer) {
    // 1,500 keys of 15 characters make a 24,000-byte list.
    std::string text = "[Extensions]\r\n";
    for (int i = 0; i < 1500; ++i) text += KeyName(i, 15) + "=D:\\x\r\n";
    File(text);
    std::vector<std::string> keys = SettingsFile(path).ReadSection("Extensions");
    ASSERT_EQ(1500u, keys.size());
    for (int i = 0; i < 1500; ++i) ASSERT_EQ(KeyName(i, 15), keys[i]) << i;
}

TEST_F(Settings, ReadSectionAtTheFirstBufferBoundary) {
    // 1,023 names of 16 bytes (with their NUL) and one more of varying length: the list ends
    // right around the 16,384-byte buffer.
    for (size_t last = 9; last <= 17; ++last) {
        std::string text = "[E]\r\n";
        for (int i = 0; i < 1023; ++i) text += KeyName(i, 15) + "=1\r\n";
        text += KeyName(1023, last) + "=1\r\n";
        File(text, "b" + std::to_string(last) + ".ini");
        std::vector<std::string> keys = SettingsFile(path).ReadSection("E");
        ASSERT_EQ(1024u, keys.size()) << "last name " << last << " bytes";
        EXPECT_EQ(KeyName(1022, 15), keys[1022]);
        EXPECT_EQ(KeyName(1023, last), keys[1023]);
    }
}

TEST_F(Settings, WritesAreSeenAtOnceByEveryObject) {
    SettingsFile early(path), writer(path);
    EXPECT_EQ("none", early.ReadString("Extensions", "jpg", "none"));
    writer.WriteString("Extensions", "jpg", "D:\\写真");
    EXPECT_EQ("D:\\写真", early.ReadString("Extensions", "JPG", ""));
    early.WriteInteger("Option", "MoveNoExt", -5);
    early.WriteBool("Option", "MoveFolder", true);
    EXPECT_EQ(-5, writer.ReadInteger("Option", "MoveNoExt", 0));
    writer.WriteString("extensions", "JPG", "D:\\表"); // an existing key keeps its place
    EXPECT_EQ("[Extensions]\r\njpg=D:\\表\r\n[Option]\r\nMoveNoExt=-5\r\nMoveFolder=1\r\n",
              ReadBytes(path));
}

TEST_F(Settings, EraseSection) {
    File("[Extensions]\r\njpg=D:\\P\r\ntxt=D:\\T\r\n[Ignore]\r\ntmp=NULL\r\n");
    SettingsFile ini(path);
    ini.EraseSection("EXTENSIONS");
    EXPECT_TRUE(ini.ReadSection("Extensions").empty());
    EXPECT_EQ("", ini.ReadString("Extensions", "jpg", ""));
    EXPECT_EQ("NULL", ini.ReadString("Ignore", "tmp", ""));
    EXPECT_NO_THROW(ini.EraseSection("Extensions")); // gone already: no error
    EXPECT_NO_THROW(ini.EraseSection("Never"));
    EXPECT_EQ("[Ignore]\r\ntmp=NULL\r\n", ReadBytes(path));
}

TEST_F(Settings, RefusedWritesRaiseTheMessage) {
    auto expectRefused = [](const std::string &where) {
        SettingsFile ini(where);
        const std::string message = Format("%s に書き込めません", where);
        const std::vector<std::pair<const char *, std::function<void()>>> writes = {
            {"string", [&] { ini.WriteString("Option", "BaseDir", "D:\\x"); }},
            {"integer", [&] { ini.WriteInteger("Option", "MoveNoExt", 2); }},
            {"boolean", [&] { ini.WriteBool("Option", "MoveFolder", false); }},
        };
        for (const auto &w : writes) {
            try {
                w.second();
                ADD_FAILURE() << w.first << " write to " << where << " did not fail";
            } catch (const Error &e) {
                EXPECT_EQ(message, e.what()) << w.first;
            }
        }
    };
    // A folder standing at the path.
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    expectRefused(path);
    // A folder that does not exist.
    expectRefused(dir / "missing\\Zorvik.INI");
    // A file held open by someone else without sharing.
    std::string locked = dir / "予定表.INI";
    ASSERT_TRUE(WriteBytes(locked, "[Option]\r\nMoveNoExt=2\r\n"));
    HANDLE h = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    expectRefused(locked);
    try {
        SettingsFile(locked).EraseSection("Option");
        ADD_FAILURE() << "erase of a locked file did not fail";
    } catch (const Error &e) {
        EXPECT_EQ(Format("%s に書き込めません", locked), e.what());
    }
    CloseHandle(h);
    EXPECT_EQ("[Option]\r\nMoveNoExt=2\r\n", ReadBytes(locked));
}

// A rewrite is all or nothing: a write that fails half way, a file held open or a missing one
// leave exactly the bytes that were there; the error names the settings file; no copy is left.
TEST_F(Settings, RewriteReplacesTheFileWholeOrNotAtAll) {
    const std::string before = "[Option]\r\nBaseDir=C:\\表\r\n[Extensions]\r\njpg=D:\\P\r\n";
    File(before);
    auto rewrite = [&] {
        RewriteSettings(
            [](SettingsFile &ini) {
                ini.EraseSection("Extensions");
                ini.WriteString("Extensions", "txt", "D:\\T");
                ini.WriteString("Option", "MoveNoExt", "2");
            },
            path);
    };
    auto fails = [&](const std::function<void(SettingsFile &)> &edit, const std::string &message,
                     HANDLE held = nullptr) {
        try {
            RewriteSettings(edit, path);
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_EQ(message, e.what());
        }
        if (held) CloseHandle(held);
        EXPECT_EQ(before, ReadBytes(path));
    };
    auto names = [&] {
        std::vector<std::string> found;
        WIN32_FIND_DATAA fd;
        HANDLE f = FindFirstFileA((dir / "*").c_str(), &fd);
        do {
            if (fd.cFileName[0] != '.') found.push_back(fd.cFileName);
        } while (FindNextFileA(f, &fd));
        FindClose(f);
        return found;
    };
    // A failure after some writes: the erased section and the new key never reach the file.
    fails(
        [](SettingsFile &ini) {
            ini.EraseSection("Extensions");
            ini.WriteString("Extensions", "txt", "D:\\T");
            throw Error("disk full");
        },
        "disk full");
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    fails([](SettingsFile &ini) { ini.WriteString("Option", "MoveNoExt", "2"); },
          Format("%s に書き込めません", path), h);
    EXPECT_EQ(std::vector<std::string>{"Zorvik.INI"}, names());
    rewrite();
    EXPECT_EQ("[Option]\r\nBaseDir=C:\\表\r\nMoveNoExt=2\r\n[Extensions]\r\ntxt=D:\\T\r\n",
              ReadBytes(path));
    DeleteFileA(path.c_str());
    rewrite();
    EXPECT_EQ("[Extensions]\r\ntxt=D:\\T\r\n[Option]\r\nMoveNoExt=2\r\n", ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"Zorvik.INI"}, names());
}

TEST_F(Settings, HostileFilesReadSanely) {
    std::string random;
    unsigned seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245u + 12345u;
        random += static_cast<char>(seed >> 16);
    }
    const char nul[] = "[Option]\r\nA=1\0\0\r\nMoveNoExt=2\r\n";
    std::string huge =
        "[Option]\r\nHuge=" + std::string(10 * 1024 * 1024, 'x') + "\r\nMoveNoExt=2\r\n";

    const struct {
        const char *name;
        std::string bytes;
        const char *section, *key;
        const char *expected; // nullptr: any sane value
    } rows[] = {
        {"random bytes", random, "Option", "MoveNoExt", nullptr},
        {"random then a section", random + "\r\n[Z]\r\nk=v\r\n", "Z", "k", nullptr},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[Option]\r\nA=1\r\n[Extensions]\r\njpg=D:\\P\r\n",
         "Extensions", "jpg", "D:\\P"},
        {"line feeds only", "[Option]\nMoveNoExt=0\nMoveNoExtPath=D:\\表\n", "Option",
         "MoveNoExtPath", "D:\\表"},
        {"lines without =", "[Option]\r\njunk line\r\n表\r\nMoveNoExt=2\r\n", "Option", "MoveNoExt",
         "2"},
        {"duplicate keys", "[Extensions]\r\njpg=D:\\First\r\nJPG=D:\\Second\r\n", "Extensions",
         "jpg", "D:\\First"},
        {"10 MB file", huge, "Option", "MoveNoExt", "2"},
        {"10 MB value", huge, "Option", "Huge", nullptr},
        {"5,000-byte value", "[Option]\r\nBaseDir=" + std::string(5000, 'z') + "\r\n", "Option",
         "BaseDir", nullptr},
        {"NUL bytes", std::string(nul, sizeof nul - 1), "Option", "A", nullptr},
        {"unclosed section", "[Option\r\nMoveNoExt=2\r\n", "Option", "MoveNoExt", nullptr},
        {"dangling lead byte", "[Option]\r\nBaseDir=D:\\\x95\r\n", "Option", "BaseDir", nullptr},
    };
    int n = 0;
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        File(r.bytes, "h" + std::to_string(++n) + ".ini");
        SettingsFile ini(path);
        std::string value = ini.ReadString(r.section, r.key, "DEF");
        ExpectSane(value);
        if (r.expected) {
            EXPECT_EQ(r.expected, value);
        }
        ini.ReadInteger(r.section, r.key, 1);
        for (const std::string &key : ini.ReadSection(r.section)) EXPECT_FALSE(key.empty());
    }
    File(huge, "huge.ini");
    EXPECT_EQ(std::string(2047, 'x'), SettingsFile(path).ReadString("Option", "Huge", ""));
    EXPECT_EQ((std::vector<std::string>{"Huge", "MoveNoExt"}),
              SettingsFile(path).ReadSection("Option"));
}
