#include "orvenly/Transcoding.h"

#include "orvenly/AutomationError.h"
#include "orvenly/StringConversion.h"
#include "orvenly/TextConversion.h"
#include "orvenly/Unmappable.h"

#include <platform/Cp932.h>

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <string>
#include <utility>

using namespace orvenly;

namespace {

using Direction = std::pair<StringCharsetTypeConstants, StringCharsetTypeConstants>;
// The conversions transcode makes.
constexpr std::array<Direction, 7> Directions = {{{SCS_SHIFTJIS, SCS_SHIFTJIS},
                                                  {SCS_SHIFTJIS, SCS_EUC},
                                                  {SCS_EUC, SCS_SHIFTJIS},
                                                  {SCS_EUC, SCS_EUC},
                                                  {SCS_SHIFTJIS, SCS_UTF8},
                                                  {SCS_UTF8, SCS_SHIFTJIS},
                                                  {SCS_UTF8, SCS_EUC}}};
constexpr std::array<StringLineBreakCodeConstants, 3> BreakCodes = {SLB_CRLF, SLB_CR, SLB_LF};

const StringConversion& conv() {
    return StringConversion::instance();
}

// The road through the text, EUC-JP in full: the line breaks as they are.
QString decode(const QByteArray& bytes, StringCharsetTypeConstants charset) {
    return decodeText(bytes, charset, SLB_CRLF).text;
}

// What the target cannot hold is written as "?".
QByteArray encode(const QString& text, StringCharsetTypeConstants charset) {
    return encodeText(replaceUnmappable(text, charset), charset, SLB_CRLF, false);
}

LineBreakCounts countBreaks(const QString& text) {
    LineBreakCounts counts;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++counts.crLf;
            ++i;
        } else if (text[i] == u'\r') {
            ++counts.cr;
        } else if (text[i] == u'\n') {
            ++counts.lf;
        }
    }
    return counts;
}

// Where two byte strings first differ, with the bytes around it.
std::string difference(const QByteArray& actual, const QByteArray& expected) {
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    const qsizetype from = std::max<qsizetype>(0, at - 8);
    return "at " + std::to_string(at) + ": " + actual.mid(from, 16).toHex(' ').toStdString() +
           " instead of " + expected.mid(from, 16).toHex(' ').toStdString();
}

QByteArray withBreaks(QByteArray bytes, StringLineBreakCodeConstants code) {
    setLineBreaks(bytes, code);
    return bytes;
}

// Compares the direct conversion with the road through UTF-16 as the editor takes it:
// decode, ConvertBreakCode, encode, and the CR LF breaks written in each code; what it says
// was lost, with what findUnmappable finds in the text.
void expectSameAsThroughUtf16(const QByteArray& input, StringCharsetTypeConstants from,
                              StringCharsetTypeConstants to) {
    SCOPED_TRACE(testing::Message() << from << " -> " << to << ": "
                                    << (input.size() < 400 ? input.toHex(' ') : "(long)").data());
    QString text = decode(input, from);
    const LineBreakCounts expectedCounts = countBreaks(text);
    const StringLineBreakCodeConstants found = conv().ConvertBreakCode(text);
    const QByteArray crLfOutput = encode(text, to);
    const bool expectedLost = findUnmappable(text, to).count > 0;

    const LineBreakCounts counts = countLineBreaks(input, from);
    ASSERT_EQ(counts.dominant(), found);
    ASSERT_EQ(counts.crLf, expectedCounts.crLf);
    ASSERT_EQ(counts.cr, expectedCounts.cr);
    ASSERT_EQ(counts.lf, expectedCounts.lf);
    for (const StringLineBreakCodeConstants code : BreakCodes) {
        QByteArray expected = crLfOutput;
        if (code != SLB_CRLF) {
            expected.replace("\r\n", code == SLB_CR ? "\r" : "\n");
        }
        QByteArray actual;
        TranscodeFindings findings;
        ASSERT_TRUE(transcode(
            input, from, to, code,
            [&actual](QByteArrayView piece) {
                actual += piece;
                return true;
            },
            &findings));
        ASSERT_TRUE(actual == expected) << "code " << code << " " << difference(actual, expected);
        ASSERT_EQ(findings.lost, expectedLost) << "code " << code;
    }
}

