#pragma once

#include "common/TextForms.h"

#include <QDialog>
#include <cstdint>

class QComboBox;

namespace penlark {

// Asks for a charset and a line-break code.
class cDlgSelectFormat : public QDialog {
    Q_OBJECT

public:
    // The styles ShowSelect takes.
    enum Style : int32_t { StyleOpen = 0, StyleRecognise = 1, StyleSave = 2 };

    // Style 0 opens with a chosen format, 1 picks the charset for a file that could not be
    // recognised, 2 saves with a chosen format; styles 1 and 2 offer no "recognise" charset,
    // style 1 only the Japanese charsets, and style 2 each Unicode form with and without a
    // byte-order mark. Default is encoded like the result (formatSelection). Returns the
    // chosen format or FormatCancelled.
    // Scripted as kind "SelectFormat" with the caption as text, Style as style and Default
    // as the one detail.
    static int32_t ShowSelect(int32_t Style, int32_t Default, QWidget* Owner);

private:
    cDlgSelectFormat(int32_t style, int32_t defaultFormat, QWidget* owner);

    int32_t selection() const;

    QComboBox* cboCharset = nullptr;
    QComboBox* cboBreak = nullptr;
    int32_t m_Result = FormatCancelled;
};

} // namespace penlark
