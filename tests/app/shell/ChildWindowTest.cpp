#include "tests/app/shell/FakeDocumentHost.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/RawFiles.h"

#include "orvenly/AutomationError.h"
#include "orvenly/StringConversion.h"
#include "orvenly/TextEditor.h"
#include "shell/ChildWindow.h"

#include <platform/Cp932.h>

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <orvenly/TextBox.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// Japanese prose, half-width katakana and ASCII, lines joined by CR LF.
const QString SampleLines[] = {u"吾輩は猫である。名前はまだ無い。"_s, u"ｱｲｳｴｵ ｶﾞｷﾞ and ASCII 123"_s,
                               u"第２章　「変換」の検討"_s};

// Half-width katakana make short EUC-JP samples ambiguous to recognition; they are left out
// of those.
QString sampleText(bool lastBreak, bool katakana = true) {
    QString text;
    for (int i = 0; i < 5; ++i) {
        for (const QString& line : SampleLines) {
            if (katakana || !line.contains(u'ｱ'))
                text += line + u"\r\n"_s;
        }
    }
    return lastBreak ? text : text.chopped(2);
}

QByteArray withBreaks(QByteArray bytes, StringLineBreakCodeConstants code) {
    if (code == SLB_CR)
        bytes.replace("\r\n", "\r");
    else if (code == SLB_LF)
        bytes.replace("\r\n", "\n");
    return bytes;
}

QByteArray encoded(const QString& text, StringCharsetTypeConstants charset) {
    const StringConversion& conversion = StringConversion::instance();
    switch (charset) {
    case SCS_EUC:
        return conversion.UnicodeToEuc(text);
    case SCS_JIS:
        return conversion.UnicodeToJisBytes(text, false);
    default:
        return platform::cp932::encode(text);
    }
}

class ChildWindowTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    FakeDocumentHost host;
    ChildWindow window{host};
    QTemporaryDir dir;
};

TEST_F(ChildWindowTest, LoadingTellsTheHostAndNewDocumentStartsClean) {
    EXPECT_EQ(host.log.value(0), u"Load"_s);
    EXPECT_EQ(window.Charset(), SCS_SHIFTJIS);
    EXPECT_EQ(window.BreakCode(), SLB_CRLF);
    EXPECT_EQ(window.Editor().Target(), &window.txtEdit());

    window.Editor().SetText(u"old"_s);
    window.NewDocument();
    EXPECT_EQ(window.Caption(), u"newdocument ( Shift JIS / Windows )"_s);
    EXPECT_EQ(host.log.last(), u"Caption newdocument ( Shift JIS / Windows )"_s);
    EXPECT_EQ(window.FullPath(), u"newdocument"_s);
    EXPECT_FALSE(window.CanOverWrite());
    EXPECT_TRUE(window.Editor().Text().isEmpty());
    EXPECT_FALSE(window.Editor().Modify());
    EXPECT_FALSE(window.Editor().CanUndo());
}

TEST_F(ChildWindowTest, CharsetAndBreakCodeMarkTheDocumentOnlyWhenTheyChange) {
    window.NewDocument();
    window.SetCharset(SCS_SHIFTJIS);
    window.SetBreakCode(SLB_CRLF);
    EXPECT_FALSE(window.Editor().Modify());

    window.SetCharset(SCS_JIS);
    EXPECT_TRUE(window.Editor().Modify());
    window.SetBreakCode(SLB_CR);
    EXPECT_EQ(window.Caption(), u"newdocument* ( JIS / Macintosh )"_s);
    window.SetCharset(SCS_EUC);
    window.SetBreakCode(SLB_LF);
    EXPECT_EQ(window.Caption(), u"newdocument* ( Euc / Unix )"_s);
    window.SetCharset(SCS_OCTETSTREAM);
    EXPECT_EQ(window.Caption(), u"newdocument* ( Octet-Stream )"_s);
    window.SetCharset(StringCharsetTypeConstants(9));
    window.SetBreakCode(SLB_UNKNOWN);
    EXPECT_EQ(window.Caption(), u"newdocument* ( "_s);
}

