#include "shell/DocumentFile.h"
#include "tests/support/RawFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace penlark;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(DocumentFileTest, ReadsWholeFilesAndRefusesWhatItCannot) {
    writeRaw(path("a.txt"), "abc\r\n");
    writeRaw(path("empty.txt"), {});
    FileContents read = readDocumentFile(path("a.txt"), 5);
    EXPECT_EQ(read.failure, ReadFailure::None);
    EXPECT_EQ(read.bytes, QByteArray("abc\r\n"));
    read = readDocumentFile(path("empty.txt"), 5);
    EXPECT_EQ(read.failure, ReadFailure::None);
    EXPECT_TRUE(read.bytes.isEmpty());

    EXPECT_EQ(readDocumentFile(path("a.txt"), 4).failure, ReadFailure::TooLarge);
    EXPECT_EQ(readDocumentFile(path("missing.txt"), 100).failure, ReadFailure::Unreadable);
    EXPECT_EQ(readDocumentFile(dir.path(), 100).failure, ReadFailure::Unreadable);
}

TEST_F(DocumentFileTest, DevicesAndPipesAreRefusedWithoutWaiting) {
    // An endless device, and a pipe that nobody writes to: opening it would wait for ever.
    EXPECT_EQ(readDocumentFile(QStringLiteral("/dev/zero"), 100000).failure,
              ReadFailure::Unreadable);
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    EXPECT_EQ(readDocumentFile(path("pipe"), 100000).failure, ReadFailure::Unreadable);
}

} // namespace
