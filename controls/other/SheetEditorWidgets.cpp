#include "SheetEditorWidgets.h"

#include "../used/Edges.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace tamsell {

SheetTextBox::SheetTextBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    // The box is exactly one text height tall; the usual margins would clip the text.
    setTextMargins(0, -1, 0, -1);
    hide();
}

void SheetTextBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit committing();
        return;
    case Qt::Key_Escape:
        emit reverting();
        return;
    case Qt::Key_F4:
        emit dropping();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))
            emit dropping();
        else
            emit navigating(event->key());
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void SheetTextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching windows or opening a menu is no leaving.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit leaving(QApplication::focusWidget());
}

SheetButton::SheetButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void SheetButton::setFace(Face face) {
    m_face = face;
    update();
}

void SheetButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= m_down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    const int shift = m_down ? 1 : 0;
    const QColor ink =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    if (m_face == Face::Reference) {
        painter.setPen(ink);
        painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, QStringLiteral("..."));
    } else {
        drawArrow(painter, width() / 2 + shift, height() / 2 - 1 + shift, ink);
    }
}

void SheetButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_down = true;
    repaint();
    emit pressed();
}

void SheetButton::mouseReleaseEvent(QMouseEvent*) {
    if (!m_down)
        return;
    m_down = false;
    update();
}

SheetDropList::SheetDropList(QWidget* parent) : QListWidget(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    hide();
}

void SheetDropList::mouseReleaseEvent(QMouseEvent* event) {
    // Releases reach here from the entries' viewport only, not from the scroll bar.
    QListWidget::mouseReleaseEvent(event);
    emit finished();
}

void SheetDropList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F4:
        emit finished();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void SheetDropList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    emit leaving();
}

} // namespace tamsell
