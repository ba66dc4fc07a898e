#include "dialogs/ReplaceAll.h"

#include <algorithm>
#include <limits>

namespace penlark {

namespace {

// The editor as the loop sees it: its selection is what the loop selected, and each
// replacement is noted to find the stretch of the text that changed.
class VirtualEditor : public SearchEditor {
public:
    VirtualEditor(int32_t start, int32_t length, QString text)
        : m_start(start), m_length(length), m_selText(std::move(text)) {}

    int32_t selStart() const override { return m_start; }
    int32_t selLength() const override { return m_length; }
    QString selText() const override { return m_selText; }

    void replaceSel(const QString& piece) override {
        const int32_t pieceLength = static_cast<int32_t>(piece.size());
        m_firstChange = std::min(m_firstChange, m_start);
        // What follows the replaced stretch is unchanged to the end of the text.
        m_unchangedEnd = std::min<int64_t>(m_unchangedEnd, m_size - (m_start + m_length));
        m_size += pieceLength - m_length;
        m_start += pieceLength;
        m_length = 0;
        m_selText.clear();
    }

    void select(int32_t start, int32_t length, QString text) {
        m_start = start;
        m_length = length;
        m_selText = std::move(text);
    }

    void setSize(int64_t size) { m_size = size; }
    int64_t size() const { return m_size; }
    int32_t firstChange() const { return m_firstChange; }
    int64_t unchangedEnd() const { return m_unchangedEnd; }
    bool changed() const { return m_firstChange != std::numeric_limits<int32_t>::max(); }

private:
    int32_t m_start;
    int32_t m_length;
    QString m_selText;
    int64_t m_size = 0;
    int32_t m_firstChange = std::numeric_limits<int32_t>::max();
    int64_t m_unchangedEnd = std::numeric_limits<int64_t>::max();
};

} // namespace

ReplaceAllResult ReplaceAll(SearchRun& run, int32_t selStart, int32_t selLength,
                            const QString& selText, const WrapQuestion& ask) {
    run.copyText();
    VirtualEditor editor(selStart, selLength, selText);
    // Sizes count from the area's start; the text before the area never changes.
    const int32_t offset = run.areaOffset();
    const int64_t oldSize = offset + run.textSize();
    editor.setSize(oldSize);
    run.step(true, editor, ask);
    while (run.matchPosition() != 0) {
        const int32_t start = offset + run.matchPosition() - 1;
        editor.select(start, run.matchLength(), run.matchText());
        run.step(true, editor, ask);
    }
    ReplaceAllResult result;
    result.selStart = editor.selStart();
    result.selLength = editor.selLength();
    if (editor.changed()) {
        result.changed = true;
        int32_t start = editor.firstChange();
        int64_t unchanged = editor.unchangedEnd();
        // The edit never starts or ends between CR and LF, where the editor has no position.
        if (start > offset && run.textMid(start - 1 - offset, 1) == u"\r")
            --start;
        const int64_t newEnd = editor.size() - unchanged;
        if (unchanged > 0 && run.textMid(newEnd - offset, 1) == u"\n")
            --unchanged;
        result.changeStart = start;
        result.changeLength = static_cast<int32_t>(oldSize - unchanged - start);
        result.changeText = run.textMid(start - offset, editor.size() - unchanged - start);
    }
    return result;
}

} // namespace penlark
