// The application's default title and the text of its error box.
#include <gtest/gtest.h>

#include "common/Application.h"

using namespace zv;

TEST(TextApplication, DefaultTitleFromTheExecutableName) {
    const struct {
        const char *exe, *title;
    } rows[] = {
        {"C:\\Tools\\ZORVIK.EXE", "Zorvik"},
        {"C:\\Tools\\zorvik.exe", "zorvik"},     // the first character keeps its case
        {"C:\\Old.files\\ZORVIK", "Zorvik"},     // a dot in a folder name does not count
        {"C:\\Tools\\ZORVIK.TAR.EXE", "Zorvik"}, // up to the first dot
        {"C:\\予定表\\表ABC.exe", "表abc"},
        {"C:\\Tools\\ZアB.exe", "Z\x83\x41"
                                "b"}, // ア (83 41) is not lowered to 83 61
        {"C:\\Tools\\.EXE", ""},
    };
    for (const auto &r : rows) EXPECT_EQ(r.title, DefaultTitle(r.exe)) << r.exe;
}

TEST(TextApplication, ErrorBoxTextEndsInAFullStop) {
    const struct {
        const char *message, *text;
    } rows[] = {
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."},
        {"done!", "done!"}, // '!' is below '.'
        {"a-", "a-"},
        {"a/", "a/."},
        {"C:\\Z.INI に書き込めません", "C:\\Z.INI に書き込めません."},
        {"表", "表."},
        {"ディレクトリを作成できません。", "ディレクトリを作成できません。."},
    };
    for (const auto &r : rows) EXPECT_EQ(r.text, ErrorBoxText(r.message)) << r.message;
}
