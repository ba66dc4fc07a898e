#include "orvenly/TextConversion.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <ostream>

using namespace orvenly;
using namespace Qt::StringLiterals;

namespace orvenly {
// A form in a test's message: its charset's number, and the mark.
void PrintTo(const TextForm& form, std::ostream* os) {
    *os << form.charset << (form.byteOrderMark ? " with mark" : "");
}
} // namespace orvenly

namespace {

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits);
}

struct Case {
    const char* what;
    QByteArray bytes;
    TextForm form;
    int32_t limit = RecognitionLimit;
};

} // namespace

TEST(FormRecognition, RulesInTheirOrder) {
    const Case cases[] = {
        // 1. A byte-order mark decides at once, even before bytes that read otherwise.
        {"UTF-8 mark", hex("efbbbf e38182 0d0a"), {SCS_UTF8, true}},
        {"UTF-8 mark alone", hex("efbbbf"), {SCS_UTF8, true}},
        {"UTF-16 LE mark", hex("fffe 4230 0d00 0a00"), {SCS_UTF16LE, true}},
        {"UTF-16 BE mark", hex("feff 3042"), {SCS_UTF16BE, true}},
        {"UTF-16 LE mark before binary", hex("fffe 0000 0100"), {SCS_UTF16LE, true}},
        // 2. UTF-16 without a mark, by its zero bytes.
        {"UTF-16 LE, all ASCII", hex("6100 6200 0d00 0a00"), SCS_UTF16LE},
        {"UTF-16 BE, all ASCII", hex("0061 0062 000a"), SCS_UTF16BE},
        {"UTF-16 LE, one character", hex("6100"), SCS_UTF16LE},
        {"UTF-16 BE, one character", hex("0061"), SCS_UTF16BE},
        {"UTF-16 LE, kana and a break", hex("4230 4430 0d00 0a00"), SCS_UTF16LE},
        {"UTF-16 LE, ideographic space too", hex("0030 4230 0d00 0a00"), SCS_UTF16LE},
        {"UTF-16 LE, surrogate pair", hex("3dd8 01de 0a00"), SCS_UTF16LE},
        {"UTF-16 LE, pair cut by the limit", hex("0a00 3dd8 01de"), SCS_UTF16LE, 3},
        {"UTF-16 LE, lone surrogate", hex("0a00 3dd8 0a00"), SCS_OCTETSTREAM},
        {"UTF-16 LE, a whole file of odd length", hex("6100 62"), SCS_OCTETSTREAM},
        {"zeros on both sides alike", hex("0030 0d00"), SCS_OCTETSTREAM},
        {"binary: NUL characters", hex("6100 0000 6200"), SCS_OCTETSTREAM},
        {"binary: control codes", hex("0100 0200 0300"), SCS_OCTETSTREAM},
        {"kana without a zero byte: no UTF-16", hex("4230"), SCS_UNKNOWN},
        // 3. UTF-8 with a sequence legacy text does not make.
        {"UTF-8 kana", hex("e38182"), SCS_UTF8},
        {"UTF-8 text", QByteArray("漢字とかな\nand ASCII\n"), SCS_UTF8},
        {"UTF-8 emoji", hex("f09f9880"), SCS_UTF8},
        {"UTF-8 capital with accent", hex("434146c389"), SCS_UTF8},
        {"UTF-8 cut by the limit", hex("e38182 e38184"), SCS_UTF8, 4},
        {"UTF-8 cut by the end of the file", hex("e38182 e381"), SCS_SHIFTJIS},
        {"overlong form", hex("c0af e38182"), SCS_SHIFTJIS},
        {"encoded surrogate", hex("eda080 e38182"), SCS_SHIFTJIS},
        {"UTF-8 with a control code", hex("01 e38182"), SCS_OCTETSTREAM},
        // Legacy text that is well-formed UTF-8 by accident stays with the legacy charsets:
        // Shift_JIS half-width katakana ﾃｽ, EUC-JP 天.
        {"Shift_JIS ﾃｽ", hex("c3bd"), SCS_UNKNOWN},
        {"EUC-JP 天 and a break", hex("c5b7 0a"), SCS_UNKNOWN},
        {"UTF-8 with small accents only", QByteArray("caf\xC3\xA9"), SCS_UNKNOWN},
        // 4. The legacy charsets as AnalyzingCharset reads them.
        {"ASCII", QByteArray("plain text\r\n"), SCS_UNKNOWN},
        {"Shift_JIS", hex("82a0 82a2"), SCS_SHIFTJIS},
        {"EUC-JP", hex("c5ec b5fe c5d4"), SCS_EUC},
        {"JIS", QByteArray("\x1B$B$\"\x1B(B"), SCS_JIS},
        {"ESC in UTF-8 text", hex("1b e38182"), SCS_UTF8},
        {"empty", QByteArray(), SCS_UNKNOWN},
        {"negative limit", hex("e38182"), SCS_UNKNOWN, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(recogniseForm(c.bytes, c.limit), c.form) << c.what;
    }
}

TEST(FormRecognition, MalformedUtf8BeyondTheSampleFallsBackToLegacy) {
    // Well-formed in the first RecognitionLimit + 1 bytes, a broken sequence after them.
    const QByteArray start = QByteArray("\xE3\x81\x82").repeated(RecognitionLimit / 3 + 2);
    const QByteArray broken = start + "\x82\xA0";
    EXPECT_EQ(recogniseForm(broken), TextForm(SCS_UTF8));
    const DecodedText read = decodeText(broken, SCS_UNKNOWN, SLB_UNKNOWN);
    EXPECT_EQ(read.form, TextForm(SCS_SHIFTJIS));
    EXPECT_EQ(recogniseText(broken).form, TextForm(SCS_SHIFTJIS));
    EXPECT_EQ(decodeText(start, SCS_UNKNOWN, SLB_UNKNOWN).form, TextForm(SCS_UTF8));
    // Forced to UTF-8, the bytes become U+FFFD, which no save writes without a word.
    const DecodedText forced = decodeText(broken, SCS_UTF8, SLB_UNKNOWN);
    EXPECT_EQ(forced.form, TextForm(SCS_UTF8));
    const Unmappable lost = findUnmappable(forced.text, SCS_UTF8);
    EXPECT_GT(lost.count, 0);
    EXPECT_EQ(lost.character, 0xFFFDu);
    // With a mark the form stays.
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" + broken, SCS_UNKNOWN, SLB_UNKNOWN).form,
              TextForm(SCS_UTF8, true));
}

