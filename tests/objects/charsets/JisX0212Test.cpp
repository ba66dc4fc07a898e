#include "orvenly/StringConversion.h"
#include "orvenly/TextConversion.h"
#include "orvenly/Transcoding.h"

#include <gtest/gtest.h>

#include <QFile>
#include <map>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// Python's euc_jp codec's reading of every JIS X 0212 code: "B0A1 4E02".
std::map<uint16_t, char16_t> oracle() {
    std::map<uint16_t, char16_t> codes;
    QFile file(PENLARK_SOURCE_DIR "/tests/objects/data/jisx0212-oracle.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        codes[static_cast<uint16_t>(fields[0].toUInt(nullptr, 16))] =
            static_cast<char16_t>(fields[1].toUInt(nullptr, 16));
    }
    return codes;
}

QByteArray euc(uint16_t code) {
    const char bytes[] = {'\x8F', static_cast<char>(code >> 8), static_cast<char>(code)};
    return QByteArray(bytes, 3);
}

} // namespace

TEST(JisX0212, EveryCodeReadsAsTheOracleSaysAndIsWrittenBack) {
    const std::map<uint16_t, char16_t> codes = oracle();
    ASSERT_EQ(codes.size(), 6067u);
    int twoByteForms = 0;
    for (const auto& [code, expected] : codes) {
        const QString text = decodeText(euc(code), SCS_EUC, SLB_UNKNOWN).text;
        ASSERT_EQ(text.size(), 1) << std::hex << code;
        // TILDE: the oracle gives ASCII's own, the tables the full-width tilde.
        EXPECT_EQ(text[0].unicode(), code == 0xA2B7 ? u'～' : expected) << std::hex << code;
        const QByteArray written = encodeText(text, SCS_EUC, SLB_UNKNOWN, false);
        if (written.size() == 2) {
            ++twoByteForms; // the character has a JIS X 0208 code as well, which wins
        } else {
            EXPECT_EQ(written, euc(code)) << std::hex << code;
        }
    }
    EXPECT_EQ(twoByteForms, 2); // ～ and №
    // A code without a character is no character; the other bytes after 0x8F are read as
    // EucToUnicode reads them.
    EXPECT_EQ(decodeText(QByteArray::fromHex("8fa2a1"), SCS_EUC, SLB_UNKNOWN).text, u"\uFFFD"_s);
    EXPECT_EQ(decodeText(QByteArray::fromHex("8fb00a"), SCS_EUC, SLB_CRLF).text,
              StringConversion::instance().EucToUnicode(QByteArray::fromHex("8fb00a")));
}

TEST(JisX0212, TheDocumentRoadReadsAndWritesThemTheLibraryCallsDoNot) {
    const QByteArray bytes = QByteArray::fromHex("8fb0a1 0a 8fd4e3");
    const DecodedText read = decodeText(bytes, SCS_UNKNOWN, SLB_UNKNOWN);
    // 0x8F is a Shift_JIS byte to AnalyzingCharset, but the bytes are no code page 932 text.
    EXPECT_EQ(read.form, TextForm(SCS_EUC));
    const DecodedText euc = decodeText(bytes, SCS_EUC, SLB_UNKNOWN);
    EXPECT_EQ(euc.text, u"丂\r\n纊"_s);
    EXPECT_EQ(euc.breakCode, SLB_LF);
    EXPECT_EQ(encodeText(euc.text, SCS_EUC, SLB_LF, false), bytes);
    // EucToUnicode and UnicodeToEuc keep their two-byte reading.
    EXPECT_NE(StringConversion::instance().EucToUnicode(bytes), euc.text);
    EXPECT_EQ(StringConversion::instance().UnicodeToEuc(u"丂"_s), QByteArray("?"));
    // 纊 is IBM kanji FA 5C in Shift_JIS; 丂 has no place there. JIS has both after
    // ESC $ ( D.
    EXPECT_EQ(findUnmappable(euc.text, SCS_SHIFTJIS).character, U'丂');
    EXPECT_EQ(findUnmappable(euc.text, SCS_JIS).count, 0);
    EXPECT_EQ(findUnmappable(euc.text, SCS_EUC).count, 0);
}

TEST(JisX0212, DirectConversionsAndLineBreaksKnowThreeByteCodes) {
    // 8F B0 A1 before LF is one character: the LF is a break (a pair would take it), and it
    // stays so across the edge of a piece and of a block.
    for (const qsizetype before : {qsizetype{0}, qsizetype{61}, TranscodingPiece - 2,
                                   TranscodingPiece - 1, TranscodingPiece}) {
        const QByteArray input = QByteArray(before, 'a') + QByteArray::fromHex("8fb0a10a a4a2 0a");
        EXPECT_EQ(countLineBreaks(input, SCS_EUC).lf, 2) << before;
        EXPECT_EQ(transcode(input, SCS_EUC, SCS_EUC, SLB_CRLF),
                  QByteArray(before, 'a') + QByteArray::fromHex("8fb0a10d0a a4a2 0d0a"))
            << before;
        TranscodeFindings found;
        EXPECT_TRUE(transcode(
            input, SCS_EUC, SCS_SHIFTJIS, SLB_LF, [](QByteArrayView) { return true; }, &found));
        EXPECT_TRUE(found.lost) << before; // 丂 in Shift_JIS
    }
    // Three-byte codes all through a long text, in blocks and pieces of every kind: EUC-JP
    // to itself gives the same bytes.
    QByteArray text;
    for (int line = 0; line < 20000; ++line) {
        text += QByteArray("x").repeated(line % 70) + QByteArray::fromHex("a4a2 8fb0a1 b0a1") +
                QByteArray::fromHex("8fd4e3").repeated(line % 3) + "\n";
    }
    EXPECT_EQ(countLineBreaks(text, SCS_EUC).lf, 20000);
    EXPECT_TRUE(transcode(text, SCS_EUC, SCS_EUC, SLB_LF) == text);
    // IBM kanji FA 5C goes to EUC-JP as its JIS X 0212 code and comes back.
    EXPECT_EQ(transcode(QByteArray::fromHex("fa5c"), SCS_SHIFTJIS, SCS_EUC, SLB_LF),
              QByteArray::fromHex("8fd4e3"));
    EXPECT_EQ(transcode(QByteArray::fromHex("8fd4e3"), SCS_EUC, SCS_SHIFTJIS, SLB_LF),
              QByteArray::fromHex("fa5c"));
    // A lead byte left open before a three-byte code loses its trail byte, on both roads.
    const QByteArray open = QByteArray::fromHex("a1 8fb0a1");
    EXPECT_EQ(transcode(open, SCS_EUC, SCS_EUC, SLB_LF),
              encodeText(decodeText(open, SCS_EUC, SLB_CRLF).text, SCS_EUC, SLB_LF, false));
}