// Bytes that decide how either charset reads what follows, with control codes and breaks.
constexpr std::array<uint8_t, 32> Telling = {
    0x00, 0x09, 0x0A, 0x0D, 0x1F, 0x20, 0x3F, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x82, 0x8E, 0x8F,
    0x9F, 0xA0, 0xA1, 0xA4, 0xB1, 0xDE, 0xDF, 0xE0, 0xEA, 0xF0, 0xFA, 0xFC, 0xFD, 0xFE, 0xFF, 0x41};

QByteArray randomBytes(QRandomGenerator& random, qsizetype length) {
    QByteArray bytes;
    while (bytes.size() < length) {
        switch (random.bounded(5)) {
        case 0: // any byte
            bytes += static_cast<char>(random.bounded(256));
            break;
        case 1:
            bytes += static_cast<char>(Telling[random.bounded(int(Telling.size()))]);
            break;
        case 2: { // a run of text long enough for the sixteen-byte copies, breaks and all
            const char* pieces[] = {"line", "\r\n", "\r", "\n",
                                    "\t",   " ",    "x",  std::string_view("\0", 1).data()};
            for (int k = random.bounded(40); k > 0; --k) {
                const int piece = random.bounded(8);
                bytes.append(pieces[piece], piece == 7 ? 1 : qsizetype(std::strlen(pieces[piece])));
            }
            break;
        }
        case 3: // well-formed characters of either charset
            bytes += static_cast<char>(0xA1 + random.bounded(0x5E));
            bytes += static_cast<char>(0xA1 + random.bounded(0x5E));
            break;
        default: { // a well-formed UTF-8 sequence
            const auto c = static_cast<char32_t>(random.bounded(0x80, 0x110000));
            if (c < 0xD800 || c > 0xDFFF) {
                bytes += QString::fromUcs4(&c, 1).toUtf8();
            }
            break;
        }
        }
    }
    return bytes;
}

} // namespace

TEST(Transcoding, EverySingleByteAndPairAsThroughUtf16) {
    for (const auto& [from, to] : Directions) {
        expectSameAsThroughUtf16(QByteArray(), from, to);
        for (int b = 0; b < 256; ++b) {
            expectSameAsThroughUtf16(QByteArray(1, static_cast<char>(b)), from, to);
        }
        for (int code = 0; code < 0x10000; ++code) {
            const char pair[] = {static_cast<char>(code >> 8), static_cast<char>(code)};
            expectSameAsThroughUtf16(QByteArray(pair, 2), from, to);
        }
    }
}

TEST(Transcoding, EveryPairInRunningTextAsThroughUtf16) {
    // All pairs one after the other, so that each is read in the step the bytes before it
    // leave; shifted by one byte, the other way round too.
    QByteArray pairs;
    for (int code = 0; code < 0x10000; ++code) {
        pairs += static_cast<char>(code >> 8);
        pairs += static_cast<char>(code);
    }
    for (const QByteArray& input : {pairs, "a" + pairs}) {
        for (const auto& [from, to] : Directions) {
            expectSameAsThroughUtf16(input, from, to);
        }
    }
}

TEST(Transcoding, RandomBytesAsThroughUtf16) {
    QRandomGenerator random(20240601);
    for (int round = 0; round < 6000; ++round) {
        const QByteArray input = randomBytes(random, random.bounded(round < 4000 ? 12 : 300));
        for (const auto& [from, to] : Directions) {
            expectSameAsThroughUtf16(input, from, to);
        }
    }
}

