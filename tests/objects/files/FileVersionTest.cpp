#include "orvenly/FileSystem.h"
#include "tests/objects/files/PeSample.h"
#include "tests/support/RawFiles.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using orvenly::FileSystem;

namespace {

const FileSystem& fs() {
    return FileSystem::instance();
}

struct Parts {
    int32_t major = -7, minor = -7, revisionH = -7, revisionL = -7;
    bool operator==(const Parts&) const = default;
};

class FileVersionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString file(const QByteArray& bytes) {
        QString path = m_dir.filePath(u"sample.exe"_qs);
        writeRaw(path, bytes);
        return path;
    }
    static Parts versionOf(const QString& path, bool* found = nullptr) {
        Parts parts;
        const bool result =
            fs().GetFileVersion(path, parts.major, parts.minor, parts.revisionH, parts.revisionL);
        if (found)
            *found = result;
        return parts;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileVersionTest, ReadsTheFixedVersionOfBothImageKinds) {
    for (const bool wide : {false, true}) {
        bool found = false;
        const Parts parts =
            versionOf(file(pe_sample::executable(pe_sample::versionResource({}), wide)), &found);
        EXPECT_TRUE(found);
        EXPECT_EQ(parts, (Parts{1, 2, 3, 4}));
    }
    pe_sample::Version big;
    big.parts[1] = 40000;
    EXPECT_EQ(versionOf(file(pe_sample::executable(pe_sample::versionResource(big)))),
              (Parts{1, -25536, 3, 4}));
}

TEST_F(FileVersionTest, ReadsStringsOfTheUnicodeTranslationOnly) {
    pe_sample::Version version;
    version.strings = {{u"CompanyName"_qs, u"Ardenfall"_qs}, {u"FileDescription"_qs, u"説明"_qs}};
    const QString path = file(pe_sample::executable(pe_sample::versionResource(version)));
    EXPECT_EQ(fs().GetFileVersionDetails(path, u"FileDescription"_qs), u"説明"_qs);
    EXPECT_EQ(fs().GetFileVersionDetails(path, u"companyname"_qs), u"Ardenfall"_qs);
    EXPECT_EQ(fs().GetFileVersionDetails(path, u"ProductName"_qs), QString());

    version.table = u"041104b0"_qs;
    const QString lower = file(pe_sample::executable(pe_sample::versionResource(version)));
    EXPECT_EQ(fs().GetFileVersionDetails(lower, u"CompanyName"_qs), u"Ardenfall"_qs);

    version.codePage = 932;
    version.table = u"041103A4"_qs;
    const QString ansi = file(pe_sample::executable(pe_sample::versionResource(version)));
    EXPECT_EQ(fs().GetFileVersionDetails(ansi, u"CompanyName"_qs), QString());
}

TEST_F(FileVersionTest, FilesWithoutAVersionResourceGiveFalseAndNothing) {
    bool found = true;
    EXPECT_EQ(versionOf(QCoreApplication::applicationFilePath(), &found), Parts{});
    EXPECT_FALSE(found) << "this system's programs carry none";
    EXPECT_EQ(versionOf(m_dir.filePath(u"missing"_qs), &found), Parts{});
    EXPECT_FALSE(found);
    EXPECT_EQ(fs().GetFileVersionDetails(m_dir.filePath(u"missing"_qs), u"x"_qs), QString());

    const QByteArray whole = pe_sample::executable(pe_sample::versionResource({}));
    versionOf(file(whole.left(whole.size() - 40)), &found);
    EXPECT_FALSE(found) << "cut short";
    QByteArray far = whole;
    pe_sample::set32(far, 0x3C, 0x7FFFFFF0u);
    versionOf(file(far), &found);
    EXPECT_FALSE(found);
}

TEST_F(FileVersionTest, TypeNamesComeFromTheMimeDatabaseThenTheExtension) {
    const QMimeDatabase mime;
    const QString text = m_dir.filePath(u"notes.txt"_qs);
    writeRaw(text, "plain words\n");
    EXPECT_EQ(fs().GetFileTypeName(text), mime.mimeTypeForFile(text).comment());
    EXPECT_EQ(fs().GetFileTypeName(m_dir.path()),
              mime.mimeTypeForName(u"inode/directory"_qs).comment());
    EXPECT_FALSE(fs().GetFileTypeName(text).isEmpty());

    EXPECT_EQ(fs().GetFileTypeName(m_dir.filePath(u"missing.zqxw"_qs)), u"ZQXW ファイル"_qs);
    EXPECT_EQ(fs().GetFileTypeName(m_dir.filePath(u"missing"_qs)), u"ファイル"_qs);
    EXPECT_EQ(fs().GetFileTypeName(u"/no.such.folder/name"_qs), u"ファイル"_qs);
    EXPECT_EQ(fs().GetFileTypeName(m_dir.filePath(u"missing.txt"_qs)),
              mime.mimeTypesForFileName(u"missing.txt"_qs).first().comment());
}
