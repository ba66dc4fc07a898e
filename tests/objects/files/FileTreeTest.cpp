#include "orvenly/FileSystem.h"
#include "tests/support/RawFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using orvenly::FileSystem;
namespace errors = orvenly::errors;

namespace {

const FileSystem& fs() {
    return FileSystem::instance();
}

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0)
        ::close(fd);
    return done;
}

int mode(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return int(status.st_mode & 07777);
}

class FileTreeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileTreeTest, MkDirExCreatesEveryMissingFolder) {
    EXPECT_TRUE(fs().MkDirEx(path(u"a/b/c/"_qs)));
    EXPECT_TRUE(QFileInfo(path(u"a/b/c"_qs)).isDir());
    EXPECT_TRUE(fs().MkDirEx(path(u"a//b/d"_qs)));
    EXPECT_TRUE(QFileInfo(path(u"a/b/d"_qs)).isDir());
    EXPECT_TRUE(fs().MkDirEx(path(u"a/b"_qs))) << "all there already";
    EXPECT_TRUE(fs().MkDirEx(u"/"_qs));
    EXPECT_FALSE(fs().MkDirEx(QString()));
}

TEST_F(FileTreeTest, MkDirExStopsAtSomethingThatIsNoFolder) {
    ASSERT_TRUE(QDir().mkpath(path(u"a"_qs)));
    writeRaw(path(u"a/b"_qs), "file");
    EXPECT_FALSE(fs().MkDirEx(path(u"a/b/c"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"a/b/c"_qs)));
    ASSERT_TRUE(QFile::link(path(u"nowhere"_qs), path(u"dangling"_qs)));
    EXPECT_FALSE(fs().MkDirEx(path(u"dangling/c"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"nowhere"_qs)));
}

TEST_F(FileTreeTest, RmDirExRemovesReadOnlyEntriesAndLinksAsLinks) {
    ASSERT_TRUE(QDir().mkpath(path(u"tree/sub/deeper"_qs)));
    ASSERT_TRUE(QDir().mkpath(path(u"outside"_qs)));
    writeRaw(path(u"outside/keep.txt"_qs), "keep");
    writeRaw(path(u"tree/ro.txt"_qs), "ro");
    writeRaw(path(u"tree/sub/deeper/f.txt"_qs), "f");
    ASSERT_TRUE(QFile::link(path(u"outside"_qs), path(u"tree/sub/link"_qs)));
    ::chmod(QFile::encodeName(path(u"tree/ro.txt"_qs)).constData(), 0444);
    ::chmod(QFile::encodeName(path(u"tree/sub/deeper"_qs)).constData(), 0555);
    ::chmod(QFile::encodeName(path(u"tree/sub"_qs)).constData(), 0);

    EXPECT_TRUE(fs().RmDirEx(path(u"tree/"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"tree"_qs)));
    EXPECT_EQ(readRaw(path(u"outside/keep.txt"_qs)), "keep");
}

TEST_F(FileTreeTest, RmDirExRefusesALinkAndWhatIsNoFolder) {
    ASSERT_TRUE(QDir().mkpath(path(u"real"_qs)));
    writeRaw(path(u"real/keep.txt"_qs), "keep");
    ASSERT_TRUE(QFile::link(path(u"real"_qs), path(u"link"_qs)));
    EXPECT_FALSE(fs().RmDirEx(path(u"link"_qs)));
    EXPECT_FALSE(fs().RmDirEx(path(u"link/"_qs)));
    EXPECT_EQ(readRaw(path(u"real/keep.txt"_qs)), "keep");
    EXPECT_TRUE(QFileInfo(path(u"link"_qs)).isSymLink());
    EXPECT_FALSE(fs().RmDirEx(path(u"real/keep.txt"_qs)));
    EXPECT_FALSE(fs().RmDirEx(path(u"missing"_qs)));
}