TEST(Transcoding, PiecesJoinSeamlessly) {
    // Whatever falls on the edge of a piece: a CR LF, a pair of either charset, a lead byte
    // left open, a NUL, a three-byte EUC-JP code, UTF-8 sequences whole and broken.
    const QByteArray tails[] = {"\r\n",
                                "\r\r\n",
                                QByteArray::fromHex("a4a20d0a"),
                                QByteArray::fromHex("82a0"),
                                QByteArray::fromHex("a00a0d0a"),
                                QByteArray::fromHex("8e0d0a"),
                                QByteArray("\0\n", 2),
                                QByteArray::fromHex("8fb0a10a"),
                                QByteArray::fromHex("e38182f09f9880"),
                                QByteArray::fromHex("e381e381820a")};
    for (qsizetype before = TranscodingPiece - 2; before <= TranscodingPiece + 1; ++before) {
        for (const QByteArray& tail : tails) {
            const QByteArray input = QByteArray(before, 'a') + tail + "\nb\r";
            for (const auto& [from, to] : Directions) {
                expectSameAsThroughUtf16(input, from, to);
            }
        }
    }
    QRandomGenerator random(77);
    for (int round = 0; round < 2; ++round) {
        const QByteArray input = randomBytes(random, 3 * TranscodingPiece);
        for (const auto& [from, to] : Directions) {
            expectSameAsThroughUtf16(input, from, to);
        }
    }
}

TEST(Transcoding, WriterGetsPiecesAndMayStop) {
    const QByteArray input = QByteArray(2 * TranscodingPiece + 5, 'x');
    int pieces = 0;
    QByteArray output;
    EXPECT_TRUE(transcode(input, SCS_SHIFTJIS, SCS_EUC, SLB_LF, [&](QByteArrayView piece) {
        ++pieces;
        output += piece;
        return true;
    }));
    EXPECT_EQ(pieces, 3);
    EXPECT_EQ(output, input);
    pieces = 0;
    EXPECT_FALSE(transcode(input, SCS_EUC, SCS_EUC, SLB_LF, [&](QByteArrayView) {
        ++pieces;
        return false;
    }));
    EXPECT_EQ(pieces, 1);
}

TEST(Transcoding, KnownConversions) {
    // あ東京 LF ｱ: the two forms of each other.
    const QByteArray sjis = QByteArray::fromHex("82a0938c8b9e0a b1");
    const QByteArray euc = QByteArray::fromHex("a4a2c5ecb5fe0a 8eb1");
    EXPECT_EQ(transcode(sjis, SCS_SHIFTJIS, SCS_EUC, SLB_LF), euc);
    EXPECT_EQ(transcode(euc, SCS_EUC, SCS_SHIFTJIS, SLB_LF), sjis);
    EXPECT_EQ(transcode(euc, SCS_EUC, SCS_EUC, SLB_LF), euc);
    EXPECT_EQ(transcode(sjis, SCS_SHIFTJIS, SCS_SHIFTJIS, SLB_CRLF),
              QByteArray::fromHex("82a0938c8b9e0d0a b1"));
    // A high byte before LF takes the LF along (A4 0A reads as ｈ, 82 88); NUL becomes "?".
    const QByteArray taken = QByteArray::fromHex("61a40a00");
    EXPECT_EQ(transcode(taken, SCS_EUC, SCS_SHIFTJIS, SLB_CRLF), QByteArray::fromHex("61 8288 3f"));
    EXPECT_EQ(countLineBreaks(taken, SCS_EUC).dominant(), SLB_UNKNOWN);
    EXPECT_EQ(countLineBreaks(taken, SCS_SHIFTJIS).dominant(), SLB_LF);
    // A Shift_JIS lead byte before a byte that cannot follow it: one "?", and the byte stays.
    EXPECT_EQ(transcode(QByteArray::fromHex("81 0d0a 81"), SCS_SHIFTJIS, SCS_EUC, SLB_CR),
              QByteArray::fromHex("3f 0d 3f"));
}

