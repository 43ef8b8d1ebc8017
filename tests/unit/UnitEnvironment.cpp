// Every Windows unit test assumes code page 932: without it lead bytes, key matching and file
// names change meaning, and tests would pass or fail for the wrong reason.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

class CodePage932 : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_EQ(932u, GetACP()) << "run under LC_ALL=ja_JP.UTF-8 with the glibc locale present";
    }
};

[[maybe_unused]] ::testing::Environment *const g_codePage =
    ::testing::AddGlobalTestEnvironment(new CodePage932);

} // namespace

TEST(TextCodePage, CodePage932) {
    ASSERT_EQ(932u, GetACP());
    // Lead bytes are TextShiftJis's. Under another code page ア (83 41) and ヂ (83 61) would
    // compare equal.
    EXPECT_NE(0, lstrcmpiA("ア", "ヂ"));
}
