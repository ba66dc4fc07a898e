#include "tests/app/shell/MainFrameTestSupport.h"

#include "dialogs/cDlgSelectFormat.h"

#include "orvenly/MRU.h"
#include "orvenly/ShellLink.h"
#include "orvenly/StringConversion.h"
#include "platform/Cp932.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace {

using namespace Qt::StringLiterals;
using orvenly::SCS_EUC;
using orvenly::SCS_JIS;
using orvenly::SCS_SHIFTJIS;
using orvenly::SLB_CRLF;
using orvenly::SLB_LF;

const QString Sample = u"日本語の文章です。漢字とかなを含みます。\n二行目もあります。\n"_s;

QByteArray withBreaks(QByteArray bytes, const QByteArray& lineBreak) {
    return bytes.replace("\n", lineBreak);
}

struct Encoded {
    orvenly::StringCharsetTypeConstants charset;
    QByteArray bytes;
};

std::vector<Encoded> samples() {
    const auto& conversion = orvenly::StringConversion::instance();
    return {
        {SCS_SHIFTJIS, withBreaks(platform::cp932::encode(Sample), "\r\n")},
        {SCS_EUC, withBreaks(conversion.UnicodeToEuc(Sample), "\r\n")},
        {SCS_JIS, withBreaks(conversion.UnicodeToJisBytes(Sample), "\r\n")},
    };
}

TEST_F(MainFrameTest, OpenAndSaveThroughTheMenusInEachCharset) {
    start();
    for (const Encoded& sample : samples()) {
        const QString path = writeFile(u"sample%1.txt"_s.arg(int(sample.charset)), sample.bytes);
        // EUC-JP text can pass for Shift_JIS, so it is opened with its charset named.
        const bool named = sample.charset == SCS_EUC;
        answer(u"FileOpen"_s, named ? 2 : 1, {path});
        answer(u"SelectFormat"_s, penlark::formatSelection(SCS_EUC, 0));
        item(FileCmd::Open)->trigger();
        penlark::ChildWindow& opened = *frame->ActiveDocument();
        EXPECT_EQ(opened.Charset(), sample.charset);
        EXPECT_EQ(opened.BreakCode(), SLB_CRLF);
        EXPECT_EQ(opened.Editor().Text(), QString(Sample).replace(u"\n"_s, u"\r\n"_s));

        opened.Editor().SetSel(0, 0);
        opened.Editor().ReplaceSel(u"追記"_s);
        item(FileCmd::Save)->trigger();
        EXPECT_FALSE(opened.Editor().Modify());
        const auto& conversion = orvenly::StringConversion::instance();
        const QString expected = u"追記"_s + Sample;
        const QByteArray bytes = sample.charset == SCS_SHIFTJIS ? platform::cp932::encode(expected)
                                 : sample.charset == SCS_EUC
                                     ? conversion.UnicodeToEuc(expected)
                                     : conversion.UnicodeToJisBytes(expected);
        EXPECT_EQ(readFile(path), withBreaks(bytes, "\r\n")) << int(sample.charset);
        EXPECT_EQ(frame->MRUFiles().Item(1), path);
    }
    EXPECT_EQ(documentCount(), 3);
    EXPECT_EQ(asked(u"SelectFormat"_s), 1);
}

TEST_F(MainFrameTest, SecondOpenFilterAsksOnceForTheFormatOfAllFiles) {
    const auto& conversion = orvenly::StringConversion::instance();
    const QString first = writeFile(u"a.txt"_s, conversion.UnicodeToEuc(u"いろは\n"_s));
    const QString second = writeFile(u"b.txt"_s, conversion.UnicodeToEuc(u"にほへと\n"_s));
    start();
    answer(u"FileOpen"_s, 2, {first, second});
    answer(u"SelectFormat"_s, penlark::formatSelection(SCS_EUC, SLB_LF));
    item(FileCmd::Open)->trigger();

    EXPECT_EQ(asked(u"SelectFormat"_s), 1);
    ASSERT_EQ(documentCount(), 2);
    for (int index : {1, 2}) {
        EXPECT_EQ(document(index).Charset(), SCS_EUC);
        EXPECT_EQ(document(index).BreakCode(), SLB_LF);
    }
    EXPECT_EQ(document(2).Editor().Text(), u"にほへと\r\n"_s);
}

