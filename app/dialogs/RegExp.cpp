#include "dialogs/RegExp.h"

#include "orvenly/AutomationError.h"

namespace penlark {

namespace {

constexpr int32_t SyntaxError = 5017;

int digit(QChar c) {
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

} // namespace

QList<ReplacementPart> ParseReplacement(QStringView replacement, int groupCount) {
    QList<ReplacementPart> parts;
    QString text;
    auto reference = [&](ReplacementPart::Kind kind, int group = 0) {
        if (!text.isEmpty())
            parts.append({ReplacementPart::Kind::Text, std::exchange(text, {}), 0});
        parts.append({kind, {}, group});
    };
    const qsizetype size = replacement.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = replacement[i];
        if (c != u'$' || i + 1 >= size) {
            text += c;
            continue;
        }
        const QChar next = replacement[i + 1];
        if (next == u'$') {
            text += u'$';
            ++i;
        } else if (next == u'&') {
            reference(ReplacementPart::Kind::Match);
            ++i;
        } else if (next == u'`') {
            reference(ReplacementPart::Kind::Before);
            ++i;
        } else if (next == u'\'') {
            reference(ReplacementPart::Kind::After);
            ++i;
        } else if (const int one = digit(next); one >= 0) {
            const int two = i + 2 < size && digit(replacement[i + 2]) >= 0
                                ? one * 10 + digit(replacement[i + 2])
                                : -1;
            if (two >= 1 && two <= groupCount) {
                reference(ReplacementPart::Kind::Group, two);
                i += 2;
            } else if (one >= 1 && one <= groupCount) {
                reference(ReplacementPart::Kind::Group, one);
                ++i;
            } else {
                text += c;
            }
        } else {
            text += c;
        }
    }
    if (!text.isEmpty())
        parts.append({ReplacementPart::Kind::Text, text, 0});
    return parts;
}

void RegExp::SetPattern(const QString& value) {
    m_pattern = value;
    m_dirty = true;
}

void RegExp::SetIgnoreCase(bool value) {
    m_ignoreCase = value;
    m_dirty = true;
}

void RegExp::SetMultiLine(bool value) {
    m_multiLine = value;
    m_dirty = true;
}

void RegExp::SetCrLfOnly(bool value) {
    m_crLfOnly = value;
    m_dirty = true;
}

const QRegularExpression& RegExp::compiled() const {
    if (m_dirty) {
        QRegularExpression::PatternOptions options;
        if (m_ignoreCase)
            options |= QRegularExpression::CaseInsensitiveOption;
        if (m_multiLine)
            options |= QRegularExpression::MultilineOption;
        // Documents break lines with CR LF: $ must match before the CR, and . must not take it.
        auto& self = const_cast<RegExp&>(*this);
        const QString breaks =
            m_crLfOnly ? QStringLiteral("(*CRLF)") : QStringLiteral("(*ANYCRLF)");
        self.m_expression = QRegularExpression(breaks + m_pattern, options);
        self.m_expression.optimize();
        self.m_dirty = false;
    }
    if (!m_expression.isValid())
        throw orvenly::AutomationError(SyntaxError, m_expression.errorString(),
                                       QStringLiteral("RegExp"));
    return m_expression;
}

int RegExp::GroupCount() const {
    return compiled().captureCount();
}

RegExpMatch RegExp::first(QStringView text, qsizetype from, bool wellFormed, Outcome& outcome,
                          bool anchored, bool part) const {
    QRegularExpression::MatchOptions options = QRegularExpression::NoMatchOption;
    if (wellFormed)
        options |= QRegularExpression::DontCheckSubjectStringMatchOption;
    if (anchored)
        options |= QRegularExpression::AnchorAtOffsetMatchOption;
    // Preferring the first partial match, the search stops wherever it reached the end of the
    // text, before it looks at later starts.
    const QRegularExpressionMatch match = compiled().match(
        text, from,
        part ? QRegularExpression::PartialPreferFirstMatch : QRegularExpression::NormalMatch,
        options);
    RegExpMatch result;
    outcome = match.hasMatch()          ? Outcome::Found
              : match.hasPartialMatch() ? Outcome::Partial
                                        : Outcome::None;
    if (outcome != Outcome::Found)
        return result;
    result.FirstIndex = static_cast<int32_t>(match.capturedStart());
    result.Length = static_cast<int32_t>(match.capturedLength());
    result.Value = match.captured();
    for (int group = 1; group <= match.lastCapturedIndex(); ++group) {
        result.SubMatches.append(match.captured(group));
        result.SubMatchIndex.append(static_cast<int32_t>(match.capturedStart(group)));
    }
    for (int group = match.lastCapturedIndex() + 1; group <= compiled().captureCount(); ++group) {
        result.SubMatches.append(QString());
        result.SubMatchIndex.append(-1);
    }
    return result;
}

bool RegExp::Test(QStringView text) const {
    Outcome outcome = Outcome::None;
    first(text, 0, false, outcome);
    return outcome == Outcome::Found;
}

QList<RegExpMatch> RegExp::Execute(QStringView text, bool wellFormed) const {
    QList<RegExpMatch> matches;
    qsizetype from = 0;
    while (from <= text.size()) {
        Outcome outcome = Outcome::None;
        RegExpMatch match = first(text, from, wellFormed, outcome);
        if (outcome != Outcome::Found)
            break;
        from = match.FirstIndex + match.Length;
        // After an empty match the next search starts one whole character further on.
        if (match.Length == 0)
            from += from + 1 < text.size() && text[from].isHighSurrogate() &&
                            text[from + 1].isLowSurrogate()
                        ? 2
                        : 1;
        matches.append(std::move(match));
        if (!m_global)
            break;
    }
    return matches;
}

RegExp::Outcome RegExp::Find(QStringView text, qsizetype from, bool anchored, bool goesOn,
                             RegExpMatch& match) const {
    Outcome outcome = Outcome::None;
    match = first(text, from, true, outcome, anchored, goesOn);
    return outcome;
}

QString RegExp::Replace(QStringView text, QStringView replacement) const {
    const QList<ReplacementPart> parts = ParseReplacement(replacement, GroupCount());
    QString result;
    qsizetype copied = 0;
    for (const RegExpMatch& match : Execute(text)) {
        result += text.sliced(copied, match.FirstIndex - copied);
        for (const ReplacementPart& part : parts) {
            switch (part.kind) {
            case ReplacementPart::Kind::Text:
                result += part.text;
                break;
            case ReplacementPart::Kind::Group:
                result += match.SubMatches.value(part.group - 1);
                break;
            case ReplacementPart::Kind::Match:
                result += match.Value;
                break;
            case ReplacementPart::Kind::Before:
                result += text.first(match.FirstIndex);
                break;
            case ReplacementPart::Kind::After:
                result += text.sliced(match.FirstIndex + match.Length);
                break;
            }
        }
        copied = match.FirstIndex + match.Length;
    }
    result += text.sliced(copied);
    return result;
}

} // namespace penlark
