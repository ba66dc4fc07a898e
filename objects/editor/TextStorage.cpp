#include "orvenly/TextStorage.h"

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
