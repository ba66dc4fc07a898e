#include "orvenly/Strings.h"
#include "orvenly/AutomationError.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <limits>

using orvenly::Currency;
using orvenly::Strings;

namespace {

const Strings& strings() {
    return Strings::instance();
}

QStringList parse(const QString& commandLine) {
    QStringList result;
    for (const QString& argument : strings().ParseCommandLine(commandLine))
        result << argument;
    return result;
}

struct DividedPath {
    QString directory, title, extension;
    bool operator==(const DividedPath&) const = default;
};

DividedPath divide(const QString& path, const QString& separator = QStringLiteral("\\")) {
    DividedPath parts{u"stale"_qs, u"stale"_qs, u"stale"_qs};
    strings().DivideFileName(path, parts.directory, parts.title, parts.extension, separator);
    return parts;
}

Currency bytes(int64_t count) {
    return Currency{count * 10000};
}

} // namespace

TEST(ParseCommandLine, QuotingAndBackslashRules) {
    EXPECT_EQ(parse(uR"(a "b c" d)"_qs), (QStringList{u"a"_qs, u"b c"_qs, u"d"_qs}));
    EXPECT_EQ(parse(uR"("C:\Program Files\x.txt")"_qs),
              QStringList{uR"(C:\Program Files\x.txt)"_qs});
    EXPECT_EQ(parse(uR"("a\"b")"_qs), QStringList{uR"(a"b)"_qs});
    EXPECT_EQ(parse(uR"("C:\dir\\")"_qs), QStringList{uR"(C:\dir\)"_qs});
    EXPECT_EQ(parse(uR"(\\\\"x y")"_qs), QStringList{uR"(\\x y)"_qs});
    EXPECT_EQ(parse(uR"(ab"c d"e)"_qs), QStringList{u"abc de"_qs});
    // Three backslashes before a quote: one literal backslash, then a literal quote.
    EXPECT_EQ(parse(uR"(a\\\"b c)"_qs), (QStringList{uR"(a\"b)"_qs, u"c"_qs}));
    // A backslash run at the very end is literal.
    EXPECT_EQ(parse(uR"(dir\\)"_qs), QStringList{uR"(dir\\)"_qs});
}

TEST(ParseCommandLine, NeverYieldsEmptyArguments) {
    EXPECT_EQ(parse(u"\"\""_qs), QStringList());
    EXPECT_EQ(parse(u"a \"\" b"_qs), (QStringList{u"a"_qs, u"b"_qs}));
    EXPECT_EQ(parse(QString()), QStringList());
    EXPECT_EQ(parse(u"    "_qs), QStringList());
    EXPECT_EQ(strings().ParseCommandLine(u"   "_qs).Count(), 0);
}

TEST(ParseCommandLine, SeparatorsAndUnclosedQuotes) {
    EXPECT_EQ(parse(u"a\tb\vc\fd\re\nf"_qs),
              (QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs, u"e"_qs, u"f"_qs}));
    EXPECT_EQ(parse(u"  a \t\r\n  b  "_qs), (QStringList{u"a"_qs, u"b"_qs}));
    // Trailing spaces are trimmed before splitting, so they never reach the open quote.
    EXPECT_EQ(parse(u"\"abc   "_qs), QStringList{u"abc"_qs});
    // Inside an unclosed quote every separator belongs to the last argument.
    EXPECT_EQ(parse(u"x \"a\tb  c"_qs), (QStringList{u"x"_qs, u"a\tb  c"_qs}));
}

TEST(ParseCommandLine, JapanesePathsAndUnkeyedEntries) {
    const auto arguments = strings().ParseCommandLine(u"\"C:\\文書\\メモ 1.txt\" 2.txt"_qs);
    ASSERT_EQ(arguments.Count(), 2);
    EXPECT_EQ(arguments.Item(1), u"C:\\文書\\メモ 1.txt"_qs);
    EXPECT_EQ(arguments.Item(2), u"2.txt"_qs);
    EXPECT_TRUE(arguments.Key(1).isEmpty());
}

TEST(DivideFileName, SplitsAtLastSeparatorAndLastDot) {
    EXPECT_EQ(divide(uR"(C:\dir\name.tar.gz)"_qs),
              (DividedPath{uR"(C:\dir\)"_qs, u"name.tar"_qs, u".gz"_qs}));
    EXPECT_EQ(divide(u"name.txt"_qs), (DividedPath{{}, u"name"_qs, u".txt"_qs}));
    EXPECT_EQ(divide(uR"(C:\dir\README)"_qs), (DividedPath{uR"(C:\dir\)"_qs, u"README"_qs, {}}));
    EXPECT_EQ(divide(u".profile"_qs), (DividedPath{{}, {}, u".profile"_qs}));
    EXPECT_EQ(divide(uR"(C:\a.b\c)"_qs), (DividedPath{uR"(C:\a.b\)"_qs, u"c"_qs, {}}));
    EXPECT_EQ(divide(uR"(C:\dir\)"_qs), (DividedPath{uR"(C:\dir\)"_qs, {}, {}}));
    EXPECT_EQ(divide(QString()), (DividedPath{}));
}

TEST(DivideFileName, OtherSeparators) {
    EXPECT_EQ(divide(u"/home/u/a.txt"_qs, u"/"_qs),
              (DividedPath{u"/home/u/"_qs, u"a"_qs, u".txt"_qs}));
    // A backslash is an ordinary character when another separator is given.
    EXPECT_EQ(divide(uR"(a\b.c)"_qs, u"/"_qs), (DividedPath{{}, uR"(a\b)"_qs, u".c"_qs}));
    // A separator longer than one character stays whole with the folder.
    EXPECT_EQ(divide(u"pkg::mod.x"_qs, u"::"_qs), (DividedPath{u"pkg::"_qs, u"mod"_qs, u".x"_qs}));
    EXPECT_EQ(divide(u"a/b.c"_qs, QString()), (DividedPath{{}, u"a/b"_qs, u".c"_qs}));
}

