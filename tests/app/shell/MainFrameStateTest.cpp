#include "tests/app/shell/MainFrameTestSupport.h"

#include "dialogs/cDlgReplace.h"
#include "shell/cFloatEditorProperty.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWheelEvent>
#include <orvenly/TextBox.h>

namespace {

using namespace Qt::StringLiterals;

class MainFrameStateTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        start();
    }

    penlark::ChildWindow& newDocument() {
        item(FileCmd::New)->trigger();
        return *frame->ActiveDocument();
    }

    void focusEditor(penlark::ChildWindow& target) {
        frame->activateWindow();
        target.txtEdit().setFocus();
        QCoreApplication::processEvents();
    }
};

TEST_F(MainFrameStateTest, CommandsFollowTheFirstAndLastDocument) {
    penlark::ChildWindow& created = newDocument();
    EXPECT_EQ(frame->ActiveDocument(), &created);
    EXPECT_TRUE(frame->menu(FrameMenu::Edit)->menuAction()->isVisible());
    EXPECT_TRUE(frame->menu(FrameMenu::Window)->menuAction()->isVisible());
    for (FileCmd command : {FileCmd::Close, FileCmd::SaveAs, FileCmd::SaveAll})
        EXPECT_TRUE(item(command)->isEnabled()) << int(command);
    // A new document has no file to write over.
    EXPECT_FALSE(item(FileCmd::Save)->isEnabled());
    EXPECT_TRUE(button(u"save"_s)->Enabled());
    EXPECT_TRUE(button(u"saveall"_s)->Enabled());

    item(WindowCmd::CloseAll)->trigger();
    EXPECT_EQ(frame->ActiveDocument(), nullptr);
    EXPECT_FALSE(frame->menu(FrameMenu::Edit)->menuAction()->isVisible());
    for (FileCmd command : {FileCmd::Close, FileCmd::Save, FileCmd::SaveAs, FileCmd::SaveAll})
        EXPECT_FALSE(item(command)->isEnabled()) << int(command);
    for (const QString& key : {u"save"_s, u"saveall"_s, u"undo"_s, u"cut"_s, u"copy"_s})
        EXPECT_FALSE(button(key)->Enabled()) << key.toStdString();
}

TEST_F(MainFrameStateTest, EditCommandsFollowTheEditorAndTheClipboard) {
    penlark::ChildWindow& created = newDocument();
    QGuiApplication::clipboard()->clear();
    frame->UpdateEditCommands();
    EXPECT_FALSE(item(EditCmd::Undo)->isEnabled());
    EXPECT_FALSE(item(EditCmd::Cut)->isEnabled());
    EXPECT_FALSE(button(u"copy"_s)->Enabled());

    created.Editor().ReplaceSel(u"abc"_s);
    created.Editor().SetSel(0, 2);
    frame->UpdateEditCommands();
    EXPECT_TRUE(item(EditCmd::Undo)->isEnabled());
    EXPECT_TRUE(button(u"undo"_s)->Enabled());
    EXPECT_TRUE(item(EditCmd::Cut)->isEnabled());
    EXPECT_TRUE(button(u"cut"_s)->Enabled());
    EXPECT_TRUE(button(u"copy"_s)->Enabled());

    item(EditCmd::Copy)->trigger();
    frame->UpdateEditCommands();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"ab"_s);
    EXPECT_TRUE(item(EditCmd::Paste)->isEnabled());
    EXPECT_TRUE(button(u"paste"_s)->Enabled());

    item(EditCmd::SelectAll)->trigger();
    EXPECT_EQ(created.Editor().SelLength(), 3);
}