TEST(Transcoding, OtherCharsetsAreRefused) {
    EXPECT_THROW(transcode("a", SCS_JIS, SCS_EUC, SLB_LF), AutomationError);
    EXPECT_THROW(transcode("a", SCS_EUC, SCS_UNKNOWN, SLB_LF), AutomationError);
    EXPECT_THROW(transcode("a", SCS_EUC, SCS_UTF8, SLB_LF), AutomationError);
    EXPECT_THROW(transcode("a", SCS_UTF8, SCS_UTF8, SLB_LF), AutomationError);
    EXPECT_THROW(transcode("a", SCS_EUC, SCS_EUC, SLB_UNKNOWN), AutomationError);
    EXPECT_THROW(countLineBreaks("a", SCS_OCTETSTREAM), AutomationError);
}

TEST(LineBreaks, SetLineBreaksWritesEveryBreakInOneCode) {
    const QByteArray mixed("a\r\nb\rc\nd\n\re\r\r\n");
    EXPECT_EQ(withBreaks(mixed, SLB_CRLF), QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n"));
    EXPECT_EQ(withBreaks(mixed, SLB_CR), QByteArray("a\rb\rc\rd\r\re\r\r"));
    EXPECT_EQ(withBreaks(mixed, SLB_LF), QByteArray("a\nb\nc\nd\n\ne\n\n"));
    EXPECT_EQ(withBreaks(QByteArray(), SLB_LF), QByteArray());
    EXPECT_EQ(withBreaks("no break", SLB_CRLF), QByteArray("no break"));
    // Past the sixteen-byte steps of the search.
    const QByteArray longLine = QByteArray(37, 'x') + "\r\n" + QByteArray(20, 'y') + "\n";
    EXPECT_EQ(withBreaks(longLine, SLB_CR),
              QByteArray(37, 'x') + "\r" + QByteArray(20, 'y') + "\r");
    QByteArray bytes = "a\nb";
    EXPECT_THROW(setLineBreaks(bytes, SLB_UNKNOWN), AutomationError);
}

TEST(LineBreaks, CountsOfEucJpSkipBreaksTakenByPairs) {
    // The run of high bytes before each LF decides: odd, and its last byte takes the LF.
    const QByteArray runs = QByteArray::fromHex("a4a20a a40a 41a4a2a40a") + QByteArray(40, '\xA4') +
                            "\n" + QByteArray(41, '\xA4') + "\n";
    const LineBreakCounts counts = countLineBreaks(runs, SCS_EUC);
    EXPECT_EQ(counts.lf, 2);
    EXPECT_EQ(countLineBreaks(runs, SCS_SHIFTJIS).lf, 5);
    EXPECT_EQ(countLineBreaks(QByteArray("\r\n\r\r\n\n"), SCS_EUC).crLf, 2);
}

// Input that ends right where the memory does: a block whose last byte leads a pair ends the
// block's copying past it, with nothing left to copy and nothing to be read.
TEST(Transcoding, InputEndingAtTheEdgeOfMemoryIsReadWithinIt) {
    const QByteArray input = QByteArray::fromBase64(
        "+uPj4+Pj4+Pj4+O2tra2tra2tra2tra2Nra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2"
        "tra2tra2tra2trbjDQo=");
    const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    auto* memory = static_cast<char*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(memory, MAP_FAILED);
    ASSERT_EQ(mprotect(memory + page, page, PROT_NONE), 0);
    char* const start = memory + page - input.size();
    std::copy(input.begin(), input.end(), start);
    const QByteArrayView edge(start, input.size());
    EXPECT_EQ(transcode(edge, SCS_EUC, SCS_SHIFTJIS, SLB_CRLF),
              transcode(input, SCS_EUC, SCS_SHIFTJIS, SLB_CRLF));
    munmap(memory, 2 * page);
}
