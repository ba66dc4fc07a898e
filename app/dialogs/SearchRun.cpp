#include "dialogs/SearchRun.h"

#include "common/Resource.h"
#include "dialogs/Escapes.h"
#include "dialogs/WidthFolding.h"

#include <algorithm>

namespace penlark {

namespace {

// How far before the search point a regular expression may look.
constexpr int32_t LookBehind = 256;

// The same text with each lone surrogate as U+FFFD: the expression then never needs to
// check the text it is given, and positions stay as they are.
QString wellFormed(QStringView text) {
    QString result = text.toString();
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

bool endsInsideBreak(QStringView view, qsizetype stop) {
    return stop > 0 && stop < view.size() && view[stop - 1] == u'\r' && view[stop] == u'\n';
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
                     const QString& replacement, int32_t areaOffset, const QString& area,
                     const QString& following, RunStart start)
    : m_direction(direction), m_flags(flags), m_regexRun(flags & searchflags::RegExp),
      m_pattern(pattern), m_replacement(replacement), m_areaOffset(areaOffset),
      m_areaLength(static_cast<int32_t>(area.size())), m_text(area + following),
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
    m_key = GapText(keyOf(area + following));
}

QString SearchRun::keyOf(QStringView text) const {
    if (m_regexRun)
        return wellFormed(text);
    if (m_flags & searchflags::IgnoreWidth)
        return FoldWidth(text);
    if (m_flags & searchflags::IgnoreCase)
        return LowerSameLength(text);
    return text.toString();
}

int32_t SearchRun::searchEnd() const {
    return m_wrapped && m_firstPiece >= 0 ? std::min(m_areaLength, m_firstPiece) : m_areaLength;
}

// The position after the character at at, stepping over a whole surrogate pair or CR LF.
int32_t SearchRun::nextPosition(int32_t at) {
    const QStringView pair = m_key.mid(at, std::min<qsizetype>(2, m_key.size() - at));
    if (pair.size() == 2 && ((pair[0].isHighSurrogate() && pair[1].isLowSurrogate()) ||
                             (pair[0] == u'\r' && pair[1] == u'\n')))
        return at + 2;
    return at + 1;
}

// The view starts a little before the search point, so that ^, \b and lookbehind see what
// precedes it; never inside a surrogate pair.
int32_t SearchRun::viewStartFor(int32_t at) {
    const int32_t start = std::max(0, at - LookBehind);
    return start > 0 && m_key.mid(start, 1)[0].isLowSurrogate() ? start - 1 : start;
}

bool SearchRun::findRegex(int32_t from, Found& found) {
    const int32_t end = searchEnd();
    while (from <= end) {
        const int32_t viewStart = viewStartFor(from);
        const QStringView view = m_key.mid(viewStart, end - viewStart);
        if (!m_regex.Find(view, from - viewStart, false, found.match))
            return false;
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
        found.length = found.match.Length + (endsInsideBreak(view, stop - viewStart) ? 1 : 0);
        found.viewStart = viewStart;
        return true;
    }
    return false;
}

bool SearchRun::matchRegexAt(int32_t at, Found& found) {
    const int32_t end = searchEnd();
    const int32_t viewStart = viewStartFor(at);
    const QStringView view = m_key.mid(viewStart, end - viewStart);
    if (!m_regex.Find(view, at - viewStart, true, found.match) || found.match.Length == 0)
        return false;
    const qsizetype stop = at - viewStart + found.match.Length;
    found.start = at;
    found.length = found.match.Length + (endsInsideBreak(view, stop) ? 1 : 0);
    found.viewStart = viewStart;
    return true;
}

bool SearchRun::findForward(int32_t start) {
    m_matchPosition = 0;
    const int32_t end = searchEnd();
    if (!m_regexRun) {
        if (start < 1 || start > end + 1)
            return false;
        const KeyMatch match = locate(m_key.mid(start - 1, end - start + 1), true);
        if (match.at < 0)
            return false;
        m_matchPosition = start + static_cast<int32_t>(match.at);
        m_matchLength = static_cast<int32_t>(match.length);
        return true;
    }
    int32_t from = start - 1;
    // Never restart inside a surrogate pair or a CR LF.
    if (from > 0 && from < m_key.size() && nextPosition(from - 1) > from)
        ++from;
    Found found;
    if (!findRegex(from, found))
        return false;
    m_matchPosition = found.start + 1;
    m_matchLength = found.length;
    return true;
}

SearchRun::KeyMatch SearchRun::locate(QStringView view, bool forward) const {
    if (!(m_flags & searchflags::IgnoreWidth)) {
        const qsizetype at = forward ? view.indexOf(m_patternKey) : view.lastIndexOf(m_patternKey);
        return {at, m_patternKey.size()};
    }
    // A half-width katakana and its sound mark make one character of the key followed by a
    // mark, which the match takes along: the match's length is the text's own.
    const QChar first = m_patternKey[0];
    for (qsizetype at = forward ? view.indexOf(first) : view.lastIndexOf(first); at >= 0;
         at = forward  ? view.indexOf(first, at + 1)
              : at > 0 ? view.lastIndexOf(first, at - 1)
                       : -1) {
        if (const qsizetype length = MatchFolded(view, at, m_patternKey); length >= 0)
            return {at, length};
    }
    return {-1, 0};
}

SearchRun::KeyMatch SearchRun::findBackward(int32_t within) {
    return locate(m_key.before(within), false);
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
                    m_text.mid(base + index, match.SubMatches[part.group - 1].size()));
            break;
        case ReplacementPart::Kind::Match:
            expander.verbatim(m_text.mid(base + match.FirstIndex, match.Length));
            break;
        case ReplacementPart::Kind::Before:
            // The run reads on from the match; the text before it takes no part.
            break;
        case ReplacementPart::Kind::After:
            expander.verbatim(m_text.from(base + match.FirstIndex + match.Length));
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
    const int32_t growth = static_cast<int32_t>(replacement.piece.size()) - length;
    m_text.replace(at, length, replacement.piece);
    updateKey(at, length, static_cast<int32_t>(replacement.piece.size()));
    m_areaLength += growth;
    if (m_matchPosition < m_limit)
        m_limit += growth;
    if (m_firstPiece < 0 && !m_wrapped && m_direction != SearchDirection::Up)
        m_firstPiece = at;
    else if (at < m_firstPiece)
        m_firstPiece += growth;
    editor.replaceSel(replacement.piece);
    ++m_replaced;
    return growth;
}

void SearchRun::updateKey(int32_t at, int32_t length, int32_t pieceLength) {
    if (m_regexRun || !(m_flags & searchflags::IgnoreWidth)) {
        m_key.replace(at, length, keyOf(m_text.mid(at, pieceLength)));
        return;
    }
    // A half-width sound mark may now follow, or no longer follow, the katakana it makes one
    // character with: the key is made again from the pair before the piece to the unit after
    // it, folded with one unit more to see the mark that may follow.
    const qsizetype size = m_text.size();
    qsizetype from = std::max(0, at - 1);
    if (from > 0 && m_key.mid(from, 1)[0] == ComposedMark)
        --from;
    const qsizetype to = std::min<qsizetype>(size, at + pieceLength + 1);
    const QString folded = FoldWidth(m_text.mid(from, std::min(size, to + 1) - from));
    m_key.replace(from, to - from - (pieceLength - length), QStringView(folded).first(to - from));
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
