// Commands about what the active view shows: go to line and zoom.
#include "shell/cMainFrame.h"

#include "common/CaretReadout.h"
#include "common/Settings.h"
#include "dialogs/cDlgGoToLine.h"
#include "shell/ChildWindow.h"

#include <orvenly/TextEditor.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace penlark {

void cMainFrame::goToLine(ChildWindow& document) {
    const QTextDocument& text = *document.txtEdit().document();
    const int32_t lines = text.blockCount();
    const auto target =
        cDlgGoToLine::ShowGoToLine(lines, document.Editor().caretPlace().line + 1, this);
    if (!target)
        return;
    const int line = std::clamp(target->line, 1, lines) - 1;
    const QTextBlock block = text.findBlockByNumber(line);
    const qsizetype inLine =
        target->column > 1 ? cellPosition(block.text(), target->column - 1, m_settings.TabStep) : 0;
    // The editor counts each break before the line as CR LF, two characters. The box scrolls
    // the caret into view once the editor hands it the selection.
    document.Editor().SetSelStart(int32_t(block.position() + line + inLine));
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
