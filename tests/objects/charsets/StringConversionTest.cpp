#include "orvenly/StringConversion.h"

#include "objects/charsets/TwoByteCodes.h"

#include <platform/Cp932.h>

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <limits>
#include <vector>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

const StringConversion& conv() {
    return StringConversion::instance();
}

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

// JIS bytes in their string form, one character per byte.
QString jis(const char* digits) {
    return QString::fromLatin1(hex(digits));
}

StringCharsetTypeConstants analyze(const char* digits, int32_t limit = 32768) {
    return conv().AnalyzingCharset(hex(digits), limit);
}

QString withBreaks(QString text, StringLineBreakCodeConstants* code = nullptr) {
    const StringLineBreakCodeConstants found = conv().ConvertBreakCode(text);
    if (code != nullptr) {
        *code = found;
    }
    return text;
}

// The line-break rewrite done step by step with whole-text replacements.
StringLineBreakCodeConstants referenceBreaks(QString& text) {
    text.replace(QChar(u'\0'), u'?');
    const qsizetype crLf = text.count(u"\r\n"_s);
    text.replace(u"\r\n"_s, QString(QChar(u'\0')));
    const qsizetype cr = text.count(u'\r');
    const qsizetype lf = text.count(u'\n');
    text.replace(u'\r', QChar(u'\0')).replace(u'\n', QChar(u'\0'));
    text.replace(QChar(u'\0'), u"\r\n"_s);
    if (crLf == 0 && cr == 0 && lf == 0) {
        return SLB_UNKNOWN;
    }
    if (crLf >= lf && crLf >= cr) {
        return SLB_CRLF;
    }
    return lf >= cr ? SLB_LF : SLB_CR;
}

// Every JIS X 0208 code (rows 1-8 and 16-84) whose Shift_JIS form code page 932 defines.
struct JisCharacter {
    uint8_t row;
    uint8_t cell;
    QChar ch;
};
std::vector<JisCharacter> jisX0208() {
    std::vector<JisCharacter> result;
    for (int row = 0x21; row <= 0x74; ++row) {
        if (row > 0x28 && row < 0x30) {
            continue;
        }
        for (int cell = 0x21; cell <= 0x7E; ++cell) {
            const QString text =
                conv().JisToUnicode(QString::fromLatin1("\x1b$B") + QChar(row) + QChar(cell));
            if (text != QString(QChar(0xFFFD))) {
                result.push_back(
                    {static_cast<uint8_t>(row), static_cast<uint8_t>(cell), text.at(0)});
            }
        }
    }
    return result;
}

const QString FullWidthKatakana =
    QStringLiteral("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
                   "タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");

} // namespace

TEST(StringConversion, InstanceIsShared) {
    EXPECT_EQ(&StringConversion::instance(), &conv());
}

TEST(AnalyzingCharset, UndecidedText) {
    EXPECT_EQ(analyze(""), SCS_UNKNOWN);
    EXPECT_EQ(conv().AnalyzingCharset(QByteArray("plain text\r\n\ttab")), SCS_UNKNOWN);
    // テスト test in EUC-JP reads as Shift_JIS too.
    EXPECT_EQ(analyze("a5c6a5b9a5c82074657374"), SCS_UNKNOWN);
    EXPECT_EQ(analyze("8ea1"), SCS_UNKNOWN);
}

TEST(AnalyzingCharset, SingleDecidingBytes) {
    EXPECT_EQ(analyze("1b"), SCS_JIS);
    for (int b = 0x81; b <= 0x9F; ++b) {
        if (b != 0x8E) {
            EXPECT_EQ(conv().AnalyzingCharset(QByteArray(1, static_cast<char>(b))), SCS_SHIFTJIS)
                << b;
        }
    }
    EXPECT_EQ(analyze("fd"), SCS_EUC);
    EXPECT_EQ(analyze("fe"), SCS_EUC);
    for (const char* binary : {"00", "08", "0e", "19", "1c", "1f", "7f", "ff", "80", "a0"}) {
        EXPECT_EQ(analyze(binary), SCS_OCTETSTREAM) << binary;
    }
}

