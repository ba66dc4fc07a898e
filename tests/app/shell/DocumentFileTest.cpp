#include "shell/DocumentFile.h"
#include "tests/app/shell/RawFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace penlark;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
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

TEST_F(DocumentFileTest, WritesNewFilesAndReplacesOldOnesKeepingPermissions) {
    EXPECT_TRUE(writeDocumentFile(path("new.txt"), "one"));
    EXPECT_EQ(readRaw(path("new.txt")), QByteArray("one"));

    ASSERT_EQ(chmod(QFile::encodeName(path("new.txt")).constData(), 0640), 0);
    EXPECT_TRUE(writeDocumentFile(path("new.txt"), "two, longer"));
    EXPECT_EQ(readRaw(path("new.txt")), QByteArray("two, longer"));
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(path("new.txt")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(), QStringList{"new.txt"});
}

TEST_F(DocumentFileTest, WritingThroughALinkUpdatesItsTargetAndKeepsTheLink) {
    writeRaw(path("target.txt"), "old");
    ASSERT_TRUE(QFile::link(path("target.txt"), path("link.txt")));
    EXPECT_TRUE(writeDocumentFile(path("link.txt"), "new"));
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(readRaw(path("target.txt")), QByteArray("new"));
}

// "..", in a link that lies in a linked folder, is the real folder's parent, as the system
// reads it when the file is opened.
TEST_F(DocumentFileTest, LinksThroughLinkedFoldersReachTheFileThatWasRead) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("real/docs"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("real/shared"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("home/shared"));
    writeRaw(path("real/shared/note.txt"), "old");
    writeRaw(path("home/shared/note.txt"), "unrelated");
    ASSERT_TRUE(QFile::link(path("real/docs"), path("home/docs")));
    ASSERT_EQ(symlink("../shared/note.txt", QFile::encodeName(path("real/docs/note.txt"))), 0);
    ASSERT_EQ(readDocumentFile(path("home/docs/note.txt"), 100).bytes, QByteArray("old"));

    EXPECT_TRUE(writeDocumentFile(path("home/docs/note.txt"), "new"));
    EXPECT_EQ(readRaw(path("real/shared/note.txt")), QByteArray("new"));
    EXPECT_EQ(readRaw(path("home/shared/note.txt")), QByteArray("unrelated"));

    // A dangling relative link gets its file, in the real folder's parent.
    ASSERT_EQ(symlink("../shared/new.txt", QFile::encodeName(path("real/docs/new.txt"))), 0);
    EXPECT_TRUE(writeDocumentFile(path("home/docs/new.txt"), "made"));
    EXPECT_EQ(readRaw(path("real/shared/new.txt")), QByteArray("made"));
    EXPECT_FALSE(QFileInfo::exists(path("home/shared/new.txt")));
}

TEST_F(DocumentFileTest, FailuresLeaveEverythingAsItWas) {
    writeRaw(path("plain"), "file");
    // A folder that does not exist, and a "folder" that is a file.
    EXPECT_FALSE(writeDocumentFile(path("no/such/folder/a.txt"), "x"));
    EXPECT_FALSE(writeDocumentFile(path("plain/a.txt"), "x"));
    // A folder cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(writeDocumentFile(path("sub"), "x"));
    EXPECT_TRUE(QFileInfo(path("sub")).isDir());
    EXPECT_EQ(readRaw(path("plain")), QByteArray("file"));
    EXPECT_EQ(entries(), QStringList{"plain"});
}

TEST_F(DocumentFileTest, ReadOnlyFileIsNotReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write anything";
    writeRaw(path("ro.txt"), "keep");
    ASSERT_TRUE(QFile::setPermissions(path("ro.txt"), QFileDevice::ReadOwner));
    EXPECT_FALSE(writeDocumentFile(path("ro.txt"), "lost"));
    EXPECT_EQ(readRaw(path("ro.txt")), QByteArray("keep"));
}

TEST_F(DocumentFileTest, WriteCutShortByTheFileSizeLimitKeepsTheOriginal) {
    const QByteArray original(1000, 'o');
    writeRaw(path("doc.txt"), original);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = writeDocumentFile(path("doc.txt"), QByteArray(100000, 'n'));
        _exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have failed";
    EXPECT_EQ(readRaw(path("doc.txt")), original);
    EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

} // namespace
