#include "tests/support/RawFiles.h"
#include "tests/support/TestSupport.h"

#include "common/Document.h"
#include "common/DocumentJournal.h"
#include "common/JournalRestore.h"
#include "common/RecoveryFolder.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// Edits as a user makes them, with line breaks, Japanese text, deletions and undo.
void editAtRandom(Document& document, QRandomGenerator& random, int count) {
    static const QString pieces[] = {u"あ"_s, u"吾輩は猫である。\n"_s, u"x"_s, u"\n"_s, u"〜😀"_s};
    orvenly::PieceTree& text = document.storage().tree();
    for (int i = 0; i < count; ++i) {
        const qsizetype length = text.length();
        const qsizetype at = random.bounded(int(length + 1));
        switch (random.bounded(5)) {
        case 0:
            text.remove(at, std::min<qsizetype>(length - at, random.bounded(8)));
            break;
        case 1:
            text.undo();
            break;
        default:
            text.insert(at, pieces[random.bounded(5)]);
        }
    }
}

class JournalTest : public ::testing::Test, WidgetsFirst {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // The text a restore of bytes gives, or "(none)" when nothing can be restored.
    QString restored(const QByteArray& bytes, bool* editsWhole = nullptr) {
        const JournalContents contents = readJournal(bytes);
        if (contents.status != JournalContents::Status::Whole &&
            contents.status != JournalContents::Status::Cut)
            return u"(none)"_s;
        Document copy;
        bool whole = false;
        if (!restoreDocument(copy, contents, whole))
            return u"(none)"_s;
        EXPECT_TRUE(copy.isModified());
        if (editsWhole)
            *editsWhole = whole;
        return copy.storage().Text();
    }

    QTemporaryDir dir;
    RecoveryFolder folder{dir.filePath(u"state/recovery"_s)};
};

// A journal written while editing, read back cut at every record boundary and at random
// bytes as a power cut leaves it: each cut restores the text as of its last whole record.
TEST_F(JournalTest, EveryCutRestoresTheTextOfItsLastWholeRecord) {
    Document document;
    document.makeNew();
    DocumentJournal journal(document, folder);
    document.applyEdit(0, 0, u"start\n"_s);
    // Undo never reaches the clean state, which would end the journal.
    document.storage().SetModify(false);
    document.storage().SetModify(true);
    QRandomGenerator random(24);
    std::vector<std::pair<qint64, QString>> written; // file size and text after each write
    for (int round = 0; round < 12; ++round) {
        editAtRandom(document, random, 1 + round * 3);
        ASSERT_TRUE(journal.flush());
        written.emplace_back(QFileInfo(journal.fileName()).size(), document.storage().Text());
    }
    const QByteArray bytes = readRaw(journal.fileName());
    ASSERT_EQ(bytes.size(), written.back().first);
    EXPECT_EQ(restored(bytes), written.back().second);

    // At every boundary, and one byte either side of it.
    for (size_t i = 0; i < written.size(); ++i) {
        const qint64 end = written[i].first;
        EXPECT_EQ(restored(bytes.left(end)), written[i].second) << end;
        if (i + 1 < written.size()) {
            EXPECT_EQ(restored(bytes.left(end + 1)), written[i].second) << end + 1;
        }
        const QString before = i == 0 ? u"(none)"_s : written[i - 1].second;
        EXPECT_EQ(restored(bytes.left(end - 1)), before) << end - 1;
    }
    for (int n = 0; n < 200; ++n) {
        const qint64 cut = random.bounded(bytes.size());
        QString expected = u"(none)"_s;
        for (const auto& [size, text] : written)
            if (size <= cut)
                expected = text;
        EXPECT_EQ(restored(bytes.left(cut)), expected) << cut;
    }

    // A byte changed in the middle of a record: the records before it restore, none after.
    for (int n = 0; n < 50; ++n) {
        QByteArray corrupt = bytes;
        const qint64 at = written[0].first + random.bounded(bytes.size() - written[0].first);
        corrupt[at] = char(corrupt[at] ^ (1 + random.bounded(255)));
        QString expected;
        for (const auto& [size, text] : written)
            if (size <= at)
                expected = text;
        EXPECT_EQ(restored(corrupt), expected) << at;
        EXPECT_EQ(readJournal(corrupt).status, JournalContents::Status::Cut);
    }
}