TEST(AnalyzingCharset, DecisionsDependOnWhatCameBefore) {
    // ESC decides even inside 8-bit text, as long as nothing decided earlier.
    EXPECT_EQ(analyze("b1b21b2442"), SCS_JIS);
    EXPECT_EQ(analyze("82a01b"), SCS_SHIFTJIS);
    // 0x80 and 0xA0 are Shift_JIS trail bytes only after a lead byte.
    EXPECT_EQ(analyze("e080"), SCS_SHIFTJIS);
    EXPECT_EQ(analyze("e0a0"), SCS_SHIFTJIS);
    EXPECT_EQ(analyze("e0e080"), SCS_OCTETSTREAM);
    // 0xFD right after the single shift cannot be EUC-JP; after the kana byte it can.
    EXPECT_EQ(analyze("8efd"), SCS_OCTETSTREAM);
    EXPECT_EQ(analyze("8ea1fd"), SCS_EUC);
    // 東京都 in EUC-JP is decided at 0xFE, the fourth byte.
    EXPECT_EQ(analyze("c5ecb5fec5d4"), SCS_EUC);
    EXPECT_EQ(analyze("c5ecb5fec5d4", 3), SCS_EUC);
    EXPECT_EQ(analyze("c5ecb5fec5d4", 2), SCS_UNKNOWN);
}

TEST(AnalyzingCharset, SevenBitBytesBreakReadings) {
    // A trail byte 0x40-0x7E inside an open EUC-JP character: only Shift_JIS remains.
    EXPECT_EQ(analyze("e041"), SCS_SHIFTJIS);
    EXPECT_EQ(analyze("a141"), SCS_SHIFTJIS);
    // A space after a Shift_JIS lead byte, with EUC-JP in step: only EUC-JP remains.
    EXPECT_EQ(analyze("a1e020"), SCS_EUC);
    // A space breaking both readings.
    EXPECT_EQ(analyze("e020"), SCS_OCTETSTREAM);
    EXPECT_EQ(analyze("8e20"), SCS_OCTETSTREAM);
    // After the single shift EUC-JP wants a kana byte; another 0x8E or a high byte breaks it.
    EXPECT_EQ(analyze("8e8e"), SCS_SHIFTJIS);
    EXPECT_EQ(analyze("8ee0"), SCS_SHIFTJIS);
    // Between complete characters 7-bit text breaks nothing.
    EXPECT_EQ(analyze("e0e020414243a1a10d0a"), SCS_UNKNOWN);
}

// Each byte at the edge of its class, in a sequence whose result changes if the byte were
// taken for its neighbour's class.
TEST(AnalyzingCharset, EdgesOfEachByteClass) {
    const std::pair<const char*, StringCharsetTypeConstants> cases[] = {
        {"7f", SCS_OCTETSTREAM},
        {"80", SCS_OCTETSTREAM},
        {"e080", SCS_SHIFTJIS},
        {"81", SCS_SHIFTJIS},
        {"8d", SCS_SHIFTJIS},
        {"8ea1", SCS_UNKNOWN},
        {"8e20", SCS_OCTETSTREAM},
        {"8f", SCS_SHIFTJIS},
        {"9f", SCS_SHIFTJIS},
        {"a0", SCS_OCTETSTREAM},
        {"e0a0", SCS_SHIFTJIS},
        // A kana-range byte opens an EUC-JP character but is complete in Shift_JIS; a lead
        // byte opens both.
        {"a120", SCS_SHIFTJIS},
        {"a1a1", SCS_UNKNOWN},
        {"df20", SCS_SHIFTJIS},
        {"dfdf", SCS_UNKNOWN},
        {"e020", SCS_OCTETSTREAM},
        {"e0e0", SCS_UNKNOWN},
        {"fc20", SCS_OCTETSTREAM},
        {"fc41", SCS_SHIFTJIS},
        {"a1fc", SCS_UNKNOWN},
        {"fcfc", SCS_UNKNOWN},
        {"fd", SCS_EUC},
        {"a1fd", SCS_EUC},
        {"fe", SCS_EUC},
        {"ff", SCS_OCTETSTREAM},
        {"a1ff", SCS_OCTETSTREAM},
    };
    for (const auto& [hex, expected] : cases)
        EXPECT_EQ(analyze(hex), expected) << hex;
}

