#pragma once

#include "orvenly/PieceTree.h"

#include <QString>
#include <QStringView>

namespace orvenly {

// The text a document holds, apart from any window that shows it: a piece tree that a text
// box edits in place. Its text is read and written with CR LF breaks, as TextEditor's Text
// is; inside it every break is one LF.
class TextStorage {
public:
    TextStorage() = default;
    TextStorage(const TextStorage&) = delete;
    TextStorage& operator=(const TextStorage&) = delete;

    PieceTree& tree() { return m_tree; }
    const PieceTree& tree() const { return m_tree; }

    QString Text() const;
    // Replaces the whole text and forgets the undo history. By value, so that a large text
    // moved in is taken without a copy.
    void SetText(QString value);
    // Replaces the whole text as one step that undo takes back.
    void ReplaceAll(const QString& value);

    bool Modify() const { return m_tree.isModified(); }
    void SetModify(bool value) { m_tree.setModified(value); }
    void ClearUndo() { m_tree.clearUndo(); }
    bool CanUndo() const { return m_tree.canUndo(); }

private:
    PieceTree m_tree;
};

// The text of [position, position + length) of a tree, its breaks as CR LF.
QString textWithCrLf(const PieceTree& tree, qsizetype position, qsizetype length);
inline QString textWithCrLf(const PieceTree& tree) {
    return textWithCrLf(tree, 0, tree.length());
}
// The same, from and for positions counted with CR LF breaks; either end may fall between a
// CR and its LF.
QString crLfText(const PieceTree& tree, qsizetype crLfPosition, qsizetype crLfLength);

} // namespace orvenly
