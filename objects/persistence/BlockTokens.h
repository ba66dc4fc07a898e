#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace orvenly {

class TreeGrowth;

// Macro texts by name; names compare without regard to letter case.
class MacroTable {
public:
    // False when the name is taken.
    bool define(const QString& name, const QString& text);
    // Empty for an unknown name.
    QString text(QStringView name) const;

private:
    QHash<QString, QString> m_texts; // by upper-case name
};

// "\" takes the next character literally. With macros, "%" and a name are replaced by the
// macro's text (nothing for an unknown name), and the character after the name is copied as
// it stands. Expansion beyond the growth budget raises.
QString unescaped(QStringView text, const MacroTable* macros, TreeGrowth& growth);

// Reads the tokens of one line of the block format, left to right.
class BlockLine {
public:
    explicit BlockLine(const QString& line) : m_line(line) {}

    // A run of letters, digits and "%-._", taken as it stands; empty at anything else.
    QString word();
    // The rest of the line: a quoted text (up to a quote that no backslash takes; anything
    // after it is ignored), else the trimmed rest; unescaped, and expanded when macros are
    // given. An unclosed quote gives the rest from the quote on, as it stands.
    QString value(const MacroTable* macros, TreeGrowth& growth);

private:
    void skipSpaces();

    const QString& m_line;
    qsizetype m_pos = 0;
};

} // namespace orvenly