TEST_F(FileTreeTest, RmDirExGoesOnPastWhatCannotBeRemoved) {
    ASSERT_TRUE(QDir().mkpath(path(u"tree/a"_qs)));
    ASSERT_TRUE(QDir().mkpath(path(u"tree/b"_qs)));
    writeRaw(path(u"tree/a/stuck.txt"_qs), "stuck");
    writeRaw(path(u"tree/a/other.txt"_qs), "other");
    writeRaw(path(u"tree/b/f.txt"_qs), "f");
    writeRaw(path(u"tree/z.txt"_qs), "z");
    if (!setImmutable(path(u"tree/a/stuck.txt"_qs), true))
        GTEST_SKIP() << "no immutable flag here: nothing stays in the way of a removal";
    const bool removed = fs().RmDirEx(path(u"tree"_qs));
    setImmutable(path(u"tree/a/stuck.txt"_qs), false);
    EXPECT_FALSE(removed);
    EXPECT_TRUE(QFileInfo::exists(path(u"tree/a/stuck.txt"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"tree/a/other.txt"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"tree/b"_qs)));
    EXPECT_FALSE(QFileInfo::exists(path(u"tree/z.txt"_qs)));
}

TEST_F(FileTreeTest, FileCopyExCopiesContentPermissionsAndTimes) {
    const QString source = path(u"source.txt"_qs);
    writeRaw(source, "content");
    ::chmod(QFile::encodeName(source).constData(), 0640);
    const timespec times[2] = {{1000000000, 5}, {1200000000, 7}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(source).constData(), times, 0), 0);
    writeRaw(path(u"copy.txt"_qs), "old and longer");

    EXPECT_TRUE(fs().FileCopyEx(source, path(u"copy.txt"_qs)));
    struct stat copied {};
    ::stat(QFile::encodeName(path(u"copy.txt"_qs)).constData(), &copied);
    EXPECT_EQ(copied.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(copied.st_mtim.tv_nsec, 7);
    EXPECT_EQ(copied.st_atim.tv_sec, 1000000000) << "taken before the copy read the source";
    EXPECT_EQ(mode(path(u"copy.txt"_qs)), 0640);
    EXPECT_EQ(readRaw(path(u"copy.txt"_qs)), "content");
}

TEST_F(FileTreeTest, FileCopyExOntoItselfKeepsTheFile) {
    const QString source = path(u"self.txt"_qs);
    writeRaw(source, "precious");
    ASSERT_TRUE(QFile::link(source, path(u"link.txt"_qs)));
    ASSERT_EQ(::link(QFile::encodeName(source).constData(),
                     QFile::encodeName(path(u"hard.txt"_qs)).constData()),
              0);
    EXPECT_TRUE(fs().FileCopyEx(source, source));
    EXPECT_TRUE(fs().FileCopyEx(source, path(u"link.txt"_qs)));
    EXPECT_TRUE(fs().FileCopyEx(path(u"hard.txt"_qs), source));
    EXPECT_EQ(readRaw(source), "precious");
    EXPECT_TRUE(QFileInfo(path(u"link.txt"_qs)).isSymLink());
}

TEST_F(FileTreeTest, FileCopyExRaisesTheRuntimesErrors) {
    writeRaw(path(u"source.txt"_qs), "content");
    EXPECT_EQ(errorOf([&] { fs().FileCopyEx(path(u"missing"_qs), path(u"copy"_qs)); }),
              errors::FileNotFound);
    EXPECT_EQ(errorOf([&] { fs().FileCopyEx(m_dir.path(), path(u"copy"_qs)); }),
              errors::PathFileAccessError);
    EXPECT_EQ(errorOf([&] { fs().FileCopyEx(path(u"source.txt"_qs), path(u"no/copy"_qs)); }),
              errors::PathFileAccessError);
    EXPECT_EQ(errorOf([&] { fs().FileCopyEx(path(u"source.txt"_qs), m_dir.path()); }),
              errors::PathFileAccessError);
    writeRaw(path(u"readonly.txt"_qs), "kept");
    ::chmod(QFile::encodeName(path(u"readonly.txt"_qs)).constData(), 0444);
    EXPECT_EQ(errorOf([&] { fs().FileCopyEx(path(u"source.txt"_qs), path(u"readonly.txt"_qs)); }),
              errors::PermissionDenied);
    EXPECT_EQ(readRaw(path(u"readonly.txt"_qs)), "kept");
}
