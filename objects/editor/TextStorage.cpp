#include "orvenly/TextStorage.h"

#include <algorithm>

namespace orvenly {

QString textWithCrLf(const PieceTree& tree, qsizetype position, qsizetype length) {
    // Sized once from the tree's own count of breaks, since texts run to hundreds of MB.
    const qsizetype breaks =
        length == 0 ? 0 : tree.lineOf(position + length) - tree.lineOf(position);
    QString result(length + breaks, Qt::Uninitialized);
    QChar* out = result.data();
    tree.forEachChunk(position, length, [&out](QStringView chunk) {
        for (const QChar c : chunk) {
            if (c == u'\n')
                *out++ = u'\r';
            *out++ = c;
        }
        return true;
    });
    return result;
}

QString crLfText(const PieceTree& tree, qsizetype crLfPosition, qsizetype crLfLength) {
    if (crLfLength <= 0)
        return {};
    const qsizetype end = crLfPosition + crLfLength;
    qsizetype from = tree.positionFromCrLf(crLfPosition);
    const qsizetype to = tree.positionFromCrLf(end);
    // A position between CR and LF maps to the break; the half on this side comes along.
    const bool lfFirst = tree.crLfPosition(from) < crLfPosition && from < to;
    const bool crLast = tree.crLfPosition(to) < end;
    if (lfFirst)
        ++from;
    QString text = textWithCrLf(tree, from, to - from);
    if (lfFirst)
        text.prepend(u'\n');
    if (crLast)
        text.append(u'\r');
    return text;
}

QString TextStorage::Text() const {
    return textWithCrLf(m_tree);
}

void TextStorage::SetText(QString value) {
    m_tree.setText(std::move(value));
}

void TextStorage::ReplaceAll(const QString& value) {
    m_tree.beginGroup();
    m_tree.remove(0, m_tree.length());
    m_tree.insert(0, value);
    m_tree.endGroup();
}

} // namespace orvenly
