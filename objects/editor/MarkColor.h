#pragma once

#include <QColor>

namespace orvenly {

// The dimmed colour of what a text box paints besides the text: between the text's colour
// and its background, nearer the background.
inline QColor markColor(const QColor& text, const QColor& base) {
    constexpr float TextShare = 0.45f;
    auto mix = [](float a, float b) { return TextShare * a + (1 - TextShare) * b; };
    return QColor::fromRgbF(mix(text.redF(), base.redF()), mix(text.greenF(), base.greenF()),
                            mix(text.blueF(), base.blueF()));
}

// What is painted after the text's end.
inline constexpr char16_t EndOfFileMark[] = u"[EOF]";

} // namespace orvenly
