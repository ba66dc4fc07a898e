// The search run: starting and ending it, its steps, showing matches and the end report.
#include "dialogs/cDlgReplace.h"

#include "common/Resource.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"

#include <QComboBox>
#include <QFontInfo>
#include <QPushButton>
#include <QScreen>
#include <limits>

namespace penlark {

namespace {

// Sets a flag for the life of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

// The searched editor as a run sees it; the run's replacements are marked as the dialog's
// own, so that they do not end the run.
class cDlgReplace::DialogEditor : public SearchEditor {
public:
    explicit DialogEditor(cDlgReplace& dialog) : m_dialog(dialog) {}

    int32_t selStart() const override { return editor().SelStart(); }
    int32_t selLength() const override { return editor().SelLength(); }
    QString selText() const override { return editor().SelText(); }
    void replaceSel(const QString& piece) override {
        const FlagScope replacing(m_dialog.m_replacing);
        editor().ReplaceSel(piece, true);
    }

private:
    orvenly::TextEditor& editor() const { return *m_dialog.m_targetEditor; }
    cDlgReplace& m_dialog;
};

bool cDlgReplace::BeginSearch() {
    if (!m_targetEditor || !m_Target)
        throw orvenly::AutomationError(orvenly::errors::InvalidArgument);
    const QString pattern = searchText();
    // An expression that does not compile is no search either.
    if (pattern.isEmpty() || !CanSearch(0)) {
        show();
        return false;
    }
    if (!m_multiLine)
        AddToHistory(*cboSrc, pattern);
    QString replacement;
    if (m_style == 1) {
        replacement = replacementText();
        if (!m_multiLine)
            AddToHistory(*cboDest, replacement);
    }
    orvenly::TextEditor& editor = *m_targetEditor;
    const bool up = m_direction == SearchDirection::Up;
    RunStart start;
    int32_t areaLength = 0;
    if (m_wholeText) {
        m_areaOffset = 0;
        start.matchPosition = start.limit = up ? editor.SelStart() + 1 : editor.SelEnd();
        start.wrapped = false;
    } else {
        m_areaOffset = editor.SelStart();
        areaLength = editor.SelLength();
        start.limit = up ? 1 : areaLength;
        start.matchPosition = up ? areaLength + 1 : 0;
        // A selection is never wrapped around.
        start.wrapped = true;
    }
    auto text = std::make_unique<DocumentText>(m_Target->storage(), m_areaOffset);
    if (m_wholeText)
        areaLength = static_cast<int32_t>(
            std::min<qsizetype>(text->size(), std::numeric_limits<int32_t>::max()));
    m_run = std::make_unique<SearchRun>(m_direction, m_flags, pattern, replacement, m_areaOffset,
                                        areaLength, std::move(text), start);
    takeRunState();
    m_running = true;
    cmdNext->setText(QString::fromUtf16(u"次を検索(&N)"));
    return true;
}

void cDlgReplace::EndSearch() {
    if (!m_running)
        return;
    m_running = false;
    cmdNext->setText(QString::fromUtf16(u"検索開始(&N)"));
    if (!m_stepping)
        m_run.reset();
}

void cDlgReplace::takeRunState() {
    m_matchPosition = m_run->matchPosition();
    m_matchLength = m_run->matchLength();
    m_foundCount = m_run->foundCount();
    m_replacedCount = m_run->replacedCount();
}

QWidget* cDlgReplace::messageOwner() {
    return isVisible() ? this : parentWidget();
}

bool cDlgReplace::askToWrap(const QString& message) {
    return orvenly::MsgBox(messageOwner(), message,
                           orvenly::msgbox::YesNo | orvenly::msgbox::Question) ==
           orvenly::msgbox::Yes;
}

bool cDlgReplace::SearchStep(bool replace) {
    if (!m_running && !BeginSearch())
        return false;
    {
        const FlagScope stepping(m_stepping);
        DialogEditor editor(*this);
        m_run->step(replace, editor, [this](const QString& message) { return askToWrap(message); });
        takeRunState();
    }
    if (m_matchPosition == 0)
        EndSearch();
    if (!m_running)
        m_run.reset();
    return true;
}

void cDlgReplace::FindOrReplaceNext(bool replace) {
    if (!SearchStep(replace))
        return;
    if (m_matchPosition != 0)
        ShowMatch();
    else
        ReportSearchEnd();
}

void cDlgReplace::SearchNext() {
    FindOrReplaceNext(false);
}

void cDlgReplace::replaceClicked() {
    if (m_style == 1) {
        FindOrReplaceNext(true);
    } else {
        EndSearch();
        SetStyle(1);
    }
}

void cDlgReplace::fromButton(const std::function<void()>& action) {
    try {
        action();
    } catch (const orvenly::AutomationError& error) {
        orvenly::MsgBox(messageOwner(), error.description(), orvenly::msgbox::Exclamation);
    }
}

void cDlgReplace::ShowMatch() {
    orvenly::TextEditor& editor = *m_targetEditor;
    const int32_t start = m_areaOffset + m_matchPosition - 1;
    const int32_t length = m_matchLength;
    if (!isVisible() || !m_autoMove) {
        editor.SetSelStart(start);
        editor.SetSelLength(length);
        return;
    }
    orvenly::TextBox& box = *m_Target;
    QWidget& client = *box.viewport();
    // The end first, so that the whole match scrolls into view.
    editor.SetSelStart(start + length);
    const int32_t topIndex = editor.TopIndex();
    editor.SetSelStart(start);
    box.setFocus();
    const QPoint first = editor.TopIndex() == topIndex ? box.cursorRect().topLeft() : QPoint();
    const int top = client.mapToGlobal(first).y();
    editor.SetSelLength(length);
    const int bottom =
        client.mapToGlobal(box.cursorRect().topLeft()).y() + QFontInfo(box.font()).pixelSize();

    const QRect frame = frameGeometry();
    const int current = frame.top();
    if (current < bottom && current + frame.height() >= top) {
        const int above = top - frame.height();
        const QScreen* screen = box.screen();
        const QRect work = screen ? screen->availableGeometry() : QRect();
        const int workTop = work.top();
        const int lowest = work.top() + work.height() - frame.height();
        int newTop = 0;
        if (above < workTop && lowest < bottom)
            newTop = lowest - current >= current - workTop ? workTop : lowest;
        else if (above < workTop)
            newTop = bottom;
        else if (lowest < bottom)
            newTop = above;
        else
            newTop = bottom - current >= current - above ? above : bottom;
        move(frame.left(), newTop);
    }
    activateWindow();
}

void cDlgReplace::ReportSearchEnd() {
    using namespace orvenly::msgbox;
    if (m_foundCount == 0) {
        orvenly::MsgBox(messageOwner(), QString::fromUtf16(u"検索文字列は見つかりませんでした。"),
                        OKOnly | Exclamation);
        return;
    }
    QString message;
    if (m_replacedCount == 0)
        message = FormatString(
            QString::fromUtf16(u"検索が終了しました。%n%n合計 %1 項目見つかりました。"),
            {m_foundCount});
    else if (m_replacedCount == m_foundCount)
        message = FormatString(
            QString::fromUtf16(u"検索が終了しました。%n%n合計 %1 項目置換されました。"),
            {m_replacedCount});
    else
        message = FormatString(QString::fromUtf16(u"検索が終了しました。%n%n合計 %1 "
                                                  u"項目検索され、 %2 項目置換されました。"),
                               {m_foundCount, m_replacedCount});
    orvenly::MsgBox(messageOwner(), message, OKOnly | Information);
}

} // namespace penlark