TEST_F(ChildWindowTest, CaptionMarksTheModifiedDocument) {
    window.NewDocument();
    window.Editor().ReplaceSel(u"あ"_s);
    EXPECT_EQ(window.Caption(), u"newdocument* ( Shift JIS / Windows )"_s);
    EXPECT_EQ(host.log.last(), u"Caption newdocument* ( Shift JIS / Windows )"_s);
    window.Editor().Undo();
    EXPECT_EQ(window.Caption(), u"newdocument ( Shift JIS / Windows )"_s);
}

// Shift_JIS and EUC-JP files with one break code come back byte for byte; JIS too.
TEST_F(ChildWindowTest, RecognisedFilesSaveBackUnchanged) {
    ScriptedMessages messages;
    for (const StringCharsetTypeConstants charset : {SCS_SHIFTJIS, SCS_EUC, SCS_JIS}) {
        for (const StringLineBreakCodeConstants code : {SLB_CRLF, SLB_CR, SLB_LF}) {
            for (const bool lastBreak : {true, false}) {
                SCOPED_TRACE(testing::Message() << "charset " << charset << " break " << code
                                                << " last break " << lastBreak);
                const QString text = sampleText(lastBreak, charset != SCS_EUC);
                const QByteArray bytes = withBreaks(encoded(text, charset), code);
                writeRaw(path("in.txt"), bytes);
                // Recognition takes one of these EUC-JP samples for Shift_JIS; the charset is
                // given for them, the break code is still recognised.
                ASSERT_TRUE(window.LoadDocument(path("in.txt"), true,
                                                charset == SCS_EUC ? SCS_EUC : SCS_UNKNOWN));
                EXPECT_EQ(window.Charset(), charset);
                EXPECT_EQ(window.BreakCode(), code);
                EXPECT_EQ(window.Editor().Text(), text);
                EXPECT_FALSE(window.Editor().Modify());
                ASSERT_TRUE(window.SaveDocument(path("out.txt"), true));
                EXPECT_EQ(readRaw(path("out.txt")), bytes);
            }
        }
    }
    EXPECT_TRUE(messages.asked.empty());
}

// The three-byte codes of EUC-JP (0x8F and two bytes) read as their characters and are
// written back as they were.
TEST_F(ChildWindowTest, EucJpSupplementaryKanjiComeBackAsTheyWere) {
    ScriptedMessages messages;
    const QByteArray bytes = QByteArray::fromHex("8fb0a1 a4a2 0a 8fd4e3 0a");
    writeRaw(path("in.txt"), bytes);
    ASSERT_TRUE(window.LoadDocument(path("in.txt"), true, SCS_EUC));
    EXPECT_EQ(window.Editor().Text(), u"丂あ\r\n纊\r\n"_s);
    ASSERT_TRUE(window.SaveDocument(path("out.txt"), true));
    EXPECT_EQ(readRaw(path("out.txt")), bytes);
    EXPECT_TRUE(messages.asked.empty());
}

