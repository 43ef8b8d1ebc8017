// Whole-character helpers and the other pure rules, on Shift-JIS strings. Built natively and for
// Windows. String literals are compiled to code page 932: "表" is 95 5C, "ソ" is 83 5C.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/Path.h"
#include "common/ShiftJis.h"
#include "settings/Value.h"
#include "sorting/Decision.h"

using namespace zv;

namespace {

// Bytes in hex, so that a failure shows what a Shift-JIS string really holds.
std::string Hex(const std::string &s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

#define EXPECT_BYTES(expected, actual) EXPECT_EQ(Hex(expected), Hex(actual))

const std::string A2046(2046, 'A');

} // namespace

TEST(TextShiftJis, LiteralsAreCodePage932WithBackslashTrailBytes) {
    EXPECT_EQ(std::string("\x95\x5C"), "表");
    EXPECT_EQ(std::string("\x83\x5C"), "ソ");
    EXPECT_EQ(std::string("\x97\x5C\x92\xE8\x95\x5C"), "予定表");
    EXPECT_TRUE(IsLeadByte(0x95));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0x5C));
    EXPECT_FALSE(IsLeadByte(0xA0)); // half-width katakana are single bytes
    EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(TextPaths, TrailByte5CIsNeverADelimiter) {
    // C : \ 予 定 表 \ 表  — bytes 0 1 2 3-4 5-6 7-8 9 10-11
    const std::string path = "C:\\予定表\\表";
    EXPECT_EQ(9u, LastDelimiter(path, "\\"));
    EXPECT_EQ(9u, LastDelimiter(path, "\\:"));
    EXPECT_EQ(1u, LastDelimiter("C:表", "\\:"));
    EXPECT_EQ(std::string::npos, LastDelimiter("表ソ", "\\"));
    EXPECT_EQ(std::string::npos, LastDelimiter("", "\\"));

    struct Row {
        const char *path, *exclude, *include, *name, *folder;
    };
    const Row rows[] = {
        {"C:\\予定表\\表", "C:\\予定表\\表", "C:\\予定表\\表\\", "表", "C:\\予定表\\"},
        {"C:\\ソ", "C:\\ソ", "C:\\ソ\\", "ソ", "C:\\"},
        {"C:\\ソ\\", "C:\\ソ", "C:\\ソ\\", "", "C:\\ソ\\"},
        {"C:\\a\\\\", "C:\\a\\", "C:\\a\\\\", "", "C:\\a\\\\"}, // one backslash at most
        {"表", "表", "表\\", "表", ""},
        {"C:表", "C:表", "C:表\\", "表", "C:"},
        {"", "", "\\", "", ""},
        {"C:\\a\x95", "C:\\a\x95", "C:\\a\\", "a\x95", "C:\\"}, // dangling lead byte
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(Hex(r.path));
        EXPECT_BYTES(r.exclude, ExcludeTrailingBackslash(r.path));
        EXPECT_BYTES(r.include, IncludeTrailingBackslash(r.path));
        EXPECT_BYTES(r.name, ExtractFileName(r.path));
        EXPECT_BYTES(r.folder, ExtractFilePath(r.path));
    }
    EXPECT_BYTES("C:\\表\\ソ.txt", PathIn("C:\\表", "ソ.txt"));
    EXPECT_BYTES("C:\\表\\ソ.txt", PathIn("C:\\表\\", "ソ.txt"));
    EXPECT_BYTES("\\a.txt", PathIn("", "a.txt"));
}

TEST(TextExtensionKey, LastDotAfterLastBackslashOrColon) {
    const struct {
        const char *path, *key;
    } rows[] = {
        {"C:\\Mail\\archive.tar.gz", "gz"},
        {"C:\\Home\\.profile", "profile"},
        {"C:\\Work\\notes.", ""},
        {"C:\\Old.files\\README", ""},
        {"C:\\表.txt", "txt"},
        {"C:\\Work\\予定表", ""},
        {"C:\\Work.d\\予定表", ""}, // 表's trail byte ends the folder name, not a backslash
        {"C:\\x.ソ", "ソ"},
        {"C:\\x.予定表", "予定表"},
        {"C:a.JPG", "JPG"},
        {"C:.d\\b", ""},
        {"D:x", ""},
        {"photo.JPG", "JPG"},
        {"", ""},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.path);
        EXPECT_BYTES(r.key, ExtensionKey(r.path));
    }
    EXPECT_EQ(".gz", ExtensionWithDot("C:\\Mail\\archive.tar.gz"));
    EXPECT_BYTES("jpg表", RemoveDots(".j.p.g.表"));
}

