#include "shell/cMainFrame.h"

#include "common/CaretReadout.h"
#include "common/Settings.h"
#include "common/TextForms.h"
#include "shell/ChildWindow.h"

#include <orvenly/TextEditor.h>

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;

void cMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    for (const StatusField field :
         {StatusField::Caret, StatusField::Code, StatusField::Format, StatusField::Modified,
          StatusField::ReadOnly, StatusField::Overwrite, StatusField::Zoom}) {
        auto* label = new QLabel(bar);
        label->setContentsMargins(6, 0, 6, 0);
        // The caret and the code keep the room they need, so the fields do not jump about.
        if (field == StatusField::Caret)
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(u"99999 行, 9999 列"_s));
        if (field == StatusField::Code)
            label->setMinimumWidth(
                label->fontMetrics().horizontalAdvance(u"UTF-16LE D83DDE00 / U+1F600"_s));
        // The caret and the code stand on the left, the document's state on the right.
        if (field == StatusField::Caret || field == StatusField::Code)
            bar->addWidget(label);
        else
            bar->addPermanentWidget(label);
        m_statusFields[field] = label;
    }
}

void cMainFrame::showCaret() {
    if (!m_ActiveDocument) {
        m_lblCoordinate->clear();
        m_statusFields.at(StatusField::Caret)->clear();
        m_statusFields.at(StatusField::Code)->clear();
        return;
    }
    const orvenly::TextEditor::CaretPlace caret = m_ActiveDocument->Editor().caretPlace();
    const int column = cellColumn(caret.lineText, caret.column, m_settings.TabStep);
    const QString position =
        QString::number(caret.line + 1) + u" 行, "_s + QString::number(column + 1) + u" 列"_s;
    m_lblCoordinate->setText(position);
    m_statusFields.at(StatusField::Caret)->setText(position);
    m_statusFields.at(StatusField::Code)
        ->setText(
            characterCode(QStringView(caret.lineText).mid(caret.column), m_ActiveDocument->Form()));
    m_statusFields.at(StatusField::Overwrite)
        ->setText(m_ActiveDocument->txtEdit().overwriteMode() ? u"上書き"_s : u"挿入"_s);
}

void cMainFrame::showDocumentState() {
    QLabel& format = *m_statusFields.at(StatusField::Format);
    QLabel& modified = *m_statusFields.at(StatusField::Modified);
    QLabel& readOnly = *m_statusFields.at(StatusField::ReadOnly);
    QLabel& zoom = *m_statusFields.at(StatusField::Zoom);
    if (!m_ActiveDocument) {
        for (QLabel* field :
             {&format, &modified, &readOnly, &zoom, m_statusFields.at(StatusField::Overwrite)})
            field->clear();
        return;
    }
    const ChildWindow& document = *m_ActiveDocument;
    const QString breakName = breakCaption(document.BreakCode());
    format.setText(formCaption(document.Form()) +
                   (document.Charset() == orvenly::SCS_OCTETSTREAM || breakName.isEmpty()
                        ? QString()
                        : u" / "_s + breakName));
    modified.setText(document.document().isModified() ? u"変更あり"_s : QString());
    const bool unwritable = document.CanOverWrite() && QFileInfo::exists(document.FullPath()) &&
                            !QFileInfo(document.FullPath()).isWritable();
    readOnly.setText(unwritable ? u"読み取り専用"_s : QString());
    zoom.setText(document.Zoom() == 100 ? QString() : QString::number(document.Zoom()) + u" %"_s);
}

} // namespace penlark
