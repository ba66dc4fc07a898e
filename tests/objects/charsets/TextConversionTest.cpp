#include "orvenly/TextConversion.h"

#include "orvenly/Transcoding.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <array>
#include <utility>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

ConversionRequest request(StringCharsetTypeConstants from, TextForm to,
                          StringLineBreakCodeConstants toBreak = SLB_UNKNOWN) {
    ConversionRequest r;
    r.from = from;
    r.to = to;
    r.toBreak = toBreak;
    return r;
}

// The road through the document's text, step by step with the public pieces.
QByteArray throughText(const QByteArray& input, StringCharsetTypeConstants from,
                       StringCharsetTypeConstants to, StringLineBreakCodeConstants code,
                       qsizetype* lost) {
    const DecodedText decoded = decodeText(input, from, SLB_UNKNOWN);
    *lost = findUnmappable(decoded.text, to).count;
    const StringLineBreakCodeConstants written =
        code != SLB_UNKNOWN ? code
                            : (decoded.breakCode != SLB_UNKNOWN ? decoded.breakCode : SLB_CRLF);
    return encodeText(replaceUnmappable(decoded.text, to), to, written, false);
}

// "a", "あ" and the IBM kanji 纊 (FA 5C), on lines of their own; and ⅰ (FA 40), which has no
// JIS X 0212 code either.
const QByteArray IbmKanjiSjis = QByteArray::fromHex("610a82a00d0afa5c0a");
const QByteArray IbmNumeralSjis = QByteArray::fromHex("610a82a00d0afa400a");

} // namespace

TEST(TextConversion, StatusesOfOneFile) {
    // Octet streams and undecided text, when the request says so, are left alone.
    EXPECT_EQ(convertText(QByteArray("a\0b", 3), request(SCS_UNKNOWN, SCS_EUC)).status,
              ConversionStatus::NotText);
    ConversionRequest undecided = request(SCS_UNKNOWN, SCS_EUC);
    undecided.undecided = SCS_UNKNOWN;
    EXPECT_EQ(convertText(QByteArray::fromHex("b1b2"), undecided).status,
              ConversionStatus::Undecided);
    undecided.undecided = SCS_EUC;
    const ConversionResult asEuc = convertText(QByteArray::fromHex("b1b2"), undecided);
    EXPECT_EQ(asEuc.status, ConversionStatus::Unchanged);
    EXPECT_EQ(asEuc.form, TextForm(SCS_EUC));

    // Text whose conversion gives the same bytes needs no rewrite: ASCII, an empty file, a
    // file already in the target's charset and break code.
    EXPECT_EQ(convertText("plain\r\n", request(SCS_UNKNOWN, SCS_JIS)).status,
              ConversionStatus::Unchanged);
    const ConversionResult empty = convertText(QByteArray(), request(SCS_UNKNOWN, SCS_EUC));
    EXPECT_EQ(empty.status, ConversionStatus::Unchanged);
    EXPECT_TRUE(empty.output.isEmpty());
    const QByteArray euc = QByteArray::fromHex("a4a20ac5ecb5fe0a");
    const ConversionResult same = convertText(euc, request(SCS_UNKNOWN, SCS_EUC, SLB_LF));
    EXPECT_EQ(same.status, ConversionStatus::Unchanged);
    EXPECT_EQ(same.output, euc);
    EXPECT_EQ(same.form, TextForm(SCS_EUC));
    EXPECT_EQ(same.breakCode, SLB_LF);
    // The same charset with other breaks is a conversion.
    const ConversionResult crLf = convertText(euc, request(SCS_UNKNOWN, SCS_EUC, SLB_CRLF));
    EXPECT_EQ(crLf.status, ConversionStatus::Converted);
    EXPECT_EQ(crLf.output, QByteArray::fromHex("a4a20d0ac5ecb5fe0d0a"));

    // A writer that refuses ends it.
    const ConversionResult refused =
        convertText(euc, request(SCS_EUC, SCS_SHIFTJIS), [](QByteArrayView) { return false; });
    EXPECT_EQ(refused.status, ConversionStatus::WriteFailed);
}