TEST(TextUnquote, QuotedTextWithDoubledQuotes) {
    const struct {
        const char *in, *out;
    } rows[] = {
        {"\"D:\\Sorted\"", "D:\\Sorted"},
        {"\"D:\\Sorted\\\"", "D:\\Sorted\\"},
        {"\"a\"\"b\"", "a\"b"},
        {"\"D:\\表\" rest", "D:\\表"}, // 表's trail byte does not escape the closing quote
        {"\"ソ\"", "ソ"},
        {"\"\"", "\"\""}, // empty quoted text: unchanged
        {"\"\" x", "\"\" x"},
        {"D:\\Sorted\"", "D:\\Sorted\""}, // no leading quote: unchanged
        {" \"D:\\x\"", " \"D:\\x\""},
        {"", ""},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.in);
        EXPECT_BYTES(r.out, Unquote(r.in));
    }
}

TEST(TextParseInt, SettingsFileIntegerForms) {
    const struct {
        const char *text;
        int32_t value;
    } valid[] = {{"0", 0},
                 {"+7", 7},
                 {"-1", -1},
                 {"007", 7},
                 {"-0", 0},
                 {" 5", 5},
                 {"   -12", -12},
                 {"2147483647", 2147483647},
                 {"-2147483648", INT32_MIN},
                 {"0x2", 2},
                 {"0X10", 16},
                 {"$1F", 31},
                 {"$1f", 31},
                 {"x1f", 31},
                 {"X1F", 31},
                 {" $10", 16},
                 {"$7FFFFFFF", 2147483647},
                 {"$80000000", INT32_MIN},
                 {"$FFFFFFFF", -1},
                 {"0xffffffff", -1},
                 {"$000000001", 1}};
    for (const auto &r : valid) {
        int32_t value = 12345;
        EXPECT_TRUE(ParseInt(r.text, value)) << '"' << r.text << '"';
        EXPECT_EQ(r.value, value) << '"' << r.text << '"';
    }
    // Invalid: the reader's default is used. "１" is a full-width digit; the 0x prefix counts
    // only at the very start.
    for (const char *text :
         {"",           " ",           "0x",         "0X",          "$",
          "x",          "+",           "-",          "two",         "5 ",
          "5x",         "1.0",         "2147483648", "-2147483649", "99999999999999999999",
          "$100000000", "$1FFFFFFFF0", "-$10",       "+0x10",       "$-1",
          "$G",         "0x 5",        "--1",        "１",          " 0x10"}) {
        int32_t value = 12345;
        EXPECT_FALSE(ParseInt(text, value)) << '"' << text << '"';
    }
}

TEST(TextIgnoreMarker, NullInAnyLetterCase) {
    for (const char *yes : {"null", "Null", "NULL", "nULl"})
        EXPECT_TRUE(IsIgnoreMarker(yes)) << yes;
    for (const char *no : {"1", "", "NUL", "NULLL", " NULL", "ＮＵＬＬ", "ｎｕｌｌ"})
        EXPECT_FALSE(IsIgnoreMarker(no)) << no;
    // Trail bytes in the range a..z stay: ヂ (83 61) must not become ア (83 41).
    EXPECT_BYTES(std::string("\x83\x61") + "A\x95\x5CZ", UpperAZ("ヂa表z"));
    EXPECT_BYTES("ｊｐｇJPG", UpperAZ("ｊｐｇjpg"));
}

