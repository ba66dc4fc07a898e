#pragma once

#include <QString>
#include <QTextDocument>

namespace orvenly {

// The text a document holds, apart from any window that shows it: one text document that a
// text box edits in place. Its text is read and written with CR LF breaks, as TextEditor's
// Text is; inside it every break is one paragraph break.
class TextStorage {
public:
    TextStorage();
    TextStorage(const TextStorage&) = delete;
    TextStorage& operator=(const TextStorage&) = delete;

    QTextDocument& document() { return m_document; }
    const QTextDocument& document() const { return m_document; }

    QString Text() const;
    // Replaces the whole text and forgets the undo history.
    void SetText(const QString& value);
    // Replaces the whole text as one step that undo takes back.
    void ReplaceAll(const QString& value);

    bool Modify() const { return m_document.isModified(); }
    void SetModify(bool value) { m_document.setModified(value); }
    void ClearUndo() { m_document.clearUndoRedoStacks(); }
    bool CanUndo() const { return m_document.isUndoAvailable(); }

private:
    QTextDocument m_document;
};

// A document's text with CR LF breaks.
QString textWithCrLf(const QTextDocument& document);
// Text taken from a document (paragraph breaks, U+2029) with CR LF breaks instead.
QString crLfFromParagraphs(const QString& text);
// Text with any breaks (CR LF, CR, LF) as a document takes it: one LF for each.
QString paragraphsFromBreaks(const QString& text);

} // namespace orvenly