TEST(TextConversion, CharactersTheTargetLacksStopTheFileUnlessLossy) {
    // ⅰ on line 3 has no place in EUC-JP or JIS, directly or not.
    const std::pair<StringCharsetTypeConstants, QByteArray> cases[] = {{SCS_EUC, IbmNumeralSjis},
                                                                       {SCS_JIS, IbmNumeralSjis}};
    for (const auto& [to, input] : cases) {
        const ConversionResult refused = convertText(input, request(SCS_UNKNOWN, to));
        EXPECT_EQ(refused.status, ConversionStatus::Unmappable) << to;
        EXPECT_TRUE(refused.output.isEmpty());
        EXPECT_EQ(refused.form, TextForm(SCS_SHIFTJIS));
        EXPECT_EQ(refused.unmappable.count, 1);
        EXPECT_EQ(refused.unmappable.line, 3);
        EXPECT_EQ(refused.unmappable.character, U'ⅰ');

        ConversionRequest lossy = request(SCS_UNKNOWN, to, SLB_LF);
        lossy.lossy = true;
        const ConversionResult written = convertText(input, lossy);
        EXPECT_EQ(written.status, ConversionStatus::Converted);
        EXPECT_EQ(written.unmappable.count, 1);
        EXPECT_EQ(written.output, to == SCS_EUC ? QByteArray::fromHex("610aa4a20a3f0a")
                                                : QByteArray("a\n\x1B$B$\"\x1B(B\n?\n"));
    }
    // EUC-JP and JIS have 纊 among the JIS X 0212 kanji, never as an invalid pair.
    EXPECT_EQ(convertText(IbmKanjiSjis, request(SCS_UNKNOWN, SCS_EUC, SLB_LF)).output,
              QByteArray::fromHex("610aa4a20a8fd4e30a"));
    EXPECT_EQ(convertText(IbmKanjiSjis, request(SCS_UNKNOWN, SCS_JIS, SLB_LF)).output,
              QByteArray("a\n\x1B$B$\"\x1B(B\n\x1B$(DTc\x1B(B\n"));
    // Shift_JIS holds it; UTF-8 holds it and everything but what could not be read.
    EXPECT_EQ(convertText(IbmKanjiSjis, request(SCS_UNKNOWN, SCS_SHIFTJIS)).status,
              ConversionStatus::Converted);
    EXPECT_EQ(convertText(IbmKanjiSjis, request(SCS_UNKNOWN, SCS_UTF8, SLB_LF)).output,
              "a\nあ\n纊\n"_ba);
    const ConversionResult broken =
        convertText(QByteArray::fromHex("61 81 0a"), request(SCS_SHIFTJIS, SCS_UTF8));
    EXPECT_EQ(broken.status, ConversionStatus::Unmappable);
    EXPECT_EQ(broken.unmappable.character, 0xFFFDu);
}

TEST(TextConversion, DirectRoadMatchesTheRoadThroughText) {
    // Random bytes of both charsets, broken ones included, against decode, count, replace
    // and encode done one after the other.
    QRandomGenerator random(1414);
    const std::array<StringCharsetTypeConstants, 2> charsets = {SCS_SHIFTJIS, SCS_EUC};
    for (int round = 0; round < 3000; ++round) {
        QByteArray input;
        for (int k = random.bounded(1, 24); k > 0; --k) {
            const int kind = random.bounded(4);
            input += kind == 0   ? char(random.bounded(256))
                     : kind == 1 ? "\r\n\n\r"[random.bounded(4)]
                                 : char(0xA1 + random.bounded(0x5E));
        }
        for (const auto from : charsets) {
            for (const auto to : charsets) {
                for (const auto code : {SLB_UNKNOWN, SLB_CR, SLB_LF}) {
                    qsizetype lost = 0;
                    const QByteArray expected = throughText(input, from, to, code, &lost);
                    ConversionRequest lossy = request(from, to, code);
                    lossy.lossy = true;
                    const ConversionResult result = convertText(input, lossy);
                    ASSERT_EQ(result.output, expected) << input.toHex(' ').data();
                    ASSERT_EQ(result.unmappable.count, lost) << input.toHex(' ').data();
                    ASSERT_EQ(result.status, result.output == input ? ConversionStatus::Unchanged
                                                                    : ConversionStatus::Converted);
                }
            }
        }
    }
}

