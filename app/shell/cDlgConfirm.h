#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;

namespace penlark {

struct ConfirmMetrics;

// The question asked for each modified document when several documents close together. It
// looks like a system message box with a question icon and lays itself out from the system's
// message font.
class cDlgConfirm : public QDialog {
    Q_OBJECT

public:
    // Asks Prompt and returns the answer. With MultiDocument true there are two rows: 0 save,
    // 1 don't save, 2 keep, 3 save all, 4 don't save any, 5 keep all (Esc). With MultiDocument
    // false one row: 0 yes, 1 no, 2 cancel (Esc). Enter gives 0; the close box gives 5.
    // Scripted as kind "Confirm" with style 1 for MultiDocument, 0 otherwise.
    static int32_t ShowConfirm(const QString& Prompt, bool MultiDocument, QWidget* Owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    cDlgConfirm(const QString& prompt, bool multiDocument, QWidget* owner);

    void layOut(const ConfirmMetrics& metrics, bool multiDocument);

    QLabel* picIcon = nullptr;
    QLabel* lblPrompt = nullptr;
    QWidget* fraButtons = nullptr;
    std::array<QPushButton*, 6> cmdResult{};
    size_t m_CancelIndex = 5;
    // What the close box answers, in both forms.
    int32_t m_Answer = 5;
};

} // namespace penlark