// UTF-8 and UTF-16, with and without a byte-order mark, read as what they are, are named in
// the caption and come back byte for byte.
TEST_F(ChildWindowTest, UnicodeFilesKeepTheirFormAndComeBackUnchanged) {
    ScriptedMessages messages;
    const QString text = u"吾輩は猫である。\r\nｱｲｳ 😀\r\n"_s;
    const QByteArray utf8 = text.toUtf8();
    QByteArray utf16le(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QByteArray utf16be = utf16le;
    for (qsizetype i = 0; i + 1 < utf16be.size(); i += 2)
        std::swap(utf16be[i], utf16be[i + 1]);
    const struct {
        QByteArray bytes;
        TextForm form;
        QString caption;
    } files[] = {
        {utf8, SCS_UTF8, u"UTF-8"_s},
        {"\xEF\xBB\xBF" + utf8, {SCS_UTF8, true}, u"UTF-8 (BOM)"_s},
        {"\xFF\xFE" + utf16le, {SCS_UTF16LE, true}, u"UTF-16 LE (BOM)"_s},
        {utf16le, SCS_UTF16LE, u"UTF-16 LE"_s},
        {"\xFE\xFF" + utf16be, {SCS_UTF16BE, true}, u"UTF-16 BE (BOM)"_s},
        {utf16be, SCS_UTF16BE, u"UTF-16 BE"_s},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.caption.toStdString());
        writeRaw(path("in.txt"), file.bytes);
        ASSERT_TRUE(window.LoadDocument(path("in.txt"), true));
        EXPECT_EQ(window.Form(), file.form);
        EXPECT_EQ(window.Editor().Text(), text);
        EXPECT_EQ(window.Caption(), u"in.txt ( %1 / Windows )"_s.arg(file.caption));
        ASSERT_TRUE(window.SaveDocument(path("out.txt"), true));
        EXPECT_EQ(readRaw(path("out.txt")), file.bytes);
    }
    EXPECT_TRUE(messages.asked.empty()) << "nothing is lost in a Unicode form";

    // Another form chosen for the same text writes its own bytes.
    window.SetForm({SCS_UTF8, true});
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(readRaw(path("out.txt")), "\xEF\xBB\xBF" + utf8);
}

// Bytes that are no UTF-8 read as U+FFFD, which the save names before it writes anything.
TEST_F(ChildWindowTest, BrokenUtf8ForcedAsUtf8IsAskedAboutBeforeSaving) {
    writeRaw(path("in.txt"), "caf\xE9\r\n");
    ASSERT_TRUE(window.LoadDocument(path("in.txt"), true, SCS_UTF8));
    EXPECT_EQ(window.Editor().Text(), u"caf\uFFFD\r\n"_s);
    ScriptedMessages messages(msgbox::No);
    EXPECT_FALSE(window.SaveDocument({}, true));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_TRUE(messages.asked[0].text.contains(u"U+FFFD"_s));
    EXPECT_EQ(readRaw(path("in.txt")), "caf\xE9\r\n");
}

TEST_F(ChildWindowTest, LoadingTakesTheFileNameAndCaption) {
    writeRaw(path("notes.txt"), "a\nb\n");
    ASSERT_TRUE(window.LoadDocument(path("notes.txt"), true));
    EXPECT_EQ(window.Path(), dir.path() + u"/"_s);
    EXPECT_EQ(window.FileName(), u"notes.txt"_s);
    EXPECT_EQ(window.FullPath(), path("notes.txt"));
    EXPECT_TRUE(window.CanOverWrite());
    EXPECT_EQ(window.Caption(), u"notes.txt ( Shift JIS / Unix )"_s);

    // Without Remember the document keeps its name.
    writeRaw(path("other.txt"), "x");
    ASSERT_TRUE(window.LoadDocument(path("other.txt"), false));
    EXPECT_EQ(window.FileName(), u"notes.txt"_s);
    EXPECT_EQ(window.Editor().Text(), u"x"_s);
}

TEST_F(ChildWindowTest, TextWithoutBreaksGetsLfForEucAndCrLfOtherwise) {
    writeRaw(path("euc.txt"),
             encoded(u"これは日本語の文章です。改行のないファイルです。"_s, SCS_EUC));
    ASSERT_TRUE(window.LoadDocument(path("euc.txt"), true));
    EXPECT_EQ(window.Charset(), SCS_EUC);
    EXPECT_EQ(window.BreakCode(), SLB_LF);

    writeRaw(path("sjis.txt"), encoded(u"日本語のテキスト"_s, SCS_SHIFTJIS));
    ASSERT_TRUE(window.LoadDocument(path("sjis.txt"), true));
    EXPECT_EQ(window.Charset(), SCS_SHIFTJIS);
    EXPECT_EQ(window.BreakCode(), SLB_CRLF);
}