// Typed words, taken back and done again by keys; the command and the button follow.
TEST_F(MainFrameStateTest, RedoDoesAgainWhatUndoTookBack) {
    penlark::ChildWindow& created = newDocument();
    focusEditor(created);
    orvenly::TextBox& box = created.txtEdit();
    for (const QString& word : {u"one"_s, u"two"_s, u"three"_s}) {
        QTest::keyClicks(&box, word);
        QTest::keyClick(&box, Qt::Key_Return);
    }
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Backspace);
    const QString typed = created.Editor().Text();
    frame->UpdateEditCommands();
    EXPECT_FALSE(item(EditCmd::Redo)->isEnabled());
    EXPECT_FALSE(button(u"redo"_s)->Enabled());

    while (created.Editor().CanUndo())
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(created.Editor().Text(), QString());
    frame->UpdateEditCommands();
    EXPECT_TRUE(item(EditCmd::Redo)->isEnabled());
    EXPECT_TRUE(button(u"redo"_s)->Enabled());

    while (created.Editor().CanRedo())
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(created.Editor().Text(), typed);
    frame->UpdateEditCommands();
    EXPECT_FALSE(item(EditCmd::Redo)->isEnabled());

    // One undo, then the button does it again; a new edit leaves nothing to redo.
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    button(u"redo"_s)->setValue(tamsell::FTBV_PRESSED);
    EXPECT_EQ(created.Editor().Text(), typed);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClicks(&box, u"x"_s);
    EXPECT_FALSE(created.Editor().CanRedo());
}

TEST_F(MainFrameStateTest, ToolsOpenThePreferencesAndTheConverter) {
    ASSERT_TRUE(item(ToolCmd::Converter)->isEnabled());
    item(ToolCmd::Converter)->trigger();
    EXPECT_EQ(asked(u"Convert"_s), 1);
    item(ToolCmd::Preferences)->trigger();
    EXPECT_EQ(asked(u"Preferences"_s), 1);
}

TEST_F(MainFrameStateTest, CaretLabelShowsLineThenColumnAndClearsWithTheLastDocument) {
    penlark::ChildWindow& created = newDocument();
    focusEditor(created);
    frame->UpdateEditCommands();
    EXPECT_EQ(frame->lblCoordinate().text(), u"1 行, 1 列"_s);

    created.Editor().ReplaceSel(u"ab\r\nc"_s);
    frame->UpdateEditCommands();
    EXPECT_EQ(frame->lblCoordinate().text(), u"2 行, 2 列"_s);
    // Full-width characters take two cells, in the label and in the status bar alike.
    created.Editor().ReplaceSel(u"あい"_s);
    created.Editor().SetSelStart(6);
    frame->UpdateEditCommands();
    using Field = penlark::cMainFrame::StatusField;
    EXPECT_EQ(frame->lblCoordinate().text(), u"2 行, 4 列"_s);
    EXPECT_EQ(frame->statusField(Field::Caret).text(), u"2 行, 4 列"_s);
    EXPECT_EQ(frame->statusField(Field::Code).text(), u"SJIS 82A2 / U+3044"_s);
    EXPECT_EQ(frame->statusField(Field::Format).text(), u"Shift JIS / Windows"_s);
    EXPECT_EQ(frame->statusField(Field::Modified).text(), u"変更あり"_s);
    EXPECT_EQ(frame->statusField(Field::Overwrite).text(), u"挿入"_s);

    answer(u"Confirm"_s, 4);
    item(WindowCmd::CloseAll)->trigger();
    EXPECT_TRUE(frame->lblCoordinate().text().isEmpty());
    EXPECT_TRUE(frame->statusField(Field::Format).text().isEmpty());
}

// Columns count cells, whatever the font's size: the readout never measures pixels.
TEST_F(MainFrameStateTest, CaretColumnIsTheSameAtEveryFontSize) {
    penlark::ChildWindow& created = newDocument();
    focusEditor(created);
    created.Editor().ReplaceSel(u"abcdefgh\tあx"_s);
    for (const qreal points : {12.0, 20.0}) {
        QFont font = created.Editor().Font();
        font.setPointSizeF(points);
        created.Editor().SetFont(font);
        for (const auto& [position, column] :
             {std::pair{8, u"9 列"_s}, {9, u"17 列"_s}, {10, u"19 列"_s}}) {
            created.Editor().SetSelStart(position);
            frame->UpdateEditCommands();
            EXPECT_TRUE(frame->lblCoordinate().text().endsWith(column))
                << points << ' ' << position;
        }
    }
}

