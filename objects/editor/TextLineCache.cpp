#include "TextLineCache.h"

#include "orvenly/PieceTree.h"

#include <QTextOption>
#include <algorithm>

namespace orvenly {

namespace {

// A cache of a few screens of lines; more is laid out again.
constexpr size_t MaximumLines = 400;

} // namespace

void TextLineCache::setFont(const QFont& font) {
    m_font = font;
    m_lines.clear();
    m_knownWidth = 0;
}

void TextLineCache::setTabStopDistance(qreal distance) {
    m_tabStopDistance = distance;
    m_lines.clear();
    m_knownWidth = 0;
}

void TextLineCache::setPreedit(qsizetype position, const QString& text,
                               const QList<QTextLayout::FormatRange>& formats) {
    const qsizetype old = m_preeditPosition;
    m_preeditPosition = text.isEmpty() ? -1 : position;
    m_preedit = text;
    m_preeditFormats = formats;
    if (old >= 0)
        m_lines.erase(m_tree.lineOf(old));
    if (m_preeditPosition >= 0)
        m_lines.erase(m_tree.lineOf(m_preeditPosition));
}

bool TextLineCache::movePreedit(qsizetype position) {
    if (m_preeditPosition < 0 || position == m_preeditPosition)
        return false;
    // The old place may be gone with a change of the text: every line is laid out anew.
    m_preeditPosition = position;
    m_lines.clear();
    return true;
}

void TextLineCache::changed(qsizetype position, bool breaksChanged) {
    const qsizetype number = m_tree.lineOf(position);
    auto at = m_lines.lower_bound(number);
    if (breaksChanged) {
        m_lines.erase(at, m_lines.end());
        return;
    }
    if (at == m_lines.end() || at->first != number)
        return;
    // Segments wholly before the change keep their layouts and positions.
    Line& line = at->second;
    const qsizetype column = position - m_tree.lineStart(number);
    line.length = m_tree.lineEnd(number) - m_tree.lineStart(number);
    auto keep = std::find_if(line.segments.begin(), line.segments.end(),
                             [&](const Segment& s) { return s.offset + s.length >= column; });
    line.segments.erase(keep, line.segments.end());
}

TextLineCache::Line& TextLineCache::line(qsizetype number) {
    auto at = m_lines.find(number);
    if (at != m_lines.end())
        return at->second;
    // The line farthest from this one goes: those near it are the ones on screen, and
    // dropping them all at once would lay out a whole screen again.
    if (m_lines.size() >= MaximumLines) {
        const auto last = std::prev(m_lines.end());
        m_lines.erase(number - m_lines.begin()->first > last->first - number ? m_lines.begin()
                                                                             : last);
    }
    const qsizetype start = m_tree.lineStart(number);
    return m_lines[number] = Line{m_tree.lineEnd(number) - start, {}};
}

bool TextLineCache::measureNext(qsizetype number, Line& line) {
    qsizetype offset = 0;
    qreal x = 0;
    if (!line.segments.empty()) {
        const Segment& last = line.segments.back();
        offset = last.offset + last.length;
        x = last.x + last.width;
        if (offset >= line.length)
            return false;
    }
    qsizetype length = std::min(SegmentLength, line.length - offset);
    const qsizetype start = m_tree.lineStart(number);
    // A cut never parts a surrogate pair.
    if (offset + length < line.length &&
        m_tree.charAt(start + offset + length - 1).isHighSurrogate())
        ++length;
    line.segments.push_back({offset, length, x, 0, nullptr});
    Segment& segment = line.segments.back();
    layOut(number, segment);
    segment.width = segment.layout->lineAt(0).naturalTextWidth();
    m_knownWidth = std::max(m_knownWidth, segment.x + segment.width);
    // Only what is shown keeps its layout; a long line measured on the way does not.
    if (line.segments.size() > 1)
        line.segments[line.segments.size() - 2].layout.reset();
    return true;
}

void TextLineCache::layOut(qsizetype number, Segment& segment) {
    const qsizetype start = m_tree.lineStart(number) + segment.offset;
    auto layout = std::make_unique<QTextLayout>(m_tree.text(start, segment.length), m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tabStopDistance);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    if (m_preeditPosition >= start && m_preeditPosition <= start + segment.length &&
        m_tree.lineOf(m_preeditPosition) == number) {
        layout->setPreeditArea(static_cast<int>(m_preeditPosition - start), m_preedit);
        QList<QTextLayout::FormatRange> formats = m_preeditFormats;
        for (QTextLayout::FormatRange& range : formats)
            range.start += static_cast<int>(m_preeditPosition - start);
        layout->setFormats(formats);
    }
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    segment.layout = std::move(layout);
}

TextLineCache::Segment& TextLineCache::segmentAt(qsizetype number, qsizetype column) {
    Line& l = line(number);
    if (l.segments.empty())
        measureNext(number, l);
    // A column at a segment's end belongs to the next segment, if the line goes on.
    while (l.segments.back().offset + l.segments.back().length <= column &&
           measureNext(number, l)) {
    }
    auto found = std::find_if(l.segments.begin(), l.segments.end(),
                              [&](const Segment& s) { return column < s.offset + s.length; });
    Segment& segment = found == l.segments.end() ? l.segments.back() : *found;
    if (!segment.layout)
        layOut(number, segment);
    return segment;
}

TextLineCache::Segment& TextLineCache::segmentAtX(qsizetype number, qreal x) {
    Line& l = line(number);
    if (l.segments.empty())
        measureNext(number, l);
    while (l.segments.back().x + l.segments.back().width <= x && measureNext(number, l)) {
    }
    auto found = std::find_if(l.segments.begin(), l.segments.end(),
                              [&](const Segment& s) { return x < s.x + s.width; });
    Segment& segment = found == l.segments.end() ? l.segments.back() : *found;
    if (!segment.layout)
        layOut(number, segment);
    return segment;
}

qreal TextLineCache::xOf(qsizetype number, qsizetype column) {
    Segment& segment = segmentAt(number, column);
    qsizetype inLayout = column - segment.offset;
    // Past the preedit, the layout counts its characters too.
    const qsizetype start = m_tree.lineStart(number) + segment.offset;
    if (m_preeditPosition >= start && m_preeditPosition < start + inLayout)
        inLayout += m_preedit.size();
    return segment.x + segment.layout->lineAt(0).cursorToX(static_cast<int>(inLayout));
}

qsizetype TextLineCache::columnAt(qsizetype number, qreal x) {
    Segment& segment = segmentAtX(number, x);
    qsizetype inLayout = segment.layout->lineAt(0).xToCursor(x - segment.x);
    const qsizetype start = m_tree.lineStart(number) + segment.offset;
    if (m_preeditPosition >= start && start + inLayout > m_preeditPosition)
        inLayout = std::max(m_preeditPosition - start, inLayout - m_preedit.size());
    return segment.offset + inLayout;
}

} // namespace orvenly
