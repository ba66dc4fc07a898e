#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tamsell {

class FlatToolbar;
class NumberEdit;

// The property page for a toolbar's buttons: walks them by index, inserts and removes
// buttons and edits the shown one.
class pButtonObjects : public QWidget {
    Q_OBJECT

public:
    explicit pButtonObjects(QWidget* parent = nullptr);

    // Shows the first button of the first control of the selection.
    void SelectionChanged(const QList<FlatToolbar*>& SelectedControls);
    // Writes the fields back to the shown button; an invalid value raises its error.
    void ApplyChanges();

    // The 1-based index of the shown button, 0 when there is none.
    int shownIndex() const { return m_shown; }
    // Writes the shown button back and shows another one; false (with a message) when the
    // shown button's fields are invalid.
    bool showButton(int Index);
    // Inserts a new button before the shown one and shows it.
    void insertButton();
    // Removes the shown button and shows its successor.
    void removeButton();

private:
    void load();
    void updateRange();

    QPointer<FlatToolbar> m_target;
    int m_shown = 0;
    NumberEdit* m_index;
    QScrollBar* m_scroll;
    QPushButton* m_insert;
    QPushButton* m_remove;
    QLineEdit* m_caption;
    QLineEdit* m_key;
    QComboBox* m_style;
    QComboBox* m_exStyle;
    QLineEdit* m_toolTip;
    QComboBox* m_value;
    NumberEdit* m_length;
    NumberEdit* m_image;
    QCheckBox* m_visible;
    QCheckBox* m_enabled;
};

} // namespace tamsell
