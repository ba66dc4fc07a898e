#include "tests/support/RawFiles.h"
#include "tests/support/TestSupport.h"

#include "common/Document.h"

#include <orvenly/TextConversion.h>
#include <platform/ReadableFile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

const FileFormat Recognise{SCS_UNKNOWN, SLB_UNKNOWN};

// Long enough for recognition to tell EUC-JP from Shift_JIS.
const QString Sample =
    u"吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。\r\n"_s.repeated(4) +
    u"ASCII 123\r\n"_s;

class DocumentTest : public ::testing::Test, WidgetsFirst {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Loads bytes written in format, its break code recognised, and checks the document took
    // them as such.
    void load(const QByteArray& bytes, const FileFormat& format) {
        writeRaw(path("in.txt"), bytes);
        ASSERT_TRUE(document.load(path("in.txt"), {format.form.charset, SLB_UNKNOWN}, true));
        EXPECT_EQ(document.format(), format);
        EXPECT_EQ(document.storage().Text(), Sample);
    }

    // Types at the end of the text, as an edit that undo can take back.
    void edit() {
        orvenly::PieceTree& text = document.storage().tree();
        text.insert(text.length(), u"追加"_s);
    }

    // What a failed load must not change.
    struct Snapshot {
        QString text;
        FileFormat format;
        bool modified;
        bool canUndo;
        QString fullPath;
    };
    Snapshot snapshot() const {
        return {document.storage().Text(), document.format(), document.isModified(),
                document.storage().CanUndo(), document.FullPath()};
    }
    void expectUnchanged(const Snapshot& before) const {
        EXPECT_EQ(document.storage().Text(), before.text);
        EXPECT_EQ(document.format(), before.format);
        EXPECT_EQ(document.isModified(), before.modified);
        EXPECT_EQ(document.storage().CanUndo(), before.canUndo);
        EXPECT_EQ(document.FullPath(), before.fullPath);
    }

    QTemporaryDir dir;
    Document document;
};

TEST_F(DocumentTest, LoadsAndSavesEveryFormByteForByte) {
    const FileFormat formats[] = {{SCS_SHIFTJIS, SLB_CRLF}, {SCS_EUC, SLB_LF},
                                  {SCS_JIS, SLB_CR},        {TextForm(SCS_UTF8, true), SLB_LF},
                                  {SCS_UTF16LE, SLB_CRLF},  {TextForm(SCS_UTF16BE, true), SLB_CR}};
    for (const FileFormat& format : formats) {
        SCOPED_TRACE(format.form.name().toStdString());
        const QByteArray bytes = encodeText(Sample, format.form, format.breakCode, false);
        load(bytes, format);
        EXPECT_FALSE(document.isModified());
        ASSERT_TRUE(document.save(path("out.txt"), document.storage().Text(), format, false, true));
        EXPECT_EQ(readRaw(path("out.txt")), bytes);
        EXPECT_EQ(document.FileName(), u"out.txt"_s);
    }
    // Characters other editors take for paragraph breaks are text like any other.
    const QByteArray separators = "one\xe2\x80\xa9two\xef\xb7\x90\r\nthree";
    writeRaw(path("separators.txt"), separators);
    ASSERT_TRUE(document.load(path("separators.txt"), {TextForm(SCS_UTF8), SLB_UNKNOWN}, true));
    ASSERT_TRUE(
        document.save(path("out.txt"), document.storage().Text(), document.format(), false, true));
    EXPECT_EQ(readRaw(path("out.txt")), separators);
}

