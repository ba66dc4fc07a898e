#pragma once

#include <QWidget>

namespace orvenly {

class TextEditor;

// The strip left of the text, in the box's viewport margin: pressing and dragging in it
// selects whole lines.
class EditorMargin : public QWidget {
public:
    EditorMargin(TextEditor& editor, QWidget* box);

    // Follows the viewport's height and the editor's margin width.
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TextEditor& m_editor;
};

} // namespace orvenly
