#include "orvenly/Unmappable.h"

#include "orvenly/StringConversion.h"
#include "orvenly/TextConversion.h"

#include <platform/Cp932.h>

#include <gtest/gtest.h>

#include <QChar>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

const StringConversion& conv() {
    return StringConversion::instance();
}

// Whether one character reads back as itself once written in the charset.
bool survives(const QString& character, StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_JIS: // in full, as documents are read and written
    case SCS_EUC:
        return decodeText(encodeText(character, charset, SLB_CRLF, false), charset, SLB_CRLF)
                   .text == character;
    default:
        return platform::cp932::decode(platform::cp932::encode(character)) == character;
    }
}

// Characters written as the code of a look-alike, which they read back as (￤ in EUC-JP and
// JIS only).
const QString LookAlikes = u"¢£¥¬—‖‾−〜￤"_s;

} // namespace

TEST(Unmappable, EveryCharacterIsLostExactlyWhenItDoesNotReadBack) {
    for (const StringCharsetTypeConstants charset : {SCS_SHIFTJIS, SCS_JIS, SCS_EUC}) {
        for (unsigned c = 0; c < 0x10000; ++c) {
            if (QChar::isSurrogate(c)) {
                continue;
            }
            const QString character(QChar(static_cast<char16_t>(c)));
            ASSERT_EQ(findUnmappable(character, charset).count == 0,
                      survives(character, charset) || LookAlikes.contains(character))
                << "charset " << charset << " U+" << std::hex << c;
        }
    }
}

TEST(Unmappable, CodesBeyondTheJisRowsAreNeverWrittenAsInvalidBytes) {
    // 纊 is IBM kanji FA 5C in code page 932, U+E000 the first user-defined code F0 40: the
    // two-byte arithmetic would make 93 BD and FF A1 of them in EUC-JP.
    const QString beyond = u"纊\uE000"_s;
    EXPECT_EQ(conv().UnicodeToEuc(u"a"_s + beyond), QByteArray("a??"));
    EXPECT_EQ(conv().UnicodeToJisBytes(u"あ"_s + beyond), QByteArray("\x1B$B$\"\x1B(B??"));
    EXPECT_EQ(findUnmappable(beyond, SCS_SHIFTJIS).count, 0);
    // Documents write 纊 in EUC-JP and JIS as its JIS X 0212 code.
    EXPECT_EQ(encodeText(beyond, SCS_EUC, SLB_CRLF, false), QByteArray("\x8F\xD4\xE3?"));
    EXPECT_EQ(encodeText(beyond, SCS_JIS, SLB_CRLF, false), QByteArray("\x1B$(DTc\x1B(B?"));
    EXPECT_EQ(findUnmappable(beyond, SCS_EUC).count, 1);
    EXPECT_EQ(findUnmappable(beyond, SCS_JIS).count, 1);
}

TEST(Unmappable, CountsFirstPositionLineAndCharacter) {
    // Lines end in CR LF, CR and LF alike; a surrogate pair is one character.
    const QString text = u"a\r\nb\rc\nd😀e😀\u00A9"_s;
    const Unmappable found = findUnmappable(text, SCS_SHIFTJIS);
    EXPECT_EQ(found.count, 3);
    EXPECT_EQ(found.first, 8);
    EXPECT_EQ(found.line, 4);
    EXPECT_EQ(found.character, U'😀');
    EXPECT_EQ(replaceUnmappable(text, SCS_SHIFTJIS), u"a\r\nb\rc\nd?e??"_s);

    const Unmappable none = findUnmappable(u"あいう\r\nｱ"_s, SCS_EUC);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.first, -1);
    EXPECT_EQ(none.line, 0);
}

TEST(Unmappable, UnicodeFormsLoseOnlyLoneSurrogatesAndTheReplacementCharacter) {
    const QString text = u"😀\u00A5"_s + QChar(0xD800) + u"x\uFFFD"_s + QChar(0xDC00);
    const Unmappable found = findUnmappable(text, SCS_UTF8);
    EXPECT_EQ(found.count, 3);
    EXPECT_EQ(found.first, 3);
    EXPECT_EQ(found.character, 0xD800u);
    EXPECT_EQ(replaceUnmappable(text, SCS_UTF8), u"😀\u00A5?x??"_s);
    // The Japanese charsets hold the control codes too, but for JIS's ESC (SO and SI),
    // which would switch its character sets.
    EXPECT_EQ(findUnmappable(u"\t\r\n\x01\x1B"_s, SCS_SHIFTJIS).count, 0);
    EXPECT_EQ(findUnmappable(u"\t\r\n\x01\x1B\x0E"_s, SCS_JIS).count, 2);
    EXPECT_EQ(findUnmappable(QString(QChar(u'\0')), SCS_EUC).count, 0);
}

TEST(Unmappable, EncodedCharactersTheCharsetLacksAreQuestionMarks) {
    // What the lossy road relies on: the encoders write one "?" for each lost character.
    const QString text = u"纊\uE000😀\u00A5\x01\uFFFDｶﾞ漢"_s;
    for (const StringCharsetTypeConstants charset : {SCS_SHIFTJIS, SCS_JIS, SCS_EUC}) {
        EXPECT_EQ(encodeText(text, charset, SLB_CRLF, false),
                  encodeText(replaceUnmappable(text, charset), charset, SLB_CRLF, false))
            << charset;
    }
}