TEST_F(ChildWindowTest, EmptyFileKeepsCharsetAndBreakCode) {
    window.NewDocument();
    window.SetCharset(SCS_EUC);
    window.SetBreakCode(SLB_CR);
    window.Editor().SetText(u"something"_s);
    writeRaw(path("empty.txt"), {});
    ASSERT_TRUE(window.LoadDocument(path("empty.txt"), true));
    EXPECT_TRUE(window.Editor().Text().isEmpty());
    EXPECT_EQ(window.Charset(), SCS_EUC);
    EXPECT_EQ(window.BreakCode(), SLB_CR);
    EXPECT_FALSE(window.Editor().Modify());
}

TEST_F(ChildWindowTest, GivenCharsetAndBreakCodeSkipRecognition) {
    writeRaw(path("a.txt"), encoded(u"漢字\r\nかな"_s, SCS_SHIFTJIS));
    ASSERT_TRUE(window.LoadDocument(path("a.txt"), true, SCS_OCTETSTREAM));
    EXPECT_EQ(window.Charset(), SCS_OCTETSTREAM);
    EXPECT_EQ(window.Caption(), u"a.txt ( Octet-Stream )"_s);
    EXPECT_EQ(window.Editor().Text(), u"漢字\r\nかな"_s);

    writeRaw(path("b.txt"), "one\ntwo\r\nthree");
    ASSERT_TRUE(window.LoadDocument(path("b.txt"), true, SCS_JIS, SLB_LF));
    EXPECT_EQ(window.Charset(), SCS_JIS);
    EXPECT_EQ(window.BreakCode(), SLB_LF);
    // Every LF became CR LF, so the CR before one is a break of its own.
    EXPECT_EQ(window.Editor().Text(), u"one\r\ntwo\r\n\r\nthree"_s);

    // CR LF given for a file of LF: the editor takes each LF as a break all the same.
    writeRaw(path("c.txt"), "one\ntwo");
    ASSERT_TRUE(window.LoadDocument(path("c.txt"), true, SCS_UNKNOWN, SLB_CRLF));
    EXPECT_EQ(window.BreakCode(), SLB_CRLF);
    EXPECT_EQ(window.Editor().Text(), u"one\r\ntwo"_s);
}

TEST_F(ChildWindowTest, SavingConvertsBreaksAndCharsetButNotTheText) {
    window.NewDocument();
    window.Editor().SetText(u"行1\r\n行2\r\n"_s);
    ASSERT_TRUE(window.SaveDocument(path("cr.txt"), true, SCS_UNKNOWN, SLB_CR));
    EXPECT_EQ(readRaw(path("cr.txt")), encoded(u"行1\r行2\r"_s, SCS_SHIFTJIS));
    EXPECT_EQ(window.Editor().Text(), u"行1\r\n行2\r\n"_s);
    EXPECT_EQ(window.BreakCode(), SLB_CR);
    EXPECT_FALSE(window.Editor().Modify());
    EXPECT_EQ(window.Caption(), u"cr.txt ( Shift JIS / Macintosh )"_s);

    ASSERT_TRUE(window.SaveDocument(path("euc.txt"), false, SCS_EUC, SLB_LF));
    EXPECT_EQ(readRaw(path("euc.txt")), encoded(u"行1\n行2\n"_s, SCS_EUC));
    // Without Remember the name stays and the changed charset leaves the text modified.
    EXPECT_EQ(window.FileName(), u"cr.txt"_s);
    EXPECT_EQ(window.Charset(), SCS_EUC);
    EXPECT_TRUE(window.Editor().Modify());

    // No name: the document's own file.
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(readRaw(path("cr.txt")), encoded(u"行1\n行2\n"_s, SCS_EUC));
}

