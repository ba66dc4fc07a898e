#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <map>
#include <memory>
#include <vector>

namespace orvenly {

class PieceTree;

// Layouts of the lines a text box has shown lately, one QTextLayout per segment of a line.
// A line of several megabytes is cut into segments that are laid out only when shown; the x
// at which each segment starts is learnt as far as the box has looked along the line.
class TextLineCache {
public:
    static constexpr qsizetype SegmentLength = 4096;

    struct Segment {
        qsizetype offset; // from the line's start
        qsizetype length;
        qreal x;
        qreal width;
        std::unique_ptr<QTextLayout> layout;
    };

    explicit TextLineCache(const PieceTree& tree) : m_tree(tree) {}

    void setFont(const QFont& font);
    void setTabStopDistance(qreal distance);
    // Text shown at a place that the storage does not hold (an input method's preedit).
    void setPreedit(qsizetype position, const QString& text,
                    const QList<QTextLayout::FormatRange>& formats);
    // The same preedit shown at another place (where the caret went while composing); false
    // when there is none or it is there already.
    bool movePreedit(qsizetype position);
    // After a change at `position`; lines before its line keep their layouts, and when no
    // break came or went, so do the lines after it.
    void changed(qsizetype position, bool breaksChanged);
    void clear() { m_lines.clear(); }

    // The segment of the line that holds `column`, measured and laid out; the end of the line
    // belongs to its last segment.
    Segment& segmentAt(qsizetype line, qsizetype column);
    // The segment under x, measuring segments up to it; the last one when x is beyond them.
    Segment& segmentAtX(qsizetype line, qreal x);
    qreal xOf(qsizetype line, qsizetype column);
    qsizetype columnAt(qsizetype line, qreal x);
    // The widest extent of any line measured so far.
    qreal knownWidth() const { return m_knownWidth; }
    qsizetype preeditPosition() const { return m_preeditPosition; }
    qsizetype preeditLength() const { return m_preedit.size(); }

private:
    struct Line {
        qsizetype length;
        std::vector<Segment> segments; // the measured ones, from the start
    };

    Line& line(qsizetype number);
    // Measures the next segment of the line; false at the line's end.
    bool measureNext(qsizetype number, Line& line);
    void layOut(qsizetype number, Segment& segment);

    const PieceTree& m_tree;
    QFont m_font;
    qreal m_tabStopDistance = 80;
    std::map<qsizetype, Line> m_lines;
    qreal m_knownWidth = 0;
    qsizetype m_preeditPosition = -1;
    QString m_preedit;
    QList<QTextLayout::FormatRange> m_preeditFormats;
};

} // namespace orvenly
