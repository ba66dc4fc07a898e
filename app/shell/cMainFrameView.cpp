// Commands about what the active view shows: go to line and zoom.
#include "shell/cMainFrame.h"

#include "common/CaretReadout.h"
#include "common/Settings.h"
#include "dialogs/cDlgGoToLine.h"
#include "shell/ChildWindow.h"

#include <orvenly/TextEditor.h>

#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>

#include <algorithm>

namespace penlark {

void cMainFrame::goToLine(ChildWindow& document) {
    const orvenly::PieceTree& text = document.txtEdit().storage();
    const auto lines = static_cast<int32_t>(text.lineCount());
    const auto target =
        cDlgGoToLine::ShowGoToLine(lines, document.Editor().caretPlace().line + 1, this);
    if (!target)
        return;
    const int line = std::clamp(target->line, 1, lines) - 1;
    const qsizetype start = text.lineStart(line);
    const qsizetype inLine = target->column > 1
                                 ? cellPosition(text.text(start, text.lineEnd(line) - start),
                                                target->column - 1, m_settings.TabStep)
                                 : 0;
    // The editor counts each break before the line as CR LF, two characters. The box scrolls
    // the caret into view once the editor hands it the selection.
    document.Editor().SetSelStart(int32_t(text.crLfPosition(start + inLine)));
}

void cMainFrame::zoom(ChildWindow& document, ViewCmd item) {
    switch (item) {
    case ViewCmd::ZoomIn:
        document.ZoomBy(1);
        break;
    case ViewCmd::ZoomOut:
        document.ZoomBy(-1);
        break;
    default:
        document.SetZoom(100);
        break;
    }
}

} // namespace penlark