TEST_F(ChildWindowTest, JisFilterSettingWidensHalfWidthKatakana) {
    window.NewDocument();
    window.Editor().SetText(u"ｶﾞ"_s);
    host.settingsValue.JISFilter = true;
    ASSERT_TRUE(window.SaveDocument(path("wide.txt"), false, SCS_JIS));
    host.settingsValue.JISFilter = false;
    ASSERT_TRUE(window.SaveDocument(path("narrow.txt"), false, SCS_JIS));
    EXPECT_EQ(readRaw(path("wide.txt")),
              StringConversion::instance().UnicodeToJisBytes(u"ｶﾞ"_s, true));
    EXPECT_EQ(readRaw(path("narrow.txt")),
              StringConversion::instance().UnicodeToJisBytes(u"ｶﾞ"_s, false));
    EXPECT_NE(readRaw(path("wide.txt")), readRaw(path("narrow.txt")));
}

TEST_F(ChildWindowTest, SavingANeverSavedDocumentWithoutANameIsError5) {
    window.NewDocument();
    EXPECT_EQ(errorOf([&] { window.SaveDocument({}, true); }), errors::InvalidArgument);
}

TEST_F(ChildWindowTest, LoadFailuresAreReportedOnlyWhenRemembered) {
    ScriptedMessages messages;
    EXPECT_FALSE(window.LoadDocument(path("missing.txt"), false));
    EXPECT_TRUE(messages.asked.empty());

    EXPECT_FALSE(window.LoadDocument(path("missing.txt"), true));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].style, msgbox::Exclamation);
    EXPECT_EQ(
        messages.asked[0].text,
        u"ファイル '%1' を開けません。\n\nファイルが他のプロセスにおいて使用中であるか、存在しない可能性があります。\n原因: ファイルまたはフォルダが存在しません。"_s
            .arg(path("missing.txt")));

    writeRaw(path("big.txt"), QByteArray(11, 'x'));
    window.document().setMaxFileSize(10);
    EXPECT_FALSE(window.LoadDocument(path("big.txt"), true));
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[1].style, msgbox::Information);
    EXPECT_EQ(
        messages.asked[1].text,
        u"ファイル '%1' を開けません。\n\nファイルサイズが大きすぎるため、このエディタでは開けません。\n原因: ファイルが大きすぎます。"_s
            .arg(path("big.txt")));
}

TEST_F(ChildWindowTest, SaveFailureReportsKeepsTheFileAndTheModifiedState) {
    ScriptedMessages messages;
    window.NewDocument();
    window.Editor().SetText(u"text"_s);
    window.Editor().SetModify(true);
    const QString target = path("no/such/folder/a.txt");
    EXPECT_FALSE(window.SaveDocument(target, true, SCS_EUC));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].style, msgbox::Exclamation);
    EXPECT_TRUE(
        messages.asked[0].text.startsWith(u"ファイル '%1' に保存できません。"_s.arg(target)));
    EXPECT_TRUE(
        messages.asked[0].text.endsWith(u"\n原因: ファイルまたはフォルダが存在しません。"_s));
    EXPECT_TRUE(window.Editor().Modify());
    EXPECT_EQ(window.Charset(), SCS_SHIFTJIS);
    EXPECT_FALSE(window.CanOverWrite());

    EXPECT_FALSE(window.SaveDocument(target, false));
    EXPECT_EQ(messages.asked.size(), 1u);
}

// ASCII lines joined by CR LF, exactly size bytes in every charset.
QString textOfSize(qint64 size) {
    const QString line = u"The quick brown fox jumps over the lazy dog 0123456789.\r\n"_s;
    return line.repeated(size / line.size() + 1).left(size);
}

// What a save that the disk cannot take must do: say so, return False, keep the document
// modified. The child's exit status tells which of these went wrong.
int failedSaveStatus(ChildWindow& window, const QString& file) {
    ScriptedMessages messages;
    if (window.SaveDocument({}, true))
        return 1;
    if (messages.asked.size() != 1 ||
        !messages.asked[0].text.startsWith(u"ファイル '%1' に保存できません。"_s.arg(file)))
        return 2;
    return window.Editor().Modify() ? 0 : 3;
}

