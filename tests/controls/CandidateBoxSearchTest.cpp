#include "tests/controls/CandidateTestSupport.h"

using namespace tamsell;

namespace {

using CandidateSearch = CandidateTest;

TEST_F(CandidateSearch, ALooseSearchTakesTheLongestCommonPrefixFromStartOnAndWraps) {
    fill({"abc", "abd", "xyz", "abx", "ab"});
    // "abq" shares two characters with four captions; the first from 3 on is "abx".
    EXPECT_TRUE(box.SelectString("abq", 3));
    EXPECT_EQ(selected(), "abx");
    // From 5: "ab" itself, then around to the beginning.
    EXPECT_TRUE(box.SelectString("abq", 5));
    EXPECT_EQ(box.SelectedItem()->Index(), 5);
    // Start 0 starts at the selected item, which is tried first.
    EXPECT_TRUE(box.SelectString("abzz"));
    EXPECT_EQ(box.SelectedItem()->Index(), 5);
    // A longer match wins wherever it is.
    EXPECT_TRUE(box.SelectString("abdz", 4));
    EXPECT_EQ(selected(), "abd");
    // Characters past the end of a caption do not match.
    EXPECT_TRUE(box.SelectString("xyzzy", 1));
    EXPECT_EQ(selected(), "xyz");
    // A Start past the last item searches from the first.
    EXPECT_TRUE(box.SelectString("abq", 9));
    EXPECT_EQ(box.SelectedItem()->Index(), 1);
}

TEST_F(CandidateSearch, AStrictSearchWantsTheWholePrefix) {
    fill({"apple", "apricot", "banana"});
    EXPECT_FALSE(box.SelectString("apz", 1, true));
    EXPECT_EQ(box.SelectedItem(), nullptr);
    EXPECT_TRUE(box.SelectString("apr", 1, true));
    EXPECT_EQ(selected(), "apricot");
    EXPECT_TRUE(box.SelectString("ap", 3, true));
    EXPECT_EQ(selected(), "apple");
    // No match keeps the selection unless told to cancel it.
    EXPECT_FALSE(box.SelectString("c", 0, true));
    EXPECT_EQ(selected(), "apple");
    EXPECT_FALSE(box.SelectString("c", 0, true, true));
    EXPECT_EQ(box.SelectedItem(), nullptr);
}

TEST_F(CandidateSearch, AnEmptyStringSelectsNothing) {
    fill({"a", "b"});
    box.Items().Item(2)->setSelected(true);
    EXPECT_FALSE(box.SelectString(""));
    EXPECT_EQ(selected(), "b");
    EXPECT_FALSE(box.SelectString("", 0, false, true));
    EXPECT_EQ(box.SelectedItem(), nullptr);
}

TEST_F(CandidateSearch, CompletionNeedsExactlyOneMatch) {
    fill({"kanji", "kana", "katakana"});
    QString find = "kat";
    EXPECT_EQ(box.GetCompleteString(find), 3);
    EXPECT_EQ(find, "katakana");
    find = "kan";
    EXPECT_EQ(box.GetCompleteString(find), 0);
    EXPECT_EQ(find, "kan");
    find = "x";
    EXPECT_EQ(box.GetCompleteString(find), 0);
    EXPECT_EQ(find, "x");
    find.clear();
    EXPECT_EQ(box.GetCompleteString(find), 0);
    EXPECT_TRUE(find.isEmpty());
}

TEST_F(CandidateSearch, CompareModesDecideWhatCountsAsEqual) {
    fill({"Alpha", "beta"});
    EXPECT_FALSE(box.SelectString("ALP", 1, true));
    QString find = "B";
    EXPECT_EQ(box.GetCompleteString(find), 0);

    box.setCompareMode(CBTCM_CASE_INSENSITIVE);
    EXPECT_TRUE(box.SelectString("ALP", 2, true));
    EXPECT_EQ(selected(), "Alpha");
    EXPECT_EQ(box.GetCompleteString(find), 2);
    EXPECT_EQ(find, "beta");
    EXPECT_TRUE(box.SelectString("BEz", 1));
    EXPECT_EQ(selected(), "beta");

    // Any other mode counts everything as equal: every item matches, the one at Start first.
    box.setCompareMode(CandidateBoxTextCompareModeConstants(2));
    EXPECT_TRUE(box.SelectString("zzz", 1, true));
    EXPECT_EQ(selected(), "Alpha");
    find = "q";
    EXPECT_EQ(box.GetCompleteString(find), 0);
}

} // namespace
