#include "orvenly/TDB.h"
#include "platform/Cp932.h"
#include "tests/support/RawFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvenly;

namespace {

// "name{key=value;child{...}}" for each node, in order.
QString shape(const TDBNodes& nodes) {
    QString text;
    for (const std::shared_ptr<TDBNode>& node : nodes) {
        text += node->Name() + u'{';
        for (const std::shared_ptr<TDBKey>& key : *node->Keys())
            text += key->Name() + u'=' + key->Value() + u';';
        text += shape(*node->SubNodes()) + u'}';
    }
    return text;
}

class TDBLoadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(u"tree.txt"_qs); }

    // Loads the lines, joined by CR LF and stored in code page 932.
    bool load(const QStringList& lines, TDBFormatConstants format) {
        return loadBytes(platform::cp932::encode(lines.join(u"\r\n"_qs)), format);
    }
    bool loadBytes(const QByteArray& bytes, TDBFormatConstants format) {
        writeRaw(path(), bytes);
        return db.LoadDataBase(path(), format);
    }
    QString tree() const { return shape(*db.RootNodes()); }

    QTemporaryDir m_dir;
    TDB db;
};

} // namespace

TEST_F(TDBLoadTest, IniSectionsMergeAndQuotesComeOff) {
    ASSERT_TRUE(load({u"; comment"_qs, u"ignored=before any section"_qs, u"[a]"_qs, u"  x = 1  "_qs,
                      u"y"_qs, u""_qs, u"  [ a ]  "_qs, u"x=\"2\""_qs, u"q = \" inner \" "_qs,
                      u"lone=\""_qs},
                     TDBF_INI));
    EXPECT_EQ(tree(), u"a{x=2;y=;q= inner ;lone=\";}"_qs);
}

TEST_F(TDBLoadTest, IniTreeHeadersArePaths) {
    ASSERT_TRUE(load(
        {u"[ a \\ b\\\\c ]"_qs, u"k=v"_qs, u"[a]"_qs, u"top=1"_qs, u"[\\]"_qs, u"nowhere=1"_qs},
        TDBF_INI_TREE));
    EXPECT_EQ(tree(), u"a{top=1;b{c{k=v;}}}"_qs);
}

// "[]" names no section: it is a key of the section before it, in both INI forms.
TEST_F(TDBLoadTest, ABareBracketPairIsAKeyNoSection) {
    for (const TDBFormatConstants format : {TDBF_INI, TDBF_INI_TREE}) {
        ASSERT_TRUE(load({u"[a]"_qs, u"x=1"_qs, u"[]"_qs, u"y=2"_qs}, format));
        EXPECT_EQ(tree(), u"a{x=1;[]=;y=2;}"_qs) << "format " << format;
        db.RootNodes()->Clear();
    }
}

TEST_F(TDBLoadTest, IniWithoutTreeTakesPathsAsNames) {
    ASSERT_TRUE(load({u"[a\\b]"_qs, u"k=v"_qs}, TDBF_INI));
    EXPECT_EQ(tree(), u"a\\b{k=v;}"_qs);
}

TEST_F(TDBLoadTest, BlocksWithMacrosAndEscapes) {
    ASSERT_TRUE(load({u"% DIR c:\\\\tmp"_qs, u"BEGIN Form main"_qs, u"  Path \"%DIR\\\\x\""_qs,
                      u"  Lead \\\\\\\\server"_qs, u"  Mid a\\\\b"_qs, u"END"_qs},
                     TDBF_STD));
    EXPECT_EQ(tree(), u"Form{main{Path=c:\\tmp\\x;Lead=\\\\server;Mid=a\\b;}}"_qs);
}

