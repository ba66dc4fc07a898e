#include "dialogs/cDlgConverter.h"
#include "dialogs/Wizard.h"
#include "dialogs/cDlgSelectFormat.h"
#include "tests/support/LimitedDisk.h"
#include "tests/support/RawFiles.h"
#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"
#include "orvenly/ShellLink.h"
#include "orvenly/StringConversion.h"
#include "platform/Cp932.h"
#include "tamsell/ProgressBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <map>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>
#include <sys/stat.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

// Japanese prose with half-width katakana, lines joined by CR LF.
const QString Sample = u"吾輩は猫である。\r\n名前はまだ無い。ｱｲｳ\r\n第２章\r\n"_s;

// The sample in a charset and line-break code, by the library's own single conversions.
QByteArray encoded(const QString& text, StringCharsetTypeConstants charset,
                   StringLineBreakCodeConstants breakCode, bool narrow = false) {
    QString lines = text;
    if (breakCode == SLB_CR)
        lines.replace(u"\r\n"_s, u"\r"_s);
    else if (breakCode == SLB_LF)
        lines.replace(u"\r\n"_s, u"\n"_s);
    const StringConversion& conversion = StringConversion::instance();
    switch (charset) {
    case SCS_EUC:
        return conversion.UnicodeToEuc(lines);
    case SCS_JIS:
        return conversion.UnicodeToJisBytes(lines, narrow);
    default:
        return platform::cp932::encode(lines);
    }
}

class ConverterTest : public WidgetsFirst, public ::testing::Test {
protected:
    ConverterTest() {
        modal::setResponder([this](const modal::Request& request) -> std::optional<modal::Answer> {
            asked.push_back(request);
            auto& queue = answers[request.kind];
            if (queue.empty())
                return modal::Answer{};
            const modal::Answer answer = queue.front();
            queue.erase(queue.begin());
            return answer;
        });
    }
    ~ConverterTest() override { modal::setResponder({}); }

    template <class T> T& control(const QString& name) const {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
    QString file(const QString& name, const QByteArray& bytes) const {
        writeRaw(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    void answer(const QString& kind, int32_t value, const QStringList& texts = {}) {
        answers[kind].push_back({value, texts});
    }
    int count(const QString& kind) const {
        return int(std::count_if(asked.begin(), asked.end(),
                                 [&](const modal::Request& r) { return r.kind == kind; }));
    }
    // From the first page to the start of processing, with the options of the second.
    void choose(int srcCharset, int srcBreak, int destCharset, int destBreak) {
        dialog.wizard().GoNext(1);
        dialog.wizard().GoNext(1);
        control<QComboBox>(u"cboCharsetSrc"_s).setCurrentIndex(srcCharset);
        control<QComboBox>(u"cboLineBreakSrc"_s).setCurrentIndex(srcBreak);
        control<QComboBox>(u"cboCharsetDest"_s).setCurrentIndex(destCharset - 1);
        control<QComboBox>(u"cboLineBreakDest"_s).setCurrentIndex(destBreak - 1);
    }
    void run() {
        while (!dialog.wizard().Finished())
            dialog.wizard().GoNext(1);
    }
    QString log() const { return control<orvenly::TextBox>(u"txtLog"_s).storage().text(); }
    struct Buttons {
        bool back, next, complete, cancel;
        friend bool operator==(const Buttons&, const Buttons&) = default;
    };
    Buttons buttons() const {
        return {control<QPushButton>(u"cmdBack"_s).isEnabled(),
                control<QPushButton>(u"cmdNext"_s).isEnabled(),
                control<QPushButton>(u"cmdComplete"_s).isEnabled(),
                control<QPushButton>(u"cmdCancel"_s).isEnabled()};
    }

    QTemporaryDir dir;
    cDlgConverter dialog;
    std::vector<modal::Request> asked;
    std::map<QString, std::vector<modal::Answer>> answers;
};

TEST_F(ConverterTest, PagesTitlesAndButtonsFollowTheWizard) {
    EXPECT_EQ(dialog.windowTitle(), u"文字コード一括変換ツール"_s);
    EXPECT_EQ(dialog.wizard().Page(), 0);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));
    dialog.wizard().GoNext(1);
    EXPECT_EQ(control<QLabel>(u"lblTitle"_s).text(), u"ファイルの選択"_s);
    EXPECT_EQ(buttons(), (Buttons{true, false, false, true})) << "no files yet";
    dialog.AddFile(file(u"a.txt"_s, "a"));
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true}));
    control<QPushButton>(u"cmdRemove"_s).click();
    EXPECT_EQ(buttons(), (Buttons{true, false, false, true}));
    dialog.AddFile(dir.filePath(u"a.txt"_s));
    dialog.wizard().GoNext(1);
    EXPECT_EQ(control<QLabel>(u"lblTitle"_s).text(), u"文字セットと変換オプション"_s);
    dialog.wizard().GoNext(1);
    EXPECT_EQ(dialog.wizard().Page(), 3);
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true}));
    dialog.wizard().GoBack(1);
    EXPECT_EQ(dialog.wizard().Page(), 2);
    EXPECT_EQ(errorOf([&] { dialog.wizard().SetPage(4); }), errors::InvalidArgument);
    run();
    EXPECT_EQ(dialog.wizard().Page(), 6);
    EXPECT_EQ(control<QLabel>(u"lblSubTitle"_s).text(), u"処理が完了しました。"_s);
    EXPECT_EQ(buttons(), (Buttons{false, false, true, false}));
}