TEST(AnalyzingCharset, LimitBoundsTheScan) {
    EXPECT_EQ(analyze("411b", 0), SCS_UNKNOWN);
    EXPECT_EQ(analyze("1b41", 0), SCS_JIS);
    EXPECT_EQ(analyze("411b", 1), SCS_JIS);
    EXPECT_EQ(analyze("1b", -1), SCS_UNKNOWN);
    EXPECT_EQ(analyze("1b", std::numeric_limits<int32_t>::max()), SCS_JIS);
    QByteArray late(32768, 'a');
    late.append('\x1b');
    EXPECT_EQ(conv().AnalyzingCharset(late), SCS_JIS);
    late.prepend('a');
    EXPECT_EQ(conv().AnalyzingCharset(late), SCS_UNKNOWN);
}

TEST(ConvertBreakCode, TextWithoutBreaks) {
    StringLineBreakCodeConstants code{};
    EXPECT_EQ(withBreaks(u"abc"_s, &code), u"abc"_s);
    EXPECT_EQ(code, SLB_UNKNOWN);
    EXPECT_EQ(withBreaks(u"a\0b"_s, &code), u"a?b"_s);
    EXPECT_EQ(code, SLB_UNKNOWN);
    EXPECT_EQ(withBreaks(QString(), &code), QString());
    EXPECT_EQ(code, SLB_UNKNOWN);
}

TEST(ConvertBreakCode, CountsAndRewrites) {
    StringLineBreakCodeConstants code{};
    EXPECT_EQ(withBreaks(u"a\nb\n"_s, &code), u"a\r\nb\r\n"_s);
    EXPECT_EQ(code, SLB_LF);
    EXPECT_EQ(withBreaks(u"a\r\nb\r\n"_s, &code), u"a\r\nb\r\n"_s);
    EXPECT_EQ(code, SLB_CRLF);
    EXPECT_EQ(withBreaks(u"a\r"_s, &code), u"a\r\n"_s);
    EXPECT_EQ(code, SLB_CR);
    // LF CR is two breaks; CR CR LF is a CR and a CR LF.
    EXPECT_EQ(withBreaks(u"\n\r"_s, &code), u"\r\n\r\n"_s);
    EXPECT_EQ(code, SLB_LF);
    EXPECT_EQ(withBreaks(u"\r\r\n"_s, &code), u"\r\n\r\n"_s);
    EXPECT_EQ(code, SLB_CRLF);
    EXPECT_EQ(withBreaks(u"\r\r\r\n"_s, &code), u"\r\n\r\n\r\n"_s);
    EXPECT_EQ(code, SLB_CR);
    EXPECT_EQ(withBreaks(u"x\r\n\n\0"_s, &code), u"x\r\n\r\n?"_s);
}

TEST(ConvertBreakCode, TiesGoToCrLfThenLf) {
    StringLineBreakCodeConstants code{};
    withBreaks(u"a\r\nb\n"_s, &code);
    EXPECT_EQ(code, SLB_CRLF);
    withBreaks(u"a\r\nb\r"_s, &code);
    EXPECT_EQ(code, SLB_CRLF);
    withBreaks(u"a\rb\rc\nd\n"_s, &code);
    EXPECT_EQ(code, SLB_LF);
}