TEST_F(DocumentTest, AFailedLoadReloadOrReopenLeavesTheDocumentAsItWas) {
    load(encodeText(Sample, SCS_EUC, SLB_LF, false), {SCS_EUC, SLB_LF});
    edit();
    const Snapshot before = snapshot();
    ASSERT_TRUE(before.modified && before.canUndo);

    DocumentResult result = document.load(path("missing.txt"), {}, true);
    EXPECT_EQ(result.error, DocumentError::NotFound);
    expectUnchanged(before);

    EXPECT_EQ(document.load(dir.path(), {}, true).error, DocumentError::IsFolder);
    expectUnchanged(before);
    EXPECT_EQ(document.load(u"/dev/zero"_s, {}, true).error, DocumentError::IsFolder);
    expectUnchanged(before);

    writeRaw(path("big.txt"), QByteArray(11, 'x'));
    document.setMaxFileSize(10);
    EXPECT_EQ(document.load(path("big.txt"), {}, true).error, DocumentError::TooLarge);
    expectUnchanged(before);
    document.setMaxFileSize(platform::MaxTextFileSize);

    // More than any memory could hold (a sparse file): refused before it is read.
    {
        QFile huge(path("huge.txt"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(int64_t(1) << 40));
    }
    document.setMaxFileSize(int64_t(1) << 62);
    EXPECT_EQ(document.load(path("huge.txt"), {}, true).error, DocumentError::OutOfMemory);
    expectUnchanged(before);
    document.setMaxFileSize(platform::MaxTextFileSize);

    // The file goes away under the document: neither a reload nor a reopen touches it.
    ASSERT_TRUE(QFile::remove(path("in.txt")));
    EXPECT_EQ(document.reload().error, DocumentError::NotFound);
    expectUnchanged(before);
    EXPECT_EQ(document.reopen({SCS_SHIFTJIS, SLB_CRLF}).error, DocumentError::NotFound);
    expectUnchanged(before);
}

TEST_F(DocumentTest, ReopenReadsTheFileAgainInTheFormGiven) {
    const QByteArray bytes = encodeText(Sample, SCS_SHIFTJIS, SLB_CRLF, false);
    load(bytes, {SCS_SHIFTJIS, SLB_CRLF});
    ASSERT_TRUE(document.reopen({SCS_OCTETSTREAM, SLB_LF}));
    EXPECT_EQ(document.format(), (FileFormat{SCS_OCTETSTREAM, SLB_LF}));
    // A reload keeps the form asked for at the last open.
    ASSERT_TRUE(document.reload());
    EXPECT_EQ(document.format().form.charset, SCS_OCTETSTREAM);
    EXPECT_FALSE(document.isModified());
}

TEST_F(DocumentTest, SaveFailuresNameTheirCauseAndKeepTheDocument) {
    load(encodeText(Sample, SCS_SHIFTJIS, SLB_CRLF, false), {SCS_SHIFTJIS, SLB_CRLF});
    edit();
    const Snapshot before = snapshot();
    const QString text = document.storage().Text();
    EXPECT_EQ(document.save(path("no/such/folder.txt"), text, before.format, false, true).error,
              DocumentError::NotFound);
    expectUnchanged(before);
    EXPECT_EQ(document.save(dir.path(), text, before.format, false, true).error,
              DocumentError::IsFolder);
    expectUnchanged(before);

    EXPECT_EQ(documentErrorOf(ENOSPC), DocumentError::DiskFull);
    EXPECT_EQ(documentErrorOf(EROFS), DocumentError::ReadOnlyDisk);
    EXPECT_EQ(documentErrorOf(EFBIG), DocumentError::TooLarge);
    // A failure the system gave no number for is still a failure.
    EXPECT_EQ(documentErrorOf(0), DocumentError::Other);
    EXPECT_EQ(causeText({DocumentError::DiskFull, {}}),
              u"原因: ディスクの空き容量が不足しています。"_s);
    EXPECT_EQ(causeText({DocumentError::Other, u"Input/output error"_s}),
              u"原因: Input/output error"_s);
}

TEST_F(DocumentTest, MixedLineBreaksAreNoticedUntilASaveUnifiesThem) {
    writeRaw(path("mixed.txt"), "one\r\ntwo\nthree\rfour");
    ASSERT_TRUE(document.load(path("mixed.txt"), Recognise, true));
    EXPECT_TRUE(document.mixedBreaks());
    ASSERT_TRUE(document.save(path("mixed.txt"), document.storage().Text(), document.format(),
                              false, true));
    EXPECT_FALSE(document.mixedBreaks());
    EXPECT_EQ(readRaw(path("mixed.txt")), "one\r\ntwo\r\nthree\r\nfour");

    // Given break codes, and files of one kind, are not mixed; UTF-16 is read by its units.
    writeRaw(path("lf.txt"), "one\ntwo\n");
    ASSERT_TRUE(document.load(path("lf.txt"), Recognise, true));
    EXPECT_FALSE(document.mixedBreaks());
    ASSERT_TRUE(document.load(path("mixed.txt"), {SCS_UNKNOWN, SLB_CRLF}, true));
    EXPECT_FALSE(document.mixedBreaks());
    writeRaw(path("utf16.txt"), QByteArray("\xff\xfe"
                                           "a\0\r\0\n\0b\0\n\0",
                                           12));
    ASSERT_TRUE(document.load(path("utf16.txt"), Recognise, true));
    EXPECT_TRUE(document.mixedBreaks());
}

} // namespace
