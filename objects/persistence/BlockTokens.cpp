#include "BlockTokens.h"

#include "TreeGrowth.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Trimming.h"

namespace orvenly {

namespace {

constexpr QChar Backslash = u'\\';
constexpr QChar Quote = u'"';
constexpr QChar Percent = u'%';

bool isNameCharacter(QChar ch) {
    const char16_t c = ch.unicode();
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'.' || c == u'_';
}

bool isWordCharacter(QChar ch) {
    return isNameCharacter(ch) || ch == Percent;
}

void checkRoom(const QString& out, qsizetype adding, const TreeGrowth& growth) {
    if (out.size() + adding > growth.remaining())
        throw AutomationError(errors::OutOfMemory,
                              QStringLiteral("templates and macros expand the file too far"));
}

} // namespace

bool MacroTable::define(const QString& name, const QString& text) {
    const QString key = name.toUpper();
    if (m_texts.contains(key))
        return false;
    m_texts.insert(key, text);
    return true;
}

QString MacroTable::text(QStringView name) const {
    return m_texts.value(name.toString().toUpper());
}

QString unescaped(QStringView text, const MacroTable* macros, TreeGrowth& growth) {
    QString out;
    out.reserve(text.size());
    const qsizetype end = text.size();
    qsizetype i = 0;
    while (i < end) {
        const QChar ch = text[i];
        if (ch == Backslash && i + 1 < end) {
            out += text[i + 1];
            i += 2;
        } else if (ch == Percent && macros && i + 1 < end) {
            qsizetype nameEnd = i + 1;
            while (nameEnd < end && isNameCharacter(text[nameEnd]))
                ++nameEnd;
            const QString expansion = macros->text(text.sliced(i + 1, nameEnd - i - 1));
            checkRoom(out, expansion.size() + 1, growth);
            out += expansion;
            if (nameEnd < end)
                out += text[nameEnd++];
            i = nameEnd;
        } else {
            out += ch;
            ++i;
        }
    }
    return out;
}

void BlockLine::skipSpaces() {
    while (m_pos < m_line.size() && m_line[m_pos] == u' ')
        ++m_pos;
}

QString BlockLine::word() {
    skipSpaces();
    const qsizetype start = m_pos;
    while (m_pos < m_line.size() && isWordCharacter(m_line[m_pos]))
        ++m_pos;
    return m_line.mid(start, m_pos - start);
}

QString BlockLine::value(const MacroTable* macros, TreeGrowth& growth) {
    skipSpaces();
    const qsizetype start = m_pos;
    m_pos = m_line.size();
    if (start >= m_line.size())
        return {};
    if (m_line[start] != Quote)
        return unescaped(TrimSpaces(m_line.mid(start)), macros, growth);
    for (qsizetype i = start + 1; i < m_line.size(); ++i) {
        if (m_line[i] == Backslash)
            ++i;
        else if (m_line[i] == Quote)
            return unescaped(QStringView(m_line).sliced(start + 1, i - start - 1), macros, growth);
    }
    return m_line.mid(start);
}

} // namespace orvenly