// Lines clamp to the text, columns (cells as the status bar counts them) to the line.
TEST_F(MainFrameStateTest, GoToLineMovesTheCaretAndScrollsItIntoView) {
    penlark::ChildWindow& created = newDocument();
    created.Editor().SetText(u"abc\r\nあいう\r\n\tx"_s + u"\r\n"_s.repeated(300));
    settings.TabStep = 4;
    EXPECT_EQ(item(EditCmd::GoToLine)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    const struct {
        QStringList typed;
        int32_t selStart;
    } cases[] = {
        {{u"2"_s, u"5"_s}, 7},     // the cells of う
        {{u"2"_s, u"4"_s}, 6},     // the second cell of い
        {{u"3"_s, u"5"_s}, 11},    // past the tab
        {{u"3"_s, u"99"_s}, 12},   // the end of the line
        {{u"0"_s}, 0},             // before the first line
        {{u"99999999999"_s}, 612}, // beyond the last line
    };
    for (const auto& [typed, selStart] : cases) {
        answer(u"GoToLine"_s, orvenly::msgbox::OK, typed);
        item(EditCmd::GoToLine)->trigger();
        EXPECT_EQ(created.Editor().SelStart(), selStart) << typed.join(u' ').toStdString();
    }
    EXPECT_EQ(requests.back().style, 303);
    EXPECT_EQ(requests.back().details, QStringList{u"1"_s});

    answer(u"GoToLine"_s, orvenly::msgbox::Cancel, {u"1"_s});
    item(EditCmd::GoToLine)->trigger();
    EXPECT_EQ(created.Editor().SelStart(), 612);
    QCoreApplication::processEvents();
    const orvenly::TextBox& box = created.txtEdit();
    EXPECT_TRUE(box.viewport()->rect().contains(box.cursorRect()));
}

// The find dialog has the focus and moves the caret; the readout follows.
TEST_F(MainFrameStateTest, CaretLabelStaysCurrentWhileTheFindDialogHasTheFocus) {
    penlark::ChildWindow& created = newDocument();
    focusEditor(created);
    item(EditCmd::Find)->trigger();
    penlark::cDlgReplace& find = frame->findDialog();
    find.activateWindow();
    find.setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(QApplication::focusWidget() && QApplication::focusWidget()->window() == &find);

    created.Editor().ReplaceSel(u"ab\r\ncd\r\nef"_s);
    frame->UpdateEditCommands();
    EXPECT_EQ(frame->lblCoordinate().text(), u"3 行, 3 列"_s);
    EXPECT_EQ(QApplication::focusWidget()->window(), &find);
}

TEST_F(MainFrameStateTest, ZoomChangesTheActiveViewOnlyUntilCtrl0) {
    penlark::ChildWindow& other = newDocument();
    penlark::ChildWindow& active = newDocument();
    const qreal size = active.Editor().Font().pointSizeF();
    ASSERT_GT(size, 0);
    focusEditor(active);
    QTest::keyClick(&active.txtEdit(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&active.txtEdit(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(active.Zoom(), 125);
    QTest::keyClick(&active.txtEdit(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(active.Zoom(), 110);
    QWheelEvent wheel({10, 10}, active.txtEdit().viewport()->mapToGlobal(QPointF(10, 10)), {},
                      {0, 240}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(active.txtEdit().viewport(), &wheel);
    EXPECT_EQ(active.Zoom(), 150);
    EXPECT_DOUBLE_EQ(active.Editor().Font().pointSizeF(), size * 1.5);
    EXPECT_EQ(frame->statusField(penlark::cMainFrame::StatusField::Zoom).text(), u"150 %"_s);
    // New settings keep each view's zoom.
    frame->ApplySettings();
    EXPECT_DOUBLE_EQ(active.Editor().Font().pointSizeF(), size * 1.5);
    EXPECT_DOUBLE_EQ(other.Editor().Font().pointSizeF(), size);

    QTest::keyClick(&active.txtEdit(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(active.Editor().Font().pointSizeF(), size);
    EXPECT_TRUE(frame->statusField(penlark::cMainFrame::StatusField::Zoom).text().isEmpty());
}

TEST_F(MainFrameStateTest, DateAndTimeIsInsertedUndoably) {
    penlark::ChildWindow& created = newDocument();
    item(EditCmd::DateAndTime)->trigger();
    const QString inserted = created.Editor().Text();
    EXPECT_FALSE(inserted.isEmpty());
    EXPECT_TRUE(inserted.contains(QString::number(QDate::currentDate().day())));
    EXPECT_TRUE(created.Editor().CanUndo());
}

TEST_F(MainFrameStateTest, PropertyWindowFollowsTheActiveDocumentAndChangesItsCharset) {
    penlark::ChildWindow& first = newDocument();
    penlark::ChildWindow& second = newDocument();
    EXPECT_EQ(frame->propertyWindow().Target(), &second);
    item(EditCmd::Properties)->trigger();
    EXPECT_TRUE(frame->propertyWindow().isVisible());

    auto* charset = frame->propertyWindow().findChild<QComboBox*>(u"cboCharset"_s);
    ASSERT_NE(charset, nullptr);
    charset->setCurrentIndex(charset->findData(int(orvenly::SCS_EUC)));
    EXPECT_EQ(second.Charset(), orvenly::SCS_EUC);
    EXPECT_TRUE(second.Editor().Modify());
    EXPECT_TRUE(second.Caption().contains(u"EUC"_s, Qt::CaseInsensitive));
    EXPECT_EQ(first.Charset(), orvenly::SCS_SHIFTJIS);

    answer(u"Confirm"_s, 4);
    item(WindowCmd::CloseAll)->trigger();
    EXPECT_FALSE(frame->propertyWindow().isVisible());
}

TEST_F(MainFrameStateTest, WindowsTileSideBySideAndOneAboveTheOther) {
    newDocument();
    newDocument();
    const QRect room = frame->documentArea().viewport()->rect();

    item(WindowCmd::TileSideBySide)->trigger();
    const QList<QMdiSubWindow*> windows =
        frame->documentArea().subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->geometry().left(), 0);
    EXPECT_EQ(windows[1]->geometry().left(), windows[0]->geometry().right() + 1);
    EXPECT_EQ(windows[0]->height(), room.height());
    EXPECT_EQ(windows[0]->width() + windows[1]->width(), room.width());

    item(WindowCmd::TileOneAboveTheOther)->trigger();
    EXPECT_EQ(windows[1]->geometry().top(), windows[0]->geometry().bottom() + 1);
    EXPECT_EQ(windows[0]->width(), room.width());

    QMdiSubWindow* before = frame->documentArea().activeSubWindow();
    item(WindowCmd::Next)->trigger();
    EXPECT_NE(frame->documentArea().activeSubWindow(), before);
    EXPECT_EQ(frame->ActiveDocument()->subWindow(), frame->documentArea().activeSubWindow());
}

TEST_F(MainFrameStateTest, FindTakesTheSelectionAndTheSearchButtonSwitchesTheStyle) {
    penlark::ChildWindow& created = newDocument();
    EXPECT_TRUE(button(u"search"_s)->Enabled());
    created.Editor().ReplaceSel(u"探す言葉"_s);
    created.Editor().SetSel(0, 2);

    item(EditCmd::Find)->trigger();
    penlark::cDlgReplace& find = frame->findDialog();
    EXPECT_TRUE(find.isVisible());
    EXPECT_EQ(find.Style(), 0);
    EXPECT_EQ(find.SearchPattern(), u"探す"_s);
    EXPECT_EQ(find.Target(), &created.Editor());

    button(u"search"_s)->setValue(tamsell::FTBV_PRESSED);
    EXPECT_EQ(find.Style(), 1);
    button(u"search"_s)->setValue(tamsell::FTBV_PRESSED);
    EXPECT_EQ(find.Style(), 0);

    answer(u"Confirm"_s, 4);
    item(WindowCmd::CloseAll)->trigger();
    EXPECT_FALSE(find.isVisible());
    EXPECT_FALSE(button(u"search"_s)->Enabled());
}

} // namespace
