#pragma once

#include <QString>
#include <QStringView>

namespace penlark {

// Expands the backslash escapes of a regular-expression replacement: \\ \t \n \r \f \v \a \e,
// \cX, \ooo (octal, first digit 0-3), \xhh, \lX \uX (one character lower/upper), \L \U \E
// (case mode). Codes are code page 932 codes. A backslash or an escape cut short by the end
// of the text ends the expansion.
QString ExpandEscapes(QStringView text);

// Builds a replacement from the template's own text, whose escapes are expanded, and
// inserted texts (captured groups), which are copied as they are apart from the case mode:
// a backslash inside a document's text is never read as an escape.
class EscapeExpander {
public:
    void literal(QStringView text);
    void verbatim(QStringView text);
    QString take() { return std::move(m_out); }

private:
    enum class Case { None, Lower, Upper };
    void produce(QStringView text);
    void produceCode(int code);

    Case m_mode = Case::None;
    // A \l or \u that ended a template piece applies to the next inserted character.
    Case m_next = Case::None;
    QString m_out;
};

} // namespace penlark
