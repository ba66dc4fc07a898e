#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>

namespace penlark {

// One match of a regular expression: 0-based start and length in the text searched.
struct RegExpMatch {
    int32_t FirstIndex = 0;
    int32_t Length = 0;
    QString Value;
    // Groups 1, 2, ...: their texts and 0-based starts (-1 for a group that took no part).
    QStringList SubMatches;
    QList<int32_t> SubMatchIndex;
};

// One part of a replacement template: text of its own, or a reference to the match.
struct ReplacementPart {
    enum class Kind { Text, Group, Match, Before, After };
    Kind kind = Kind::Text;
    QString text;
    int group = 0;
};

// Splits a replacement template: $1..$99 (two digits when that group exists), $& the match,
// $` the text before it, $' the text after it, $$ one dollar sign. Anything else is text.
QList<ReplacementPart> ParseReplacement(QStringView replacement, int groupCount);

// A regular expression with the members of the scripting object of that name. MultiLine lets
// ^ and $ match at every line break (CR, LF or CR LF).
class RegExp {
public:
    QString Pattern() const { return m_pattern; }
    void SetPattern(const QString& value);
    bool Global() const { return m_global; }
    void SetGlobal(bool value) { m_global = value; }
    bool IgnoreCase() const { return m_ignoreCase; }
    void SetIgnoreCase(bool value);
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value);
    // Only CR LF breaks a line, as in a document; otherwise CR, LF and CR LF all do.
    void SetCrLfOnly(bool value);

    // An invalid pattern raises error 5017 from Test, Execute and Replace.
    bool Test(QStringView text) const;
    // The first match, or every match with Global; an empty match is followed by a search one
    // character further on. wellFormed vouches that text holds no lone surrogate, which
    // spares a check of the whole text at every call.
    QList<RegExpMatch> Execute(QStringView text, bool wellFormed = false) const;
    QString Replace(QStringView text, QStringView replacement) const;
    // The first match starting at or after from, or exactly at from when anchored; text
    // before from is seen by ^, \b and lookbehind. text must hold no lone surrogate. When
    // goesOn, the text goes on beyond its end: Partial when what follows could make a match
    // start earlier, or change the one found.
    enum class Outcome { None, Found, Partial };
    Outcome Find(QStringView text, qsizetype from, bool anchored, bool goesOn,
                 RegExpMatch& match) const;

    int GroupCount() const;

private:
    const QRegularExpression& compiled() const;
    RegExpMatch first(QStringView text, qsizetype from, bool wellFormed, Outcome& outcome,
                      bool anchored = false, bool part = false) const;

    QString m_pattern;
    bool m_global = false;
    bool m_ignoreCase = false;
    bool m_multiLine = false;
    bool m_crLfOnly = false;
    QRegularExpression m_expression;
    bool m_dirty = true;
};

} // namespace penlark
