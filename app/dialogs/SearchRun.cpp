#include "dialogs/SearchRun.h"

#include "common/Resource.h"
#include "dialogs/Escapes.h"
#include "dialogs/WidthFolding.h"

#include <algorithm>

namespace penlark {

namespace {

// How far before the search point a regular expression may look.
constexpr int32_t LookBehind = 256;

// How much of the text a run keys and searches at a time.
constexpr qsizetype Stretch = qsizetype{1} << 20;

// The same text with each lone surrogate as U+FFFD: the expression then never needs to
// check the text it is given, and positions stay as they are.
QString wellFormed(QString result) {
    const qsizetype size = result.size();
    QChar* data = result.data();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i].isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate())
            ++i;
        else if (data[i].isSurrogate())
            data[i] = QChar::ReplacementCharacter;
    }
    return result;
}

QString withCrLf(const QString& text) {
    QString result;
    result.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            result += u"\r\n";
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            result += u"\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

QString wrapQuestion(const char16_t* reached, bool replace, const char16_t* from) {
    return FormatString(QString::fromUtf16(u"検索対象の%1まで検索しました。%3から%2を続けますか？"),
                        {reached, replace ? u"置換" : u"検索", from});
}

} // namespace

bool TextsDiffer(QStringView a, QStringView b, int32_t flags) {
    if (flags & searchflags::RegExp)
        return true;
    if (flags & searchflags::IgnoreWidth)
        return FoldWidthComposed(a) != FoldWidthComposed(b);
    if (flags & searchflags::IgnoreCase)
        return LowerSameLength(a) != LowerSameLength(b);
    return a != b;
}

SearchRun::SearchRun(SearchDirection direction, int32_t flags, const QString& pattern,
                     const QString& replacement, int32_t areaOffset, int32_t areaLength,
                     std::unique_ptr<SearchText> text, RunStart start)
    : m_direction(direction), m_flags(flags), m_regexRun(flags & searchflags::RegExp),
      m_pattern(pattern), m_replacement(replacement), m_areaOffset(areaOffset),
      m_areaLength(areaLength), m_text(std::move(text)),
      m_key(
          *m_text, [this](QString stretch) { return keyOf(std::move(stretch)); }, Stretch),
      m_wrapped(start.wrapped), m_limit(start.limit), m_matchPosition(start.matchPosition) {
    if (m_regexRun) {
        m_regex.SetPattern(pattern);
        m_regex.SetGlobal(false);
        m_regex.SetIgnoreCase(flags & searchflags::IgnoreCase);
        m_regex.SetMultiLine(true);
        m_regex.SetCrLfOnly(true);
        m_parts = ParseReplacement(replacement, m_regex.GroupCount());
    }
    m_patternKey = m_flags & searchflags::IgnoreWidth && !m_regexRun ? FoldWidthComposed(pattern)
                                                                     : keyOf(pattern);
}

SearchRun::SearchRun(SearchDirection direction, int32_t flags, const QString& pattern,
                     const QString& replacement, int32_t areaOffset, const QString& area,
                     const QString& following, RunStart start)
    : SearchRun(direction, flags, pattern, replacement, areaOffset,
                static_cast<int32_t>(area.size()), std::make_unique<CopiedText>(area + following),
                start) {}

void SearchRun::copyText() {
    m_text = std::make_unique<CopiedText>(m_text->mid(0, m_text->size()));
    m_key.setText(*m_text);
}

void SearchRun::setStretch(qsizetype characters) {
    m_key.setSpan(characters);
}

QString SearchRun::keyOf(QString text) const {
    if (m_regexRun)
        return wellFormed(std::move(text));
    if (m_flags & searchflags::IgnoreWidth)
        return FoldWidth(text);
    if (m_flags & searchflags::IgnoreCase)
        return LowerSameLength(text);
    return text;
}

int32_t SearchRun::searchEnd() const {
    return m_wrapped && m_firstPiece >= 0 ? std::min(m_areaLength, m_firstPiece) : m_areaLength;
}

