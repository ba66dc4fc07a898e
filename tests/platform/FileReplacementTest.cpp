#include "platform/FileReplacement.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/RawFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::FileReplacement;
using platform::replaceFileContents;
using namespace Qt::StringLiterals;

namespace {

// Sizes on both sides of the buffers a write may pass through: the system's page, a
// library's 16 KiB write buffer, and a large file.
const qint64 Sizes[] = {100, 4096, 16383, 16385, 1 << 20};

class FileReplacementTest : public ::testing::Test {
protected:
    // Backups made while writing in place go to a state folder of the test's own.
    void SetUp() override {
        m_state = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(path("state")));
    }
    void TearDown() override {
        if (m_state.isNull())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", m_state);
    }
    QStringList backups() const {
        return QDir(path("state/penlark/backup")).entryList(QDir::Files | QDir::Hidden);
    }
    QByteArray m_state;
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    mode_t mode(const QString& name) const {
        struct stat status {};
        EXPECT_EQ(stat(QFile::encodeName(path(name)).constData(), &status), 0);
        return status.st_mode & 07777;
    }
    QTemporaryDir dir;
};

TEST_F(FileReplacementTest, WritesNewFilesAndReplacesOldOnesKeepingPermissions) {
    EXPECT_TRUE(replaceFileContents(path("new.txt"), "one"));
    EXPECT_EQ(readRaw(path("new.txt")), QByteArray("one"));
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(mode("new.txt"), 0666 & ~mask);

    ASSERT_EQ(chmod(QFile::encodeName(path("new.txt")).constData(), 0640), 0);
    EXPECT_TRUE(replaceFileContents(path("new.txt"), "two, longer"));
    EXPECT_EQ(readRaw(path("new.txt")), QByteArray("two, longer"));
    EXPECT_EQ(mode("new.txt"), 0640u);
    EXPECT_TRUE(replaceFileContents(path("new.txt"), {}));
    EXPECT_EQ(readRaw(path("new.txt")), QByteArray());
    EXPECT_EQ(entries(), QStringList{"new.txt"});
}

// Only the superuser may give a file away, so this runs as root (as CI does).
TEST_F(FileReplacementTest, AReplacementKeepsTheOwnerAndTheGroupEachOnItsOwn) {
    if (geteuid() != 0)
        GTEST_SKIP() << "not root: owners cannot be given away here";
    const QByteArray name = QFile::encodeName(path("owned.txt"));
    const uid_t me = geteuid();
    const gid_t myGroup = getegid();
    struct Owner {
        uid_t uid;
        gid_t gid;
    };
    for (const Owner owner : {Owner{me + 4321, myGroup}, Owner{me, myGroup + 4321}}) {
        ASSERT_TRUE(replaceFileContents(path("owned.txt"), "before"));
        ASSERT_EQ(chown(name.constData(), owner.uid, owner.gid), 0);
        EXPECT_TRUE(replaceFileContents(path("owned.txt"), "after"));
        struct stat status {};
        ASSERT_EQ(stat(name.constData(), &status), 0);
        EXPECT_EQ(status.st_uid, owner.uid);
        EXPECT_EQ(status.st_gid, owner.gid);
    }
}

TEST_F(FileReplacementTest, WritingThroughALinkUpdatesItsTargetAndKeepsTheLink) {
    writeRaw(path("target.txt"), "old");
    ASSERT_TRUE(QFile::link(path("target.txt"), path("link.txt")));
    EXPECT_TRUE(replaceFileContents(path("link.txt"), "new"));
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(readRaw(path("target.txt")), QByteArray("new"));
}