// Sizes on both sides of every buffer a save may pass through: the system's page, a write
// buffer of 16 KiB, and a large file.
TEST_F(ChildWindowTest, SavesTheDiskCannotTakeLeaveTheOriginalByteIdentical) {
    const QByteArray original = "original\r\n";
    for (const qint64 size : {100, 4096, 16383, 16385, 1 << 20}) {
        SCOPED_TRACE(size);
        writeRaw(path("doc.txt"), original);
        ASSERT_TRUE(window.LoadDocument(path("doc.txt"), true));
        window.Editor().SetText(textOfSize(size));
        window.Editor().SetModify(true);

        EXPECT_EQ(runUnderFileSizeLimit(rlim_t(size - 1),
                                        [&] { return failedSaveStatus(window, path("doc.txt")); }),
                  0);
        EXPECT_EQ(readRaw(path("doc.txt")), original);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.txt"});

        const int fits = runUnderFileSizeLimit(rlim_t(size), [&] {
            ScriptedMessages messages;
            return window.SaveDocument({}, true) && messages.asked.empty() &&
                           !window.Editor().Modify()
                       ? 0
                       : 1;
        });
        EXPECT_EQ(fits, 0);
        EXPECT_EQ(readRaw(path("doc.txt")), textOfSize(size).toLatin1());
    }
}

TEST_F(ChildWindowTest, SaveOnAFullDiskLeavesTheOriginalByteIdentical) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("disk"));
    const QString file = path("disk/doc.txt");
    const std::optional<int> status = runOnSmallDisk(path("disk"), qint64{4} * 4096, [&] {
        const QByteArray original = textOfSize(4000).toLatin1();
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(original) != original.size())
            return 10;
        out.close();
        if (!window.LoadDocument(file, true))
            return 11;
        window.Editor().SetText(textOfSize(20000));
        window.Editor().SetModify(true);
        const int failed = failedSaveStatus(window, file);
        if (failed != 0)
            return failed;
        return readRaw(file) == original ? 0 : 12;
    });
    if (!status)
        GTEST_SKIP() << "mounting is refused here: the full-disk case did not run";
    EXPECT_EQ(*status, 0);
}

TEST_F(ChildWindowTest, CharactersTheCharsetCannotHoldAreAskedAbout) {
    writeRaw(path("doc.txt"), "kept");
    window.NewDocument();
    window.Editor().SetText(u"一行目\r\n絵文字😀と\uFFFDです"_s);
    window.Editor().SetModify(true);
    {
        ScriptedMessages messages(msgbox::No);
        EXPECT_FALSE(window.SaveDocument(path("doc.txt"), true));
        ASSERT_EQ(messages.asked.size(), 1u);
        const auto& asked = messages.asked[0];
        EXPECT_EQ(asked.style, msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2);
        EXPECT_TRUE(asked.text.contains(u"Shift_JIS"_s)) << asked.text.toStdString();
        EXPECT_TRUE(asked.text.contains(u" 2 個"_s)) << asked.text.toStdString();
        EXPECT_TRUE(asked.text.contains(u"2 行目の「😀」(U+1F600)"_s)) << asked.text.toStdString();
        EXPECT_EQ(readRaw(path("doc.txt")), QByteArray("kept"));
        EXPECT_TRUE(window.Editor().Modify());
        EXPECT_FALSE(window.CanOverWrite());
    }
    {
        ScriptedMessages messages(msgbox::Yes);
        EXPECT_TRUE(window.SaveDocument(path("doc.txt"), true));
        // The question, then the count of the characters written as "?".
        EXPECT_EQ(messages.asked.size(), 2u);
        EXPECT_EQ(readRaw(path("doc.txt")), encoded(u"一行目\r\n絵文字?と?です"_s, SCS_SHIFTJIS));
    }
}

