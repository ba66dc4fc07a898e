#pragma once

#include "orvenly/StringConversion.h"
#include "orvenly/TextForm.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace orvenly {
class TextBox;
}

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace tamsell {
class ProgressBar;
}

namespace penlark {

class Wizard;

// The batch converter: a wizard that takes a list of files, a source charset and line-break
// code (or recognises them) and a target, and rewrites every file in the target. Each file
// is replaced only once its new contents are complete, files that would not change are left
// alone, and characters the target cannot hold are asked about before anything is written.
class cDlgConverter : public QDialog {
    Q_OBJECT

public:
    // Shows the wizard modally from its first page.
    static void ShowConvert(QWidget* owner);

    explicit cDlgConverter(QWidget* owner = nullptr);
    ~cDlgConverter() override;

    Wizard& wizard() const { return *m_Wizard; }
    // Appends a path to the list, unless it names a folder.
    void AddFile(const QString& path);

    // What the run does with a file whose characters the target cannot hold; scripted as
    // kind "Unmappable" with this value, and "all" as the first text to apply it to the
    // rest of the run.
    enum class LossAnswer { Convert = 0, Skip = 1, Stop = 2 };

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The form.
    QWidget* buildPage(int index);
    void buildFilePage(QWidget& page);
    void buildOptionsPage(QWidget& page);
    void buildProgressPage(QWidget& page);
    void m_Wizard_Move();
    void UpdateWizardButtons();
    void updateOptionRules();
    bool askToLeave();

    // The file list.
    void cmdAdd_Click();
    void cmdRemove_Click();
    void addFiles(const QStringList& paths);
    void dropFiles(const QStringList& paths);
    void updateRemoveButton();

    // The run.
    void ConvertAll(bool& result);
    bool ConvertFile(const QString& path);
    std::optional<QByteArray> convertedBytes(const QString& path, const QByteArray& bytes,
                                             bool& stop);
    // A failed step: Abort, Retry or Ignore, each logged.
    enum class FailedStep { Read, Convert, Write };
    enum class FailureAnswer { Retry, Skip, Stop };
    FailureAnswer askAboutFailure(const QString& path, FailedStep step, const QString& reason);
    void Log(const QString& line);
    // Asks about the characters the target cannot hold, unless an earlier answer was to
    // apply to the rest of the run.
    LossAnswer askAboutLoss(const QString& path, qsizetype count, qsizetype line,
                            char32_t character);

    Wizard* m_Wizard = nullptr;
    QList<QWidget*> fraPage;
    QLabel* lblTitle = nullptr;
    QLabel* lblSubTitle = nullptr;
    QListWidget* lstFiles = nullptr;
    QLabel* lblWait = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QComboBox* cboCharsetSrc = nullptr;
    QComboBox* cboLineBreakSrc = nullptr;
    QCheckBox* chkForce = nullptr;
    QComboBox* cboCharsetForce = nullptr;
    QComboBox* cboCharsetDest = nullptr;
    QComboBox* cboLineBreakDest = nullptr;
    QCheckBox* chkNarrow = nullptr;
    QLabel* lblProgress = nullptr;
    tamsell::ProgressBar* pbrStatus = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdComplete = nullptr;
    QPushButton* cmdCancel = nullptr;
    orvenly::TextBox* txtLog = nullptr;

    // The options of a run, read from the second page when it starts.
    orvenly::StringCharsetTypeConstants m_Src = orvenly::SCS_UNKNOWN;
    orvenly::TextForm m_Dest = orvenly::SCS_SHIFTJIS;
    orvenly::StringCharsetTypeConstants m_Force = orvenly::SCS_SHIFTJIS;
    bool m_UseForce = false;
    orvenly::StringLineBreakCodeConstants m_SrcLineBreak = orvenly::SLB_UNKNOWN;
    orvenly::StringLineBreakCodeConstants m_DestLineBreak = orvenly::SLB_CRLF;
    bool m_Narrow = false;
    bool m_Abort = false;
    std::optional<LossAnswer> m_lossForAll;
};

} // namespace penlark