TEST(TextConversion, LargeOutputComesInPiecesAndIsComparedWithTheInput) {
    // Over several pieces: unchanged as a whole, or different in the last byte only.
    QByteArray input = QByteArray("\x82\xA0line\n").repeated(3 * TranscodingPiece / 7);
    int pieces = 0;
    const ConversionResult same =
        convertText(input, request(SCS_SHIFTJIS, SCS_SHIFTJIS), [&](QByteArrayView) {
            ++pieces;
            return true;
        });
    EXPECT_GT(pieces, 2);
    EXPECT_EQ(same.status, ConversionStatus::Unchanged);
    input.back() = '\r'; // the breaks are LF; this one becomes LF as well
    EXPECT_EQ(convertText(input, request(SCS_SHIFTJIS, SCS_SHIFTJIS)).status,
              ConversionStatus::Converted);
}

TEST(TextConversion, GivenLineBreaksAreReadAsTheDocumentReadsThem) {
    // CR given: every CR is a break, an LF alone stays a character; NUL becomes "?".
    ConversionRequest fromCr = request(SCS_SHIFTJIS, SCS_SHIFTJIS, SLB_LF);
    fromCr.fromBreak = SLB_CR;
    const ConversionResult cr = convertText(QByteArray("a\rb\nc\0\r", 7), fromCr);
    EXPECT_EQ(cr.breakCode, SLB_CR);
    EXPECT_EQ(cr.output, QByteArray("a\nb\nc?\n"));
    // CR LF given with target CR: only the pairs change.
    fromCr.fromBreak = SLB_CRLF;
    fromCr.toBreak = SLB_CR;
    EXPECT_EQ(convertText("a\r\nb\nc\r", fromCr).output, QByteArray("a\rb\nc\r"));
    // Kept: the code given is the code written.
    ConversionRequest kept = request(SCS_EUC, SCS_SHIFTJIS);
    kept.fromBreak = SLB_LF;
    EXPECT_EQ(convertText(QByteArray::fromHex("a4a20a0a"), kept).output,
              QByteArray::fromHex("82a00a0a"));
}

TEST(TextConversion, DecodeAndEncodeAsTheDocumentDoes) {
    const DecodedText recognised =
        decodeText(QByteArray::fromHex("a4a20ac5ecb5fe"), SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(recognised.form, TextForm(SCS_EUC));
    EXPECT_EQ(recognised.breakCode, SLB_LF);
    EXPECT_EQ(recognised.text, u"あ\r\n東京"_s);
    // Undecided text is read as the caller says.
    EXPECT_EQ(decodeText("ascii", SCS_UNKNOWN, SLB_UNKNOWN).form, TextForm(SCS_SHIFTJIS));
    EXPECT_EQ(decodeText("ascii", SCS_UNKNOWN, SLB_UNKNOWN, SCS_EUC).form, TextForm(SCS_EUC));
    EXPECT_EQ(decodeText("a\nb", SCS_JIS, SLB_LF).text, u"a\r\nb"_s);

    EXPECT_EQ(encodeText(u"あ\r\nｱ"_s, SCS_JIS, SLB_LF, true),
              QByteArray("\x1B$B$\"\x1B(B\n\x1B$B%\""));
    EXPECT_EQ(encodeText(u"あ\r\nｱ"_s, SCS_EUC, SLB_CR, false), QByteArray::fromHex("a4a20d8eb1"));
    EXPECT_EQ(encodeText(u"😀\r\n"_s, SCS_UTF8, SLB_CRLF, false), "😀\r\n"_ba);
}
