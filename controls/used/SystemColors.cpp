#include "tamsell/SystemColors.h"

#include "orvenly/AutomationError.h"

#include <QPalette>
#include <array>

namespace tamsell {

namespace {

constexpr uint32_t SystemColorCount = 31;

// The palette role that plays each system colour's part, by index.
QPalette::ColorRole roleOf(uint32_t index) {
    static constexpr std::array<QPalette::ColorRole, SystemColorCount> Roles = {
        QPalette::Button,          // scroll bar
        QPalette::Window,          // desktop
        QPalette::Highlight,       // active caption
        QPalette::Mid,             // inactive caption
        QPalette::Window,          // menu
        QPalette::Base,            // window
        QPalette::Shadow,          // window frame
        QPalette::WindowText,      // menu text
        QPalette::Text,            // window text
        QPalette::HighlightedText, // caption text
        QPalette::Button,          // active border
        QPalette::Button,          // inactive border
        QPalette::Dark,            // application workspace
        QPalette::Highlight,       // highlight
        QPalette::HighlightedText, // highlighted text
        QPalette::Button,          // button face
        QPalette::Dark,            // button shadow
        QPalette::PlaceholderText, // grey text
        QPalette::ButtonText,      // button text
        QPalette::WindowText,      // inactive caption text
        QPalette::Light,           // 3-D highlight
        QPalette::Shadow,          // 3-D dark shadow
        QPalette::Midlight,        // 3-D light
        QPalette::ToolTipText,     // info text
        QPalette::ToolTipBase,     // info background
        QPalette::Window,          // unused
        QPalette::Link,            // hot-tracked item
        QPalette::Highlight,       // active caption gradient
        QPalette::Mid,             // inactive caption gradient
        QPalette::Highlight,       // menu highlight
        QPalette::Window,          // menu bar
    };
    return Roles[index];
}

} // namespace

bool isValidColor(uint32_t value) {
    if ((value & syscolor::Flag) != 0)
        return (value & ~syscolor::Flag) < SystemColorCount;
    return (value & 0xFF000000u) == 0;
}

QColor resolveColor(uint32_t value, const QPalette& palette) {
    if (!isValidColor(value))
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
    if ((value & syscolor::Flag) != 0)
        return palette.color(QPalette::Active, roleOf(value & ~syscolor::Flag));
    return fromColorValue(value);
}

uint32_t translateColor(uint32_t value, const QPalette& palette) {
    return toColorValue(resolveColor(value, palette));
}

uint32_t toColorValue(const QColor& color) {
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

QColor fromColorValue(uint32_t value) {
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

QString colorText(uint32_t value) {
    return QStringLiteral("&H%1&").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<uint32_t> parseColorText(const QString& text) {
    QString digits = text.trimmed();
    bool ok = false;
    uint32_t value = 0;
    if (digits.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        value = digits.toUInt(&ok, 16);
    } else {
        value = uint32_t(digits.toInt(&ok));
    }
    if (!ok || !isValidColor(value))
        return std::nullopt;
    return value;
}

} // namespace tamsell