TEST(TextCutWhole, NeverEndsInHalfACharacter) {
    const struct {
        std::string s;
        size_t n;
        std::string out;
    } rows[] = {
        {A2046 + "表表", 2047, A2046},
        {A2046 + "表表", 2048, A2046 + "表"},
        {A2046 + "A表", 2048, A2046 + "A"},
        {"表表", 3, "表"},
        {"表表", 4, "表表"},
        {"表表", 100, "表表"},
        {"表", 1, ""},
        {"表", 0, ""},
        {"AB\x95", 3, "AB"}, // a dangling lead byte is dropped
        {"AB\x95", 10, "AB"},
        {"ｱｲｳ", 2, "ｱｲ"}, // half-width katakana are whole at any cut
        {"ソ\\表", 3, "ソ\\"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(Hex(r.s.substr(r.s.size() > 8 ? r.s.size() - 8 : 0)) + "cut at " +
                     std::to_string(r.n));
        EXPECT_BYTES(r.out, CutWhole(r.s, r.n));
    }
}

TEST(TextDecision, FileWithoutExtension) {
    EXPECT_EQ(Outcome::MoveToNoExtPath, DecideNoExtension(MoveNoExt::ToFolder));
    EXPECT_EQ(Outcome::AskFolder, DecideNoExtension(MoveNoExt::Ask));
    for (int32_t other : {2, 5, -1, INT32_MIN})
        EXPECT_EQ(Outcome::Stay, DecideNoExtension(static_cast<MoveNoExt>(other))) << other;
}

TEST(TextDecision, FileWithExtension) {
    const struct {
        const char *rule, *ignore;
        int32_t moveNoExt;
        Outcome outcome;
    } rows[] = {
        {"D:\\Docs", "NULL", 0, Outcome::Stay}, // the ignore list wins over a rule
        {"D:\\Docs", "null", 1, Outcome::Stay},
        {"", "Null", 0, Outcome::Stay},
        {"", "NULL", 1, Outcome::Stay},
        {"D:\\Docs", "", 0, Outcome::MoveToRule},
        {"D:\\Docs", "", 1, Outcome::MoveToRule},
        {"D:\\Docs", "1", 2, Outcome::MoveToRule}, // any other marker does not ignore
        {"D:\\表", "NUL", 5, Outcome::MoveToRule},
        {"", "", 0, Outcome::MoveToNoExtPath},
        {"", "yes", 0, Outcome::MoveToNoExtPath},
        {"", "", 1, Outcome::AskRule},
        {"", "", 2, Outcome::Stay},
        {"", "", 5, Outcome::Stay},
        {"", "", -1, Outcome::Stay},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(std::string(r.rule) + " | " + r.ignore + " | " + std::to_string(r.moveNoExt));
        EXPECT_EQ(r.outcome,
                  DecideWithExtension(r.rule, r.ignore, static_cast<MoveNoExt>(r.moveNoExt)));
    }
}

TEST(TextPrompt, ExactBytes) {
    const std::string head = "ファイルに拡張子がありません。 : ";
    const std::string tail = "\r移動先フォルダを指定してください。";
    EXPECT_BYTES(head + "\"README\"" + tail, NoExtensionPrompt("README"));
    EXPECT_BYTES(head + "\"a\"\"b\"" + tail, NoExtensionPrompt("a\"b"));
    EXPECT_BYTES(head + "\"表\"\"\"" + tail, NoExtensionPrompt("表\""));
    EXPECT_BYTES(head + "\"予定表\"" + tail, NoExtensionPrompt("予定表"));
    EXPECT_EQ(0, head.compare(0, 6, "\x83\x74\x83\x40\x83\x43")); // ファイ in code page 932
}

TEST(TextDotOrBlank, PartsThePathRulesWouldChange) {
    for (const char *changed : {"C:\\in\\a.txt.", "C:\\in\\a.txt ", "C:\\in\\Photos.\\x.jpg",
                                "C:/in/b /x", "...", "C:\\予定表."})
        EXPECT_TRUE(HasPartEndingInDotOrBlank(changed)) << changed;
    // "\x81\x40" is a full-width blank, which the system keeps.
    for (const char *kept : {"C:\\in\\a.txt", "C:\\in\\.\\a", "..\\a", "C:\\in\\", "", "C:\\表\\ソ",
                             "C:\\in\\a\x81\x40"})
        EXPECT_FALSE(HasPartEndingInDotOrBlank(kept)) << kept;
}
