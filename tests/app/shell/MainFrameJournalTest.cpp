#include "tests/app/shell/MainFrameTestSupport.h"

#include "common/RecoveryFolder.h"

#include <orvenly/TextBox.h>

namespace {

using namespace Qt::StringLiterals;
using orvenly::msgbox::Cancel;
using orvenly::msgbox::No;

// The answers of the restore question.
constexpr int32_t Restore = 0;
constexpr int32_t Discard = 1;
constexpr int32_t Later = 2;

// Documents whose work a frame kept in journals, and a later start that offers it back.
class MainFrameJournalTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        recovery = std::make_unique<penlark::RecoveryFolder>(dir.filePath(u"recovery"_s));
    }

    penlark::cMainFrame& startKeeping(const QStringList& files = {}) {
        frame = std::make_unique<penlark::cMainFrame>(settings);
        frame->setRecoveryFolder(recovery.get());
        frame->Load(files);
        return *frame;
    }

    // A run that ends without asking anything, as a kill does for the journals.
    void endWithoutAsking() {
        for (penlark::ChildWindow& document : frame->m_Documents())
            document.FlushJournal();
        frame.reset();
    }

    void select(penlark::ChildWindow& document, int anchor, int caret) {
        document.txtEdit().setSelection(anchor, caret);
    }

    std::unique_ptr<penlark::RecoveryFolder> recovery;
};

TEST_F(MainFrameJournalTest, SavingOrAnsweringNoRemovesTheJournalAndCancelKeepsIt) {
    startKeeping();
    penlark::ChildWindow& saved = modifiedDocument(u"saved.txt"_s);
    saved.FlushJournal();
    ASSERT_EQ(recovery->journals().size(), 1);
    ASSERT_TRUE(frame->SaveDocumentFile(saved));
    EXPECT_TRUE(recovery->journals().isEmpty());

    penlark::ChildWindow& closed = modifiedDocument(u"closed.txt"_s);
    closed.FlushJournal();
    answer(u"MsgBox"_s, Cancel);
    closed.subWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(recovery->journals().size(), 1);
    answer(u"MsgBox"_s, No);
    closed.subWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recovery->journals().isEmpty());
    EXPECT_EQ(readFile(dir.filePath(u"closed.txt"_s)), "text\r\n");

    // "Don't save any" in the close walk, and a frame that goes without asking keeps them.
    modifiedDocument(u"one.txt"_s).FlushJournal();
    modifiedDocument(u"two.txt"_s).FlushJournal();
    ASSERT_EQ(recovery->journals().size(), 2);
    answer(u"Confirm"_s, 4);
    EXPECT_TRUE(closeFrame());
    EXPECT_TRUE(recovery->journals().isEmpty());
}

