#include "tests/controls/SheetTestSupport.h"

#include <QApplication>

using namespace tamsell;

namespace {

class SheetEditor : public SheetTest {
protected:
    SheetEditor() {
        sheet.setStyle(PSS_LIST);
        category = sheet.Categories().Add();
    }
    std::shared_ptr<SheetItem> add(PropertySheetItemStyleConstants style, const QString& caption,
                                   const QString& value = {}, int candidates = 0) {
        const auto item = category->Items().Add(0, {}, style, caption, value);
        for (int i = 1; i <= candidates; ++i)
            item->Candidates().Add(0, {}, QString("choice %1").arg(i), i);
        return item;
    }
    QWidget* button() const { return sheet.findChild<QWidget*>("button"); }
    void pressButton() { QTest::mousePress(button(), Qt::LeftButton, {}, QPoint(3, 3)); }
    // The value column's left edge in sheet coordinates, for captions as wide as caption.
    int valueLeft(const QString& caption) const {
        return border + QFontMetrics(sheet.font()).horizontalAdvance(caption) + 5;
    }
    void afterValueEdit(std::function<void(QString&, bool&)> handler) {
        QObject::connect(&sheet, &PropertySheet::AfterValueEdit,
                         [this, handler](QString& Value, bool& Cancel) {
                             events << "AfterValueEdit " + Value;
                             handler(Value, Cancel);
                         });
    }
    std::shared_ptr<SheetCategory> category;
};

TEST_F(SheetEditor, ATextItemGetsATextBoxOverItsValueColumn) {
    add(PSIS_TEXT, "name", "value");
    show();
    click(inRow(1));
    EXPECT_EQ(events, QStringList({"Click", "BeforeValueEdit"}));
    ASSERT_FALSE(textBox()->isHidden());
    EXPECT_EQ(textBox()->text(), "value");
    EXPECT_EQ(textBox()->geometry(),
              QRect(valueLeft("name"), border + 1,
                    sheet.width() - border - scrollBar()->width() - valueLeft("name"), t()));
    EXPECT_TRUE(button()->isHidden());
    // The sheet keeps the keys until the text box is clicked or typed into.
    EXPECT_TRUE(sheet.hasFocus());
}

TEST_F(SheetEditor, CancellingBeforeValueEditLeavesTheRowWithoutEditors) {
    const auto item = add(PSIS_COMBO, "name", "value", 2);
    cancelEditing = true;
    show();
    click(inRow(1));
    EXPECT_EQ(sheet.SelectedItem(), item);
    EXPECT_TRUE(textBox()->isHidden());
    EXPECT_TRUE(button()->isHidden());
}

TEST_F(SheetEditor, ATypedValuePassesThroughAfterValueEdit) {
    const auto item = add(PSIS_TEXT, "name", "old");
    add(PSIS_TEXT, "other");
    afterValueEdit([](QString& Value, bool&) { Value = Value.toUpper(); });
    show();
    click(inRow(1));
    // Typing on the sheet goes to the text box and replaces the value.
    QTest::keyClicks(&sheet, "n");
    QTest::keyClicks(textBox(), "ew");
    EXPECT_TRUE(textBox()->hasFocus());
    EXPECT_EQ(item->Text(), "old");
    QTest::keyClick(textBox(), Qt::Key_Down);
    EXPECT_EQ(item->Text(), "NEW");
    EXPECT_TRUE(events.contains("AfterValueEdit new"));
    EXPECT_EQ(selectedCaption(), "other");
}

TEST_F(SheetEditor, CancellingAfterValueEditKeepsTheOldText) {
    const auto item = add(PSIS_TEXT, "name", "old");
    afterValueEdit([](QString&, bool& Cancel) { Cancel = true; });
    show();
    click(inRow(1));
    QTest::mouseClick(textBox(), Qt::LeftButton);
    textBox()->selectAll();
    QTest::keyClicks(textBox(), "typed");
    QTest::keyClick(textBox(), Qt::Key_Return);
    EXPECT_EQ(item->Text(), "old");
    EXPECT_EQ(textBox()->text(), "old");
    // Leaving the box validates it again, unchanged as its text is.
    events.clear();
    sheet.setFocus();
    EXPECT_EQ(events, QStringList({"AfterValueEdit old"}));
}

TEST_F(SheetEditor, EscapeDropsWhatWasTyped) {
    const auto item = add(PSIS_TEXT, "name", "old");
    afterValueEdit([](QString&, bool&) {});
    show();
    click(inRow(1));
    QTest::keyClicks(&sheet, "x");
    QTest::keyClick(textBox(), Qt::Key_Escape);
    EXPECT_EQ(textBox()->text(), "old");
    sheet.setFocus();
    EXPECT_EQ(item->Text(), "old");
    EXPECT_FALSE(events.contains("AfterValueEdit x"));
}

TEST_F(SheetEditor, AListItemChoosesFromItsDropDownList) {
    const auto item = add(PSIS_LIST, "name", {}, 3);
    show();
    click(inRow(1));
    // No text box and no BeforeValueEdit: the list is the only editor.
    EXPECT_EQ(events, QStringList({"Click"}));
    EXPECT_TRUE(textBox()->isHidden());
    ASSERT_FALSE(button()->isHidden());
    pressButton();
    ASSERT_TRUE(dropList()->isVisible());
    EXPECT_TRUE(dropList()->hasFocus());
    EXPECT_EQ(dropList()->height(), 3 * t() + 2);
    EXPECT_EQ(dropList()->y(), border + pitch() - 1);
    EXPECT_TRUE(events.contains("DropDown"));
    const QRect second = dropList()->visualItemRect(dropList()->item(1));
    QTest::mouseClick(dropList()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(item->SelectedItem(), item->Candidates().Item(2));
    EXPECT_EQ(item->Text(), "choice 2");
    EXPECT_TRUE(events.contains("CandidateClick"));
    EXPECT_FALSE(dropList()->isVisible());
    EXPECT_TRUE(sheet.hasFocus());
    // The button opens the list on the entry of the current text.
    pressButton();
    EXPECT_EQ(dropList()->currentRow(), 1);
    pressButton();
    EXPECT_FALSE(dropList()->isVisible());
}

TEST_F(SheetEditor, TheListShowsAtMostEightEntries) {
    add(PSIS_COMBO, "name", {}, 20);
    sheet.resize(300, 400);
    show();
    click(inRow(1));
    pressButton();
    EXPECT_EQ(dropList()->height(), 8 * t() + 2);
}

TEST_F(SheetEditor, TheListOpensAboveWhenThereIsNoRoomBelowAndShrinksWhenNeitherSideHasRoom) {
    for (int i = 0; i < 6; ++i)
        add(PSIS_LIST, QString("row %1").arg(i), {}, 3);
    // Six whole rows, the last of which has less than three entries below it.
    sheet.resize(300, 2 * border + 6 * pitch());
    show();
    click(inRow(6));
    pressButton();
    const int rowTop = border + 5 * pitch();
    EXPECT_EQ(dropList()->height(), 3 * t() + 2);
    EXPECT_EQ(dropList()->geometry().bottom(), rowTop);

    // Two rows: neither side takes three entries; the list takes the roomier side, whole
    // entries only.
    QTest::keyClick(dropList(), Qt::Key_Escape);
    sheet.resize(300, 2 * border + 2 * pitch());
    click(inRow(1));
    pressButton();
    const int room = pitch();
    EXPECT_EQ(dropList()->height(), ((room - 1) / t()) * t() + 2);
    EXPECT_EQ(dropList()->y(), border + pitch() - 1);
}

TEST_F(SheetEditor, DoubleClicksActByStyle) {
    const auto list = add(PSIS_LIST, "a list", {}, 2);
    add(PSIS_REFERENCE, "b reference", "ref");
    add(PSIS_TEXT, "c text", "some text");
    show();
    // A list item steps through its candidates, back to the first after the last.
    click(inRow(1));
    doubleClick(inRow(1));
    EXPECT_EQ(list->Text(), "choice 1");
    doubleClick(inRow(1));
    EXPECT_EQ(list->Text(), "choice 2");
    doubleClick(inRow(1));
    EXPECT_EQ(list->Text(), "choice 1");
    EXPECT_EQ(events.count("CandidateClick"), 3);

    click(inRow(2));
    doubleClick(inRow(2));
    EXPECT_EQ(events.count("ReferenceClick"), 1);

    click(inRow(3));
    doubleClick(inRow(3));
    EXPECT_TRUE(textBox()->hasFocus());
    EXPECT_EQ(textBox()->selectedText(), "some text");
}

TEST_F(SheetEditor, TheReferenceButtonReportsItsPress) {
    add(PSIS_REFERENCE, "name", "value");
    show();
    click(inRow(1));
    ASSERT_FALSE(button()->isHidden());
    EXPECT_EQ(textBox()->geometry().right() + 1, button()->x());
    pressButton();
    EXPECT_TRUE(events.contains("ReferenceClick"));
    EXPECT_FALSE(dropList()->isVisible());
}

TEST_F(SheetEditor, AComboTakesAChoiceOrATypedValue) {
    const auto item = add(PSIS_COMBO, "name", "typed before", 2);
    afterValueEdit([](QString&, bool&) {});
    show();
    click(inRow(1));
    pressButton();
    const QRect first = dropList()->visualItemRect(dropList()->item(0));
    QTest::mouseClick(dropList()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(item->SelectedItem(), item->Candidates().Item(1));
    EXPECT_EQ(textBox()->text(), "choice 1");
    EXPECT_TRUE(textBox()->hasFocus());
    // The choice is validated like a typed value.
    QTest::keyClick(textBox(), Qt::Key_Return);
    EXPECT_TRUE(events.contains("AfterValueEdit choice 1"));
    // Typing over the choice gives the item its own text and no candidate.
    textBox()->selectAll();
    QTest::keyClicks(textBox(), "mine");
    QTest::keyClick(textBox(), Qt::Key_Return);
    EXPECT_EQ(item->Text(), "mine");
    EXPECT_EQ(item->SelectedItem(), nullptr);
}

TEST_F(SheetEditor, AColourItemChoosesFromTheColourList) {
    const auto item = add(PSIS_COLOR, "colour", "&H80000008&");
    afterValueEdit([](QString&, bool&) {});
    show();
    click(inRow(1));
    pressButton();
    ASSERT_TRUE(dropList()->isVisible());
    EXPECT_EQ(dropList()->currentRow(), 0);
    EXPECT_EQ(dropList()->height(), 8 * t() + 2);
    for (int row = 0; row < dropList()->count(); ++row) {
        if (dropList()->item(row)->text() == QStringLiteral("赤")) {
            dropList()->setCurrentRow(row);
            break;
        }
    }
    EXPECT_EQ(item->Text(), "&H000000FF&");
    EXPECT_TRUE(events.contains("AfterValueEdit &H000000FF&"));
}

TEST_F(SheetEditor, DisabledItemsAndAnUndrawnSheetOpenNoEditor) {
    add(PSIS_TEXT, "a", "x")->setEnabled(false);
    add(PSIS_TEXT, "b", "y");
    show();
    click(inRow(1));
    EXPECT_EQ(events, QStringList({"Click"}));
    EXPECT_TRUE(textBox()->isHidden());
    sheet.setRedraw(false);
    click(inRow(2));
    EXPECT_TRUE(textBox()->isHidden());
    sheet.setRedraw(true);
    // Disabling the edited item closes its editor.
    click(inRow(1));
    click(inRow(2));
    EXPECT_FALSE(textBox()->isHidden());
    sheet.SelectedItem()->setEnabled(false);
    EXPECT_TRUE(textBox()->isHidden());
}

} // namespace
