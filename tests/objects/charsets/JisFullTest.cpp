#include "orvenly/StringConversion.h"
#include "orvenly/TextConversion.h"
#include "orvenly/Unmappable.h"

#include <gtest/gtest.h>

using namespace orvenly;
using namespace Qt::StringLiterals;

// A JIS file read and saved unchanged keeps its bytes: JIS X 0212 kanji after ESC $ ( D,
// half-width katakana after ESC ( I, JIS X 0208 and ASCII between them.
TEST(JisFull, FilesWithSupplementaryKanjiAndHalfWidthKatakanaRoundTrip) {
    const QByteArray file = "\x1B$(D0!\x1B(B and \x1B$B4A;z\x1B$(D0!0\"\x1B(I6^\x1B(B\r\n"
                            "\x1B(I1\x1B$B$\"\x1B(B\r\n"_ba;
    const DecodedText read = decodeText(file, SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(read.form, TextForm(SCS_JIS));
    EXPECT_EQ(read.text, u"丂 and 漢字丂丄ｶﾞ\r\nｱあ\r\n"_s);
    EXPECT_EQ(encodeText(read.text, read.form, read.breakCode, false), file);
    EXPECT_EQ(findUnmappable(read.text, SCS_JIS).count, 0);
    // Typed JIS X 0212 text is written after ESC $ ( D; EUC-JP writes the same codes. A
    // character alone takes the most room: a four-byte escape and its code.
    EXPECT_EQ(encodeText(u"¡"_s, SCS_JIS, SLB_CRLF, false), "\x1B$(D\"B");
    EXPECT_EQ(encodeText(u"a丂b"_s, SCS_JIS, SLB_CRLF, false), "a\x1B$(D0!\x1B(Bb");
    EXPECT_EQ(encodeText(u"a丂b"_s, SCS_EUC, SLB_CRLF, false), "a\x8F\xB0\xA1"
                                                               "b");
    // JisToUnicode keeps its own rules: the escape is unknown there.
    EXPECT_EQ(StringConversion::instance().JisToUnicode(QByteArrayView("\x1B$(D0!")), u"D0!"_s);
}

TEST(JisFull, HalfWidthKatakanaAreFoundWithoutDecoding) {
    EXPECT_TRUE(hasHalfWidthKatakana("a\x1B(I1\x1B(B"));
    EXPECT_TRUE(hasHalfWidthKatakana("\xB1"));                   // a katakana byte outside escapes
    EXPECT_FALSE(hasHalfWidthKatakana("\x1B$B%\"\x1B(I\x1B(B")); // an empty katakana run
    EXPECT_FALSE(hasHalfWidthKatakana("\x82\xB1"));              // a Shift_JIS pair's trail byte
    EXPECT_FALSE(hasHalfWidthKatakana("\x1B$(D0!\x1B(B plain"));
}
