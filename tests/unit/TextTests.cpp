// Whole-character helpers and the other pure rules, on Shift-JIS strings.
#include <gtest/gtest.h>

#include "common/Text.h"

using namespace zv;

TEST(ExtensionKey, WholeCharacters) {
    EXPECT_EQ("gz", ExtensionKey("C:\\Mail\\archive.tar.gz"));
    EXPECT_EQ("", ExtensionKey("C:\\予定表"));
}