QStringView SearchRun::keyFrom(qsizetype at, qsizetype minimum, bool& whole) {
    const qsizetype end = searchEnd();
    QStringView view = m_key.after(at, minimum, end - at);
    // A regular expression would take the half of a pair at the end for a whole character.
    if (at + view.size() < end && (view.back() == u'\r' || view.back().isHighSurrogate()))
        view = m_key.after(at, view.size() + 1, end - at);
    whole = at + view.size() >= end;
    return view;
}

// Whether a match ending at stop ends between a CR and its LF, within the area.
bool SearchRun::endsInsideBreak(qsizetype stop) {
    if (stop <= 0 || stop >= searchEnd())
        return false;
    const QStringView pair = m_key.after(stop - 1, 2, 2);
    return pair.size() == 2 && pair[0] == u'\r' && pair[1] == u'\n';
}

// The position after the character at at, stepping over a whole surrogate pair or CR LF.
int32_t SearchRun::nextPosition(int32_t at) {
    const QStringView pair = m_key.after(at, 2, 2);
    if (pair.size() == 2 && ((pair[0].isHighSurrogate() && pair[1].isLowSurrogate()) ||
                             (pair[0] == u'\r' && pair[1] == u'\n')))
        return at + 2;
    return at + 1;
}

// The view starts a little before the search point, so that ^, \b and lookbehind see what
// precedes it; never inside a surrogate pair.
int32_t SearchRun::viewStartFor(int32_t at) {
    const int32_t start = std::max(0, at - LookBehind);
    return start > 0 && m_key.at(start).isLowSurrogate() ? start - 1 : start;
}

// The expression runs over a stretch of the text; when it reaches the stretch's end before it
// can tell, it runs again over twice as much.
bool SearchRun::findRegex(int32_t from, Found& found) {
    const int32_t end = searchEnd();
    qsizetype stretch = firstReach();
    while (from <= end) {
        const int32_t viewStart = viewStartFor(from);
        bool whole = false;
        const QStringView view = keyFrom(viewStart, from - viewStart + stretch, whole);
        const RegExp::Outcome outcome =
            m_regex.Find(view, from - viewStart, false, !whole, found.match);
        if (outcome == RegExp::Outcome::Partial) {
            stretch *= 2;
            continue;
        }
        if (outcome == RegExp::Outcome::None) {
            if (whole)
                return false;
            from = viewStart + static_cast<int32_t>(view.size());
            continue;
        }
        const int32_t start = viewStart + found.match.FirstIndex;
        const int32_t stop = start + found.match.Length;
        // A match may not begin between CR and LF, and one that ends there takes the LF too.
        const qsizetype local = start - viewStart;
        if (found.match.Length == 0 ||
            (local > 0 && view[local] == u'\n' && view[local - 1] == u'\r')) {
            from = nextPosition(start);
            continue;
        }
        found.start = start;
        found.length = found.match.Length + (endsInsideBreak(stop) ? 1 : 0);
        found.viewStart = viewStart;
        return true;
    }
    return false;
}

bool SearchRun::matchRegexAt(int32_t at, Found& found) {
    const int32_t viewStart = viewStartFor(at);
    for (qsizetype stretch = firstReach();; stretch *= 2) {
        bool whole = false;
        const QStringView view = keyFrom(viewStart, at - viewStart + stretch, whole);
        const RegExp::Outcome outcome =
            m_regex.Find(view, at - viewStart, true, !whole, found.match);
        if (outcome == RegExp::Outcome::None)
            return false;
        if (outcome == RegExp::Outcome::Found)
            break;
    }
    if (found.match.Length == 0)
        return false;
    found.start = at;
    found.length = found.match.Length + (endsInsideBreak(at + found.match.Length) ? 1 : 0);
    found.viewStart = viewStart;
    return true;
}

// What an expression is first given beyond its search point, within what is keyed already
// (more when that is at hand): twice as much each time it needs more.
qsizetype SearchRun::firstReach() const {
    return std::min<qsizetype>(m_key.span(), 64);
}

qsizetype SearchRun::literalReach() const {
    // A folded match takes a sound mark along after each of its characters at most.
    return 2 * m_patternKey.size() + 2;
}