TEST_F(ChildWindowTest, CharactersBeyondEucAndJisBecomeQuestionMarks) {
    window.NewDocument();
    // A user-defined character: Shift_JIS has a code for it, EUC-JP and JIS do not.
    window.Editor().SetText(u"a\uE000b"_s);
    {
        ScriptedMessages messages(msgbox::Yes);
        EXPECT_TRUE(window.SaveDocument(path("sjis.txt"), true));
        EXPECT_TRUE(messages.asked.empty());
    }
    for (const StringCharsetTypeConstants charset : {SCS_EUC, SCS_JIS}) {
        window.Editor().SetText(u"a\uE000b"_s);
        ScriptedMessages messages(msgbox::Yes);
        EXPECT_TRUE(window.SaveDocument(path("out.txt"), true, charset));
        ASSERT_EQ(messages.asked.size(), 2u);
        EXPECT_TRUE(messages.asked[0].text.contains(u"1 行目の「\uE000」(U+E000)"_s));
        EXPECT_EQ(readRaw(path("out.txt")), "a?b");
    }
    // Without Remember nothing is asked; the characters still become "?".
    window.Editor().SetText(u"a\uE000b"_s);
    ScriptedMessages messages(msgbox::No);
    EXPECT_TRUE(window.SaveDocument(path("quiet.txt"), false, SCS_EUC));
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(readRaw(path("quiet.txt")), "a?b");
}

class ShownChildWindowTest : public ChildWindowTest {
protected:
    void SetUp() override {
        host.area.show();
        window.NewDocument();
    }
};

TEST_F(ShownChildWindowTest, Show2PutsTheWindowIntoTheAreaAndActivatesItOnce) {
    host.log.clear();
    window.Show2();
    ASSERT_NE(window.subWindow(), nullptr);
    EXPECT_EQ(host.area.activeSubWindow(), window.subWindow());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.subWindow()->windowTitle(), window.Caption());
    EXPECT_EQ(host.entries(u"Activate"_s).size(), 1);

    // Again while active: the host hears of it all the same.
    window.Show2();
    EXPECT_EQ(host.entries(u"Activate"_s).size(), 2);

    // The user activating it from another document.
    ChildWindow other(host);
    other.NewDocument();
    other.Show2();
    host.log.clear();
    host.area.setActiveSubWindow(window.subWindow());
    EXPECT_EQ(host.entries(u"Activate"_s).size(), 1);
}

TEST_F(ShownChildWindowTest, ClosingAsksTheHostWhichMayRefuse) {
    window.Show2();
    host.onQueryUnload = [](ChildWindow&, bool& cancel, int) { cancel = true; };
    window.subWindow()->close();
    EXPECT_EQ(host.entries(u"QueryUnload"_s), QStringList{u"QueryUnload 0 0"_s});
    EXPECT_TRUE(window.subWindow()->isVisible());

    host.onQueryUnload = {};
    window.subWindow()->close();
    EXPECT_FALSE(window.subWindow()->isVisible());
}

TEST_F(ShownChildWindowTest, ContextMenuIsTheFramesEditMenu) {
    window.Show2();
    QWidget* viewport = window.txtEdit().viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            viewport->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(viewport, &event);
    EXPECT_EQ(host.entries(u"RefreshEditMenu"_s).size(), 1);
    EXPECT_TRUE(host.editMenu.isVisible());
    host.editMenu.close();
}

TEST_F(ShownChildWindowTest, DroppedFilesGoToTheFrameAndOtherDataToTheText) {
    window.Show2();
    QWidget* viewport = window.txtEdit().viewport();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path("dropped.txt"))});
    files.setText(u"should not be inserted"_s);
    const QPointF at(5, 5);

    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(host.entries(u"DragOverFiles"_s).size(), 1);
    EXPECT_EQ(host.entries(u"DropFiles"_s), QStringList{u"DropFiles "_s + path("dropped.txt")});
    EXPECT_TRUE(window.Editor().Text().isEmpty());

    // Text is the editor's business.
    QMimeData text;
    text.setText(u"typed"_s);
    QDragEnterEvent textEnter(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &textEnter);
    QDropEvent textDrop(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &textDrop);
    EXPECT_EQ(host.entries(u"DragOverFiles"_s).size(), 1);
    EXPECT_EQ(host.entries(u"DropFiles"_s).size(), 1);
}

