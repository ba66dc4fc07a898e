#include "orvenly/PieceTree.h"

#include <cstdint>

namespace orvenly {

namespace {

constexpr size_t NoCleanState = SIZE_MAX;

} // namespace

void PieceTree::setClean(size_t clean) {
    const bool wasModified = isModified();
    m_clean = clean;
    if (wasModified != isModified())
        emit modificationChanged(isModified());
}

void PieceTree::setModified(bool value) {
    setClean(value ? NoCleanState : m_applied);
}

void PieceTree::clearUndo() {
    m_clean = isModified() ? NoCleanState : 0;
    m_steps.clear();
    m_applied = 0;
}

void PieceTree::beginGroup() {
    if (m_groupDepth++ == 0)
        m_groupStarted = false;
}

void PieceTree::joinPreviousGroup() {
    if (m_groupDepth++ == 0)
        m_groupStarted = m_applied > 0 && m_applied != m_clean;
}

void PieceTree::endGroup() {
    if (m_groupDepth > 0)
        --m_groupDepth;
}

void PieceTree::record(Edit edit) {
    const bool wasModified = isModified();
    // A new edit drops the steps that were undone; a saved state among them is gone for good.
    if (m_clean != NoCleanState && m_clean > m_applied)
        m_clean = NoCleanState;
    m_steps.resize(m_applied);
    if (m_groupDepth > 0 && m_groupStarted && !m_steps.empty()) {
        Step& step = m_steps.back();
        Edit& last = step.back();
        // Text typed on at the end of the last insertion, from the next span of the buffer,
        // stays one piece in the history too.
        if (edit.inserted && last.inserted && edit.pieces.size() == 1 &&
            edit.position == last.position + last.length() &&
            last.pieces.back().buffer == edit.pieces.front().buffer &&
            last.pieces.back().start + last.pieces.back().length == edit.pieces.front().start) {
            last.pieces.back().length += edit.pieces.front().length;
        } else {
            step.push_back(std::move(edit));
        }
    } else {
        m_steps.push_back({std::move(edit)});
        ++m_applied;
        m_groupStarted = m_groupDepth > 0;
    }
    if (wasModified != isModified())
        emit modificationChanged(isModified());
}

void PieceTree::apply(const Edit& edit, bool forward) {
    const qsizetype length = edit.length();
    if (edit.inserted == forward) {
        insertPieces(edit.position, edit.pieces);
        emit contentsChange(edit.position, 0, length);
    } else {
        removePieces(edit.position, length);
        emit contentsChange(edit.position, length, 0);
    }
}

qsizetype PieceTree::undo() {
    if (m_applied == 0)
        return -1;
    const bool wasModified = isModified();
    const Step& step = m_steps[--m_applied];
    for (auto edit = step.rbegin(); edit != step.rend(); ++edit)
        apply(*edit, false);
    if (wasModified != isModified())
        emit modificationChanged(isModified());
    const Edit& first = step.front();
    return first.inserted ? first.position : first.position + first.length();
}

qsizetype PieceTree::redo() {
    if (m_applied == m_steps.size())
        return -1;
    const bool wasModified = isModified();
    const Step& step = m_steps[m_applied++];
    for (const Edit& edit : step)
        apply(edit, true);
    if (wasModified != isModified())
        emit modificationChanged(isModified());
    const Edit& last = step.back();
    return last.inserted ? last.position + last.length() : last.position;
}

} // namespace orvenly