TEST(FormRecognition, RecognisedTextAndBreaks) {
    EXPECT_EQ(recogniseText(hex("6100 0d00 0a00 6200 0d00 0a00")).breakCode, SLB_CRLF);
    EXPECT_EQ(recogniseText(hex("feff 0061 000d")).breakCode, SLB_CR);
    EXPECT_EQ(recogniseText(hex("e38182 0a")).breakCode, SLB_LF);
    EXPECT_EQ(recogniseText(QByteArray("a\0b", 3)).form, TextForm(SCS_OCTETSTREAM));
    EXPECT_EQ(recogniseText(QByteArray()).breakCode, SLB_UNKNOWN);
}

TEST(FormRecognition, NamesOfTheForms) {
    EXPECT_EQ(TextForm(SCS_UTF8).name(), u"UTF-8"_s);
    EXPECT_EQ(TextForm(SCS_UTF8, true).name(), u"UTF-8 (BOM)"_s);
    EXPECT_EQ(TextForm(SCS_UTF16LE).name(), u"UTF-16 LE"_s);
    EXPECT_EQ(TextForm(SCS_UTF16BE, true).name(), u"UTF-16 BE (BOM)"_s);
    EXPECT_EQ(TextForm(SCS_SHIFTJIS).name(), u"Shift JIS"_s);
    EXPECT_EQ(TextForm(SCS_UNKNOWN).name(), QString());
}

// A manual page as a Unix host writes it, with a bell, overstrikes, a form feed, a terminal's
// escape sequence and an end-of-file mark among its lines.
TEST(FormRecognition, FewControlCodesInTextKeepItText) {
    const QString page =
        u".TH RINGER 1\n.SH 名前\nringer \\- 端末のベル (\a) を鳴らす東京都の道具\n"
        u"強調は「_\bA_\bB」と書かれ、\f\n改ページの後に \x1B[1m太字\x1B[0m が続く。\n"
        u"ー〜ー\n\x1A"_s;
    for (const StringCharsetTypeConstants charset : {SCS_UTF8, SCS_EUC, SCS_SHIFTJIS}) {
        const QByteArray bytes = encodeText(page, charset, SLB_CRLF, false);
        EXPECT_EQ(recogniseForm(bytes), TextForm(charset)) << charset;
        const DecodedText read = decodeText(bytes, SCS_UNKNOWN, SLB_UNKNOWN);
        EXPECT_EQ(read.form, TextForm(charset)) << charset;
        EXPECT_EQ(encodeText(read.text, read.form, read.breakCode, false), bytes) << charset;
    }
    // NUL, other control codes, and text made mostly of controls stay binary data.
    EXPECT_EQ(recogniseForm(QByteArray("text\a with a NUL\0", 17)), TextForm(SCS_OCTETSTREAM));
    EXPECT_EQ(recogniseForm(QByteArray("text\x01")), TextForm(SCS_OCTETSTREAM));
    EXPECT_EQ(recogniseForm(QByteArray("\a\b\a\b\x1B\f\aab")), TextForm(SCS_OCTETSTREAM));
    // A real escape sequence still makes JIS.
    EXPECT_EQ(recogniseForm(QByteArray("\a\x1B$B$\"\x1B(B")), TextForm(SCS_JIS));
}

TEST(FormRecognition, EucJpThatIsNoShiftJisStartingWithSupplementaryKanji) {
    const QString text = u"丂丄丅丌丒丟は補助漢字の行です。\n次の行もふつうの日本語で、\n"
                         u"三行目で終わります。\n"_s;
    const QByteArray euc = encodeText(text, SCS_EUC, SLB_CRLF, false);
    ASSERT_EQ(euc.left(1), "\x8F");
    // AnalyzingCharset keeps its rules: 0x8F is a Shift_JIS lead byte.
    EXPECT_EQ(StringConversion::instance().AnalyzingCharset(euc), SCS_SHIFTJIS);
    EXPECT_EQ(recogniseForm(euc), TextForm(SCS_EUC));
    EXPECT_EQ(decodeText(euc, SCS_UNKNOWN, SLB_UNKNOWN).text,
              QString(text).replace(u"\n"_s, u"\r\n"_s));
    // Shift_JIS that happens to be EUC-JP as well stays Shift_JIS.
    EXPECT_EQ(recogniseForm(hex("8fa1 b0a1 0a")), TextForm(SCS_SHIFTJIS));
}
