#pragma once

#include "dialogs/SearchRun.h"
#include "orvenly/TextEditor.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace penlark {

// The find and replace tool window. It is created once, hidden instead of closed, and
// searches the editor handed to it as Target.
class cDlgReplace : public QDialog {
    Q_OBJECT

public:
    explicit cDlgReplace(QWidget* owner = nullptr);
    ~cDlgReplace() override;

    orvenly::TextEditor* Target() const { return m_targetEditor; }
    void SetTarget(orvenly::TextEditor* value);
    QString SearchPattern() const;
    void SetSearchPattern(const QString& value);
    // 0 find, 1 replace.
    int32_t Style() const { return m_style; }
    void SetStyle(int32_t value);
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value);
    bool AutoMoveDialog() const { return m_autoMove; }
    void SetAutoMoveDialog(bool value) { m_autoMove = value; }
    // Finds the next match without replacing; error 5 without a Target.
    void SearchNext();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class DialogEditor;

    // Form and layout.
    void buildForm();
    void ArrangeLayout();
    QString searchText() const;
    QString replacementText() const;
    void UpdateOptionFlags();
    void UpdateButtons();
    bool CanSearch(int kind) const;
    void directionChanged(int index);
    void scopeChanged();
    void watchSelection();
    void activated();
    void focusOnEdit(QWidget* box);
    static void AddToHistory(QComboBox& box, const QString& text);

    // The search run.
    bool BeginSearch();
    void EndSearch();
    bool SearchStep(bool replace);
    void FindOrReplaceNext(bool replace);
    void ShowMatch();
    void ReportSearchEnd();
    void replaceClicked();
    void modeClicked();
    bool askToWrap(const QString& message);
    void takeRunState();
    // A button's action; an error it raises is shown instead of leaving the event loop.
    void fromButton(const std::function<void()>& action);
    QWidget* messageOwner();

    // Replace all.
    void ReplaceAllMatches();

    // Controls, named as the form names them.
    std::array<QFrame*, 2> fraFindSrc{};
    std::array<QFrame*, 2> fraFindDest{};
    QComboBox* cboSrc = nullptr;
    orvenly::TextBox* txtSrc = nullptr;
    QComboBox* cboDest = nullptr;
    orvenly::TextBox* txtDest = nullptr;
    QFrame* fraControl = nullptr;
    QGroupBox* fraTarget = nullptr;
    std::array<QRadioButton*, 2> optTarget{};
    QComboBox* cboDirection = nullptr;
    QCheckBox* chkIgnoreCase = nullptr;
    QCheckBox* chkTextCompare = nullptr;
    QCheckBox* chkRegExp = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdReplacement = nullptr;
    QPushButton* cmdAll = nullptr;
    QPushButton* cmdMode = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer tmrSel;

    QPointer<orvenly::TextEditor> m_targetEditor;
    QPointer<orvenly::TextBox> m_Target;
    QPointer<QObject> m_watchedBox;
    QPointer<QObject> m_watchedViewport;
    int32_t m_style = -1;
    bool m_multiLine = true;
    SearchDirection m_direction = SearchDirection::Whole;
    int32_t m_flags = 0;
    bool m_wholeText = true;
    bool m_autoMove = false;
    bool m_running = false;
    bool m_replacing = false;
    bool m_stepping = false;
    std::unique_ptr<SearchRun> m_run;
    // What the last step left: the match (1-based in the area, 0 for none) and the counts.
    int32_t m_areaOffset = 0;
    int32_t m_matchPosition = 0;
    int32_t m_matchLength = 0;
    int32_t m_foundCount = 0;
    int32_t m_replacedCount = 0;
};

} // namespace penlark