// "..", in a link that lies in a linked folder, is the real folder's parent, as the system
// reads it when the file is opened.
TEST_F(FileReplacementTest, LinksThroughLinkedFoldersReachTheFileThatWasRead) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("real/docs"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("real/shared"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("home/shared"));
    writeRaw(path("real/shared/note.txt"), "old");
    writeRaw(path("home/shared/note.txt"), "unrelated");
    ASSERT_TRUE(QFile::link(path("real/docs"), path("home/docs")));
    ASSERT_EQ(symlink("../shared/note.txt", QFile::encodeName(path("real/docs/note.txt"))), 0);

    EXPECT_TRUE(replaceFileContents(path("home/docs/note.txt"), "new"));
    EXPECT_EQ(readRaw(path("real/shared/note.txt")), QByteArray("new"));
    EXPECT_EQ(readRaw(path("home/shared/note.txt")), QByteArray("unrelated"));

    // A dangling relative link gets its file, in the real folder's parent.
    ASSERT_EQ(symlink("../shared/new.txt", QFile::encodeName(path("real/docs/new.txt"))), 0);
    EXPECT_TRUE(replaceFileContents(path("home/docs/new.txt"), "made"));
    EXPECT_EQ(readRaw(path("real/shared/new.txt")), QByteArray("made"));
    EXPECT_FALSE(QFileInfo::exists(path("home/shared/new.txt")));

    // Links that loop name no file.
    ASSERT_EQ(symlink("loop2", QFile::encodeName(path("loop1"))), 0);
    ASSERT_EQ(symlink("loop1", QFile::encodeName(path("loop2"))), 0);
    QString error;
    EXPECT_FALSE(replaceFileContents(path("loop1"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(FileReplacementTest, WhatIsNoRegularFileIsNeverReplaced) {
    writeRaw(path("plain"), "file");
    // A folder that does not exist, and a "folder" that is a file.
    EXPECT_FALSE(replaceFileContents(path("no/such/folder/a.txt"), "x"));
    EXPECT_FALSE(replaceFileContents(path("plain/a.txt"), "x"));
    // A folder, a pipe and a device.
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(replaceFileContents(path("sub"), "x"));
    EXPECT_TRUE(QFileInfo(path("sub")).isDir());
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(replaceFileContents(path("pipe"), "x"));
    EXPECT_FALSE(replaceFileContents(u"/dev/null"_s, "x"));
    struct stat status {};
    ASSERT_EQ(lstat(QFile::encodeName(path("pipe")).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(readRaw(path("plain")), QByteArray("file"));
    EXPECT_EQ(entries(), QStringList{"plain"});
}

// A file without any write bit is read-only to everyone, the superuser included; a folder
// mounted read-only cannot take a replacement either.
TEST_F(FileReplacementTest, ReadOnlyFilesAreNotReplaced) {
    writeRaw(path("ro.txt"), "keep");
    ASSERT_TRUE(QFile::setPermissions(path("ro.txt"), QFileDevice::ReadOwner));
    QString error;
    EXPECT_FALSE(replaceFileContents(path("ro.txt"), "lost", &error));
    EXPECT_EQ(error, u"The file is read-only"_s);
    EXPECT_EQ(readRaw(path("ro.txt")), QByteArray("keep"));
    EXPECT_EQ(entries(), QStringList{"ro.txt"});

    ASSERT_TRUE(QDir(dir.path()).mkdir("mounted"));
    const std::optional<int> status = runOnSmallDisk(path("mounted"), 65536, [&] {
        QFile file(path("mounted/doc.txt"));
        if (!file.open(QIODevice::WriteOnly) || file.write("keep") != 4)
            return 10;
        file.close();
        const QByteArray where = QFile::encodeName(path("mounted"));
        if (mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return int(limited_disk::MountRefused);
        if (replaceFileContents(path("mounted/doc.txt"), "lost"))
            return 20;
        return readRaw(path("mounted/doc.txt")) == "keep" ? 0 : 30;
    });
    if (!status)
        GTEST_SKIP() << "mounting is refused here: the read-only file system case did not run";
    EXPECT_EQ(*status, 0);
}

TEST_F(FileReplacementTest, AnUncommittedReplacementLeavesNoTrace) {
    writeRaw(path("doc.txt"), "old");
    {
        FileReplacement file(path("doc.txt"));
        ASSERT_TRUE(file.isOpen());
        EXPECT_TRUE(file.write("new contents"));
        EXPECT_EQ(entries().size(), 2);
    }
    EXPECT_EQ(readRaw(path("doc.txt")), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{"doc.txt"});

    FileReplacement cancelled(path("doc.txt"));
    EXPECT_TRUE(cancelled.write("new"));
    cancelled.cancel();
    EXPECT_FALSE(cancelled.isOpen());
    EXPECT_FALSE(cancelled.write("more"));
    EXPECT_FALSE(cancelled.commit());
    EXPECT_EQ(readRaw(path("doc.txt")), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

QByteArray filled(qint64 size, char fill) {
    return QByteArray(qsizetype(size), fill);
}

// Each write that passes the limit fails on the spot, however small, and the commit after it
// too; a file that just fits is written whole.
TEST_F(FileReplacementTest, TheFileSizeLimitFailsEveryWriteThatPassesIt) {
    const QByteArray original = "the original\n";
    for (const qint64 size : Sizes) {
        SCOPED_TRACE(size);
        writeRaw(path("doc.txt"), original);
        const int status = runUnderFileSizeLimit(rlim_t(size - 1), [&] {
            QString error;
            const bool written = replaceFileContents(path("doc.txt"), filled(size, 'n'), &error);
            return !written && !error.isEmpty() ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << "the write should have failed";
        EXPECT_EQ(readRaw(path("doc.txt")), original);
        EXPECT_EQ(entries(), QStringList{"doc.txt"});

        EXPECT_EQ(
            runUnderFileSizeLimit(
                rlim_t(size),
                [&] { return replaceFileContents(path("doc.txt"), filled(size, 'y')) ? 0 : 1; }),
            0);
        EXPECT_EQ(readRaw(path("doc.txt")), filled(size, 'y'));
    }
}

TEST_F(FileReplacementTest, SmallWritesAreCheckedOneByOne) {
    writeRaw(path("doc.txt"), "old");
    const int status = runUnderFileSizeLimit(1000, [&] {
        FileReplacement file(path("doc.txt"));
        for (int i = 0; i < 1000; ++i)
            if (!file.write("x", 1))
                return 1;
        if (file.write("y", 1) || file.isOpen() || file.commit())
            return 2;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readRaw(path("doc.txt")), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

TEST_F(FileReplacementTest, AFullDiskLeavesTheOriginalAsItWas) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("disk"));
    const std::optional<int> status = runOnSmallDisk(path("disk"), qint64{4} * 4096, [&] {
        const QString doc = path("disk/doc.txt");
        const QByteArray original = filled(4096, 'o');
        QFile file(doc);
        if (!file.open(QIODevice::WriteOnly) || file.write(original) != original.size())
            return 10;
        file.close();
        // The original takes one of the disk's four pages.
        for (const qint64 size : {100, 8192, 12289, 16385, 1 << 20}) {
            const bool fits = size <= 8192;
            if (replaceFileContents(doc, filled(size, 'n')) != fits)
                return 20;
            if (!fits && readRaw(doc) != original)
                return 30;
            if (fits && readRaw(doc) != filled(size, 'n'))
                return 40;
            if (fits && !replaceFileContents(doc, original))
                return 50;
            if (QDir(path("disk")).entryList(QDir::Files | QDir::Hidden) != QStringList{"doc.txt"})
                return 60;
        }
        return 0;
    });
    if (!status)
        GTEST_SKIP() << "mounting is refused here: the full-disk case did not run";
    EXPECT_EQ(*status, 0);
}

// Bytes that differ from place to place, so that a restored file is compared for real.
QByteArray pattern(qint64 size) {
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 % 251);
    return bytes;
}

// Runs action in a child process as a user other than the superuser (nobody, when the test
// runs as root), so that folder permissions hold.
int runWithoutRoot(uid_t user, const std::function<int()>& action) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(gid_t(user)) != 0 || setuid(user) != 0))
            _exit(limited_disk::LimitRefused);
        _exit(action());
    }
    return limited_disk::waitFor(child);
}

// A user may write a file in a folder where they may make no new file: it is written in
// place, after a backup that nobody else may read and that goes once the file is written.
TEST_F(FileReplacementTest, AFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    constexpr uid_t Nobody = 65534;
    const uid_t user = geteuid() == 0 ? Nobody : geteuid();
    ASSERT_TRUE(QDir(dir.path()).mkpath("locked"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("state"));
    writeRaw(path("locked/doc.txt"), "the old text");
    for (const QString& name : {u"locked/doc.txt"_s, u"state"_s})
        ASSERT_EQ(chown(QFile::encodeName(path(name)).constData(), user, gid_t(user)), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path("locked")).constData(), 0555), 0);

    const int status = runWithoutRoot(user, [&] {
        QString error;
        if (!replaceFileContents(path("locked/doc.txt"), "a new, longer text", &error) ||
            readRaw(path("locked/doc.txt")) != "a new, longer text")
            return 1;
        if (!replaceFileContents(path("locked/doc.txt"), "short", &error))
            return 2;
        return 0;
    });
    ASSERT_EQ(chmod(QFile::encodeName(path("locked")).constData(), 0755), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readRaw(path("locked/doc.txt")), QByteArray("short"));
    EXPECT_EQ(QDir(path("locked")).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.txt"});
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_EQ(mode("state/penlark/backup"), 0700u);
}

// Every name of a hard-linked file sees the new text; the file stays one file.
TEST_F(FileReplacementTest, AllNamesOfAHardLinkedFileSeeTheNewText) {
    writeRaw(path("a.txt"), "old");
    ASSERT_EQ(link(QFile::encodeName(path("a.txt")).constData(),
                   QFile::encodeName(path("b.txt")).constData()),
              0);
    EXPECT_TRUE(replaceFileContents(path("a.txt"), "new text"));
    EXPECT_EQ(readRaw(path("b.txt")), QByteArray("new text"));
    EXPECT_TRUE(replaceFileContents(path("b.txt"), "new"));
    EXPECT_EQ(readRaw(path("a.txt")), QByteArray("new"));
    struct stat a {};
    struct stat b {};
    ASSERT_EQ(stat(QFile::encodeName(path("a.txt")).constData(), &a), 0);
    ASSERT_EQ(stat(QFile::encodeName(path("b.txt")).constData(), &b), 0);
    EXPECT_EQ(a.st_ino, b.st_ino);
    EXPECT_EQ(entries(), (QStringList{"a.txt", "b.txt"}));
    EXPECT_TRUE(backups().isEmpty());
}

// A write in place that fails (here at the file-size limit, on both sides of the buffers a
// write passes through) gives the file its old bytes back from the backup, and says so.
TEST_F(FileReplacementTest, AFailedWriteInPlaceRestoresTheFileFromItsBackup) {
    for (const qint64 size : Sizes) {
        SCOPED_TRACE(size);
        const QByteArray original = pattern(size - 1);
        writeRaw(path("a.txt"), original);
        QFile::remove(path("b.txt"));
        ASSERT_EQ(link(QFile::encodeName(path("a.txt")).constData(),
                       QFile::encodeName(path("b.txt")).constData()),
                  0);
        for (const qint64 written : {size + 1, 2 * size + 1}) {
            const int status = runUnderFileSizeLimit(rlim_t(size), [&] {
                QString error;
                if (replaceFileContents(path("a.txt"), filled(written, 'n'), &error))
                    return 1;
                return error.contains(u"restored from its backup"_s) ? 0 : 2;
            });
            EXPECT_EQ(status, 0);
            EXPECT_EQ(readRaw(path("a.txt")), original);
            EXPECT_EQ(readRaw(path("b.txt")), original);
            EXPECT_TRUE(backups().isEmpty());
        }
        EXPECT_EQ(runUnderFileSizeLimit(
                      rlim_t(size),
                      [&] { return replaceFileContents(path("a.txt"), pattern(size)) ? 0 : 1; }),
                  0);
        EXPECT_EQ(readRaw(path("b.txt")), pattern(size));
    }
    EXPECT_EQ(entries(), (QStringList{"a.txt", "b.txt"}));
}

} // namespace
