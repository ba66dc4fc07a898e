#include "FileDialogParts.h"
#include "orvenly/AutomationError.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QApplication>
#include <QColorDialog>
#include <QPalette>
#include <optional>

namespace orvenly {
namespace filedialog {
namespace {

constexpr uint32_t SystemColour = 0x80000000u;

// The palette role standing for a system colour index; window text for those without one.
QPalette::ColorRole roleOf(uint32_t index) {
    switch (index) {
    case 5:
        return QPalette::Base;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 18:
        return QPalette::ButtonText;
    default:
        return QPalette::Text;
    }
}

} // namespace

QColor colorOf(int32_t rgb) {
    const auto value = uint32_t(rgb);
    if (value & SystemColour)
        return QApplication::palette().color(roleOf(value & 0xFFFFu));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int32_t rgbOf(const QColor& color) {
    return int32_t(uint32_t(color.red()) | uint32_t(color.green()) << 8 |
                   uint32_t(color.blue()) << 16);
}

} // namespace filedialog

namespace {

// A decimal value of a scripted answer, if it reads as one.
std::optional<int32_t> numberIn(const QString& text) {
    bool ok = false;
    const int32_t value = text.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

bool FileDialog::ShowColor(int32_t& Color) {
    std::optional<int32_t> chosen;
    try {
        QStringList customs;
        for (const int32_t custom : m_customColors)
            customs.append(QString::number(custom));
        if (const auto answer = modal::scripted(
                {QStringLiteral("Color"), QString::number(Color), {}, m_flags, customs})) {
            for (int i = 0; i < CustomColorCount && i + 1 < answer->files.size(); ++i)
                if (const auto custom = numberIn(answer->files[i + 1]))
                    m_customColors[size_t(i)] = *custom;
            if (answer->value != 0)
                chosen = numberIn(answer->files.value(0));
        } else {
            // The host keeps one table for the whole process; this object's is lent to it.
            for (int i = 0; i < CustomColorCount; ++i)
                QColorDialog::setCustomColor(i, filedialog::colorOf(m_customColors[size_t(i)]));
            QColorDialog dialog(filedialog::colorOf(Color), m_owner);
            dialog.setWindowTitle(QStringLiteral("色の設定"));
            dialog.setOption(QColorDialog::DontUseNativeDialog);
            const bool accepted = dialog.exec() == QDialog::Accepted;
            for (int i = 0; i < CustomColorCount; ++i)
                m_customColors[size_t(i)] = filedialog::rgbOf(QColorDialog::customColor(i));
            if (accepted)
                chosen = filedialog::rgbOf(dialog.selectedColor());
        }
    } catch (const AutomationError&) {
        return false;
    }
    if (!chosen)
        return false;
    Color = *chosen;
    return true;
}

} // namespace orvenly
