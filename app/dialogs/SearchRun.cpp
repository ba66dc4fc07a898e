#include "dialogs/SearchRun.h"

#include "dialogs/Escapes.h"
#include "dialogs/WidthFolding.h"
#include "shell/Resource.h"

namespace penlark {

namespace {

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

QString wrapQuestion(const char16_t* reached, bool replace, const char16_t* from) {
    return FormatString(QString::fromUtf16(u"検索対象の%1まで検索しました。%3から%2を続けますか？"),
                        {reached, replace ? u"置換" : u"検索", from});
}

} // namespace

bool TextsDiffer(QStringView a, QStringView b, int32_t flags) {
    if (flags & searchflags::RegExp)
        return true;
    if (flags & searchflags::IgnoreWidth)
        return FoldWidth(a) != FoldWidth(b);
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
        m_parts = ParseReplacement(replacement, m_regex.GroupCount());
    }
    m_patternKey = keyOf(pattern);
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

bool SearchRun::findForward(int32_t start) {
    m_matchPosition = 0;
    if (!m_regexRun) {
        if (start < 1 || start > m_areaLength + 1)
            return false;
        const qsizetype at = m_key.mid(start - 1, m_areaLength - start + 1).indexOf(m_patternKey);
        if (at < 0)
            return false;
        m_matchPosition = start + static_cast<int32_t>(at);
        m_matchLength = static_cast<int32_t>(m_pattern.size());
        return true;
    }
    while (start <= m_areaLength) {
        const QList<RegExpMatch> matches =
            m_regex.Execute(m_key.mid(start - 1, m_areaLength - start + 1), true);
        if (matches.isEmpty())
            return false;
        const RegExpMatch& match = matches.first();
        if (match.Length > 0) {
            m_matchPosition = start + match.FirstIndex;
            m_matchLength = match.Length;
            return true;
        }
        // An empty match selects nothing: look again just past it.
        start += match.FirstIndex > 0 ? match.FirstIndex : 1;
    }
    return false;
}

int32_t SearchRun::findBackward(int32_t within) {
    const qsizetype at = m_key.before(within).lastIndexOf(m_patternKey);
    return at < 0 ? 0 : static_cast<int32_t>(at) + 1;
}

QString SearchRun::piece(const RegExpMatch& match, int32_t at) {
    EscapeExpander expander;
    for (const ReplacementPart& part : m_parts) {
        switch (part.kind) {
        case ReplacementPart::Kind::Text:
            expander.literal(part.text);
            break;
        case ReplacementPart::Kind::Group:
            if (const int32_t index = match.SubMatchIndex.value(part.group - 1, -1); index >= 0)
                expander.verbatim(m_text.mid(at + index, match.SubMatches[part.group - 1].size()));
            break;
        case ReplacementPart::Kind::Match:
            expander.verbatim(m_text.mid(at, match.Length));
            break;
        case ReplacementPart::Kind::Before:
            // The match starts the text it was found in.
            break;
        case ReplacementPart::Kind::After:
            expander.verbatim(m_text.from(at + match.Length));
            break;
        }
    }
    return expander.take();
}

int32_t SearchRun::replaceCurrent(SearchEditor& editor) {
    const int32_t length = editor.selLength();
    const int32_t at = editor.selStart() - m_areaOffset;
    if (length == 0 || at < 0 || at + length > m_areaLength)
        return m_matchPosition + 1;
    QString newPiece;
    if (m_regexRun) {
        const QList<RegExpMatch> matches = m_regex.Execute(m_key.from(at), true);
        if (matches.isEmpty() || matches.first().FirstIndex != 0 ||
            matches.first().Length != length)
            return m_matchPosition + 1;
        newPiece = piece(matches.first(), at);
    } else {
        if (TextsDiffer(m_pattern, editor.selText(), m_flags))
            return m_matchPosition + 1;
        newPiece = m_replacement;
    }
    if (m_found == 0) {
        m_found = 1;
        m_limit = m_direction == SearchDirection::Up ? at + length + 1 : at;
    }
    // The selection is the match, wherever the run thought the match was.
    m_matchPosition = at + 1;
    m_matchLength = length;
    const int32_t growth = static_cast<int32_t>(newPiece.size()) - length;
    m_text.replace(at, length, newPiece);
    m_key.replace(at, length, keyOf(newPiece));
    m_areaLength += growth;
    if (m_matchPosition < m_limit)
        m_limit += growth;
    editor.replaceSel(newPiece);
    ++m_replaced;
    return m_matchPosition + static_cast<int32_t>(newPiece.size());
}

void SearchRun::stepForward(bool replace, SearchEditor& editor, const WrapQuestion& ask) {
    const int32_t next = replace ? replaceCurrent(editor) : m_matchPosition + 1;
    bool found = findForward(next);
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
    if (replace)
        replaceCurrent(editor);
    int32_t position = m_matchPosition <= 1 ? 0 : findBackward(m_matchPosition - 1);
    if (position == 0) {
        if (m_wrapped || !ask(wrapQuestion(u"先頭", replace, u"末尾"))) {
            end();
            return;
        }
        m_wrapped = true;
        position = findBackward(m_areaLength);
    }
    if (position == 0 || (m_wrapped && position < m_limit)) {
        end();
        return;
    }
    m_matchPosition = position;
    m_matchLength = static_cast<int32_t>(m_pattern.size());
    ++m_found;
}

void SearchRun::step(bool replace, SearchEditor& editor, const WrapQuestion& ask) {
    if (m_direction == SearchDirection::Up)
        stepBackward(replace, editor, ask);
    else
        stepForward(replace, editor, ask);
}

} // namespace penlark