TEST_F(ConverterTest, OptionRulesOfTheSecondPage) {
    auto& source = control<QComboBox>(u"cboCharsetSrc"_s);
    auto& force = control<QCheckBox>(u"chkForce"_s);
    auto& fallback = control<QComboBox>(u"cboCharsetForce"_s);
    auto& narrow = control<QCheckBox>(u"chkNarrow"_s);
    EXPECT_EQ(source.currentText(), u"自動判別"_s);
    EXPECT_EQ(control<QComboBox>(u"cboCharsetDest"_s).currentText(), u"Shift JIS [shift_jis]"_s);
    EXPECT_TRUE(force.isEnabled());
    EXPECT_FALSE(fallback.isEnabled());
    force.setChecked(true);
    EXPECT_TRUE(fallback.isEnabled());
    source.setCurrentIndex(3);
    EXPECT_FALSE(force.isEnabled());
    EXPECT_FALSE(fallback.isEnabled());
    EXPECT_FALSE(narrow.isEnabled());
    control<QComboBox>(u"cboCharsetDest"_s).setCurrentIndex(1);
    EXPECT_TRUE(narrow.isEnabled());
}

TEST_F(ConverterTest, FoldersAreLeftOutAndShortcutsStandForTheirTargets) {
    const QString target = file(u"target.txt"_s, "text");
    ShellLink link;
    link.SetTarget(target);
    ASSERT_TRUE(link.Save(dir.filePath(u"short.lnk"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
    dialog.wizard().GoNext(1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& files = control<QListWidget>(u"lstFiles"_s);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir.filePath(u"folder"_s)),
                  QUrl::fromLocalFile(dir.filePath(u"short.lnk"_s))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(files.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(files.viewport(), &drop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return files.count() > 0; }));
    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(files.item(0)->text(), target);
    EXPECT_EQ(files.currentRow(), 0);

    // Delete removes the selected entry and selects the one now in its place.
    dialog.AddFile(target);
    dialog.AddFile(target);
    files.setCurrentRow(1);
    QTest::keyClick(&files, Qt::Key_Delete);
    EXPECT_EQ(files.count(), 2);
    EXPECT_EQ(files.currentRow(), 1);
    QTest::keyClick(&files, Qt::Key_Delete);
    EXPECT_EQ(files.currentRow(), 0) << "after the last entry, the new last one";
}

// Every charset and break code to every target, byte for byte as the library's single
// conversions give them.
TEST_F(ConverterTest, FilesOfEachFormConvertToEachTarget) {
    struct Source {
        StringCharsetTypeConstants charset;
        StringLineBreakCodeConstants breakCode;
    };
    const Source sources[] = {{SCS_SHIFTJIS, SLB_CRLF}, {SCS_EUC, SLB_LF}, {SCS_JIS, SLB_CR}};
    for (const StringCharsetTypeConstants target : {SCS_SHIFTJIS, SCS_JIS, SCS_EUC}) {
        for (const StringLineBreakCodeConstants breakCode : {SLB_CRLF, SLB_CR, SLB_LF}) {
            SCOPED_TRACE(testing::Message() << "target " << target << " " << breakCode);
            cDlgConverter converter;
            QStringList paths;
            for (const Source& source : sources) {
                paths << file(u"%1-%2.txt"_s.arg(int(source.charset)).arg(int(source.breakCode)),
                              encoded(Sample, source.charset, source.breakCode));
                converter.AddFile(paths.last());
            }
            converter.wizard().GoNext(1);
            converter.wizard().GoNext(1);
            // EUC-JP text may pass for Shift_JIS; ambiguous files are taken as EUC-JP here.
            converter.findChild<QCheckBox*>(u"chkForce"_s)->setChecked(true);
            converter.findChild<QComboBox*>(u"cboCharsetForce"_s)->setCurrentIndex(2);
            converter.findChild<QComboBox*>(u"cboCharsetDest"_s)->setCurrentIndex(target - 1);
            converter.findChild<QComboBox*>(u"cboLineBreakDest"_s)->setCurrentIndex(breakCode - 1);
            converter.findChild<QCheckBox*>(u"chkNarrow"_s)->setChecked(false);
            while (!converter.wizard().Finished())
                converter.wizard().GoNext(1);
            EXPECT_EQ(converter.wizard().Page(), 6);
            for (const QString& path : paths)
                EXPECT_EQ(readRaw(path), encoded(Sample, target, breakCode)) << path.toStdString();
            EXPECT_EQ(converter.findChild<tamsell::ProgressBar*>(u"pbrStatus"_s)->Value(), 3);
        }
    }
}

TEST_F(ConverterTest, UnicodeFilesConvertBothWays) {
    const QString text = u"吾輩は猫である。\r\n"_s;
    QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString fromUtf16 = file(u"le.txt"_s, "\xFF\xFE" + utf16);
    const QString fromUtf8 = file(u"u8.txt"_s, text.toUtf8());
    dialog.AddFile(fromUtf16);
    dialog.AddFile(fromUtf8);
    run();
    EXPECT_EQ(readRaw(fromUtf16), platform::cp932::encode(text));
    EXPECT_EQ(readRaw(fromUtf8), platform::cp932::encode(text));

    cDlgConverter toUnicode;
    toUnicode.AddFile(fromUtf8);
    auto* dest = toUnicode.findChild<QComboBox*>(u"cboCharsetDest"_s);
    dest->setCurrentIndex(dest->findText(u"UTF-8 (BOM) [utf-8]"_s));
    ASSERT_GE(dest->currentIndex(), 0);
    while (!toUnicode.wizard().Finished())
        toUnicode.wizard().GoNext(1);
    EXPECT_EQ(readRaw(fromUtf8), "\xEF\xBB\xBF" + text.toUtf8());
}

TEST_F(ConverterTest, GivenBreaksNarrowKatakanaAndFilesThatWouldNotChange) {
    const QString cr = file(u"cr.txt"_s, encoded(Sample, SCS_SHIFTJIS, SLB_CR));
    const QString empty = file(u"empty.txt"_s, {});
    const QString same = file(u"same.txt"_s, encoded(Sample, SCS_JIS, SLB_LF, true));
    dialog.AddFile(cr);
    choose(1, 2, SCS_JIS, SLB_LF);
    control<QCheckBox>(u"chkNarrow"_s).setChecked(true);
    run();
    EXPECT_EQ(readRaw(cr), encoded(Sample, SCS_JIS, SLB_LF, true));
    EXPECT_EQ(dialog.wizard().Page(), 6);

    cDlgConverter recognising;
    recognising.AddFile(empty);
    recognising.AddFile(same);
    recognising.findChild<QComboBox*>(u"cboCharsetDest"_s)->setCurrentIndex(SCS_JIS - 1);
    recognising.findChild<QComboBox*>(u"cboLineBreakDest"_s)->setCurrentIndex(SLB_LF - 1);
    recognising.findChild<QCheckBox*>(u"chkNarrow"_s)->setChecked(true);
    while (!recognising.wizard().Finished())
        recognising.wizard().GoNext(1);
    EXPECT_EQ(readRaw(empty), QByteArray());
    EXPECT_EQ(readRaw(same), encoded(Sample, SCS_JIS, SLB_LF, true));
    EXPECT_TRUE(recognising.findChild<orvenly::TextBox*>(u"txtLog"_s)
                    ->storage()
                    .text()
                    .contains(u"ファイル '%1' は変換しても変わらないため"_s.arg(same)));
}

TEST_F(ConverterTest, BinaryFilesAreSkippedAndUndecidedOnesAsked) {
    const QString binary = file(u"binary.bin"_s, QByteArray("\x00\x01\x02text", 7));
    // Text that reads as Shift_JIS and as EUC-JP alike.
    const QString undecided = file(u"undecided.txt"_s, QByteArray("\xA4\xA2\xA4\xA4\r\n"));
    dialog.AddFile(binary);
    dialog.AddFile(undecided);
    answer(u"SelectFormat"_s, formatSelection(SCS_EUC, 0));
    run();
    EXPECT_EQ(readRaw(binary), QByteArray("\x00\x01\x02text", 7));
    EXPECT_TRUE(log().contains(u"をテキストファイルとして認識できませんでした。"_s));
    EXPECT_TRUE(log().contains(u"このファイルをスキップします。"_s));
    ASSERT_EQ(count(u"SelectFormat"_s), 1);
    EXPECT_EQ(readRaw(undecided), platform::cp932::encode(u"あい\r\n"_s));
    EXPECT_EQ(dialog.wizard().Page(), 6);

    // Cancelling the choice stops the run on the page of a stopped run.
    cDlgConverter again;
    again.AddFile(undecided);
    writeRaw(undecided, "\xA4\xA2\xA4\xA4\r\n");
    answer(u"SelectFormat"_s, FormatCancelled);
    while (!again.wizard().Finished())
        again.wizard().GoNext(1);
    EXPECT_EQ(again.wizard().Page(), 5);
    EXPECT_EQ(readRaw(undecided), QByteArray("\xA4\xA2\xA4\xA4\r\n"));
}

TEST_F(ConverterTest, CancelDuringTheRunFinishesTheFileAndStops) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << file(u"f%1.txt"_s.arg(i), encoded(Sample, SCS_SHIFTJIS, SLB_CRLF));
        dialog.AddFile(paths.last());
    }
    choose(1, 0, SCS_EUC, SLB_LF);
    // The user presses キャンセル while the third file is under way, and says Yes.
    auto& bar = control<tamsell::ProgressBar>(u"pbrStatus"_s);
    QObject::connect(&bar, &tamsell::ProgressBar::PropertyChanged, &dialog, [&] {
        if (bar.Value() == 2)
            QTimer::singleShot(0, &dialog, [&] { control<QPushButton>(u"cmdCancel"_s).click(); });
    });
    answer(u"MsgBox"_s, msgbox::Yes);
    run();
    EXPECT_EQ(dialog.wizard().Page(), 5);
    EXPECT_EQ(asked.back().text, u"処理を中止しますか？"_s);
    const int converted = int(std::count_if(paths.begin(), paths.end(), [](const QString& p) {
        return readRaw(p) == encoded(Sample, SCS_EUC, SLB_LF);
    }));
    EXPECT_EQ(converted, 2);
    EXPECT_EQ(readRaw(paths[4]), encoded(Sample, SCS_SHIFTJIS, SLB_CRLF));
    // The log names exactly the files that were changed.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(log().contains(u"ファイル '%1' を変換しました。"_s.arg(paths[i])),
                  readRaw(paths[i]) == encoded(Sample, SCS_EUC, SLB_LF))
            << i;
}