TEST(FixedHex, CutsAndPads) {
    EXPECT_EQ(strings().FixedHex(255, 4), u"00FF"_qs);
    EXPECT_EQ(strings().FixedHex(0x12345678, 4), u"5678"_qs);
    EXPECT_EQ(strings().FixedHex(0), u"00000000"_qs);
    EXPECT_EQ(strings().FixedHex(0xABCDEF), u"00ABCDEF"_qs);
    EXPECT_EQ(strings().FixedHex(-1), u"FFFFFFFF"_qs);
    EXPECT_EQ(strings().FixedHex(std::numeric_limits<int32_t>::min()), u"80000000"_qs);
    EXPECT_EQ(strings().FixedHex(1, 10), u"0000000001"_qs);
    EXPECT_EQ(strings().FixedHex(-1, 10), u"00FFFFFFFF"_qs);
    EXPECT_EQ(strings().FixedHex(255, 0), QString());
}

TEST(FixedHex, NegativeLengthIsInvalidArgument) {
    try {
        strings().FixedHex(1, -1);
        FAIL() << "no error raised";
    } catch (const orvenly::AutomationError& error) {
        EXPECT_EQ(error.number(), orvenly::errors::InvalidArgument);
    }
}

TEST(TrimString, EndsBeforeFirstSeparatorFromStart) {
    EXPECT_EQ(strings().TrimString(u"abc;"_qs, u";"_qs), u"abc"_qs);
    EXPECT_EQ(strings().TrimString(u"abc"_qs, u";"_qs), u"abc"_qs);
    EXPECT_EQ(strings().TrimString(u"abc"_qs, QString()), u"abc"_qs);
    // The earliest of several separators wins, whatever their order in Separators.
    EXPECT_EQ(strings().TrimString(u"a,b;c"_qs, u";,"_qs), u"a"_qs);
    // Starting beyond the first separator finds only later ones.
    EXPECT_EQ(strings().TrimString(u"ab;cd;ef"_qs, u";"_qs, 4), u"cd"_qs);
    EXPECT_EQ(strings().TrimString(u"ab;cd"_qs, u";"_qs, 3), QString());
    EXPECT_EQ(strings().TrimString(u"abc"_qs, u";"_qs, 0), u"abc"_qs);
    EXPECT_EQ(strings().TrimString(u"abc"_qs, u";"_qs, -5), u"abc"_qs);
    EXPECT_EQ(strings().TrimString(u"abc"_qs, u";"_qs, 4), QString());
    EXPECT_EQ(strings().TrimString(u"abc"_qs, u";"_qs, std::numeric_limits<int32_t>::max()),
              QString());
    // Comparison is exact: case differs, so "A" is no separator for "a".
    EXPECT_EQ(strings().TrimString(u"xaxA"_qs, u"A"_qs), u"xax"_qs);
}

TEST(FormatFileSize, UnitsAndPatterns) {
    const auto format = [](int64_t count) { return strings().FormatFileSize(bytes(count)); };
    EXPECT_EQ(format(0), u"0 バイト"_qs);
    EXPECT_EQ(format(999), u"999 バイト"_qs);
    EXPECT_EQ(format(1000), u"1.00KB"_qs);
    EXPECT_EQ(format(12'345), u"12.3KB"_qs);
    EXPECT_EQ(format(123'456), u"123KB"_qs);
    EXPECT_EQ(format(999'999), u"1000KB"_qs);
    EXPECT_EQ(format(1'000'000), u"1.00MB"_qs);
    EXPECT_EQ(format(45'678'901), u"45.7MB"_qs);
    EXPECT_EQ(format(100'000'000), u"100MB"_qs);
    EXPECT_EQ(format(2'500'000'000), u"2.50GB"_qs);
    EXPECT_EQ(format(10'000'000'000), u"10.0GB"_qs);
    EXPECT_EQ(format(999'500'000'000), u"1000GB"_qs);
    EXPECT_EQ(format(1'234'567'890'123), u"1.23TB"_qs);
    EXPECT_EQ(format(50'000'000'000'000), u"50.0TB"_qs);
    EXPECT_EQ(format(500'000'000'000'000), u"500.0TB"_qs);
}

TEST(FormatFileSize, RoundingAndOddValues) {
    // Exact halves round up, even where binary floating point would fall short.
    EXPECT_EQ(strings().FormatFileSize(bytes(1005)), u"1.01KB"_qs);
    EXPECT_EQ(strings().FormatFileSize(bytes(1004)), u"1.00KB"_qs);
    EXPECT_EQ(strings().FormatFileSize(Currency{9995}), u"1 バイト"_qs);
    EXPECT_EQ(strings().FormatFileSize(Currency{4999}), u"0 バイト"_qs);
    // Negative sizes fall into the byte row.
    EXPECT_EQ(strings().FormatFileSize(bytes(-5)), u"-5 バイト"_qs);
    EXPECT_EQ(strings().FormatFileSize(bytes(-123'456)), u"-123456 バイト"_qs);
    EXPECT_EQ(strings().FormatFileSize(Currency{-1}), u"0 バイト"_qs);
    EXPECT_EQ(strings().FormatFileSize(Currency{std::numeric_limits<int64_t>::max()}),
              u"922.3TB"_qs);
    EXPECT_EQ(strings().FormatFileSize(Currency{std::numeric_limits<int64_t>::min()}),
              u"-922337203685478 バイト"_qs);
}