// After a save that wrote "?" the window shows what the file holds; undo brings the text back.
TEST_F(ChildWindowTest, ASaveThatLostCharactersShowsWhatItWrote) {
    window.NewDocument();
    window.Editor().SetText(u"絵文字😀と🎉\r\nend"_s);
    ScriptedMessages messages(msgbox::Yes);
    ASSERT_TRUE(window.SaveDocument(path("lost.txt"), true, SCS_SHIFTJIS));
    EXPECT_EQ(readRaw(path("lost.txt")), platform::cp932::encode(u"絵文字?と?\r\nend"_s));
    EXPECT_EQ(window.Editor().Text(), u"絵文字?と?\r\nend"_s);
    EXPECT_FALSE(window.Editor().Modify());
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_TRUE(
        messages.asked[1].text.startsWith(u"2 個の文字を \"?\" に置き換えて保存しました。"_s));
    window.Editor().Undo();
    EXPECT_EQ(window.Editor().Text(), u"絵文字😀と🎉\r\nend"_s);
    EXPECT_TRUE(window.Editor().Modify());
}

TEST_F(ChildWindowTest, MixedLineBreaksAreShownAndAskedAboutOnceBeforeASaveUnifiesThem) {
    writeRaw(path("mixed.txt"), "one\r\ntwo\nthree\n");
    ASSERT_TRUE(window.LoadDocument(path("mixed.txt"), true));
    EXPECT_EQ(window.Caption(), u"mixed.txt ( Shift JIS / Unix 混在 )"_s);
    {
        ScriptedMessages refuse(msgbox::No);
        EXPECT_FALSE(window.SaveDocument({}, true));
        ASSERT_EQ(refuse.asked.size(), 1u);
        EXPECT_TRUE(refuse.asked[0].text.contains(u"すべての改行が LF になります"_s));
        EXPECT_EQ(readRaw(path("mixed.txt")), "one\r\ntwo\nthree\n");
    }
    ScriptedMessages accept(msgbox::Yes);
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(readRaw(path("mixed.txt")), "one\ntwo\nthree\n");
    EXPECT_EQ(window.Caption(), u"mixed.txt ( Shift JIS / Unix )"_s);
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(accept.asked.size(), 1u);
}

// Widening half-width katakana changes what the file already held: asked first.
TEST_F(ChildWindowTest, WideningKanaAJisFileHadIsAskedAbout) {
    const QByteArray jis = "\x1b(I1\x1b(B kana\r\n";
    writeRaw(path("kana.jis"), jis);
    ASSERT_TRUE(window.LoadDocument(path("kana.jis"), true, SCS_JIS));
    ASSERT_EQ(window.Editor().Text(), u"ｱ kana\r\n"_s);
    host.settingsValue.JISFilter = true;
    {
        ScriptedMessages refuse(msgbox::No);
        EXPECT_FALSE(window.SaveDocument({}, true));
        ASSERT_EQ(refuse.asked.size(), 1u);
        EXPECT_TRUE(refuse.asked[0].text.contains(u"半角カナ文字があります"_s));
        EXPECT_EQ(readRaw(path("kana.jis")), jis);
    }
    ScriptedMessages accept(msgbox::Yes);
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(readRaw(path("kana.jis")), "\x1b$B%\"\x1b(B kana\r\n");
    // Once widened, the file holds none; kana typed now are no longer the file's own.
    window.Editor().SetText(u"ｲ\r\n"_s);
    ASSERT_TRUE(window.SaveDocument({}, true));
    EXPECT_EQ(accept.asked.size(), 1u);
}

} // namespace
