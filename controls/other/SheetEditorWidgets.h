#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

namespace tamsell {

// The text box over the value column of the selected row, without a frame.
class SheetTextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit SheetTextBox(QWidget* parent);

signals:
    // Enter: the typed value should take effect now.
    void committing();
    // Escape: the typed value should be dropped.
    void reverting();
    // Up or Down: the sheet should move to another row.
    void navigating(int key);
    // F4 or Alt+Down: the drop-down list should open or close.
    void dropping();
    // The focus went to next, another widget of the same window.
    void leaving(QWidget* next);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The button at the right end of the value column: "..." for a reference, or the arrow of a
// drop-down list. It reacts when the left button goes down on it.
class SheetButton : public QWidget {
    Q_OBJECT

public:
    enum class Face { Reference, DropDown };

    explicit SheetButton(QWidget* parent);
    Face face() const { return m_face; }
    void setFace(Face face);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Face m_face = Face::DropDown;
    bool m_down = false;
};

// The drop-down list of candidates or colours, one entry per text height.
class SheetDropList : public QListWidget {
    Q_OBJECT

public:
    explicit SheetDropList(QWidget* parent);

signals:
    // The mouse button was released over the list, or Enter or Escape pressed.
    void finished();
    // The focus left the list.
    void leaving();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tamsell
