#include "platform/AppendFile.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/RawFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using platform::AppendFile;

namespace {

QByteArray filled(qint64 size, char c) {
    return QByteArray(qsizetype(size), c);
}

class AppendFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(AppendFileTest, CreatesAPrivateFileOnceAndAppendsAtEverySize) {
    AppendFile file;
    ASSERT_TRUE(file.create(path("j")));
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(path("j")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);

    QByteArray expected;
    for (const qint64 size : {1, 4095, 4097, 16383, 16385, 1 << 20}) {
        const QByteArray chunk = filled(size, char('a' + expected.size() % 26));
        ASSERT_TRUE(file.append(chunk));
        expected += chunk;
    }
    EXPECT_TRUE(file.sync());
    EXPECT_EQ(file.size(), expected.size());
    EXPECT_EQ(readRaw(path("j")), expected);

    AppendFile again;
    EXPECT_FALSE(again.create(path("j")));
    EXPECT_FALSE(again.isOpen());
    EXPECT_FALSE(again.errorString().isEmpty());
}

TEST_F(AppendFileTest, OpeningAtAnOffsetCutsWhatFollowsAndAppendsThere) {
    writeRaw(path("j"), "whole|torn");
    AppendFile file;
    ASSERT_TRUE(file.openAt(path("j"), 6));
    ASSERT_TRUE(file.append("next"));
    EXPECT_EQ(readRaw(path("j")), QByteArray("whole|next"));
    EXPECT_FALSE(file.openAt(path("j"), 11)); // past the end
    EXPECT_FALSE(file.openAt(path("missing"), 0));
}

TEST_F(AppendFileTest, AWriteTheDiskRefusesFailsAtOnce) {
    for (const qint64 size : {4096, 16384}) {
        const int status = runUnderFileSizeLimit(rlim_t(size), [&] {
            AppendFile file;
            if (!file.create(path("limited")) || !file.append(filled(size, 'x')))
                return 1;
            // One byte more than the limit: refused by this append, not some later flush.
            if (file.append("y") || file.isOpen() || file.errorString().isEmpty())
                return 2;
            return 0;
        });
        EXPECT_EQ(status, 0) << size;
        EXPECT_EQ(readRaw(path("limited")), filled(size, 'x'));
        QFile::remove(path("limited"));
    }
}

} // namespace
