#include "tests/app/shell/MainFrameTestSupport.h"

#include "dialogs/cDlgSelectFormat.h"
#include "orvenly/MRU.h"
#include "orvenly/StringConversion.h"
#include "platform/Cp932.h"

#include <QFile>
#include <QTest>

namespace {

using namespace Qt::StringLiterals;
using orvenly::msgbox::No;
using orvenly::msgbox::Yes;

// Another program beside the editor: it rewrites and deletes the documents' files.
class MainFrameDiskTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        path = writeFile(u"doc.txt"_s, "as read\r\n");
        start({path});
        ASSERT_EQ(documentCount(), 1);
    }

    penlark::ChildWindow& doc() { return document(1); }

    // Writes the file in place, as many programs do, so that only its contents and time change.
    void writeInPlace(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        file.write(bytes);
    }

    bool waitForQuestions(int count) {
        return QTest::qWaitFor([&] { return asked(u"MsgBox"_s) >= count; });
    }

    QString lastQuestion() const { return requests.back().text; }

    QString path;
};

TEST_F(MainFrameDiskTest, AnUnchangedDocumentIsReadAgainWhenTheUserSaysSo) {
    answer(u"MsgBox"_s, Yes);
    writeInPlace("changed outside\r\n");
    ASSERT_TRUE(waitForQuestions(1));
    EXPECT_EQ(lastQuestion(), u"ファイル '%1' は他のプログラムによって変更されました。\n\n"
                              u"再読み込みしますか？"_s.arg(path));
    EXPECT_EQ(doc().Editor().Text(), u"changed outside\r\n"_s);
    EXPECT_FALSE(doc().Editor().Modify());

    // No keeps the text; the same change is not asked about again.
    answer(u"MsgBox"_s, No);
    writeInPlace("changed again\r\n");
    ASSERT_TRUE(waitForQuestions(2));
    EXPECT_EQ(doc().Editor().Text(), u"changed outside\r\n"_s);
    frame->OnDocumentActivate(doc());
    EXPECT_EQ(asked(u"MsgBox"_s), 2);
}

TEST_F(MainFrameDiskTest, EditsAreKeptUnlessTheUserGivesThemUpAndASaveAsksFirst) {
    doc().Editor().SetSel(0, 0);
    doc().Editor().ReplaceSel(u"mine "_s);
    answer(u"MsgBox"_s, No);
    writeInPlace("theirs\r\n");
    ASSERT_TRUE(waitForQuestions(1));
    EXPECT_TRUE(lastQuestion().contains(u"編集した内容は失われます"_s));
    EXPECT_EQ(requests.back().style, orvenly::msgbox::YesNo | orvenly::msgbox::Exclamation |
                                         orvenly::msgbox::DefaultButton2);
    EXPECT_EQ(doc().Editor().Text(), u"mine as read\r\n"_s);
    EXPECT_TRUE(doc().Editor().Modify());

    // A save would replace their change: asked first, and No writes nothing.
    answer(u"MsgBox"_s, No);
    item(FileCmd::Save)->trigger();
    EXPECT_TRUE(lastQuestion().contains(u"上書き保存しますか"_s));
    EXPECT_EQ(readFile(path), "theirs\r\n");
    EXPECT_TRUE(doc().Editor().Modify());
    answer(u"MsgBox"_s, Yes);
    item(FileCmd::Save)->trigger();
    EXPECT_EQ(readFile(path), "mine as read\r\n");
    EXPECT_FALSE(doc().Editor().Modify());
    const int questions = asked(u"MsgBox"_s);

    // The editor's own save is no change by another program; the next one is.
    answer(u"MsgBox"_s, No);
    writeInPlace("theirs once more\r\n");
    ASSERT_TRUE(waitForQuestions(questions + 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(asked(u"MsgBox"_s), questions + 1);
}

// Some changes escape the watch; coming back to the document finds them.
TEST_F(MainFrameDiskTest, ActivationLooksAtTheFileToo) {
    answer(u"MsgBox"_s, Yes);
    QFile::remove(path);
    writeFile(u"doc.txt"_s, "replaced\r\n");
    frame->OnDocumentActivate(doc());
    EXPECT_EQ(asked(u"MsgBox"_s), 1);
    EXPECT_EQ(doc().Editor().Text(), u"replaced\r\n"_s);
    // The watch's notice of the same change, which comes before that of the next one, asks
    // nothing more.
    answer(u"MsgBox"_s, No);
    writeInPlace("changed in place\r\n");
    ASSERT_TRUE(waitForQuestions(2));
    QCoreApplication::processEvents();
    EXPECT_EQ(asked(u"MsgBox"_s), 2);
}

TEST_F(MainFrameDiskTest, ADeletedFileIsMarkedAndWrittenAnewBySave) {
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc().FileDeleted(); }));
    EXPECT_TRUE(doc().Caption().endsWith(u"[削除済み]"_s));
    EXPECT_EQ(asked(u"MsgBox"_s), 0);
    EXPECT_EQ(doc().Editor().Text(), u"as read\r\n"_s);

    item(FileCmd::Save)->trigger();
    EXPECT_EQ(asked(u"MsgBox"_s), 0);
    EXPECT_EQ(readFile(path), "as read\r\n");
    EXPECT_FALSE(doc().FileDeleted());
    EXPECT_FALSE(doc().Caption().contains(u"削除済み"_s));
}

