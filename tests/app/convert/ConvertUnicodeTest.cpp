#include "ConvertToolSupport.h"

namespace {

// samples().at("utf8") in UTF-16, little-endian or big-endian.
QByteArray utf16(bool bigEndian) {
    QByteArray bytes;
    for (const QChar c : QString::fromUtf8(samples().at("utf8"))) {
        const char unit[] = {static_cast<char>(bigEndian ? c.unicode() >> 8 : c.unicode()),
                             static_cast<char>(bigEndian ? c.unicode() : c.unicode() >> 8)};
        bytes += QByteArray(unit, 2);
    }
    return bytes;
}

// Each output form by its name, with the bytes of the sample in it.
const std::map<std::string, QByteArray>& forms() {
    static const std::map<std::string, QByteArray> all = {
        {"utf8", samples().at("utf8")},
        {"utf8bom", "\xEF\xBB\xBF" + samples().at("utf8")},
        {"utf16le", utf16(false)},
        {"utf16be", utf16(true)},
        {"utf16lebom", "\xFF\xFE" + utf16(false)},
        {"utf16bebom", "\xFE\xFF" + utf16(true)},
    };
    return all;
}

} // namespace

TEST_F(ConvertToolTest, GuessNamesTheUnicodeForms) {
    QStringList files;
    QByteArray expected;
    const std::pair<const char*, const char*> names[] = {
        {"utf8", "UTF-8"},       {"utf8bom", "UTF-8-BOM"},       {"utf16le", "UTF-16LE"},
        {"utf16be", "UTF-16BE"}, {"utf16lebom", "UTF-16LE-BOM"}, {"utf16bebom", "UTF-16BE-BOM"}};
    for (const auto& [form, name] : names) {
        files += file(form, forms().at(form));
        expected += files.back().toUtf8() + ": " + name + " LF\n";
    }
    const Result r = run(QStringList{"--guess"} + files);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, expected);
}

TEST_F(ConvertToolTest, EveryUnicodeFormToAndFromTheJapaneseCharsets) {
    for (const auto& [form, bytes] : forms()) {
        SCOPED_TRACE(form);
        // To the form from each charset, and back, recognised or named.
        for (const char* legacy : {"sjis", "euc", "jis"}) {
            EXPECT_EQ(convert({"-t", form.c_str()}, samples().at(legacy)).out, bytes);
            EXPECT_EQ(convert({"-t", legacy}, bytes).out, samples().at(legacy)) << legacy;
            EXPECT_EQ(convert({"-f", form.c_str(), "-t", legacy}, bytes).out, samples().at(legacy));
        }
        // In its own form it would not change: left alone in place.
        const QString same = file("same.txt", bytes);
        const Result r = run({"--in-place", "-t", form.c_str(), same});
        EXPECT_EQ(r.exitCode, 0);
        QFile f(same);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes);
    }
    // iconv's names, in any case.
    EXPECT_EQ(convert({"-t", "UTF-16LE"}, samples().at("sjis")).out, forms().at("utf16le"));
    EXPECT_EQ(convert({"-t", "utf-8-bom"}, samples().at("euc")).out, forms().at("utf8bom"));
}

TEST_F(ConvertToolTest, EucJpThreeByteCodesInBothDirections) {
    // 丂 and あ, a break.
    const QByteArray euc = bytes({0x8F, 0xB0, 0xA1, 0xA4, 0xA2, 0x0A});
    const QByteArray utf8("\xE4\xB8\x82\xE3\x81\x82\n");
    EXPECT_EQ(convert({"-f", "euc"}, euc).out, utf8);
    EXPECT_EQ(convert({"-t", "euc"}, utf8).out, euc);
    EXPECT_EQ(convert({"-f", "euc", "-t", "euc"}, euc).out, euc);
    const Result sjis = convert({"-f", "euc", "-t", "sjis"}, euc);
    EXPECT_EQ(sjis.exitCode, 1);
    EXPECT_TRUE(
        sjis.err.contains("1 character that Shift_JIS cannot hold, the first at line 1 (U+4E02)"))
        << sjis.err.data();
    // The IBM kanji FA 5C of Shift_JIS is 8F D4 E3 in EUC-JP.
    EXPECT_EQ(convert({"-f", "sjis", "-t", "euc"}, bytes({0xFA, 0x5C})).out,
              bytes({0x8F, 0xD4, 0xE3}));
}
