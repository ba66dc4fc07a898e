#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;

namespace penlark {

// A format selection: charset in the low 16 bits, line-break code in the high 16 bits.
// 0 in either half means recognise it when loading and keep the document's own when saving.
inline constexpr int32_t FormatCancelled = -1;
constexpr int32_t formatSelection(int32_t charset, int32_t breakCode) {
    return charset + 65536 * breakCode;
}

// Asks for a charset and a line-break code.
class cDlgSelectFormat : public QDialog {
    Q_OBJECT

public:
    // Style 0 opens with a chosen format, 1 picks the charset for a file that could not be
    // recognised, 2 saves with a chosen format; styles 1 and 2 offer no "recognise" charset.
    // Default is encoded like the result. Returns the chosen format or FormatCancelled.
    // Scripted as kind "SelectFormat" with the caption as text, Style as style and Default
    // as the one detail.
    static int32_t ShowSelect(int32_t Style, int32_t Default, QWidget* Owner);

private:
    cDlgSelectFormat(int32_t style, int32_t defaultFormat, QWidget* owner);

    int32_t selection() const;

    QComboBox* cboCharset = nullptr;
    QComboBox* cboBreak = nullptr;
    int32_t m_Offset = 0;
    int32_t m_Result = FormatCancelled;
};

} // namespace penlark
