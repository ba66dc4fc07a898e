#include "orvenly/TextConversion.h"

#include <gtest/gtest.h>

#include <QByteArray>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// "aあ東京😀" and a line break, in a form, with its mark when it has one.
QByteArray sample(TextForm form, const char* lineBreak) {
    const QString text = u"aあ東京😀"_s + QString::fromLatin1(lineBreak) + u"ｱ"_s;
    QByteArray bytes;
    switch (form.charset) {
    case SCS_UTF8:
        bytes = text.toUtf8();
        break;
    case SCS_UTF16LE:
    case SCS_UTF16BE:
        for (const QChar c : text) {
            const char high = static_cast<char>(c.unicode() >> 8);
            const char low = static_cast<char>(c.unicode() & 0xFF);
            const char unit[] = {form.charset == SCS_UTF16LE ? low : high,
                                 form.charset == SCS_UTF16LE ? high : low};
            bytes += QByteArray(unit, 2);
        }
        break;
    default:
        break;
    }
    if (!form.byteOrderMark) {
        return bytes;
    }
    const char* marks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    return marks[form.charset - SCS_UTF8] + bytes;
}

} // namespace

TEST(RoundTrip, UnicodeFormsReadAndWrittenBackByteForByte) {
    for (const StringCharsetTypeConstants charset : {SCS_UTF8, SCS_UTF16LE, SCS_UTF16BE}) {
        for (const bool mark : {false, true}) {
            for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
                const TextForm form(charset, mark);
                const QByteArray bytes = sample(form, lineBreak);
                SCOPED_TRACE(bytes.toHex(' ').toStdString());
                const DecodedText read = decodeText(bytes, SCS_UNKNOWN, SLB_UNKNOWN);
                EXPECT_EQ(read.form, form);
                EXPECT_EQ(read.text, u"aあ東京😀\r\nｱ"_s);
                EXPECT_EQ(encodeText(read.text, read.form, read.breakCode, false), bytes);
                // The mark is found whatever form the caller names.
                EXPECT_EQ(decodeText(bytes, TextForm(charset, !mark), SLB_UNKNOWN).form, form);

                ConversionRequest same;
                same.to = form;
                const ConversionResult result = convertText(bytes, same);
                EXPECT_EQ(result.status, ConversionStatus::Unchanged);
                EXPECT_EQ(result.output, bytes);
            }
        }
    }
}

TEST(RoundTrip, BetweenUnicodeAndTheJapaneseCharsets) {
    // あい, 丂 (JIS X 0212), a break; in UTF-16 BE with a mark, and in EUC-JP.
    const QByteArray utf16 = QByteArray::fromHex("feff 3042 3044 4e02 000a");
    const QByteArray euc = QByteArray::fromHex("a4a2a4a4 8fb0a1 0a");
    ConversionRequest toEuc;
    toEuc.to = SCS_EUC;
    EXPECT_EQ(convertText(utf16, toEuc).output, euc);
    ConversionRequest toUtf16;
    toUtf16.from = SCS_EUC;
    toUtf16.to = TextForm(SCS_UTF16BE, true);
    EXPECT_EQ(convertText(euc, toUtf16).output, utf16);
    // Shift_JIS lacks 丂 and UTF-16 has no room for the emoji's "?" problem: it holds it.
    ConversionRequest toSjis;
    toSjis.to = SCS_SHIFTJIS;
    const ConversionResult lacking = convertText(utf16, toSjis);
    EXPECT_EQ(lacking.status, ConversionStatus::Unmappable);
    EXPECT_EQ(lacking.unmappable.character, U'丂');
    ConversionRequest toUtf8;
    toUtf8.to = TextForm(SCS_UTF8, true);
    toUtf8.toBreak = SLB_CRLF;
    EXPECT_EQ(convertText(utf16, toUtf8).output, "\xEF\xBB\xBFあい丂\r\n"_ba);
}

TEST(RoundTrip, MalformedUnicodeBecomesTheReplacementCharacter) {
    // A lone surrogate and an odd last byte in UTF-16; a stray continuation byte in UTF-8.
    const DecodedText utf16 =
        decodeText(QByteArray::fromHex("fffe 00d8 6100 62"), SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(utf16.text, u"\uFFFDa\uFFFD"_s);
    EXPECT_EQ(findUnmappable(utf16.text, SCS_UTF16LE).count, 2);
    // A pair at the very end is whole.
    const DecodedText pairLe =
        decodeText(QByteArray::fromHex("fffe 6100 3dd8 00de"), SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(pairLe.text, u"a😀"_s);
    const DecodedText pairBe =
        decodeText(QByteArray::fromHex("feff 0061 d83d de00"), SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(pairBe.text, u"a😀"_s);
    const DecodedText utf8 = decodeText("a\x80z", SCS_UTF8, SLB_UNKNOWN);
    EXPECT_EQ(utf8.text, u"a\uFFFDz"_s);
    // Lossy: each such character is one "?".
    ConversionRequest lossy;
    lossy.from = SCS_UTF8;
    lossy.to = SCS_UTF16LE;
    lossy.lossy = true;
    const ConversionResult written = convertText("a\x80z", lossy);
    EXPECT_EQ(written.unmappable.count, 1);
    EXPECT_EQ(written.output, QByteArray("a\0?\0z\0", 6));
}