bool SearchRun::findForward(int32_t start) {
    m_matchPosition = 0;
    const int32_t end = searchEnd();
    if (!m_regexRun) {
        if (start < 1 || start > end + 1)
            return false;
        // Stretch by stretch; a match that may run on past a stretch's end is looked for
        // again at the start of the next one.
        const qsizetype reach = literalReach();
        const qsizetype least = 2 * reach + 1;
        for (qsizetype from = start - 1;;) {
            bool whole = false;
            const QStringView view = keyFrom(from, least, whole);
            const qsizetype lastStart = whole ? view.size() : view.size() - reach;
            const KeyMatch match = locate(view, true, lastStart);
            if (match.at >= 0) {
                m_matchPosition = static_cast<int32_t>(from + match.at) + 1;
                m_matchLength = static_cast<int32_t>(match.length);
                return true;
            }
            if (whole)
                return false;
            from += lastStart + 1;
        }
    }
    int32_t from = start - 1;
    // Never restart inside a surrogate pair or a CR LF.
    if (from > 0 && from < m_text->size() && nextPosition(from - 1) > from)
        ++from;
    Found found;
    if (!findRegex(from, found))
        return false;
    m_matchPosition = found.start + 1;
    m_matchLength = found.length;
    return true;
}

SearchRun::KeyMatch SearchRun::locate(QStringView view, bool forward, qsizetype lastStart) const {
    lastStart = std::min(lastStart, view.size() - m_patternKey.size());
    if (lastStart < 0)
        return {-1, 0};
    if (!(m_flags & searchflags::IgnoreWidth)) {
        const qsizetype at =
            forward ? view.indexOf(m_patternKey) : view.lastIndexOf(m_patternKey, lastStart);
        return {at <= lastStart ? at : -1, m_patternKey.size()};
    }
    // A half-width katakana and its sound mark make one character of the key followed by a
    // mark, which the match takes along: the match's length is the text's own.
    const QChar first = m_patternKey[0];
    for (qsizetype at = forward ? view.indexOf(first) : view.lastIndexOf(first, lastStart);
         at >= 0 && at <= lastStart; at = forward  ? view.indexOf(first, at + 1)
                                          : at > 0 ? view.lastIndexOf(first, at - 1)
                                                   : -1) {
        if (const qsizetype length = MatchFolded(view, at, m_patternKey); length >= 0)
            return {at, length};
    }
    return {-1, 0};
}

// Stretch by stretch towards the start; a match that may run on past a stretch's end was
// looked for in the stretch after it.
SearchRun::KeyMatch SearchRun::findBackward(int32_t within) {
    const qsizetype reach = literalReach();
    const qsizetype least = 2 * reach + 1;
    for (qsizetype to = within;;) {
        const QStringView view = m_key.before(to, least, to);
        const qsizetype from = to - view.size();
        const KeyMatch match =
            locate(view, false, to == within ? view.size() : view.size() - reach);
        if (match.at >= 0)
            return {from + match.at, match.length};
        if (from == 0)
            return {-1, 0};
        to = from + reach;
    }
}

QString SearchRun::piece(const Found& found) {
    const RegExpMatch& match = found.match;
    const int32_t base = found.viewStart;
    EscapeExpander expander;
    for (const ReplacementPart& part : m_parts) {
        switch (part.kind) {
        case ReplacementPart::Kind::Text:
            expander.literal(part.text);
            break;
        case ReplacementPart::Kind::Group:
            if (const int32_t index = match.SubMatchIndex.value(part.group - 1, -1); index >= 0)
                expander.verbatim(
                    m_text->mid(base + index, match.SubMatches[part.group - 1].size()));
            break;
        case ReplacementPart::Kind::Match:
            expander.verbatim(m_text->mid(base + match.FirstIndex, match.Length));
            break;
        case ReplacementPart::Kind::Before:
            // The run reads on from the match; the text before it takes no part.
            break;
        case ReplacementPart::Kind::After:
            expander.verbatim(m_text->mid(base + match.FirstIndex + match.Length, m_text->size()));
            break;
        }
    }
    return expander.take();
}