TEST_F(ConverterTest, ReadOnlyFilesAreRetriedUntilIgnored) {
    const QString locked = file(u"locked.txt"_s, encoded(Sample, SCS_SHIFTJIS, SLB_CRLF));
    const QString open = file(u"open.txt"_s, encoded(Sample, SCS_SHIFTJIS, SLB_CRLF));
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0444), 0);
    dialog.AddFile(locked);
    dialog.AddFile(open);
    choose(0, 0, SCS_EUC, SLB_CRLF);
    answer(u"MsgBox"_s, msgbox::Retry);
    answer(u"MsgBox"_s, msgbox::Retry);
    answer(u"MsgBox"_s, msgbox::Ignore);
    run();
    EXPECT_EQ(count(u"MsgBox"_s), 3);
    EXPECT_EQ(asked[0].style,
              msgbox::AbortRetryIgnore | msgbox::Exclamation | msgbox::DefaultButton2);
    EXPECT_TRUE(asked[0].text.startsWith(u"ファイル '%1' に保存できません。"_s.arg(locked)));
    EXPECT_EQ(readRaw(locked), encoded(Sample, SCS_SHIFTJIS, SLB_CRLF));
    EXPECT_EQ(readRaw(open), encoded(Sample, SCS_EUC, SLB_CRLF));
    EXPECT_TRUE(log().contains(
        u"ファイル: '%1' に上書きできませんでした。\nこのファイルをスキップしました。"_s.arg(
            locked)));
    EXPECT_EQ(dialog.wizard().Page(), 6);
}

