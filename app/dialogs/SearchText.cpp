#include "dialogs/SearchText.h"

#include "dialogs/WidthFolding.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextStorage.h"

#include <algorithm>

namespace penlark {

namespace {

// Keyed before a stretch as well, for the look back of a regular expression.
constexpr qsizetype Behind = 512;

} // namespace

QString CopiedText::mid(qsizetype at, qsizetype length) {
    at = std::clamp<qsizetype>(at, 0, m_text.size());
    return m_text.mid(at, std::clamp<qsizetype>(length, 0, m_text.size() - at)).toString();
}

qsizetype DocumentText::size() const {
    return m_tree.crLfPosition(m_tree.length()) - m_offset;
}

QString DocumentText::mid(qsizetype at, qsizetype length) {
    return orvenly::crLfText(m_tree, m_offset + at, length);
}

KeyWindow::KeyWindow(SearchText& text, KeyOf keyOf, qsizetype span)
    : m_text(&text), m_keyOf(std::move(keyOf)), m_span(span) {}

void KeyWindow::setText(SearchText& text) {
    m_text = &text;
    m_loaded = false;
}

void KeyWindow::load(qsizetype from, qsizetype to) {
    const qsizetype size = m_text->size();
    const qsizetype first = std::max<qsizetype>(0, from - 1);
    const qsizetype last = std::min(size, to + 1);
    QString key = m_keyOf(m_text->mid(first, last - first));
    key.truncate(to - first);
    key.remove(0, from - first);
    m_key = GapText(std::move(key));
    m_start = from;
    m_loaded = true;
}

QStringView KeyWindow::after(qsizetype at, qsizetype minimum, qsizetype maximum) {
    const qsizetype size = m_text->size();
    at = std::clamp<qsizetype>(at, 0, size);
    const qsizetype wanted = std::min(minimum, size - at);
    if (!m_loaded || at < m_start || at + wanted > end())
        load(std::max<qsizetype>(0, at - Behind), std::min(size, at + std::max(minimum, m_span)));
    return m_key.mid(at - m_start, std::min(maximum, end() - at));
}

QStringView KeyWindow::before(qsizetype at, qsizetype minimum, qsizetype maximum) {
    const qsizetype size = m_text->size();
    at = std::clamp<qsizetype>(at, 0, size);
    if (!m_loaded || at > end() || at - std::min(minimum, at) < m_start)
        load(std::max<qsizetype>(0, at - std::max(minimum, m_span)), std::min(size, at + Behind));
    const QStringView view = m_key.before(at - m_start);
    return view.last(std::min(maximum, view.size()));
}

void KeyWindow::replaced(qsizetype at, qsizetype length, qsizetype pieceLength, bool composes) {
    // Near an edge of the stretch the keys beside it are not at hand: it is keyed anew when
    // next read.
    if (!m_loaded || at - 2 < m_start || at + length + 2 > end()) {
        m_loaded = false;
        return;
    }
    const qsizetype offset = m_start;
    if (!composes) {
        m_key.replace(at - offset, length, m_keyOf(m_text->mid(at, pieceLength)));
        return;
    }
    // A half-width sound mark may now follow, or no longer follow, the katakana it makes one
    // character with: the key is made again from the pair before the piece to the unit after
    // it, keyed with one unit more to see the mark that may follow.
    qsizetype from = at - 1;
    if (m_key.mid(from - offset, 1)[0] == ComposedMark)
        --from;
    const qsizetype size = m_text->size();
    const qsizetype to = std::min(size, at + pieceLength + 1);
    const QString key = m_keyOf(m_text->mid(from, std::min(size, to + 1) - from));
    m_key.replace(from - offset, to - from - (pieceLength - length),
                  QStringView(key).first(to - from));
}

} // namespace penlark
