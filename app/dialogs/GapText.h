#pragma once

#include <QString>
#include <QStringView>

namespace penlark {

// A text with a movable gap: the part before the gap sits at the start of one string, the
// part after it at the end of another. Views and edits at the gap are cheap and moving the
// gap costs the distance moved, so a search that walks through a large text and edits it as
// it goes stays linear.
class GapText {
public:
    GapText() = default;
    explicit GapText(QString text) : m_tail(std::move(text)) {}

    qsizetype size() const { return m_head.size() + m_tail.size() - m_tailStart; }
    // The text before at, and from at to the end; both move the gap to at. A view lasts
    // until the next call.
    QStringView before(qsizetype at);
    QStringView from(qsizetype at);
    QStringView mid(qsizetype at, qsizetype length) { return from(at).first(length); }
    // Replaces length characters at at by piece; the gap ends after the piece.
    void replace(qsizetype at, qsizetype length, QStringView piece);
    QString text() const;

private:
    void moveGap(qsizetype at);

    QString m_head;
    QString m_tail;
    qsizetype m_tailStart = 0;
};

} // namespace penlark