TEST_F(MainFrameTest, ReopenReadsTheFileAgainInTheChosenCharset) {
    const QString text = u"日本語の文章\r\n"_s;
    const QString path = writeFile(u"sjis.txt"_s, platform::cp932::encode(text));
    start();
    answer(u"FileOpen"_s, 2, {path});
    answer(u"SelectFormat"_s, penlark::formatSelection(orvenly::SCS_EUC, 0));
    item(FileCmd::Open)->trigger();
    penlark::ChildWindow& opened = *frame->ActiveDocument();
    ASSERT_EQ(opened.Charset(), orvenly::SCS_EUC);
    EXPECT_NE(opened.Editor().Text(), text);
    ASSERT_TRUE(item(FileCmd::Reopen)->isEnabled());

    // Edited: asked first, and No leaves everything.
    opened.Editor().ReplaceSel(u"x"_s);
    answer(u"MsgBox"_s, No);
    item(FileCmd::Reopen)->trigger();
    EXPECT_EQ(asked(u"SelectFormat"_s), 1);
    EXPECT_TRUE(opened.Editor().Modify());

    answer(u"MsgBox"_s, Yes);
    answer(u"SelectFormat"_s, penlark::formatSelection(orvenly::SCS_SHIFTJIS, 0));
    item(FileCmd::Reopen)->trigger();
    ASSERT_EQ(asked(u"SelectFormat"_s), 2);
    // The dialog came with the document's charset and break code chosen.
    EXPECT_EQ(requests.back().details, QStringList{QString::number(penlark::formatSelection(
                                           orvenly::SCS_EUC, orvenly::SLB_CRLF))});
    EXPECT_EQ(opened.Editor().Text(), text);
    EXPECT_EQ(opened.Charset(), orvenly::SCS_SHIFTJIS);
    EXPECT_FALSE(opened.Editor().Modify());
    EXPECT_EQ(frame->ActiveDocument(), &opened);
    EXPECT_EQ(documentCount(), 1);
    EXPECT_EQ(frame->MRUFiles().Count(), 1);

    // Unedited, it goes straight to the format; cancelling it changes nothing.
    answer(u"SelectFormat"_s, penlark::FormatCancelled);
    item(FileCmd::Reopen)->trigger();
    EXPECT_EQ(asked(u"MsgBox"_s), 2);
    EXPECT_EQ(opened.Charset(), orvenly::SCS_SHIFTJIS);
}

} // namespace
