#include "orvenly/FileSystem.h"
#include "tests/support/RawFiles.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using orvenly::FileSystem;

namespace {

class FullPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // The temporary folder may lie behind a link; names come back as the system lists them.
        root = QDir(m_dir.path()).canonicalPath();
        ASSERT_TRUE(QDir(root).mkpath(u"x/y"_qs));
        ASSERT_TRUE(QDir(root).mkpath(u"x/b"_qs));
        writeRaw(root + u"/x/b/notes.txt"_qs, "n");
        writeRaw(root + u"/x/b/a.txt"_qs, "a");
        writeRaw(root + u"/x/b/back\\slash"_qs, "s");
    }

    QString full(const QString& path, const QString& base = {}) const {
        return FileSystem::instance().GetFullPath(path, base);
    }

    QTemporaryDir m_dir;
    QString root;
};

} // namespace

TEST_F(FullPathTest, RelativePathsResolveAgainstTheBase) {
    const QString base = root + u"/x/y/"_qs;
    EXPECT_EQ(full(u"../b"_qs, base), root + u"/x/b/"_qs);
    EXPECT_EQ(full(u"../b/a.txt"_qs, root + u"/x/y"_qs), root + u"/x/b/a.txt"_qs);
    EXPECT_EQ(full(u"..."_qs, base), root + u"/"_qs) << "three dots climb two levels";
    EXPECT_EQ(full(u"././/b//notes.txt"_qs, root + u"/x"_qs), root + u"/x/b/notes.txt"_qs);
    EXPECT_EQ(full(QString(), base), base);
    EXPECT_EQ(full(u"/"_qs, base), u"/"_qs);
    EXPECT_EQ(full(root + u"/x/b/../y"_qs), root + u"/x/y/"_qs);
}

TEST_F(FullPathTest, WithoutABaseTheCurrentFolderServes) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root + u"/x"_qs));
    const QString found = full(u"b/a.txt"_qs);
    QDir::setCurrent(before);
    EXPECT_EQ(found, root + u"/x/b/a.txt"_qs);
}

TEST_F(FullPathTest, WhatCannotBeResolvedGivesNothing) {
    EXPECT_EQ(full(root + u"/x/../../../../../../../../../../../../../.."_qs), QString());
    EXPECT_EQ(full(u"missing"_qs, root), QString());
    EXPECT_EQ(full(u"x/b/a.txt/more"_qs, root), QString()) << "a file is no folder";
    EXPECT_EQ(full(u"x"_qs, u"relative/base"_qs), QString());
    EXPECT_EQ(full(u"C:\\x"_qs, root), QString()) << "drives mean nothing here";
    EXPECT_EQ(full(u"c:x"_qs, root), QString());
    EXPECT_EQ(full(u"\\\\server\\share"_qs, root), QString());
    EXPECT_EQ(full(u"x/b/a\0.txt"_qs, root), QString()) << "no name holds a NUL";
}

TEST_F(FullPathTest, ABackslashIsPartOfAName) {
    EXPECT_EQ(full(u"x/b/back\\slash"_qs, root), root + u"/x/b/back\\slash"_qs);
    EXPECT_EQ(full(u"x\\b"_qs, root), QString());
}

TEST_F(FullPathTest, WildcardsInTheLastComponentOnly) {
    EXPECT_EQ(full(u"x/b/*.txt"_qs, root), root + u"/x/b/a.txt"_qs) << "first in name order";
    EXPECT_EQ(full(u"x/b/n?tes.*"_qs, root), root + u"/x/b/notes.txt"_qs);
    EXPECT_EQ(full(u"x/*"_qs, root), root + u"/x/b/"_qs);
    EXPECT_EQ(full(u"x/*/a.txt"_qs, root), QString());
    EXPECT_EQ(full(u"x/b/*.doc"_qs, root), QString());
}

TEST_F(FullPathTest, DivideFilesArgumentResolvesEachArgument) {
    const auto paths = FileSystem::instance().DivideFilesArgument(
        u"b/a.txt \"b/notes.txt\" missing.txt \"b/a.txt   \""_qs, root + u"/x"_qs);
    QStringList found;
    for (const QString& path : paths)
        found << path;
    EXPECT_EQ(found, (QStringList{root + u"/x/b/a.txt"_qs, root + u"/x/b/notes.txt"_qs,
                                  root + u"/x/b/a.txt"_qs}));
    EXPECT_EQ(FileSystem::instance().DivideFilesArgument(QString(), root).Count(), 0);
}
