#include "orvenly/TextConversion.h"
#include "orvenly/Unmappable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <map>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// iconv's encoding of every scalar value, from scripts/generate-encoder-oracle: for each
// charset the bytes of each value it encodes (empty where it writes nothing).
using Codes = std::map<char32_t, QByteArray>;

std::map<QByteArray, Codes> loadOracle() {
    std::map<QByteArray, Codes> charsets;
    QFile file(PENLARK_SOURCE_DIR "/tests/objects/data/encoder-oracle.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    Codes* codes = nullptr;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('[')) {
            codes = &charsets[line.mid(1, line.size() - 2)];
            continue;
        }
        const QList<QByteArray> fields = line.split(' ');
        const char32_t block = fields[0].toUInt(nullptr, 16);
        for (qsizetype k = 1; k < fields.size(); ++k) {
            if (fields[k] != ".") {
                (*codes)[block + char32_t(k - 1)] =
                    fields[k] == "-" ? QByteArray() : QByteArray::fromHex(fields[k]);
            }
        }
    }
    return charsets;
}

// Built by hand: fromUcs4 would drop U+FEFF as a byte-order mark.
QString character(char32_t c) {
    if (QChar::requiresSurrogates(c))
        return QString(QChar(QChar::highSurrogate(c))) + QChar(QChar::lowSurrogate(c));
    return QString(QChar(char16_t(c)));
}

// Where our EUC-JP departs from EUC-JP-MS on purpose, and why; empty when it does not.
const char* eucDeparture(char32_t c, const QByteArray& iconv) {
    if (c >= 0x80 && c <= 0x9F)
        return "EUC-JP-MS's C1 controls as single bytes, which our EUC-JP reads as a pair's first";
    if (c >= 0xE000 && c <= 0xF8FF && iconv.size() >= 2 && uint8_t(iconv[iconv.size() - 2]) >= 0xF5)
        return "EUC-JP-MS's user-defined rows F5-FE, which our EUC-JP reads as U+FFFD";
    if (iconv.size() == 3 && uint8_t(iconv[1]) >= 0xF3)
        return "EUC-JP-MS's IBM extension rows 8F F3-F4, which our EUC-JP reads as U+FFFD";
    return nullptr;
}

} // namespace

// Every scalar value that iconv's CP932 and EUC-JP-MS encode is encoded to the same bytes,
// but for the departures named below; what ours writes as "?" is exactly what
// findUnmappable counts.
TEST(EncoderOracle, EveryScalarValueAsIconvWritesIt) {
    std::map<QByteArray, Codes> oracle = loadOracle();
    ASSERT_EQ(oracle.size(), 2u);
    const Codes& cp932 = oracle["CP932"];
    const Codes& eucJpMs = oracle["EUC-JP-MS"];
    ASSERT_GT(cp932.size(), 9000u);
    ASSERT_GT(eucJpMs.size(), 15000u);
    for (char32_t c = 0; c < 0x110000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString text = character(c);
        for (const StringCharsetTypeConstants charset : {SCS_SHIFTJIS, SCS_EUC}) {
            const Codes& codes = charset == SCS_SHIFTJIS ? cp932 : eucJpMs;
            const auto found = codes.find(c);
            const QByteArray ours = encodeText(text, charset, SLB_CRLF, false);
            const bool lost = ours == "?" && c != u'?';
            ASSERT_EQ(findUnmappable(text, charset).count, lost ? 1 : 0)
                << charset << " U+" << std::hex << uint32_t(c);
            // What iconv refuses, ours writes as "?".
            const QByteArray iconv = found == codes.end() ? "?"_ba : found->second;
            if (iconv == ours)
                continue;
            const char* why = nullptr;
            if (c >= 0xE0000 && c <= 0xE007F && iconv.isEmpty())
                why = "iconv drops the tag characters without a word; we count them lost";
            else if (charset == SCS_SHIFTJIS && (c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3)))
                why = "Windows' single bytes 80, A0, FD-FF, which our code page 932 reads";
            else if (charset == SCS_EUC)
                why = eucDeparture(c, iconv);
            ASSERT_NE(why, nullptr)
                << charset << " U+" << std::hex << uint32_t(c) << ": iconv "
                << iconv.toHex().constData() << ", ours " << ours.toHex().constData();
        }
    }
}

// The characters Unix tools write one way take the codes iconv gives them in all three
// Japanese charsets, and read back as their look-alikes.
TEST(EncoderOracle, LookAlikesInEveryJapaneseCharset) {
    const QString text = u"10〜20 ‖ − ¢ £ ¬ — ¥ ‾"_s;
    const QByteArray sjis = encodeText(text, SCS_SHIFTJIS, SLB_CRLF, false);
    EXPECT_EQ(sjis.toHex(' '), "31 30 81 60 32 30 20 81 61 20 81 7c 20 81 91 20 81 92 20 81 ca 20 "
                               "81 5c 20 5c 20 7e");
    const QByteArray euc = encodeText(text, SCS_EUC, SLB_CRLF, false);
    EXPECT_EQ(euc.toHex(' '), "31 30 a1 c1 32 30 20 a1 c2 20 a1 dd 20 a1 f1 20 a1 f2 20 a2 cc 20 "
                              "a1 bd 20 5c 20 7e");
    EXPECT_EQ(encodeText(u"〜−"_s, SCS_JIS, SLB_CRLF, false), "\x1B$B!A!]");
    EXPECT_EQ(decodeText(sjis, SCS_SHIFTJIS, SLB_CRLF).text, u"10～20 ∥ － ￠ ￡ ￢ ― \\ ~"_s);
    for (const StringCharsetTypeConstants charset : {SCS_SHIFTJIS, SCS_EUC, SCS_JIS})
        EXPECT_EQ(findUnmappable(text, charset).count, 0) << charset;
}
