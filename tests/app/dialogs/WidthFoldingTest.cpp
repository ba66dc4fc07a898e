#include "dialogs/WidthFolding.h"

#include <gtest/gtest.h>

using penlark::FoldWidth;
using penlark::LowerSameLength;

namespace {

QString fold(const char16_t* text) {
    return FoldWidth(QString::fromUtf16(text));
}

} // namespace

TEST(WidthFolding, FullWidthAsciiAndCase) {
    EXPECT_EQ(fold(u"ＡＢＣａｂｃ１２３！～"), u"abcabc123!~");
    EXPECT_EQ(fold(u"Abc"), fold(u"ａＢＣ"));
    EXPECT_EQ(fold(u"a　b"), u"a b");
}

TEST(WidthFolding, HalfWidthKatakana) {
    EXPECT_EQ(fold(u"ｱｲｳｴｵ"), QString::fromUtf16(u"アイウエオ"));
    EXPECT_EQ(fold(u"｡｢｣､･ｦｯｰﾝ"), QString::fromUtf16(u"。「」、・ヲッーン"));
    // A katakana and its sound mark make one character and a mark: lengths never change.
    EXPECT_EQ(fold(u"ｶﾞﾊﾟｱﾞ"), QString::fromUtf16(u"ガ\uFFFFパ\uFFFFア゛"));
    // Hiragana and katakana stay distinct.
    EXPECT_NE(fold(u"あ"), fold(u"ア"));
}

TEST(WidthFolding, SignsAndSymbols) {
    EXPECT_EQ(fold(u"￠￡￢￣￤￥￦"), QString::fromUtf16(u"¢£¬¯¦¥₩"));
    EXPECT_EQ(fold(u"￨￩￪￫￬￭￮"), QString::fromUtf16(u"│←↑→↓■○"));
}

TEST(WidthFolding, KeepsEveryLength) {
    const QString text = QString::fromUtf16(u"İSTANBUL ß ﬃ 𝐀 ｶﾞ") + QChar(0xD800);
    EXPECT_EQ(FoldWidth(text).size(), text.size());
    EXPECT_EQ(LowerSameLength(text).size(), text.size());
    EXPECT_EQ(LowerSameLength(u"ÀÉÎ"), QString::fromUtf16(u"àéî"));
}