TEST_F(JournalTest, PrivateFilesThatGoWhenTheDocumentMatchesItsFileOrIsDiscarded) {
    writeRaw(path("doc.txt"), "\x82\xa0\r\n");
    Document document;
    ASSERT_TRUE(document.load(path("doc.txt"), {SCS_SHIFTJIS, SLB_UNKNOWN}, true));
    DocumentJournal journal(document, folder);
    EXPECT_TRUE(journal.flush());
    EXPECT_TRUE(journal.fileName().isEmpty()) << "an unmodified document needs no journal";

    document.applyEdit(0, 0, u"い"_s);
    ASSERT_TRUE(journal.flush());
    ASSERT_TRUE(QFile::exists(journal.fileName()));
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(folder.path()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(QFile::encodeName(journal.fileName()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const QString first = journal.fileName();
    ASSERT_TRUE(
        document.save(path("doc.txt"), document.storage().Text(), document.format(), false, true));
    EXPECT_FALSE(QFile::exists(first));

    document.applyEdit(0, 1, {});
    ASSERT_TRUE(journal.flush());
    const QString second = journal.fileName();
    ASSERT_TRUE(QFile::exists(second));
    journal.discard();
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_TRUE(folder.journals().isEmpty());
}

// A large file's journal holds its edits, not its text, and needs the file as it was.
TEST_F(JournalTest, ALargeFilesJournalGrowsWithItsEditsAndNeedsItsFile) {
    const QByteArray line = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcde\r\n";
    writeRaw(path("big.txt"), line.repeated(DocumentJournal::SnapshotLimit / 64 + 10));
    Document document;
    ASSERT_TRUE(document.load(path("big.txt"), {SCS_SHIFTJIS, SLB_UNKNOWN}, true));
    DocumentJournal journal(document, folder);
    document.applyEdit(100, 3, u"漢字\n"_s);
    ASSERT_TRUE(journal.flush());
    document.setBreakCode(SLB_LF);
    document.applyEdit(0, 0, u"先頭"_s);
    ASSERT_TRUE(journal.flush());
    EXPECT_LT(QFileInfo(journal.fileName()).size(), 1024);

    const QByteArray bytes = readRaw(journal.fileName());
    const JournalContents contents = readJournal(bytes);
    ASSERT_EQ(contents.status, JournalContents::Status::Whole);
    EXPECT_TRUE(contents.base.fromFile);
    EXPECT_EQ(contents.state.format, (FileFormat{SCS_SHIFTJIS, SLB_LF}));
    EXPECT_EQ(contents.state.changeSize, 3 + 3 + 2);
    Document copy;
    bool whole = false;
    ASSERT_TRUE(restoreDocument(copy, contents, whole));
    EXPECT_TRUE(whole);
    EXPECT_EQ(copy.storage().Text(), document.storage().Text());
    EXPECT_EQ(copy.format(), document.format());
    EXPECT_EQ(copy.FullPath(), document.FullPath());

    // Changed since: the edits have no base any more.
    writeRaw(path("big.txt"), "other");
    Document stale;
    EXPECT_EQ(restoreDocument(stale, contents, whole).error, DocumentError::ChangedSince);
}

TEST_F(JournalTest, HeadersThatAreNotOursOrNewerAreNotRead) {
    Document document;
    document.makeNew();
    DocumentJournal journal(document, folder);
    document.applyEdit(0, 0, u"text"_s);
    ASSERT_TRUE(journal.flush());
    QByteArray bytes = readRaw(journal.fileName());
    EXPECT_EQ(restored(bytes), u"text"_s);
    QByteArray newer = bytes;
    newer[4] = char(JournalVersion + 1);
    EXPECT_EQ(readJournal(newer).status, JournalContents::Status::Newer);
    EXPECT_EQ(readJournal("PLKX" + bytes.mid(4)).status, JournalContents::Status::Unreadable);
    EXPECT_EQ(readJournal({}).status, JournalContents::Status::Unreadable);
}

} // namespace