// A file larger than the file-size limit allows: the original stays byte for byte.
TEST_F(ConverterTest, AWriteTheDiskCannotTakeLeavesTheFileAsItWas) {
    const QByteArray original = encoded(Sample.repeated(200), SCS_SHIFTJIS, SLB_CRLF);
    const QString path = file(u"big.txt"_s, original);
    dialog.AddFile(path);
    choose(1, 1, SCS_EUC, SLB_LF);
    answer(u"MsgBox"_s, msgbox::Abort);
    const int status = runUnderFileSizeLimit(rlim_t(original.size() / 2), [&] {
        run();
        return dialog.wizard().Page() == 5 && count(u"MsgBox"_s) == 1 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readRaw(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"big.txt"_s});
}

// A user-defined character (Shift_JIS F0 40, U+E000) has no EUC-JP code.
TEST_F(ConverterTest, CharactersTheTargetCannotHoldAreAskedAboutFileByFile) {
    const QByteArray lossy = platform::cp932::encode(u"前\uE000後\r\n"_s);
    ASSERT_EQ(lossy.mid(2, 2), QByteArray("\xF0\x40"));
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        paths << file(u"l%1.txt"_s.arg(i), lossy);
        dialog.AddFile(paths.last());
    }
    choose(1, 0, SCS_EUC, SLB_CRLF);
    answer(u"Unmappable"_s, int(cDlgConverter::LossAnswer::Convert));
    answer(u"Unmappable"_s, int(cDlgConverter::LossAnswer::Skip));
    answer(u"Unmappable"_s, int(cDlgConverter::LossAnswer::Skip), {u"all"_s});
    run();
    ASSERT_EQ(count(u"Unmappable"_s), 3) << "the last answer held for the rest";
    EXPECT_TRUE(asked[0].text.contains(u"1 個"_s));
    EXPECT_TRUE(asked[0].text.contains(u"U+E000"_s));
    EXPECT_EQ(readRaw(paths[0]), StringConversion::instance().UnicodeToEuc(u"前?後\r\n"_s));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(readRaw(paths[i]), lossy) << i;
    EXPECT_TRUE(log().contains(u"'?' に置き換えて変換しました"_s));
    EXPECT_EQ(log().count(u"スキップしました"_s), 3);

    cDlgConverter stopping;
    stopping.AddFile(paths[1]);
    stopping.AddFile(paths[2]);
    stopping.findChild<QComboBox*>(u"cboCharsetDest"_s)->setCurrentIndex(SCS_EUC - 1);
    answer(u"Unmappable"_s, int(cDlgConverter::LossAnswer::Stop));
    while (!stopping.wizard().Finished())
        stopping.wizard().GoNext(1);
    EXPECT_EQ(stopping.wizard().Page(), 5);
}

TEST_F(ConverterTest, CancelOutsideTheRunAsksAndAfterItCloses) {
    dialog.show();
    answer(u"MsgBox"_s, msgbox::No);
    control<QPushButton>(u"cmdCancel"_s).click();
    EXPECT_EQ(asked.back().text, u"終了してよろしいですか？"_s);
    EXPECT_TRUE(dialog.isVisible());
    answer(u"MsgBox"_s, msgbox::Yes);
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