TEST_F(MainFrameTest, CancellingTheFormatOpensNothing) {
    const QString file = writeFile(u"a.txt"_s, "abc");
    start();
    answer(u"FileOpen"_s, 2, {file});
    answer(u"SelectFormat"_s, penlark::FormatCancelled);
    item(FileCmd::Open)->trigger();
    EXPECT_EQ(documentCount(), 0);
}

TEST_F(MainFrameTest, SaveButtonOnANewDocumentGoesToSaveAs) {
    start();
    item(FileCmd::New)->trigger();
    penlark::ChildWindow& created = document(1);
    created.Editor().ReplaceSel(u"新しい\r\n"_s);
    const QString target = dir.filePath(u"new.txt"_s);
    answer(u"FileSave"_s, 1, {target});

    button(u"save"_s)->setValue(tamsell::FTBV_PRESSED);

    EXPECT_EQ(asked(u"FileSave"_s), 1);
    EXPECT_EQ(readFile(target), platform::cp932::encode(u"新しい\r\n"_s));
    EXPECT_TRUE(created.CanOverWrite());
    EXPECT_EQ(frame->MRUFiles().Item(1), target);
    EXPECT_TRUE(item(FileCmd::Save)->isEnabled());
}

TEST_F(MainFrameTest, SaveAsWithTheSecondFilterWritesTheChosenFormat) {
    const QString source = writeFile(u"source.txt"_s, platform::cp932::encode(u"あ\r\nい"_s));
    start({source});
    const QString target = dir.filePath(u"euc.txt"_s);
    answer(u"FileSave"_s, 2, {target});
    answer(u"SelectFormat"_s, penlark::formatSelection(SCS_EUC, SLB_LF));

    item(FileCmd::SaveAs)->trigger();

    ASSERT_EQ(asked(u"SelectFormat"_s), 1);
    const auto request = std::find_if(requests.begin(), requests.end(),
                                      [](const auto& r) { return r.kind == u"SelectFormat"_s; });
    EXPECT_EQ(request->style, 2);
    EXPECT_EQ(request->details,
              QStringList{QString::number(penlark::formatSelection(SCS_SHIFTJIS, SLB_CRLF))});
    EXPECT_EQ(readFile(target), QByteArray("\xA4\xA2\n\xA4\xA4"));
    EXPECT_EQ(document(1).FullPath(), target);
    EXPECT_EQ(readFile(source), platform::cp932::encode(u"あ\r\nい"_s));
}

TEST_F(MainFrameTest, SaveAsTakesTheUnicodeFormsToo) {
    const QString source = writeFile(u"source.txt"_s, platform::cp932::encode(u"あ\r\n"_s));
    start({source});
    const QString target = dir.filePath(u"utf16.txt"_s);
    answer(u"FileSave"_s, 2, {target});
    answer(u"SelectFormat"_s,
           penlark::formatSelection(orvenly::SCS_UTF16LE + penlark::FormMark, SLB_LF));
    item(FileCmd::SaveAs)->trigger();
    EXPECT_EQ(readFile(target), QByteArray("\xFF\xFE\x42\x30\x0A\x00", 6));
    EXPECT_TRUE(document(1).Caption().contains(u"UTF-16 LE (BOM) / Unix"_s));

    // Opened again by the first filter, it is recognised by its mark.
    answer(u"FileOpen"_s, 1, {target});
    item(FileCmd::Open)->trigger();
    EXPECT_EQ(document(2).Form(), orvenly::TextForm(orvenly::SCS_UTF16LE, true));
    EXPECT_EQ(document(2).Editor().Text(), u"あ\r\n"_s);
}

TEST_F(MainFrameTest, CancelledSaveAsKeepsTheDocumentModified) {
    start();
    item(FileCmd::New)->trigger();
    document(1).Editor().ReplaceSel(u"x"_s);
    item(FileCmd::SaveAs)->trigger();
    EXPECT_EQ(asked(u"FileSave"_s), 1);
    EXPECT_TRUE(document(1).Editor().Modify());
    EXPECT_FALSE(document(1).CanOverWrite());
}