TEST_F(TDBLoadTest, TheTokenReadersFinePoints) {
    ASSERT_TRUE(
        load({u"%  Name  \"quoted \\\" text\"  ignored after"_qs, u"% other %name!"_qs,
              u"begin Class \"%name\""_qs,
              u"Unknown [%nothing]"_qs,           // an unknown macro gives nothing
              u"Percent 100%%"_qs,                // the character after a name is kept
              u"Trailing ends in %"_qs,           // a final "%" stays
              u"Slash ends in \\"_qs,             // a final "\" stays
              u"Open \"no closing \\\" quote"_qs, // kept as it stands
              u"Expanded %OTHER"_qs, u"Empty"_qs, u"Empty2 \"\""_qs, u"Tab\there"_qs, u"end"_qs},
             TDBF_STD));
    EXPECT_EQ(tree(), u"Class{%name{Unknown=[];Percent=100%;Trailing=ends in %;Slash=ends in \\;"
                      u"Open=\"no closing \\\" quote;Expanded=quoted \" text!;Empty=;Empty2=;"
                      u"Tab=here;}}"_qs);
}

TEST_F(TDBLoadTest, BlocksNestAndEndClimbsTwoLevels) {
    ASSERT_TRUE(load({u"BEGIN Form f"_qs, u"BEGIN Button ok"_qs, u"Caption OK"_qs, u"END"_qs,
                      u"Width 10"_qs, u"END"_qs, u"END"_qs, u"BEGIN Form g"_qs, u"END"_qs},
                     TDBF_STD));
    EXPECT_EQ(tree(), u"Form{f{Width=10;Button{ok{Caption=OK;}}}g{}}"_qs);
}

TEST_F(TDBLoadTest, TemplatesAreCopiedAndTheirRootRemoved) {
    ASSERT_TRUE(load({u"BEGIN % base"_qs, u"Color red"_qs, u"BEGIN Font f"_qs, u"Size 9"_qs,
                      u"END"_qs, u"END"_qs, u"BEGIN % derived"_qs, u"%base"_qs, u"Color blue"_qs,
                      u"END"_qs, u"BEGIN Form f"_qs, u"Color green"_qs, u"%base"_qs, u"%derived"_qs,
                      u"%undefined"_qs, u"END"_qs},
                     TDBF_STD));
    EXPECT_EQ(tree(), u"Form{f{Color=blue;Font{f{Size=9;}}}}"_qs);
    EXPECT_FALSE(db.RootNodes()->Exists(u"%"_qs));
}

TEST_F(TDBLoadTest, ATemplateIncludedIntoItselfCopiesWhatItWas) {
    ASSERT_TRUE(load({u"BEGIN % t"_qs, u"k v"_qs, u"BEGIN X y"_qs, u"%t"_qs, u"END"_qs, u"END"_qs,
                      u"BEGIN Form f"_qs, u"%t"_qs, u"END"_qs},
                     TDBF_STD));
    EXPECT_EQ(tree(), u"Form{f{k=v;X{y{k=v;X{y{}}}}}}"_qs);
}

TEST_F(TDBLoadTest, ErrorsEndTheLoadAndKeepWhatWasRead) {
    EXPECT_FALSE(load({u"BEGIN A a"_qs, u"k 1"_qs, u"END"_qs, u"stray value"_qs, u"BEGIN B b"_qs},
                      TDBF_STD));
    EXPECT_EQ(tree(), u"A{a{k=1;}}"_qs);
    EXPECT_EQ(db.LastError(), u"line 4: a key is set outside any block"_qs);

    EXPECT_FALSE(load({u"% M 1"_qs, u"% m 2"_qs}, TDBF_STD));
    EXPECT_TRUE(db.LastError().startsWith(u"line 2:"_qs));
    EXPECT_FALSE(load({u"%t"_qs}, TDBF_STD));

    EXPECT_FALSE(db.LoadDataBase(m_dir.filePath(u"missing"_qs), TDBF_INI));
    EXPECT_EQ(db.RootNodes()->Count(), 0);
    EXPECT_FALSE(db.LoadDataBase(m_dir.path(), TDBF_INI)) << "a folder";
    EXPECT_FALSE(load({u"[a]"_qs}, TDBFormatConstants(3)));
    EXPECT_EQ(db.RootNodes()->Count(), 0);
}

