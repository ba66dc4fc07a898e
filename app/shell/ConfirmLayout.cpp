#include "shell/ConfirmLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace penlark {

namespace {

// The height a message font of height 0 stands for.
constexpr int DefaultFontPixels = 11;
constexpr double PointsPerInch = 72.0;

} // namespace

int roundHalfEven(double x) {
    const double down = std::floor(x);
    const double fraction = x - down;
    if (fraction > 0.5)
        return static_cast<int>(down) + 1;
    if (fraction < 0.5)
        return static_cast<int>(down);
    return std::fmod(down, 2.0) == 0.0 ? static_cast<int>(down) : static_cast<int>(down) + 1;
}

double messageFontPoints(int heightPixels, double dotsPerInch) {
    const int pixels = heightPixels == 0 ? DefaultFontPixels : std::abs(heightPixels);
    return pixels * PointsPerInch / dotsPerInch;
}

ConfirmMetrics confirmMetrics(double points) {
    const double p = points;
    const int margin = roundHalfEven(5 * p + 4) / 4;
    const int buttonUnit = roundHalfEven(4 * p + 3) / 3;
    ConfirmMetrics m;
    m.leftMargin = margin;
    m.topMargin = margin - 1;
    m.iconGap = roundHalfEven(9 * p + 8) / 5;
    m.promptGap = roundHalfEven(7 * p + 6) / 4;
    m.buttonGap = roundHalfEven(4 * p + 3) / 5;
    m.buttonHeight = roundHalfEven(7 * p + 6) / 3;
    m.minButtonWidth = buttonUnit * 7;
    m.buttonPadding = buttonUnit * 2;
    return m;
}

ConfirmGeometry layoutConfirm(const ConfirmMetrics& metrics, QSize promptSize,
                              const std::array<int, 6>& captionWidths, bool twoRows) {
    const ConfirmMetrics& m = metrics;
    ConfirmGeometry g;
    g.icon = QRect(m.leftMargin, m.topMargin, ConfirmIconSize, ConfirmIconSize);

    // A prompt taller than the icon starts at the top and pushes the buttons down; a shorter
    // one is centred on the icon.
    const int promptLeft = m.iconGap + m.leftMargin + ConfirmIconSize;
    int promptTop = 0;
    int frameTop = 0;
    if (promptSize.height() > ConfirmIconSize) {
        promptTop = m.topMargin;
        frameTop = promptSize.height() + m.topMargin + m.promptGap;
    } else {
        promptTop = m.topMargin + (ConfirmIconSize - promptSize.height()) / 2;
        frameTop = m.promptGap + m.topMargin + ConfirmIconSize;
    }
    g.prompt = QRect(QPoint(promptLeft, promptTop), promptSize);

    // Each column is as wide as the wider of its two captions, never below the minimum.
    int x = 0;
    int rowWidth = 0;
    for (size_t i = 0; i < 3; ++i) {
        int width = std::max(m.minButtonWidth, captionWidths[i] + 2 * m.buttonPadding);
        if (twoRows)
            width = std::max(width, captionWidths[i + 3] + 2 * m.buttonPadding);
        g.buttons[i] = QRect(x, 0, width, m.buttonHeight);
        if (twoRows)
            g.buttons[i + 3] = QRect(x, m.buttonHeight + m.buttonGap, width, m.buttonHeight);
        x += width + m.buttonGap;
        rowWidth += width;
    }
    rowWidth += 2 * m.buttonGap;

    const int frameHeight = twoRows ? m.buttonGap + 2 * m.buttonHeight : m.buttonHeight;
    const int promptRight = g.prompt.left() + promptSize.width();
    const int clientWidth = promptRight > rowWidth + m.leftMargin ? promptRight + m.leftMargin
                                                                  : rowWidth + 2 * m.leftMargin;
    g.buttonFrame = QRect((clientWidth - rowWidth) / 2, frameTop, rowWidth, frameHeight);
    g.client = QSize(clientWidth, frameTop + frameHeight + m.topMargin);
    return g;
}

} // namespace penlark
