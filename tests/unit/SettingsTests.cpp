// The settings-file object on real files under Wine's profile API.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/Error.h"
#include "common/Format.h"
#include "common/ShiftJis.h"
#include "common/SystemPath.h"
#include "settings/SettingsSave.h"
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
    EXPECT_TRUE(ini.ReadKeys("Extensions").empty());
    EXPECT_FALSE(IsFile(dir / "none.ini")) << "reading must not create the file";
}

// Set keys and replaced sections through the one save; a key is seen at once by every reader.
SettingsChange Keys(std::initializer_list<SettingsChange::Key> keys) {
    SettingsChange c;
    c.keys = keys;
    return c;
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
    SaveSettings(Keys({{"S", "Written", A2046 + "表表"}}), path);
    EXPECT_EQ(A2046, ini.ReadString("S", "Written", ""));
    EXPECT_NE(std::string::npos, ReadBytes(path).find("Written=" + A2046 + "表表\r\n"));
}

TEST_F(Settings, ReadKeysListsKeysInFileOrder) {
    File("[Extensions]\r\nzip=D:\\Z\r\nJPG=D:\\P\r\n=T:\\dst\r\n表=D:\\H\r\n; note=1\r\nno "
         "equals\r\n"
         "Empty=\r\njpg=D:\\second\r\nabc=\"D:\\A\"\r\n[Ignore]\r\ntmp=NULL\r\n");
    SettingsFile ini(path);
    // An empty name hides nothing after it; of two spellings of one key the first counts.
    EXPECT_EQ((Entries{{"zip", "D:\\Z"},
                       {"JPG", "D:\\P"},
                       {"表", "D:\\H"},
                       {"Empty", ""},
                       {"abc", "\"D:\\A\""}}),
              ini.ReadKeys("extensions"));
    EXPECT_EQ("D:\\A", ini.Looked("Extensions", ini.ReadKeys("Extensions")[4]));
    EXPECT_EQ((Entries{{"tmp", "NULL"}}), ini.ReadKeys("Ignore"));
    EXPECT_TRUE(ini.ReadKeys("Option").empty());
}

TEST_F(Settings, ReadKeysBeyondTheFirstBuffer) {
    // 1,500 keys of 15 characters with their values make a 33,000-byte section.
    std::string text = "[Extensions]\r\n";
    for (int i = 0; i < 1500; ++i) text += KeyName(i, 15) + "=D:\\x\r\n";
    File(text);
    Entries keys = SettingsFile(path).ReadKeys("Extensions");
    ASSERT_EQ(1500u, keys.size());
    for (int i = 0; i < 1500; ++i) ASSERT_EQ(KeyName(i, 15), keys[i].key) << i;
}

TEST_F(Settings, SavesAreSeenAtOnceByEveryObject) {
    SettingsFile early(path);
    EXPECT_EQ("none", early.ReadString("Extensions", "jpg", "none"));
    SaveSettings(Keys({{"Extensions", "jpg", "D:\\写真"}}), path);
    EXPECT_EQ("D:\\写真", early.ReadString("Extensions", "JPG", ""));
    SaveSettings(Keys({{"Option", "MoveNoExt", "-5"}, {"Option", "MoveFolder", "1"}}), path);
    EXPECT_EQ(-5, early.ReadInteger("Option", "MoveNoExt", 0));
    // Held a moment by a reader that shares everything (another instance reading it): the save
    // waits for it.
    KernelHandle reader(CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader.valid());
    std::thread done([&] {
        Sleep(60);
        reader.reset();
    });
    SaveSettings(Keys({{"extensions", "JPG", "D:\\表"}}), path); // in its place, as it was spelt
    done.join();
    EXPECT_EQ("[Extensions]\r\njpg=D:\\表\r\n[Option]\r\nMoveNoExt=-5\r\nMoveFolder=1\r\n",
              ReadBytes(path));
}

// A replaced section stays where it stands, each key once with its last value; an emptied one
// keeps its header while a second block of its name (which no lookup reads) follows it.
TEST_F(Settings, ReplacedSections) {
    File("[Extensions]\r\njpg=D:\\P\r\ntxt=D:\\T\r\n[Ignore]\r\ntmp=NULL\r\n[extensions]\r\nx="
         "1\r\n");
    SettingsChange c;
    c.sections = {{"EXTENSIONS", {}},
                  {"Ignore", Deduplicated({{"a", "1"}, {"b", "2"}, {"A", "3"}})}};
    SaveSettings(c, path);
    const std::string after = "[Extensions]\r\n[Ignore]\r\na=3\r\nb=2\r\n[extensions]\r\nx=1\r\n";
    EXPECT_EQ(after, ReadBytes(path));
    EXPECT_EQ("", SettingsFile(path).ReadString("Extensions", "x", ""));
    EXPECT_NO_THROW(SaveSettings(c, path)); // as it is already: nothing written
    EXPECT_EQ(after, ReadBytes(path));
}

// Saves that cannot be made raise the message and leave the file as it was: a folder at the
// path, no folder, a file held open without sharing, a value whose copy does not read back as
// meant (its line end would make a key of its own).
TEST_F(Settings, RefusedSavesRaiseTheMessage) {
    auto refused = [&](const std::string &where, const SettingsChange &change) {
        try {
            SaveSettings(change, where);
            ADD_FAILURE() << "a save to " << where << " did not fail";
        } catch (const Error &e) {
            EXPECT_EQ(Format("%s に書き込めません", where), e.what());
        }
    };
    const SettingsChange key = Keys({{"Option", "BaseDir", "D:\\x"}});
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    refused(path, key);
    refused(dir / "missing\\Zorvik.INI", key);
    const std::string before = "[Option]\r\nMoveNoExt=2\r\n[Extensions]\r\njpg=D:\\P\r\n";
    File(before, "予定表.INI");
    zv::KernelHandle held = HoldExclusively(path);
    ASSERT_TRUE(held.valid());
    refused(path, key);
    held.reset();
    refused(path, Keys({{"Option", "BaseDir", "a\r\nMoveNoExt=0"}}));
    EXPECT_EQ(before, ReadBytes(path));
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
        for (const Entry &key : ini.ReadKeys(r.section)) EXPECT_FALSE(key.key.empty());
    }
    File(huge, "huge.ini");
    EXPECT_EQ(std::string(2047, 'x'), SettingsFile(path).ReadString("Option", "Huge", ""));
    Entries keys = SettingsFile(path).ReadKeys("Option");
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ(std::string(10 * 1024 * 1024, 'x'), keys[0].value); // whole
    EXPECT_EQ("MoveNoExt", keys[1].key);
}
