#pragma once

#include <QObject>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

namespace orvenly {

// The text of a document as a balanced tree (a treap) of pieces: spans of the text it was
// given, kept as it came, and of an append-only buffer of the text added since. Each node
// counts the characters (UTF-16 code units) and line breaks below it, so that an edit, a
// position, a line and a (line, column) cost O(log n) however large the text; there is no
// object per line, only an index of the breaks in each buffer.
//
// Inside, every line break is one LF: text given to it with CR LF or CR breaks is stored with
// LF. Callers that count a break as the two characters CR LF (TextEditor) convert with
// crLfPosition() and positionFromCrLf(), in O(log n) as well.
//
// Undo records pieces, never copies of the text: the buffers only grow, so a span once
// stored stays valid. Edits are grouped; one undo step takes back one group.
class PieceTree : public QObject {
    Q_OBJECT

public:
    explicit PieceTree(QObject* parent = nullptr);
    ~PieceTree() override;

    // Replaces the whole text and forgets the undo history. Given by value so that a caller
    // who moves a large text in has its breaks turned into LF in place, without a copy.
    void setText(QString text);

    qsizetype length() const;
    bool isEmpty() const { return length() == 0; }
    QString text() const { return text(0, length()); }
    QString text(qsizetype position, qsizetype length) const;
    QChar charAt(qsizetype position) const;
    // Hands the text of [position, position + length) over in the spans it is stored in,
    // until `visit` returns false; nothing is copied.
    void forEachChunk(qsizetype position, qsizetype length,
                      const std::function<bool(QStringView)>& visit) const;

    // Lines count from 0; the last line has no break after it.
    qsizetype lineCount() const;
    qsizetype lineStart(qsizetype line) const;
    // Where the line's break is, or the end of the text for the last line.
    qsizetype lineEnd(qsizetype line) const;
    qsizetype lineOf(qsizetype position) const;
    qsizetype position(qsizetype line, qsizetype column) const;
    qsizetype column(qsizetype position) const { return position - lineStart(lineOf(position)); }

    // A position counted with CR LF breaks, and back; a position between CR and LF gives the
    // break's own position.
    qsizetype crLfPosition(qsizetype position) const { return position + lineOf(position); }
    qsizetype positionFromCrLf(qsizetype crLfPosition) const;

    // Inserts `text`, its breaks as LF; returns the number of characters stored.
    qsizetype insert(qsizetype position, QStringView text);
    void remove(qsizetype position, qsizetype length);

    // Edits between beginGroup() and endGroup() (nested pairs count once) form one undo step;
    // an edit outside any group is a step of its own. joinPreviousGroup() opens a group that
    // continues the last step, unless that step is the saved state or has been undone.
    void beginGroup();
    void joinPreviousGroup();
    void endGroup();
    bool canUndo() const { return m_applied > 0; }
    bool canRedo() const { return m_applied < m_steps.size(); }
    // Each returns where the caret belongs after the step: the end of what came back, or the
    // place where text went away; -1 when there was nothing to do.
    qsizetype undo();
    qsizetype redo();
    void clearUndo();

    // Modified is "not at the saved state": undoing back to the state of setModified(false)
    // clears it again.
    bool isModified() const { return m_applied != m_clean; }
    void setModified(bool value);

    qsizetype pieceCount() const;

signals:
    // After each change of the text, undo and redo included; positions before the change.
    void contentsChange(qsizetype position, qsizetype removed, qsizetype added);
    void modificationChanged(bool modified);

private:
    struct Piece {
        qsizetype start;
        qsizetype length;
        uint8_t buffer;
    };
    struct Buffer {
        QString text;
        std::vector<qsizetype> breaks; // positions of the LFs, ascending
    };
    struct Node {
        qsizetype start;
        qsizetype length;
        qsizetype firstBreak; // index into the buffer's breaks
        qsizetype breaks;
        qsizetype sumLength;
        qsizetype sumBreaks;
        int32_t left;
        int32_t right;
        uint32_t priority;
        uint8_t buffer;
    };
    struct Edit {
        qsizetype position;
        bool inserted;
        std::vector<Piece> pieces;
        qsizetype length() const;
    };
    using Step = std::vector<Edit>;

    int32_t newNode(const Piece& piece, uint32_t priority);
    void freeNodes(int32_t node);
    void update(int32_t node);
    qsizetype breaksBefore(uint8_t buffer, qsizetype offset) const;
    int32_t merge(int32_t left, int32_t right);
    // Splits off the first `position` characters, cutting a piece in two where needed.
    void split(int32_t node, qsizetype position, int32_t& left, int32_t& right);
    bool extendLast(int32_t node, qsizetype length, qsizetype breaks);
    void collect(int32_t node, std::vector<Piece>& pieces) const;
    void visit(int32_t node, qsizetype offset, qsizetype from, qsizetype to,
               const std::function<bool(QStringView)>& fn, bool& going) const;
    qsizetype sumLength(int32_t node) const;
    qsizetype sumBreaks(int32_t node) const;
    uint32_t nextPriority();

    void insertPieces(qsizetype position, const std::vector<Piece>& pieces);
    std::vector<Piece> removePieces(qsizetype position, qsizetype length);
    void apply(const Edit& edit, bool forward);
    void record(Edit edit);
    void setClean(size_t clean);

    Buffer m_buffers[2]; // the original text and the added text
    std::vector<Node> m_nodes;
    std::vector<int32_t> m_free;
    int32_t m_root = -1;
    uint32_t m_seed = 0x9e3779b9u;

    std::vector<Step> m_steps;
    size_t m_applied = 0;
    // The number of applied steps at the saved state; SIZE_MAX when no history leads there.
    size_t m_clean = 0;
    int m_groupDepth = 0;
    bool m_groupStarted = false;
};

} // namespace orvenly