TEST(ConvertBreakCode, MatchesStepwiseReplacement) {
    QRandomGenerator random(1234);
    // Around CR, above 0x7FFF and non-ASCII, to probe the run scanning.
    const char16_t alphabet[] = {u'a', u'\r', u'\n', u'\0', u'あ', u'\x0C', u'\x0E', u'\uFFFF'};
    for (int round = 0; round < 1000; ++round) {
        QString text;
        const int length = random.bounded(round < 500 ? 20 : 200);
        for (int i = 0; i < length; ++i) {
            text += QChar(alphabet[random.bounded(8)]);
        }
        QString expected = text;
        const StringLineBreakCodeConstants expectedCode = referenceBreaks(expected);

        // A string of its own with room rewrites in place; a shared one is left alone.
        QString roomy = text;
        roomy.detach();
        roomy.reserve(qsizetype{2} * length);
        StringLineBreakCodeConstants code{};
        ASSERT_EQ(withBreaks(roomy, &code), expected) << round;
        ASSERT_EQ(code, expectedCode) << round;
        const QString original = text;
        QString shared = text;
        ASSERT_EQ(conv().ConvertBreakCode(shared), expectedCode) << round;
        ASSERT_EQ(shared, expected) << round;
        ASSERT_EQ(text, original) << round;
    }
}

TEST(JisToUnicode, ModesAndEscapes) {
    EXPECT_EQ(conv().JisToUnicode(jis("1b244224221b2842")), u"あ"_s);
    EXPECT_EQ(conv().JisToUnicode(jis("1b244024221b284a61")), u"あa"_s);
    EXPECT_EQ(conv().JisToUnicode(jis("1b2849315f1b2842")), u"ｱﾟ"_s);
    EXPECT_EQ(conv().JisToUnicode(u"plain\r\ntext é"_s), u"plain\r\ntext é"_s);
    EXPECT_EQ(conv().JisToUnicode(QString()), QString());
}

TEST(JisToUnicode, MalformedInput) {
    // An odd kanji run pads its last byte with 0x00; 82 7D is no character.
    EXPECT_EQ(conv().JisToUnicode(jis("1b2442242224")), u"あ\uFFFD"_s);
    // Unknown escapes vanish and select ASCII.
    EXPECT_EQ(conv().JisToUnicode(jis("611b285a62")), u"ab"_s);
    EXPECT_EQ(conv().JisToUnicode(jis("1b244224221b285a2422")), u"あ$\""_s);
    // Four-character sequences lose three characters; the fourth stays.
    EXPECT_EQ(conv().JisToUnicode(jis("1b24284478")), u"Dx"_s);
    // An escape cut short by the end of the text.
    EXPECT_EQ(conv().JisToUnicode(jis("611b24")), u"a"_s);
    EXPECT_EQ(conv().JisToUnicode(jis("1b")), QString());
}

TEST(JisToUnicode, BytesDecodeLikeTheStringForm) {
    for (const char* digits : {"1b244224221b2842", "1b2849315f1b284261", "1b2442242224",
                               "611b285a62", "1b24284478", "611b24"}) {
        EXPECT_EQ(conv().JisToUnicode(QByteArrayView(hex(digits))),
                  conv().JisToUnicode(jis(digits)))
            << digits;
    }
    // Outside the escapes the bytes are code page 932, as the file would read.
    EXPECT_EQ(conv().JisToUnicode(QByteArrayView(hex("82a01b244224221b284282a0"))), u"あああ"_s);
}

TEST(UnicodeToJis, KanjiAndAsciiRuns) {
    EXPECT_EQ(conv().UnicodeToJis(u"あa"_s), jis("1b244224221b284261"));
    EXPECT_EQ(conv().UnicodeToJis(u"あ"_s), jis("1b24422422"));
    EXPECT_EQ(conv().UnicodeToJis(QString()), QString());
    // A line break always returns to ASCII first.
    EXPECT_EQ(conv().UnicodeToJis(u"あ\r\nい"_s), jis("1b244224221b28420d0a1b24422424"));
    // Control codes and characters code page 932 lacks become "?".
    EXPECT_EQ(conv().UnicodeToJis(u"あ\x01Ā"_s), jis("1b244224221b28423f3f"));
    EXPECT_EQ(conv().UnicodeToJisBytes(u"あa"_s), hex("1b244224221b284261"));
}

