// Replace all: the whole loop runs on the run's copy of the text, and the editor takes the
// result in one edit, which one undo takes back.
#include "dialogs/ReplaceAll.h"
#include "dialogs/cDlgReplace.h"

#include "orvenly/TextEditor.h"

namespace penlark {

void cDlgReplace::ReplaceAllMatches() {
    if (!m_running && !BeginSearch())
        return;
    orvenly::TextEditor& editor = *m_targetEditor;
    ReplaceAllResult result;
    {
        const bool wasStepping = std::exchange(m_stepping, true);
        result = ReplaceAll(*m_run, editor.SelStart(), editor.SelLength(), editor.SelText(),
                            [this](const QString& message) { return askToWrap(message); });
        m_stepping = wasStepping;
        takeRunState();
    }
    if (result.changed) {
        m_replacing = true;
        editor.SetSel(result.changeStart, result.changeLength);
        editor.ReplaceSel(result.changeText, true);
        m_replacing = false;
    }
    editor.SetSel(result.selStart, result.selLength);
    EndSearch();
    m_run.reset();
    ReportSearchEnd();
}

} // namespace penlark
