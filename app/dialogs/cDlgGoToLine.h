#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace penlark {

// Asks for a line to move the caret to and, optionally, a column in it.
class cDlgGoToLine : public QDialog {
    Q_OBJECT

public:
    // 1-based; column 0 when none was given. The numbers are as typed: the caller clamps
    // them to the text.
    struct Target {
        int32_t line = 0;
        int32_t column = 0;
    };

    // Offers lines 1 to LineCount, starting with Line. Returns nothing when cancelled.
    // Scripted as kind "GoToLine" with the caption as text, LineCount as style and Line as the
    // one detail; an answer of msgbox::OK takes its files as the typed line and column.
    static std::optional<Target> ShowGoToLine(int32_t LineCount, int32_t Line, QWidget* Owner);

private:
    cDlgGoToLine(int32_t lineCount, int32_t line, QWidget* owner);

    QLineEdit* m_txtLine = nullptr;
    QLineEdit* m_txtColumn = nullptr;
};

} // namespace penlark
