#include "orvenly/TextStorage.h"

#include <QPlainTextDocumentLayout>
#include <QTextCursor>

namespace orvenly {

namespace {

// The document separates paragraphs with U+2029; the text with CR LF. One pass each way,
// since documents run to millions of characters.
QString crLfFromParagraphs(const QString& text, qsizetype breaks) {
    QString result(text.size() + breaks, Qt::Uninitialized);
    QChar* out = result.data();
    for (const QChar c : text) {
        if (c == QChar::ParagraphSeparator) {
            *out++ = u'\r';
            *out++ = u'\n';
        } else {
            *out++ = c;
        }
    }
    result.truncate(out - result.constData());
    return result;
}

} // namespace

QString crLfFromParagraphs(const QString& text) {
    return crLfFromParagraphs(text, text.count(QChar::ParagraphSeparator));
}

QString textWithCrLf(const QTextDocument& document) {
    return crLfFromParagraphs(document.toRawText(), document.blockCount() - 1);
}

QString paragraphsFromBreaks(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    const QChar* end = text.constEnd();
    for (const QChar* in = text.constBegin(); in != end; ++in) {
        if (*in == u'\r') {
            *out++ = u'\n';
            if (in + 1 != end && in[1] == u'\n')
                ++in;
        } else {
            *out++ = *in;
        }
    }
    result.truncate(out - result.constData());
    return result;
}

TextStorage::TextStorage() {
    // The layout a plain text box needs of the document it shows.
    m_document.setDocumentLayout(new QPlainTextDocumentLayout(&m_document));
}

QString TextStorage::Text() const {
    return textWithCrLf(m_document);
}

void TextStorage::SetText(const QString& value) {
    m_document.setPlainText(paragraphsFromBreaks(value));
}

void TextStorage::ReplaceAll(const QString& value) {
    QTextCursor cursor(&m_document);
    cursor.select(QTextCursor::Document);
    cursor.insertText(paragraphsFromBreaks(value));
}

} // namespace orvenly
