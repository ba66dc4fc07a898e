#include "dialogs/GapText.h"

#include <algorithm>

namespace penlark {

void GapText::moveGap(qsizetype at) {
    const qsizetype gap = m_head.size();
    if (at > gap) {
        const qsizetype distance = at - gap;
        m_head.append(QStringView(m_tail).sliced(m_tailStart, distance));
        m_tailStart += distance;
    } else if (at < gap) {
        const qsizetype distance = gap - at;
        if (m_tailStart < distance) {
            // Room in front of the tail, doubled so that walking backwards stays linear.
            const qsizetype kept = m_tail.size() - m_tailStart;
            const qsizetype room = std::max(distance, kept);
            QString grown(room + kept, Qt::Uninitialized);
            std::copy_n(m_tail.constData() + m_tailStart, kept, grown.data() + room);
            m_tail = std::move(grown);
            m_tailStart = room;
        }
        m_tailStart -= distance;
        std::copy_n(m_head.constData() + at, distance, m_tail.data() + m_tailStart);
        m_head.truncate(at);
    }
}

QStringView GapText::before(qsizetype at) {
    moveGap(at);
    return m_head;
}

QStringView GapText::from(qsizetype at) {
    moveGap(at);
    return QStringView(m_tail).sliced(m_tailStart);
}

void GapText::replace(qsizetype at, qsizetype length, QStringView piece) {
    moveGap(at);
    m_tailStart += length;
    m_head.append(piece);
}

QString GapText::text() const {
    return m_head + QStringView(m_tail).sliced(m_tailStart).toString();
}

} // namespace penlark
