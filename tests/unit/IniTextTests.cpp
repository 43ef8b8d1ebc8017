// The settings file as bytes: which encoding they are taken for, and changes made on its lines
// that leave every other line as it stands. Built natively and for Windows; natively, the rule is
// also measured against every Japanese text of the program and its tests.
#include <gtest/gtest.h>

#include <string>

#include "settings/IniText.h"

#ifndef _WIN32
#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <regex>
#endif

using namespace zv;

namespace {

TEST(IniText, EncodingsAreToldApart) {
    const struct {
        std::string bytes;
        Encoding encoding;
        size_t nulLine;
    } rows[] = {
        {"[Extensions]\r\ntxt=T:\\書類\r\n", Encoding::ShiftJis, 0}, // Shift-JIS literals
        {"[Extensions]\r\ntxt=T:\\\xE6\x9B\xB8\xE9\xA1\x9E\r\n", Encoding::Utf8, 0},
        {"\xEF\xBB\xBF[Option]\r\n", Encoding::Utf8, 0},
        {"\xFF\xFE[\0O\0", Encoding::Utf16LE, 0},
        {"\xFE\xFF\0[\0O", Encoding::Utf16BE, 0},
        {"[Option]\r\nBaseDir=T:\\base\r\n", Encoding::ShiftJis, 0}, // ASCII is Shift-JIS too
        {"caf\xC3\xA9\r\n", Encoding::Utf8, 0},
        {"\xED\xA0\x80", Encoding::ShiftJis, 0}, // a surrogate in UTF-8's form is no UTF-8
        {"\xC0\xAF", Encoding::ShiftJis, 0},     // nor is an overlong "/"
        {std::string("[Option]\r\nBaseDir=T:\\base\r\n\0\0[Extensions]\r\n", 38),
         Encoding::ShiftJis, 3},
        {std::string(4096, '\0'), Encoding::ShiftJis, 1},
    };
    for (const auto &r : rows) {
        const Inspection in = Inspect(r.bytes);
        EXPECT_EQ(r.encoding, in.encoding) << r.bytes;
        EXPECT_EQ(r.nulLine, in.nulLine) << r.bytes;
    }
    EXPECT_TRUE(Inspect(std::string(8, '\0')).allNul);
}

TEST(IniText, ChangesLeaveEveryOtherLineAsItStands) {
    const std::string head = "; note\r\n[Option]\r\nMoveNoExt = 1\r\n\r\n[Extensions]\r\n",
                      rules = "txt=T:\\\xE6\x9B\xB8\r\n; kept\r\njpg = \"J\"\nno equals\r\n\r\n",
                      file = head + rules + "[Other]\r\nk=v";
    // A change: one key set (set), or a section's keys replaced by entries.
    const struct {
        const char *what, *section;
        bool set;
        Entries entries;
        std::string after;
    } cases[] = {
        {"the same value", "option", true, {{"MOVENOEXT", "1"}}, file},
        {"a new value",
         "Option",
         true,
         {{"movenoext", "2"}},
         "; note\r\n[Option]\r\nMoveNoExt=2\r\n\r\n[Extensions]\r\n" + rules + "[Other]\r\nk=v"},
        {"a new key", "Other", true, {{"x", "1"}}, file + "\r\nx=1\r\n"},
        {"a new section", "New", true, {{"x", "1"}}, file + "\r\n[New]\r\nx=1\r\n"},
        {"the same keys",
         "extensions",
         false,
         {{"txt", "T:\\\xE6\x9B\xB8"}, {"jpg", "\"J\""}},
         file},
        {"sorted, one added, one changed",
         "Extensions",
         false,
         {{"doc", "D"}, {"jpg", "\"J\""}, {"txt", "T"}},
         head + "doc=D\r\n; kept\r\njpg = \"J\"\ntxt=T\r\nno equals\r\n\r\n[Other]\r\nk=v"},
        {"all gone, a line without = stays",
         "Extensions",
         false,
         {},
         head + "; kept\r\nno equals\r\n\r\n[Other]\r\nk=v"},
        {"a section of keys only gone", "Other", false, {}, head + rules},
    };
    std::string refused;
    for (const auto &c : cases) {
        IniLines lines(file);
        if (c.set)
            lines.SetKey(c.section, c.entries[0].key, c.entries[0].value);
        else
            EXPECT_TRUE(lines.ReplaceKeys(c.section, c.entries, {}, refused)) << c.what;
        EXPECT_EQ(c.after, lines.Bytes()) << c.what;
    }
    // A lead byte without its trail, which the profile API reads as another character: a key left
    // as the profile API read it keeps its bytes.
    IniLines odd("[Extensions]\r\nbad=T:\\\x95\r\n");
    EXPECT_TRUE(odd.ReplaceKeys("Extensions", {{"bad", "T:\\\x81\x45"}}, {{"bad", "T:\\\x81\x45"}},
                                refused));
    EXPECT_EQ("[Extensions]\r\nbad=T:\\\x95\r\n", odd.Bytes());
    // A second line of one key, which no lookup reads, would be read once the first goes.
    IniLines twice("[Extensions]\r\njpg=A\r\nJPG=B\r\n");
    EXPECT_FALSE(twice.ReplaceKeys("Extensions", {{"txt", "T"}}, {}, refused));
    EXPECT_EQ("JPG=B", refused);
    EXPECT_EQ("[Extensions]\r\njpg=A\r\nJPG=B\r\n", twice.Bytes());
}

#ifndef _WIN32
// Every string literal of the program's and the tests' sources that holds Japanese, as code page
// 932 gives it and as UTF-8: none of the first is taken for UTF-8, each of the second is.
TEST(IniText, NoShiftJisTextOfTheProgramIsTakenForUtf8) {
    const std::regex literal("\"((?:[^\"\\\\\\n]|\\\\.)*)\"");
    iconv_t toSjis = iconv_open("CP932", "UTF-8");
    ASSERT_NE(reinterpret_cast<iconv_t>(-1), toSjis);
    int texts = 0;
    std::string all;
    for (const char *dir : {ZV_SOURCE_DIR "/src", ZV_SOURCE_DIR "/tests"})
        for (const auto &f : std::filesystem::recursive_directory_iterator(dir)) {
            const std::string ext = f.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream in(f.path(), std::ios::binary);
            const std::string source((std::istreambuf_iterator<char>(in)), {});
            for (std::sregex_iterator m(source.begin(), source.end(), literal), e; m != e; ++m) {
                std::string utf8 = (*m)[1], sjis(utf8.size() * 2, '\0');
                if (IsUtf8(utf8) && Inspect(utf8).encoding == Encoding::ShiftJis) continue; // ASCII
                char *from = &utf8[0], *to = &sjis[0];
                size_t left = utf8.size(), room = sjis.size();
                if (iconv(toSjis, &from, &left, &to, &room) == static_cast<size_t>(-1)) continue;
                sjis.resize(sjis.size() - room);
                EXPECT_EQ(Encoding::Utf8, Inspect(utf8).encoding) << utf8;
                EXPECT_EQ(Encoding::ShiftJis, Inspect(sjis).encoding) << utf8;
                all += sjis + "\r\n";
                ++texts;
            }
        }
    iconv_close(toSjis);
    EXPECT_GT(texts, 200);
    EXPECT_EQ(Encoding::ShiftJis, Inspect(all).encoding);
}
#endif

} // namespace
