#include "dialogs/Escapes.h"

#include <gtest/gtest.h>

using penlark::EscapeExpander;
using penlark::ExpandEscapes;

namespace {

QString expand(const char16_t* text) {
    return ExpandEscapes(QString::fromUtf16(text));
}

} // namespace

TEST(ExpandEscapes, CopiesTextAndSimpleEscapes) {
    EXPECT_EQ(expand(u"plain テキスト"), QString::fromUtf16(u"plain テキスト"));
    EXPECT_EQ(expand(u"a\\\\b"), u"a\\b");
    EXPECT_EQ(expand(u"\\t\\n\\r\\f\\v"), u"\t\n\r\f\v");
    EXPECT_EQ(expand(u"\\a\\e"), u"\a\x1B");
    // An unknown escape produces nothing and takes two characters.
    EXPECT_EQ(expand(u"x\\qy\\8z"), u"xyz");
}

TEST(ExpandEscapes, ControlOctalAndHexCodes) {
    EXPECT_EQ(expand(u"\\cA\\cZ"), QString::fromUtf16(u"\x01\x1A"));
    // @ gives 0 and a lower-case letter gives more than 31: nothing.
    EXPECT_EQ(expand(u"<\\c@\\ca>"), u"<>");
    EXPECT_EQ(expand(u"\\101\\060\\177"), QString::fromUtf16(u"A0\x7F"));
    EXPECT_EQ(expand(u"<\\08x>"), u"<>");
    EXPECT_EQ(expand(u"\\x41\\x6a\\x6A"), u"Ajj");
    EXPECT_EQ(expand(u"<\\xg1>"), u"<>");
    // Single-byte codes are code page 932: 0xB1 is half-width katakana A, 0x81 starts a pair.
    EXPECT_EQ(expand(u"\\xB1\\x81"), QString::fromUtf16(u"ｱ"));
    EXPECT_EQ(expand(u"\\261"), QString::fromUtf16(u"ｱ"));
}

TEST(ExpandEscapes, CaseModes) {
    EXPECT_EQ(expand(u"\\Uabc\\Edef"), u"ABCdef");
    EXPECT_EQ(expand(u"\\LABC\\uxYZ"), u"abcXyz");
    EXPECT_EQ(expand(u"\\lABC"), u"aBC");
    EXPECT_EQ(expand(u"\\U\\x61\\t"), u"A\t");
    // Case changes keep the length: ß has no one-character upper case.
    EXPECT_EQ(expand(u"\\Uß").size(), 1);
}

TEST(ExpandEscapes, CutShortAtTheEnd) {
    EXPECT_EQ(expand(u"ab\\"), u"ab");
    EXPECT_EQ(expand(u"ab\\x4"), u"ab");
    EXPECT_EQ(expand(u"ab\\01"), u"ab");
    EXPECT_EQ(expand(u"ab\\c"), u"ab");
    EXPECT_EQ(expand(u"ab\\u"), u"ab");
}

TEST(EscapeExpander, InsertedTextIsNeverReadAsEscapes) {
    EscapeExpander expander;
    expander.literal(u"[\\U");
    expander.verbatim(u"c:\\new");
    expander.literal(u"\\E]\\t");
    EXPECT_EQ(expander.take(), u"[C:\\NEW]\t");

    EscapeExpander one;
    one.literal(u"\\u");
    one.verbatim(u"word");
    EXPECT_EQ(one.take(), u"Word");
}
