#include "dialogs/RegExp.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using penlark::RegExp;

namespace {

RegExp expression(const QString& pattern, bool global = false) {
    RegExp result;
    result.SetPattern(pattern);
    result.SetGlobal(global);
    result.SetMultiLine(true);
    return result;
}

} // namespace

TEST(RegExp, InvalidPatternRaisesFromTest) {
    EXPECT_EQ(errorOf([] { expression(u"a(b"_qs).Test(u"test"); }), 5017);
    EXPECT_EQ(errorOf([] { expression(u"[a-"_qs).Execute(u"test"); }), 5017);
    EXPECT_TRUE(expression(u"es"_qs).Test(u"test"));
    EXPECT_FALSE(expression(u"x"_qs).Test(u"test"));
}

TEST(RegExp, ExecuteGivesIndexLengthAndGroups) {
    const auto matches = expression(u"(b+)(x)?c"_qs).Execute(u"aabbcabc");
    ASSERT_EQ(matches.size(), 1);
    EXPECT_EQ(matches[0].FirstIndex, 2);
    EXPECT_EQ(matches[0].Length, 3);
    EXPECT_EQ(matches[0].Value, u"bbc");
    EXPECT_EQ(matches[0].SubMatches, QStringList({u"bb"_qs, QString()}));
    EXPECT_EQ(matches[0].SubMatchIndex, QList<int32_t>({2, -1}));

    EXPECT_EQ(expression(u"b+c"_qs, true).Execute(u"aabbcabc").size(), 2);
    // Empty matches move on by one character.
    EXPECT_EQ(expression(u"x*"_qs, true).Execute(u"ab").size(), 3);
}

TEST(RegExp, LinesEndBeforeCarriageReturns) {
    RegExp lineEnd = expression(u"c$"_qs, true);
    EXPECT_EQ(lineEnd.Execute(u"abc\r\nabc").size(), 2);
    EXPECT_EQ(expression(u"^a"_qs, true).Execute(u"abc\r\nabc").size(), 2);
    EXPECT_EQ(expression(u"c."_qs).Execute(u"abc\r\n").size(), 0);
    RegExp folded = expression(u"ABC"_qs);
    folded.SetIgnoreCase(true);
    EXPECT_TRUE(folded.Test(u"xabcx"));
}

TEST(RegExp, ReplaceSubstitutions) {
    EXPECT_EQ(expression(u"(a)(b)"_qs).Replace(u"xabyab", u"[$2$1]"), u"x[ba]yab");
    EXPECT_EQ(expression(u"(a)(b)"_qs, true).Replace(u"xabyab", u"[$2$1]"), u"x[ba]y[ba]");
    EXPECT_EQ(expression(u"b"_qs).Replace(u"abc", u"[$`|$&|$']"), u"a[a|b|c]c");
    EXPECT_EQ(expression(u"b"_qs).Replace(u"abc", u"$$1$9$"), u"a$1$9$c");
    // Two digits when that many groups exist, else one digit and a plain character.
    const QString eleven = u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"_qs;
    EXPECT_EQ(expression(eleven).Replace(u"abcdefghijk", u"$11,$10,$1"), u"k,j,a");
    EXPECT_EQ(expression(u"(a)"_qs).Replace(u"a", u"$10"), u"a0");
}

TEST(RegExp, GlobalEmptyMatchesStepOverWholeCharacters) {
    const auto matches = expression(u"b*"_qs, true).Execute(u"\U0001D11Eb\U0001D11E"_qs);
    ASSERT_EQ(matches.size(), 4);
    EXPECT_EQ(matches[0].FirstIndex, 0);
    EXPECT_EQ(matches[1].FirstIndex, 2);
    EXPECT_EQ(matches[1].Length, 1);
    EXPECT_EQ(matches[2].FirstIndex, 3);
    EXPECT_EQ(matches[3].FirstIndex, 5);
    EXPECT_EQ(expression(u"(?:)"_qs, true).Replace(u"\U0001D11E\U0001D11E"_qs, u"-"_qs),
              u"-\U0001D11E-\U0001D11E-"_qs);
}