bool SearchRun::replacementFor(SearchEditor& editor, Replacement& replacement) {
    const int32_t length = editor.selLength();
    const int32_t at = editor.selStart() - m_areaOffset;
    if (length == 0 || at < 0 || at + length > searchEnd())
        return false;
    if (m_regexRun) {
        Found found;
        if (!matchRegexAt(at, found) || found.length != length)
            return false;
        replacement.piece = piece(found);
    } else {
        if (TextsDiffer(m_pattern, editor.selText(), m_flags))
            return false;
        replacement.piece = m_replacement;
    }
    // The editor makes every lone CR or LF a CR LF; the run's copy must do the same.
    replacement.piece = withCrLf(replacement.piece);
    replacement.at = at;
    replacement.length = length;
    return true;
}

int32_t SearchRun::apply(const Replacement& replacement, SearchEditor& editor) {
    const int32_t at = replacement.at;
    const int32_t length = replacement.length;
    if (m_found == 0) {
        m_found = 1;
        m_limit = m_direction == SearchDirection::Up ? at + length + 1 : at;
    }
    // The selection is the match, wherever the run thought the match was.
    m_matchPosition = at + 1;
    m_matchLength = length;
    const auto pieceLength = static_cast<int32_t>(replacement.piece.size());
    const int32_t growth = pieceLength - length;
    // A document's text changes as the editor writes the piece; a copy changes here.
    editor.replaceSel(replacement.piece);
    m_text->replace(at, length, replacement.piece);
    m_key.replaced(at, length, pieceLength, !m_regexRun && m_flags & searchflags::IgnoreWidth);
    m_areaLength += growth;
    if (m_matchPosition < m_limit)
        m_limit += growth;
    if (m_firstPiece < 0 && !m_wrapped && m_direction != SearchDirection::Up)
        m_firstPiece = at;
    else if (at < m_firstPiece)
        m_firstPiece += growth;
    ++m_replaced;
    return growth;
}

void SearchRun::stepForward(bool replace, SearchEditor& editor, const WrapQuestion& ask) {
    Replacement replacement;
    const bool replacing = replace && replacementFor(editor, replacement);
    // The next match is looked for before the replacement goes in: what follows a match is
    // read as it was, with the matched text before it.
    bool found =
        findForward(replacing ? replacement.at + replacement.length + 1 : m_matchPosition + 1);
    if (replacing) {
        const int32_t next = m_matchPosition;
        const int32_t nextLength = m_matchLength;
        const int32_t growth = apply(replacement, editor);
        m_matchPosition = found ? next + growth : 0;
        m_matchLength = nextLength;
    }
    if (!found && !m_wrapped &&
        (m_direction == SearchDirection::Whole || ask(wrapQuestion(u"末尾", replace, u"先頭")))) {
        m_wrapped = true;
        found = findForward(1);
    }
    if (!found || (m_wrapped && m_limit < m_matchPosition))
        end();
    else
        ++m_found;
}

void SearchRun::stepBackward(bool replace, SearchEditor& editor, const WrapQuestion& ask) {
    if (Replacement replacement; replace && replacementFor(editor, replacement))
        apply(replacement, editor);
    KeyMatch match = m_matchPosition <= 1 ? KeyMatch{} : findBackward(m_matchPosition - 1);
    if (match.at < 0) {
        if (m_wrapped || !ask(wrapQuestion(u"先頭", replace, u"末尾"))) {
            end();
            return;
        }
        m_wrapped = true;
        match = findBackward(m_areaLength);
    }
    const auto position = static_cast<int32_t>(match.at) + 1;
    if (match.at < 0 || (m_wrapped && position < m_limit)) {
        end();
        return;
    }
    m_matchPosition = position;
    m_matchLength = static_cast<int32_t>(match.length);
    ++m_found;
}

void SearchRun::step(bool replace, SearchEditor& editor, const WrapQuestion& ask) {
    if (m_direction == SearchDirection::Up)
        stepBackward(replace, editor, ask);
    else
        stepForward(replace, editor, ask);
}

} // namespace penlark
