#pragma once

#include "dialogs/RegExp.h"
#include "dialogs/SearchText.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace penlark {

// Direction list indices.
enum class SearchDirection : int32_t { Whole = 0, Down = 1, Up = 2 };

// Option flags.
namespace searchflags {
inline constexpr int32_t IgnoreCase = 1;
inline constexpr int32_t IgnoreWidth = 2;
inline constexpr int32_t RegExp = 4;
} // namespace searchflags

// Whether two texts differ under the comparison the flags choose; always true for a regular
// expression.
bool TextsDiffer(QStringView a, QStringView b, int32_t flags);

// What a run needs of the editor it searches; positions are the document's 0-based ones.
class SearchEditor {
public:
    virtual ~SearchEditor() = default;
    virtual int32_t selStart() const = 0;
    virtual int32_t selLength() const = 0;
    virtual QString selText() const = 0;
    // Writes piece over the selection, as the run's own change.
    virtual void replaceSel(const QString& piece) = 0;
};

// Asked before a forward or backward search wraps around; true to go on.
using WrapQuestion = std::function<bool(const QString& message)>;

// Where a run starts: a 1-based position in the area text, the limit that ends the run once
// it has wrapped, and whether it counts as wrapped already.
struct RunStart {
    int32_t matchPosition = 0;
    int32_t limit = 0;
    bool wrapped = false;
};

// One search run over the searched area and the text after it, which it reads a stretch at a
// time. Positions are 1-based in the area; 0 means no current match.
class SearchRun {
public:
    // text: the area and then the rest of the document, from the area's start (a regular
    // expression that checks a selection in place may look beyond the area).
    SearchRun(SearchDirection direction, int32_t flags, const QString& pattern,
              const QString& replacement, int32_t areaOffset, int32_t areaLength,
              std::unique_ptr<SearchText> text, RunStart start);
    // A run over a copy of the area and what follows it.
    SearchRun(SearchDirection direction, int32_t flags, const QString& pattern,
              const QString& replacement, int32_t areaOffset, const QString& area,
              const QString& following, RunStart start);

    // One find (or replace-and-find) step; a match position of 0 afterwards ends the run.
    void step(bool replace, SearchEditor& editor, const WrapQuestion& ask);
    // From here on the run reads a copy of its text, which only its replacements change.
    void copyText();
    // How much of the text is keyed and searched at a time.
    void setStretch(qsizetype characters);

    int32_t areaOffset() const { return m_areaOffset; }
    int32_t matchPosition() const { return m_matchPosition; }
    int32_t matchLength() const { return m_matchLength; }
    int32_t foundCount() const { return m_found; }
    int32_t replacedCount() const { return m_replaced; }
    // The area and the text after it, with the run's replacements: its size and a stretch
    // (0-based from the area's start), and the text of the current match.
    qsizetype textSize() const { return m_text->size(); }
    QString textMid(qsizetype at, qsizetype length) { return m_text->mid(at, length); }
    QString matchText() { return textMid(m_matchPosition - 1, m_matchLength); }

private:
    // A regular expression match: its 0-based start and length in the text (never splitting
    // a CR LF), and the match itself, counted from viewStart.
    struct Found {
        int32_t start = 0;
        int32_t length = 0;
        int32_t viewStart = 0;
        RegExpMatch match;
    };

    QString keyOf(QString text) const;
    int32_t searchEnd() const;
    // The key from at up to the search's end: the whole of it when whole, else at least
    // minimum characters of it, never ending inside a CR LF or a surrogate pair.
    QStringView keyFrom(qsizetype at, qsizetype minimum, bool& whole);
    bool endsInsideBreak(qsizetype stop);
    int32_t nextPosition(int32_t at);
    int32_t viewStartFor(int32_t at);
    bool findRegex(int32_t from, Found& found);
    bool matchRegexAt(int32_t at, Found& found);
    // A literal match in a view of the key: its start in the view (-1 for none) and its length
    // in the text.
    struct KeyMatch {
        qsizetype at = -1;
        qsizetype length = 0;
    };
    // Only matches starting at or before lastStart count.
    KeyMatch locate(QStringView view, bool forward, qsizetype lastStart) const;
    // The characters of text a literal match may take beyond its start, and one more.
    qsizetype literalReach() const;
    qsizetype firstReach() const;
    bool findForward(int32_t start);
    // The last match that ends before within.
    KeyMatch findBackward(int32_t within);
    // The selection's replacement, when the selection is a match.
    struct Replacement {
        int32_t at = 0;
        int32_t length = 0;
        QString piece;
    };
    bool replacementFor(SearchEditor& editor, Replacement& replacement);
    // Writes the replacement into the run's text and the editor; returns the growth.
    int32_t apply(const Replacement& replacement, SearchEditor& editor);
    QString piece(const Found& found);
    void stepForward(bool replace, SearchEditor& editor, const WrapQuestion& ask);
    void stepBackward(bool replace, SearchEditor& editor, const WrapQuestion& ask);
    void end() { m_matchPosition = 0; }

    SearchDirection m_direction;
    int32_t m_flags;
    bool m_regexRun;
    RegExp m_regex;
    QList<ReplacementPart> m_parts;
    QString m_pattern;
    QString m_patternKey;
    QString m_replacement;
    int32_t m_areaOffset;
    int32_t m_areaLength;
    // The text itself and the key the search reads (folded, lower-cased, or with lone
    // surrogates made harmless for the expression), always of equal length.
    std::unique_ptr<SearchText> m_text;
    KeyWindow m_key;
    bool m_wrapped;
    int32_t m_limit;
    // Where the first piece replaced before a wrap starts, or -1: after the wrap no match may
    // run into it.
    int32_t m_firstPiece = -1;
    int32_t m_matchPosition;
    int32_t m_matchLength = 1;
    int32_t m_found = 0;
    int32_t m_replaced = 0;
};

} // namespace penlark