TEST_F(TDBLoadTest, EmptyFilesLoadNothingAndSucceed) {
    db.RootNodes()->Add(u"old"_qs);
    EXPECT_TRUE(loadBytes({}, TDBF_STD));
    EXPECT_EQ(db.RootNodes()->Count(), 0);
    EXPECT_TRUE(loadBytes("\r\n\r\n", TDBF_INI));
}

TEST_F(TDBLoadTest, LineEndsAreCrLfOrElseLf) {
    ASSERT_TRUE(loadBytes("[a]\nx=1\ny=2\n", TDBF_INI));
    EXPECT_EQ(tree(), u"a{x=1;y=2;}"_qs);
    // Where CR LF ends lines, a lone LF or CR belongs to the value.
    ASSERT_TRUE(loadBytes("[a]\r\nx=1\n2\r\ny=3\r4\r\n", TDBF_INI));
    EXPECT_EQ(tree(), u"a{x=1\n2;y=3\r4;}"_qs);
}

TEST_F(TDBLoadTest, CharsetsAreCodePage932OrMarkedUtf8) {
    ASSERT_TRUE(load({u"[設定]"_qs, u"名前=値"_qs}, TDBF_INI));
    EXPECT_EQ(tree(), u"設定{名前=値;}"_qs);
    EXPECT_EQ(db.Charset(), TDBCharset::Ansi);

    ASSERT_TRUE(loadBytes("\xEF\xBB\xBF[\xF0\x9F\x98\x80]\r\nk=\xE2\x82\xAC", TDBF_INI));
    EXPECT_EQ(tree(), u"😀{k=€;}"_qs);
    EXPECT_EQ(db.Charset(), TDBCharset::Utf8);
}

TEST_F(TDBLoadTest, NestingDeeperThanTheLimitIsRefused) {
    QStringList lines;
    for (int i = 0; i < TDB::MaxDepth / 2; ++i)
        lines << u"BEGIN C n"_qs;
    ASSERT_TRUE(load(lines, TDBF_STD));
    lines << u"BEGIN C n"_qs;
    EXPECT_FALSE(load(lines, TDBF_STD));
    EXPECT_TRUE(db.LastError().contains(u"deeper"_qs));

    const QString deepPath = QStringList(TDB::MaxDepth + 1, u"n"_qs).join(u'\\');
    EXPECT_FALSE(load({u'[' + deepPath + u']'}, TDBF_INI_TREE));
}

TEST_F(TDBLoadTest, ExpansionBombsAreRefused) {
    // Each macro doubles the last: 2^40 characters at the end.
    QStringList macros{u"% m0 0123456789abcdef"_qs};
    for (int i = 1; i <= 36; ++i)
        macros << u"% m%1 %m%2 %m%2"_qs.arg(i).arg(i - 1);
    macros << u"BEGIN A a"_qs << u"k %m36"_qs;
    EXPECT_FALSE(load(macros, TDBF_STD));
    EXPECT_TRUE(db.LastError().contains(u"expand"_qs));

    // Each template holds two copies of the one before.
    QStringList templates{u"BEGIN % t0"_qs, u"k v"_qs, u"END"_qs};
    for (int i = 1; i <= 40; ++i)
        templates << u"BEGIN % t%1"_qs.arg(i) << u"BEGIN A a"_qs << u"%t%1"_qs.arg(i - 1)
                  << u"END"_qs << u"BEGIN B b"_qs << u"%t%1"_qs.arg(i - 1) << u"END"_qs
                  << u"END"_qs;
    EXPECT_FALSE(load(templates, TDBF_STD));
    EXPECT_TRUE(db.LastError().contains(u"expand"_qs));
}

TEST_F(TDBLoadTest, FilesOverTheSizeLimitAreRefused) {
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(TDB::MaxFileSize + 1));
    }
    EXPECT_FALSE(db.LoadDataBase(path(), TDBF_INI));
    EXPECT_TRUE(db.LastError().contains(u"larger"_qs));
}