TEST(UnicodeToJis, HalfWidthKatakana) {
    EXPECT_EQ(conv().UnicodeToJis(u"ｶﾞ"_s), jis("1b2442252c"));
    EXPECT_EQ(conv().UnicodeToJis(u"ｶﾞ"_s, false), jis("1b2849365e"));
    EXPECT_EQ(conv().UnicodeToJis(u"ﾊﾟﾊﾞﾎﾟ"_s), jis("1b244225512550255d"));
    // Only ｶ-ﾄ and ﾊ-ﾎ merge a following mark.
    EXPECT_EQ(conv().UnicodeToJis(u"ｳﾞｶﾟﾅﾞ"_s), jis("1b24422526212b252b212c254a212b"));
    EXPECT_EQ(conv().UnicodeToJis(u"ｱあ"_s, false), jis("1b2849311b24422422"));
    EXPECT_EQ(conv().UnicodeToJis(u"ｱa"_s, false), jis("1b2849311b284261"));
}

TEST(UnicodeToJis, LongTextKeepsMarksAndSurrogatesWhole) {
    // Whatever the length of the text before them, a sound mark merges and a surrogate pair
    // is one "?".
    for (qsizetype before = 8180; before < 8200; ++before) {
        const QString prefix(before, u'a');
        const QByteArray asciiPart = prefix.toLatin1();
        EXPECT_EQ(conv().UnicodeToJisBytes(prefix + u"ｶﾞ"_s), asciiPart + hex("1b2442252c"))
            << before;
        EXPECT_EQ(conv().UnicodeToJisBytes(prefix + u"😀"_s), asciiPart + "?") << before;
        EXPECT_EQ(conv().UnicodeToEuc(prefix + u"😀ｱ"_s), asciiPart + hex("3f8eb1")) << before;
    }
}

TEST(UnicodeToJis, EveryHalfWidthFormMapsToItsFullWidthForm) {
    QString halfWidth;
    for (char16_t c = u'\uFF61'; c <= u'\uFF9F'; ++c) {
        halfWidth += QChar(c);
    }
    // ﾞ and ﾟ would merge with the characters before them; space them apart.
    QString spaced;
    for (const QChar c : halfWidth) {
        spaced += c;
        spaced += u' ';
    }
    QString expected;
    for (const QChar c : FullWidthKatakana) {
        expected += c;
        expected += u' ';
    }
    EXPECT_EQ(conv().JisToUnicode(conv().UnicodeToJis(spaced)), expected);
    EXPECT_EQ(conv().JisToUnicode(conv().UnicodeToJis(halfWidth, false)), halfWidth);
}

TEST(EucToUnicode, Decodes) {
    EXPECT_EQ(conv().EucToUnicode(hex("8eb1")), u"ｱ"_s);
    EXPECT_EQ(conv().EucToUnicode(hex("a4a2")), u"あ"_s);
    EXPECT_EQ(conv().EucToUnicode(hex("61a4a20d0a")), u"aあ\r\n"_s);
    EXPECT_EQ(conv().EucToUnicode(QByteArray()), QString());
}

TEST(EucToUnicode, MalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(conv().EucToUnicode(hex("61a4")), u"a?"_s);
    EXPECT_EQ(conv().EucToUnicode(hex("618e")), u"a?"_s);
    // A single shift takes the next byte with it even when it is no kana.
    EXPECT_EQ(conv().EucToUnicode(hex("8e4162")), u"?b"_s);
    // The three-byte JIS X 0212 form is read as an ordinary pair (the arithmetic gives
    // 38 4F) and a lone byte.
    EXPECT_EQ(conv().EucToUnicode(hex("8fb0a1")), u"8O?"_s);
}

// The decoding as one pass to Shift_JIS over the whole input and one code page conversion.
QString wholeEucToUnicode(const QByteArray& euc) {
    QByteArray sjis;
    for (qsizetype i = 0; i < euc.size(); ++i) {
        auto b = static_cast<uint8_t>(euc[i]);
        if (b < 0x80) {
            sjis += char(b);
        } else if (i + 1 == euc.size()) {
            sjis += '?';
        } else if (b == 0x8E) {
            const auto kana = static_cast<uint8_t>(euc[++i]);
            sjis += kana >= 0xA0 && kana <= 0xDF ? char(kana) : '?';
        } else {
            auto second = static_cast<uint8_t>(euc[++i]);
            EucToSjis(b, second);
            sjis += char(b);
            sjis += char(second);
        }
    }
    return platform::cp932::decode(sjis);
}