TEST_F(MainFrameTest, SaveAllSavesEveryModifiedDocumentAndStopsAtTheFirstFailure) {
    start();
    penlark::ChildWindow& first = modifiedDocument(u"one.txt"_s);
    item(FileCmd::New)->trigger();
    document(2).Editor().ReplaceSel(u"new"_s);
    penlark::ChildWindow& third = modifiedDocument(u"three.txt"_s);
    ASSERT_EQ(documentCount(), 3);

    // The new document in the middle asks for a name; cancelling stops the run there.
    item(FileCmd::SaveAll)->trigger();
    EXPECT_FALSE(first.Editor().Modify());
    EXPECT_TRUE(third.Editor().Modify());
    EXPECT_EQ(readFile(first.FullPath()), "more text\r\n");
    EXPECT_EQ(readFile(third.FullPath()), "text\r\n");
}

// What another program wrote to an unmodified document's file stays: there was nothing to save.
TEST_F(MainFrameTest, SaveAllLeavesUnmodifiedDocumentsAlone) {
    const QString untouched = writeFile(u"untouched.txt"_s, "as read\r\n");
    start({untouched});
    item(FileCmd::New)->trigger();
    penlark::ChildWindow& edited = modifiedDocument(u"edited.txt"_s);
    writeFile(u"untouched.txt"_s, "changed by another program\r\n");

    item(FileCmd::SaveAll)->trigger();
    EXPECT_EQ(asked(u"FileSave"_s), 0) << "the empty new document has nothing to save";
    EXPECT_EQ(readFile(untouched), "changed by another program\r\n");
    EXPECT_EQ(readFile(edited.FullPath()), "more text\r\n");
    EXPECT_FALSE(edited.Editor().Modify());
}

// Paths here may be far longer than the other system's 260 characters.
TEST_F(MainFrameTest, LongPathsOpenAndSave) {
    QString folder = dir.path();
    for (int i = 0; i < 6; ++i)
        folder += u"/"_s + QString(200, QChar(u'a' + i));
    ASSERT_TRUE(QDir().mkpath(folder));
    QStringList files;
    for (int i = 0; i < 12; ++i) {
        files << folder + u"/%1.txt"_s.arg(i);
        QFile out(files.last());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("x");
    }
    ASSERT_GT(files.join(QString()).size(), 10240);
    start();
    answer(u"FileOpen"_s, 1, files);
    item(FileCmd::Open)->trigger();
    ASSERT_EQ(documentCount(), 12);

    const QString target = folder + u"/saved as.txt"_s;
    answer(u"FileSave"_s, 1, {target});
    item(FileCmd::SaveAs)->trigger();
    EXPECT_EQ(readFile(target), "x");
    EXPECT_EQ(frame->ActiveDocument()->FullPath(), target);
}

TEST_F(MainFrameTest, DroppedFilesAndShortcutsOpenAsDocuments) {
    const QString plain = writeFile(u"plain.txt"_s, "plain");
    const QString target = writeFile(u"target.txt"_s, "target");
    const QString upper = writeFile(u"UPPER.LNK"_s, "not a link");
    orvenly::ShellLink link;
    link.SetTarget(target);
    const QString shortcut = dir.filePath(u"short.lnk"_s);
    ASSERT_TRUE(link.Save(shortcut));
    start();

    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(plain), QUrl::fromLocalFile(shortcut), QUrl::fromLocalFile(upper)});
    Qt::DropAction effect = Qt::CopyAction;
    frame->DragOverFiles(data, effect);
    EXPECT_EQ(effect, Qt::CopyAction);
    frame->DropFiles(data);
    // The files open once the drag has ended.
    EXPECT_EQ(documentCount(), 0);
    QCoreApplication::processEvents();

    ASSERT_EQ(documentCount(), 3);
    EXPECT_EQ(document(1).FullPath(), plain);
    EXPECT_EQ(document(2).FullPath(), target);
    EXPECT_EQ(document(3).FullPath(), upper);
    EXPECT_EQ(frame->MRUFiles().Item(1), upper);
}

TEST_F(MainFrameTest, DragsWithoutFilesAreRefused) {
    start();
    QMimeData text;
    text.setText(u"words"_s);
    Qt::DropAction effect = Qt::CopyAction;
    frame->DragOverFiles(text, effect);
    EXPECT_EQ(effect, Qt::IgnoreAction);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(dir.filePath(u"x.txt"_s))});
    effect = Qt::MoveAction;
    frame->DragOverFiles(files, effect);
    EXPECT_EQ(effect, Qt::IgnoreAction);
}

} // namespace
