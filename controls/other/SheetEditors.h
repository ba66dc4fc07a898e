#pragma once

#include "tamsell/PropertySheetConstants.h"

#include <QObject>
#include <QRect>
#include <memory>

class QKeyEvent;

namespace tamsell {

class PropertySheet;
class SheetButton;
class SheetDropList;
class SheetItem;
class SheetTextBox;

// The in-place editors of a property sheet's selected item: a text box, a drop-down list of
// candidates or colours, and a reference or drop-down button, as the item's style calls for.
class SheetEditors : public QObject {
    Q_OBJECT

public:
    explicit SheetEditors(PropertySheet& sheet);
    ~SheetEditors() override;

    bool isOpen() const { return m_item != nullptr; }
    const std::shared_ptr<SheetItem>& item() const { return m_item; }

    // Opens the editors of the item, unless BeforeValueEdit cancels.
    void open(const std::shared_ptr<SheetItem>& item);
    // Commits a value typed into the text box, then hides every editor.
    void close();
    // Hides every editor without committing, as when the item goes away.
    void discard();
    // Places the editors over the row (sheet coordinates) with the value column starting at
    // valueLeft, inside client; an empty row hides them while it is out of view.
    void place(const QRect& row, int valueLeft, const QRect& client, int textHeight);
    // Brings the open editors up to date with their item; a changed style or a disabled item
    // closes them.
    void sync();

    // Opens or closes the drop-down list, as the button does.
    void toggleList();
    // What a double click on the item does: choose the next candidate, raise ReferenceClick,
    // or select the text for typing.
    void doubleClicked();
    // Hands a character typed on the sheet to the text box, which then has the focus.
    bool type(QKeyEvent* event);
    // Whether one of the editors has the keyboard focus.
    bool hasFocus() const;

private:
    void commit();
    void revert();
    void choose(int row);
    void fillList();
    void placeList();
    void finishList();
    void buttonPressed();
    void hideAll();

    PropertySheet& m_sheet;
    SheetTextBox* m_textBox;
    SheetButton* m_button;
    SheetDropList* m_list;
    std::shared_ptr<SheetItem> m_item;
    PropertySheetItemStyleConstants m_style = PSIS_TEXT;
    QRect m_row;
    int m_valueLeft = 0;
    QRect m_client;
    int m_textHeight = 0;
    bool m_committing = false;
};

} // namespace tamsell
