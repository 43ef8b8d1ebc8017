// The merge of a section the settings window saves: loaded × in the window × on disk at the save.
#include <gtest/gtest.h>

#include <sstream> // and std::string

#include "settings/Merge.h"

using namespace zv;

namespace {

// "a=1 b=2" as the keys of a section, and as the section's list.
Entries Keys(const std::string &text) {
    Entries keys;
    std::istringstream words(text);
    for (std::string w; words >> w;)
        keys.push_back({w.substr(0, w.find('=')), w.substr(w.find('=') + 1)});
    return keys;
}
std::string List(const std::string &text) { return ListOf(Keys(text)); }

TEST(Merge, TheWindowsChangesWinAndOthersSurvive) {
    const struct {
        const char *what, *loaded, *mine, *now, *merged;
    } rows[] = {
        {"no change anywhere", "a=1 b=2", "a=1 b=2", "a=1 b=2", "a=1 b=2"},
        {"added on both sides", "a=1", "a=1 m=2", "a=1 o=3", "a=1 o=3 m=2"},
        {"one key added on both", "", "x=1", "x=2", "x=1"},
        {"changed on both", "a=1", "a=2", "a=3", "a=2"},
        {"changed on each side", "a=1 b=1", "a=2 b=1", "a=1 b=5", "a=2 b=5"},
        {"deleted here, changed there", "a=1 b=1", "b=1", "a=9 b=1", "b=1"},
        {"changed here, deleted there", "a=1 b=1", "a=2 b=1", "b=1", "a=2 b=1"},
        {"left here, deleted there", "a=1 b=1", "a=1 b=1", "b=1", "b=1"},
        {"respelt here", "jpg=1", "JPG=1", "jpg=1", "JPG=1"},
        {"respelt there", "txt=1", "txt=1", "Txt=3", "Txt=3"},
        {"two rows of one key", "jpg=1", "jpg=1 JPG=2", "jpg=1", "jpg=2"},
        {"a later line of a key", "a=1", "a=1", "a=1 A=2 b=3", "a=1 b=3"},
        {"sorted here, added there", "c=1 a=1 b=1", "a=1 b=1 c=1 d=1", "c=1 a=1 b=1 e=1",
         "a=1 b=1 e=1 c=1 d=1"},
        {"added first there", "a=1", "a=1", "z=0 a=1", "z=0 a=1"},
        {"all deleted here", "a=1 b=1", "", "a=1 b=1 c=1", "c=1"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(List(r.merged), ListOf(MergeSection(List(r.loaded), Keys(r.mine), List(r.now))))
            << r.what;
}

TEST(Merge, NamesMatchAsTheProfileApiMatchesThem) {
    EXPECT_TRUE(SameKey("ｊｐｇ", "ＪＰＧ")) << "full-width letters";
    EXPECT_FALSE(SameKey("ア", "ヂ")) << "a trail byte is no letter";
}

} // namespace