TEST_F(MainFrameJournalTest, ANewAndAnOpenedDocumentComeBackWithTextFormatAndCaret) {
    // "吾輩は猫である。名前はまだ無い。" in EUC-JP with an LF break.
    const QByteArray euc = "\xb8\xe3\xc7\xda\xa4\xcf\xc7\xad\xa4\xc7\xa4\xa2\xa4\xeb\xa1\xa3"
                           "\xcc\xbe\xc1\xb0\xa4\xcf\xa4\xde\xa4\xc0\xcc\xb5\xa4\xa4\xa1\xa3";
    const QString path = writeFile(u"euc.txt"_s, euc + "\n");
    startKeeping({path});
    penlark::ChildWindow& opened = document(1);
    ASSERT_TRUE(opened.Reopen(orvenly::SCS_EUC, orvenly::SLB_UNKNOWN));
    opened.Editor().SetSelStart(16);
    opened.Editor().ReplaceSel(u"えお\r\n"_s);
    select(opened, 1, 2);
    answer(u"FileSave"_s, 0); // no new document is saved
    item(FileCmd::New)->trigger();
    penlark::ChildWindow& fresh = document(2);
    fresh.Editor().ReplaceSel(u"新しい文書\r\n二行目"_s);
    fresh.SetBreakCode(orvenly::SLB_CR);
    select(fresh, 8, 8);
    endWithoutAsking();
    ASSERT_EQ(recovery->journals().size(), 2);

    answer(u"Recover"_s, Restore);
    startKeeping();
    ASSERT_EQ(asked(u"Recover"_s), 1);
    const Request& offer = *std::find_if(requests.begin(), requests.end(),
                                         [](const Request& r) { return r.kind == u"Recover"_s; });
    ASSERT_EQ(offer.details.size(), 2);
    EXPECT_TRUE(offer.details[0].startsWith(path + u'\t')) << offer.details[0].toStdString();
    EXPECT_TRUE(offer.details[0].endsWith(u"\t3 文字"_s));
    EXPECT_TRUE(offer.details[1].startsWith(u"無題\t"_s));
    ASSERT_EQ(documentCount(), 2);

    penlark::ChildWindow& back = document(1);
    EXPECT_EQ(back.FullPath(), path);
    EXPECT_EQ(back.Editor().Text(), u"吾輩は猫である。名前はまだ無い。えお\r\n\r\n"_s);
    EXPECT_EQ(back.Form(), orvenly::SCS_EUC);
    EXPECT_EQ(back.BreakCode(), orvenly::SLB_LF);
    EXPECT_TRUE(back.Editor().Modify());
    EXPECT_EQ(back.txtEdit().anchor(), 1);
    EXPECT_EQ(back.txtEdit().cursorPosition(), 2);
    penlark::ChildWindow& freshBack = document(2);
    EXPECT_FALSE(freshBack.CanOverWrite());
    EXPECT_EQ(freshBack.Editor().Text(), u"新しい文書\r\n二行目"_s);
    EXPECT_EQ(freshBack.BreakCode(), orvenly::SLB_CR);
    EXPECT_EQ(freshBack.txtEdit().cursorPosition(), 8);

    // The restored documents go on with their journals; saving one removes its own.
    ASSERT_EQ(recovery->journals().size(), 2);
    ASSERT_TRUE(frame->SaveDocumentFile(back));
    EXPECT_EQ(readFile(path), euc + "\xa4\xa8\xa4\xaa\n\n");
    EXPECT_EQ(recovery->journals().size(), 1);
}

TEST_F(MainFrameJournalTest, LaterKeepsTheJournalsAndDiscardRemovesThem) {
    startKeeping();
    item(FileCmd::New)->trigger();
    document(1).Editor().ReplaceSel(u"work"_s);
    endWithoutAsking();

    answer(u"Recover"_s, Later);
    startKeeping();
    EXPECT_EQ(documentCount(), 0);
    frame.reset();
    EXPECT_EQ(recovery->journals().size(), 1);

    answer(u"Recover"_s, Discard);
    startKeeping();
    EXPECT_EQ(documentCount(), 0);
    EXPECT_TRUE(recovery->journals().isEmpty());
}

// A bad journal beside a good one: the good one is restored, the bad one named and kept; a
// file changed since its copy was taken is asked about as any change on disk is.
TEST_F(MainFrameJournalTest, BadJournalsAreNamedAndKeptAndChangedFilesAreAskedAbout) {
    const QString path = writeFile(u"doc.txt"_s, "first\r\n");
    startKeeping({path});
    document(1).Editor().ReplaceSel(u"typed "_s);
    endWithoutAsking();
    ASSERT_TRUE(recovery->prepare());
    QFile bad(recovery->path() + u"/0-bad.journal"_s);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("PLKJ\x01\0\0\0garbage", 15);
    bad.close();
    QFile newer(recovery->path() + u"/1-newer.journal"_s);
    ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
    newer.write("PLKJ\x09\0\0\0", 8);
    newer.close();
    writeFile(u"doc.txt"_s, "changed meanwhile\r\n");

    answer(u"Recover"_s, Restore);
    answer(u"MsgBox"_s, No); // do not read the changed file again
    startKeeping();
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(document(1).Editor().Text(), u"typed first\r\n"_s);
    QStringList messages;
    for (const Request& request : requests)
        if (request.kind == u"MsgBox"_s)
            messages.append(request.text);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(
        messages[0].contains(u"再読み込みすると、このウィンドウで編集した内容は失われます"_s));
    EXPECT_TRUE(messages[1].contains(u"0-bad.journal: 記録が壊れています。"_s));
    EXPECT_TRUE(messages[1].contains(u"1-newer.journal: 新しい版の Penlark"_s));
    EXPECT_EQ(recovery->journals().size(), 3);
}

} // namespace
