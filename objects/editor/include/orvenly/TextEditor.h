#pragma once

#include "orvenly/TextBox.h"

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <cstdint>

class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QMouseEvent;

namespace orvenly {

class EditorMargin;
class PieceTree;

// Turns a multi-line text box (a TextBox) into a document editor. Positions count the
// characters of the text with CR LF line breaks (a break is two), while the box counts one per
// break; the mapping goes through the box's storage, never the text.
class TextEditor : public QObject {
    Q_OBJECT

public:
    explicit TextEditor(QObject* parent = nullptr);
    ~TextEditor() override;

    // Settings, readable and writable at any time.
    bool AutoIndent = true;
    bool AutoTruncate = true;
    bool ResumeCol = true;
    bool EnableTextDrag = true;
    // Set by a client's own event filter on the box, installed after Load so that it runs
    // first, to tell the object that the event has been dealt with.
    bool Handled = false;

    TextBox* Target() const { return m_target; }
    // Error 35610 for nothing or for an object that is not a text box.
    void Load(QObject* Target);
    void Unload();

    bool Margin() const { return m_margin; }
    void SetMargin(bool value);
    float MarginWidth() const { return m_marginWidth; }
    void SetMarginWidth(float value);
    QFont Font() const;
    void SetFont(const QFont& value);
    int32_t TabStep() const { return m_tabStep; }
    void SetTabStep(int32_t value);

    bool Modify() const;
    void SetModify(bool value);
    void ClearModify() { SetModify(false); }
    int32_t TopIndex() const;
    int32_t AverageCharWidth() const { return m_averageCharWidth; }
    int32_t LineHeight() const { return m_lineHeight; }

    bool CanUndo() const;
    bool CanRedo() const;
    void ClearUndo();
    void Undo();
    // Does again what Undo took back, while nothing else has changed the text since.
    void Redo();
    void Copy();
    void Paste();
    void Cut();
    void ClearSel(bool fCanUndo = true);
    void SelAll();
    void InflateSel(int32_t MoveToStart, int32_t MoveToLast);
    void ReplaceSel(const QString& ReplaceStr, bool fCanUndo = true);
    // No input method on this host offers reconversion.
    bool SupportReconvert() const { return false; }
    void Reconvert() {}

    QString Text() const;
    // Lone CR and lone LF each become a line break; an empty string clears the box.
    void SetText(const QString& value);
    int32_t SelStart() const;
    void SetSelStart(int32_t value);
    int32_t SelEnd() const;
    int32_t SelLength() const;
    // Error 5 when negative.
    void SetSelLength(int32_t value);
    QString SelText() const;
    void GetSel(int32_t& Start, int32_t& Length) const;
    void GetSel2(int32_t& Start, int32_t& Last) const;
    void SetSel(int32_t Start, int32_t Length);
    void SetSel2(int32_t Start, int32_t Last);
    // Caret column and line in character cells; false without a visible caret.
    bool GetCurrentCoordinate(int32_t& x, int32_t& y);
    // Where the caret (the active end of the selection) stands, as members set it: its
    // 0-based line, the text of that line and its 0-based place in that text.
    struct CaretPlace {
        int32_t line = 0;
        QString lineText;
        int32_t column = 0;
    };
    CaretPlace caretPlace() const;

    // An input method's reconversion request, for hosts whose input method offers it: the
    // RECONVERTSTRING record of the selection in code page 932 bytes or UTF-16.
    enum class ReconvertForm { Cp932, Utf16 };
    // Request code 4 returns the record's size and writes the record into buffer when it
    // fits there; code 5 selects the part that the record confirms, deletes it for the input
    // method to replace and returns 1; any other code returns 0.
    int32_t ReconversionRequest(uint32_t code, QByteArray* buffer, ReconvertForm form);

    // Width of the left margin in pixels, 0 without a margin.
    int32_t MarginPixels() const { return m_marginPixels; }

signals:
    // Raised for a context-menu request on the box; x and y are screen coordinates.
    // Setting DefaultMenu to false suppresses the box's own menu.
    void ContextMenu(int32_t hwndCtrl, int32_t x, int32_t y, bool& DefaultMenu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs the drag loop for text that leaves the box (taking the data) and returns the
    // effect of the drop.
    virtual Qt::DropAction performDrag(QMimeData* data);

private:
    friend class EditorMargin;

    TextBox& target() const;
    PieceTree& tree() const;
    // The selection as the object sees it, in the box's positions: the box's own, or the
    // one set last when the box has not taken it yet.
    struct Selection {
        qsizetype anchor = 0;
        qsizetype position = 0;
        qsizetype start() const { return std::min(anchor, position); }
        qsizetype end() const { return std::max(anchor, position); }
        bool empty() const { return anchor == position; }
    };
    Selection selection() const;
    // Selections set through the members reach the box at the next event (or before any
    // member that needs the box's own state): the box scrolls once for a whole run of calls
    // instead of at every call.
    void select(qsizetype anchor, qsizetype position);
    void flushSelection() const;
    // Replaces [from, to) by text as one undo step and puts the caret after it.
    void replaceRange(qsizetype from, qsizetype to, QStringView text);
    void recomputeMetrics();
    void applyTabStop();
    bool takeHandled();

    // Position mapping between characters of the CR LF text and the box's positions.
    qsizetype toDocument(int32_t position) const;
    int32_t fromDocument(qsizetype position) const;

    // Keyboard: true when the key is consumed. One key event serves both steps, so a
    // client's Handled skips the character step while the key step never consults it.
    bool keyDown(QKeyEvent& event);
    bool typedCharacter(QKeyEvent& event, bool handled);
    void enter();
    bool tab(bool shift);
    bool moveVertically(bool down);
    void deleteLine();
    qsizetype pastLine(qsizetype line) const;
    void deleteWord(bool forward);

    // Line selection from the margin, in line numbers.
    qsizetype lineAtY(int y) const;
    void startLineSelection(int y);
    void extendLineSelection(int y);
    void endLineSelection();

    // Text drags: a press on the selection becomes a drag once the mouse moves far enough.
    bool pressForDrag(QMouseEvent& event);
    bool moveForDrag(QMouseEvent& event);
    bool releaseForDrag(QMouseEvent& event);
    void runDrag();
    void dragEnded(Qt::DropAction effect);
    bool dragOver(QDragMoveEvent& event);
    bool drop(QDropEvent& event);

    QPointer<TextBox> m_target;
    EditorMargin* m_marginWidget = nullptr;
    bool m_owner = false;
    bool m_margin = false;
    float m_marginWidth = 1.5f;
    int32_t m_tabStep = 8;
    QFont m_font;
    int32_t m_averageCharWidth = 0;
    int32_t m_lineHeight = 0;
    int32_t m_marginPixels = 0;
    bool m_lineSelecting = false;
    qsizetype m_anchorLine = 0;
    bool m_columnValid = false;
    qreal m_rememberedX = 0;
    bool m_dragCandidate = false;
    QPoint m_dragPressedAt;
    bool m_dragFromSelf = false;
    bool m_draggedOver = false;
    bool m_movePending = false;
    int32_t m_dragSourceStart = 0;
    int32_t m_dragSourceLast = 0;
    int32_t m_dropPosition = 0;
    mutable Selection m_pending;
    mutable bool m_hasPending = false;
    bool m_flushQueued = false;
};

} // namespace orvenly