TEST(EucToUnicode, LargeMalformedInputDecodesAsOneWhole) {
    QRandomGenerator random(99);
    for (int round = 0; round < 4; ++round) {
        QByteArray euc;
        while (euc.size() < 100000) {
            // Stretches of high bytes and letters without any byte below 0x40, then mixed
            // bytes, so that pairs of every kind straddle wherever the input is cut.
            const bool letters = random.bounded(3) == 0;
            const int length = letters ? random.bounded(40000) : random.bounded(64);
            for (int i = 0; i < length; ++i) {
                const quint32 b = letters ? 0x40 + random.bounded(0xC0) : random.bounded(0x100);
                euc += static_cast<char>(b);
            }
        }
        ASSERT_EQ(conv().EucToUnicode(euc), wholeEucToUnicode(euc)) << round;
    }
}

TEST(UnicodeToEuc, Encodes) {
    EXPECT_EQ(conv().UnicodeToEuc(u"ｱ"_s), hex("8eb1"));
    EXPECT_EQ(conv().UnicodeToEuc(u"あ"_s), hex("a4a2"));
    EXPECT_EQ(conv().UnicodeToEuc(u"Ā"_s), hex("3f"));
    EXPECT_EQ(conv().UnicodeToEuc(u"a\tb\r\n\x01"_s), QByteArray("a\tb\r\n?"));
    EXPECT_EQ(conv().UnicodeToEuc(QString()), QByteArray());
}

TEST(StringConversion, AllJisX0208CharactersRoundTrip) {
    const std::vector<JisCharacter> characters = jisX0208();
    EXPECT_EQ(characters.size(), 6879u);
    QString text;
    QByteArray euc;
    QByteArray jisBytes("\x1b$B");
    for (const JisCharacter& c : characters) {
        QByteArray code;
        code += static_cast<char>(c.row | 0x80);
        code += static_cast<char>(c.cell | 0x80);
        ASSERT_EQ(conv().UnicodeToEuc(QString(c.ch)), code) << c.row << ' ' << c.cell;
        ASSERT_EQ(conv().EucToUnicode(code), QString(c.ch)) << c.row << ' ' << c.cell;
        text += c.ch;
        euc += code;
        jisBytes += static_cast<char>(c.row);
        jisBytes += static_cast<char>(c.cell);
    }
    // Three times over, to run past the pieces the conversions work in.
    text = text.repeated(3);
    euc = euc.repeated(3);
    jisBytes += jisBytes.sliced(3).repeated(2);
    EXPECT_EQ(conv().UnicodeToEuc(text), euc);
    EXPECT_EQ(conv().EucToUnicode(euc), text);
    EXPECT_EQ(conv().UnicodeToJisBytes(text), jisBytes);
    EXPECT_EQ(conv().JisToUnicode(QByteArrayView(jisBytes)), text);
    EXPECT_EQ(conv().JisToUnicode(QString::fromLatin1(jisBytes)), text);
}

TEST(StringConversion, MixedDocumentRoundTrips) {
    const QString text = u"第1章 テスト\r\nｶﾀｶﾅ and ASCII\ttab\r\n漢字かな交じり文。\r\n"_s;
    EXPECT_EQ(conv().EucToUnicode(conv().UnicodeToEuc(text)), text);
    EXPECT_EQ(conv().JisToUnicode(conv().UnicodeToJis(text, false)), text);
    EXPECT_EQ(conv().AnalyzingCharset(conv().UnicodeToEuc(text)), SCS_EUC);
    EXPECT_EQ(conv().AnalyzingCharset(conv().UnicodeToJisBytes(text)), SCS_JIS);
}
