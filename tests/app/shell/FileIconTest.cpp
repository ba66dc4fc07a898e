#include "shell/FileIcon.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

TEST(FileIconTest, MissingOrUnnamedFileGivesAnEmptyIcon) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir dir;
    EXPECT_TRUE(penlark::GetFileIcon(dir.filePath(u"missing.txt"_s)).isNull());
    EXPECT_TRUE(penlark::GetFileIcon(QString()).isNull());
}

TEST(FileIconTest, ExistingFileGivesAnIconThatDraws) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir dir;
    const QString path = dir.filePath(u"memo.txt"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("text\n");
    file.close();
    const QIcon icon = penlark::GetFileIcon(path);
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(16, 16).isNull());
}

} // namespace
