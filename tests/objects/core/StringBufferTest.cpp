#include "orvenly/StringBuffer.h"
#include "orvenly/Trimming.h"

#include <gtest/gtest.h>

using orvenly::StringBuffer;

TEST(StringBuffer, StartsEmpty) {
    const StringBuffer buffer;
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Capacity(), 0);
    EXPECT_TRUE(buffer.Value().isEmpty());
}

TEST(StringBuffer, ConcatAppendsAndGrowsInWholeSteps) {
    StringBuffer buffer;
    buffer.Concat(u"abc"_qs);
    buffer.Concat(QString());
    buffer.Concat(u"日本"_qs);
    EXPECT_EQ(buffer.Value(), u"abc日本"_qs);
    EXPECT_EQ(buffer.Length(), 5);
    EXPECT_EQ(buffer.Capacity(), 4096);

    buffer.Concat(QString(4091, u'x'));
    EXPECT_EQ(buffer.Capacity(), 4096);
    buffer.Concat(u"y"_qs);
    EXPECT_EQ(buffer.Capacity(), 8192);
    buffer.Concat(QString(10000, u'z'));
    EXPECT_EQ(buffer.Length(), 14097);
    EXPECT_EQ(buffer.Capacity(), 4 * 4096);
    EXPECT_EQ(buffer.Value(), u"abc日本"_qs + QString(4091, u'x') + u'y' + QString(10000, u'z'));
}

TEST(StringBuffer, EmptyConcatChangesNothing) {
    StringBuffer buffer;
    buffer.Concat(QString());
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.Capacity(), 0);
    buffer.Concat(u"a"_qs);
    buffer.Concat(u""_qs);
    EXPECT_EQ(buffer.Length(), 1);
}

TEST(StringBuffer, AllocateEmptiesAndSetsStep) {
    StringBuffer buffer;
    buffer.Concat(u"old content"_qs);
    buffer.Allocate(3);
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_TRUE(buffer.Value().isEmpty());
    buffer.Concat(u"abcd"_qs);
    EXPECT_EQ(buffer.Capacity(), 6);
    // Padding beyond the content never shows in the value.
    EXPECT_EQ(buffer.Value(), u"abcd"_qs);
}

TEST(StringBuffer, NonPositiveStepMeansDefault) {
    for (const int32_t step : {0, -1, -4096}) {
        StringBuffer buffer;
        buffer.Allocate(step);
        buffer.Concat(u"a"_qs);
        EXPECT_EQ(buffer.Capacity(), StringBuffer::DefaultGrowStep) << step;
        EXPECT_EQ(buffer.Value(), u"a"_qs);
    }
}

TEST(Trimming, OnlyU0020IsASpace) {
    EXPECT_EQ(orvenly::TrimSpaces(u"  a b  "_qs), u"a b"_qs);
    EXPECT_EQ(orvenly::TrimLeadingSpaces(u"  a b  "_qs), u"a b  "_qs);
    EXPECT_EQ(orvenly::TrimTrailingSpaces(u"  a b  "_qs), u"  a b"_qs);
    EXPECT_EQ(orvenly::TrimSpaces(u"\t a \t"_qs), u"\t a \t"_qs);
    EXPECT_EQ(orvenly::TrimSpaces(u"\u3000a\u3000"_qs), u"\u3000a\u3000"_qs);
    EXPECT_EQ(orvenly::TrimSpaces(u"x"_qs), u"x"_qs);
}

TEST(Trimming, EmptyOrAllSpacesGivesEmpty) {
    for (const QString& text : {QString(), u" "_qs, u"    "_qs}) {
        EXPECT_TRUE(orvenly::TrimSpaces(text).isEmpty());
        EXPECT_TRUE(orvenly::TrimLeadingSpaces(text).isEmpty());
        EXPECT_TRUE(orvenly::TrimTrailingSpaces(text).isEmpty());
    }
}
