#include "common/Resource.h"

#include <gtest/gtest.h>

#include <QStringList>

using orvenly::Variant;
using penlark::FormatResString;
using penlark::FormatString;
using penlark::LoadResString;

namespace {

const QString Patterns = u"*.txt;*.bat;*.inf;*.ini;*.log;*.htm;*.html;*.xml;*.css;*.xsl;*.js;"
                         u"*.vbs;*.tcl"_qs;

} // namespace

TEST(StringTable, EntriesHoldTheirExactTexts) {
    EXPECT_EQ(LoadResString(250), u"ファイル '%1' を開けません。\n\n"
                                  u"ファイルが他のプロセスにおいて使用中であるか、"
                                  u"存在しない可能性があります。"_qs);
    EXPECT_EQ(LoadResString(251),
              u"ファイル '%1' を開けません。\n\n"
              u"ファイルサイズが大きすぎるため、このエディタでは開けません。"_qs);
    EXPECT_EQ(LoadResString(252),
              u"ファイル '%1' に保存できません。\n\n"
              u"ファイルが他のプロセスにおいて使用中であるか、読取専用であるか、\n"
              u"ファイルに対する書き込み権限がない可能性があります。"_qs);
    EXPECT_EQ(LoadResString(1000),
              u"ドキュメント: '%1' は変更されています。\n\n\u3000変更を保存しますか？"_qs);
    EXPECT_EQ(LoadResString(5000), u"テキストファイル [文字セット自動判別]%1"_qs + Patterns +
                                       u"%1テキストファイル%1"_qs + Patterns +
                                       u"%1全てのファイル%1*.*%1%1"_qs);
    EXPECT_EQ(LoadResString(5001), u"テキストファイル [現在の文字セット]%1"_qs + Patterns +
                                       u"%1テキストファイル%1"_qs + Patterns +
                                       u"%1全てのファイル%1*.*%1%1"_qs);
    EXPECT_EQ(LoadResString(5002),
              u"テキストファイル%1"_qs + Patterns + u"%1全てのファイル%1*.*%1%1"_qs);
}

TEST(StringTable, MissingEntryIsEmpty) {
    EXPECT_TRUE(LoadResString(0).isEmpty());
    EXPECT_TRUE(LoadResString(253).isEmpty());
    EXPECT_TRUE(LoadResString(-1).isEmpty());
    EXPECT_TRUE(FormatResString(999, {u"x"_qs}).isEmpty());
}

TEST(FormatResString, FillsTheFileName) {
    EXPECT_EQ(FormatResString(1000, {u"C:\\文書\\メモ.txt"_qs}),
              u"ドキュメント: 'C:\\文書\\メモ.txt' は変更されています。\n\n"
              u"\u3000変更を保存しますか？"_qs);
    // The separator of a filter list fills every placeholder.
    const QStringList filter = FormatResString(5002, {u"|"_qs}).split(u'|');
    EXPECT_EQ(
        filter,
        (QStringList{u"テキストファイル"_qs, Patterns, u"全てのファイル"_qs, u"*.*"_qs, {}, {}}));
}

TEST(FormatResString, MissingOrUnconvertibleArgumentsInsertNothing) {
    EXPECT_EQ(FormatResString(251),
              u"ファイル '' を開けません。\n\n"
              u"ファイルサイズが大きすぎるため、このエディタでは開けません。"_qs);
    EXPECT_EQ(FormatResString(251, {orvenly::Null{}}), FormatResString(251));
    // Arguments beyond those the template names are ignored.
    EXPECT_EQ(FormatResString(251, {u"a"_qs, u"b"_qs}), FormatResString(251, {u"a"_qs}));
}

TEST(FormatResString, IntegerArgumentsInsertTableEntries) {
    const QString expected = u"ドキュメント: '"_qs + LoadResString(5002) +
                             u"' は変更されています。\n\n\u3000変更を保存しますか？"_qs;
    EXPECT_EQ(FormatResString(1000, {Variant(int32_t(5002))}), expected);
    EXPECT_EQ(FormatResString(1000, {Variant(int16_t(5002))}), expected);
    EXPECT_TRUE(FormatResString(1000, {Variant(uint8_t(251))}).contains(LoadResString(251)));
    // Text and floating-point arguments are inserted as text, never looked up.
    EXPECT_TRUE(FormatResString(1000, {u"5002"_qs}).startsWith(u"ドキュメント: '5002'"_qs));
    EXPECT_TRUE(FormatResString(1000, {Variant(250.0)}).startsWith(u"ドキュメント: '250'"_qs));
    // A number without an entry inserts nothing.
    EXPECT_TRUE(FormatResString(1000, {Variant(int32_t(7))}).startsWith(u"ドキュメント: ''"_qs));
}

TEST(FormatResString, OutputIsCutAt1024Characters) {
    const QString result = FormatResString(1000, {QString(2000, u'x')});
    EXPECT_EQ(result.size(), 1024);
    EXPECT_TRUE(result.startsWith(u"ドキュメント: 'xxx"_qs));
}

TEST(FormatString, Placeholders) {
    EXPECT_EQ(FormatString(u"%1 and %2"_qs, {u"a"_qs, Variant(int32_t(250))}), u"a and 250"_qs);
    EXPECT_EQ(FormatString(u"[%3]"_qs, {u"a"_qs, u"b"_qs}), u"[]"_qs);
    EXPECT_EQ(FormatString(u"%2%1%2"_qs, {u"x"_qs, u"y"_qs}), u"yxy"_qs);
    EXPECT_EQ(FormatString(u"%9"_qs, {1, 2, 3, 4, 5, 6, 7, 8, 9}), u"9"_qs);
    EXPECT_EQ(FormatString(u"a%1b"_qs, {orvenly::Null{}}), u"ab"_qs);
    // An inserted argument is not scanned again.
    EXPECT_EQ(FormatString(u"%1"_qs, {u"%2%n"_qs, u"z"_qs}), u"%2%n"_qs);
}

TEST(FormatString, LineBreaksAndPercentSigns) {
    EXPECT_EQ(FormatString(u"a%nb"_qs), u"a\r\nb"_qs);
    EXPECT_EQ(FormatString(u"100%%"_qs), u"100%"_qs);
    // The scan goes on after the pair, so "%%1" is a percent sign and a literal "1".
    EXPECT_EQ(FormatString(u"%%1"_qs, {u"x"_qs}), u"%1"_qs);
    EXPECT_EQ(FormatString(u"%%%1"_qs, {u"x"_qs}), u"%x"_qs);
    // Any other character after "%" is kept with it; a "%" at the end stays.
    EXPECT_EQ(FormatString(u"%0 %N %x 50%"_qs), u"%0 %N %x 50%"_qs);
}

TEST(FormatString, OutputIsCutAt1024Characters) {
    EXPECT_EQ(FormatString(u"%1%1"_qs, {QString(600, u'x')}).size(), 1024);
}
