#include "orvenly/TDB.h"
#include "platform/Cp932.h"
#include "tests/support/RawFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvenly;

namespace {

class TDBSaveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name = u"saved.ini"_qs) const { return m_dir.filePath(name); }

    // a (x, y) with child b (k), and a root c without keys.
    void buildSample() {
        const auto a = db.RootNodes()->Add(u"a"_qs);
        a->Keys()->Add(u"x"_qs, 0, u"1"_qs);
        a->Keys()->Add(u"y"_qs, 0, u"値"_qs);
        a->SubNodes()->Add(u"b"_qs)->Keys()->Add(u"k"_qs, 0, u"v w"_qs);
        db.RootNodes()->Add(u"c"_qs);
    }

    QTemporaryDir m_dir;
    TDB db;
};

} // namespace

TEST_F(TDBSaveTest, WritesSectionsDepthFirstWithPaths) {
    buildSample();
    ASSERT_TRUE(db.SaveDataBase(path(), TDBF_INI_TREE));
    const QByteArray expected =
        platform::cp932::encode(u"[a]\r\nx=1\r\ny=値\r\n\r\n[a\\b]\r\nk=v w\r\n\r\n[c]\r\n\r\n");
    EXPECT_EQ(readRaw(path()), expected);
    ASSERT_TRUE(db.SaveDataBase(path(u"flat.ini"_qs), TDBF_INI));
    EXPECT_EQ(readRaw(path(u"flat.ini"_qs)), expected);
}

TEST_F(TDBSaveTest, ASavedTreeReadsBackAsTheSameTree) {
    buildSample();
    ASSERT_TRUE(db.SaveDataBase(path(), TDBF_INI));
    const QString saved = db.IniText();

    TDB again;
    ASSERT_TRUE(again.LoadDataBase(path(), TDBF_INI_TREE));
    EXPECT_EQ(again.IniText(), saved);
    EXPECT_EQ(
        again.RootNodes()->Item(u"a"_qs)->SubNodes()->Item(u"b"_qs)->Keys()->Item(u"k"_qs)->Value(),
        u"v w"_qs);

    ASSERT_TRUE(again.LoadDataBase(path(), TDBF_INI));
    EXPECT_TRUE(again.RootNodes()->Exists(u"a\\b"_qs)) << "flat sections name nested nodes by path";
}

TEST_F(TDBSaveTest, TheBlockFormatAndUnknownFormatsWriteNothing) {
    buildSample();
    writeRaw(path(), "kept");
    EXPECT_FALSE(db.SaveDataBase(path(), TDBF_STD));
    EXPECT_FALSE(db.LastError().isEmpty());
    EXPECT_FALSE(db.SaveDataBase(path(), TDBFormatConstants(7)));
    EXPECT_EQ(readRaw(path()), "kept");
}

TEST_F(TDBSaveTest, WritesBackInTheCharsetItReadIn) {
    writeRaw(path(u"in.ini"_qs), "\xEF\xBB\xBF[a]\r\nk=\xE2\x82\xAC\r\n");
    ASSERT_TRUE(db.LoadDataBase(path(u"in.ini"_qs), TDBF_INI));
    ASSERT_TRUE(db.SaveDataBase(path(), TDBF_INI));
    EXPECT_EQ(readRaw(path()), "\xEF\xBB\xBF[a]\r\nk=\xE2\x82\xAC\r\n\r\n");
}

TEST_F(TDBSaveTest, TextThatCodePage932CannotHoldIsNotWritten) {
    db.RootNodes()->Add(u"a"_qs)->Keys()->Add(u"face"_qs, 0, u"😀"_qs);
    writeRaw(path(), "kept");
    EXPECT_FALSE(db.SaveDataBase(path(), TDBF_INI));
    EXPECT_EQ(readRaw(path()), "kept");

    db.setCharset(TDBCharset::Utf8);
    ASSERT_TRUE(db.SaveDataBase(path(), TDBF_INI));
    TDB again;
    ASSERT_TRUE(again.LoadDataBase(path(), TDBF_INI));
    EXPECT_EQ(again.RootNodes()->Item(u"a"_qs)->Keys()->Item(u"face"_qs)->Value(), u"😀"_qs);
}

TEST_F(TDBSaveTest, AFileThatCannotBeWrittenGivesFalse) {
    buildSample();
    EXPECT_FALSE(db.SaveDataBase(path(u"missing/saved.ini"_qs), TDBF_INI));
    EXPECT_FALSE(db.LastError().isEmpty());
    EXPECT_FALSE(db.SaveDataBase(m_dir.path(), TDBF_INI)) << "a folder";
    EXPECT_TRUE(db.SaveDataBase(path(), TDBF_INI));
    EXPECT_TRUE(db.LastError().isEmpty());
}
