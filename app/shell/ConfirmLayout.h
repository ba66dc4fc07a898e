#pragma once

#include <QRect>
#include <QSize>
#include <array>

namespace penlark {

// Distances of the save confirmation in pixels, all derived from its font size so that the
// dialog looks like the system's own message boxes at any font size.
struct ConfirmMetrics {
    int leftMargin = 0;
    int topMargin = 0;
    int iconGap = 0;
    int promptGap = 0;
    int buttonGap = 0;
    int buttonHeight = 0;
    int minButtonWidth = 0;
    int buttonPadding = 0;

    friend bool operator==(const ConfirmMetrics&, const ConfirmMetrics&) = default;
};

// Where everything of the save confirmation goes. Buttons are relative to the button frame;
// the buttons of a missing second row stay empty.
struct ConfirmGeometry {
    QRect icon;
    QRect prompt;
    QRect buttonFrame;
    std::array<QRect, 6> buttons;
    QSize client;
};

// The side of the question icon.
inline constexpr int ConfirmIconSize = 32;

// x rounded to the nearest whole number, halves to the even neighbour.
int roundHalfEven(double x);

// The point size of a message font whose height is heightPixels (sign ignored; 0 stands for
// 11 pixels) on a screen of dotsPerInch vertically.
double messageFontPoints(int heightPixels, double dotsPerInch);

ConfirmMetrics confirmMetrics(double points);

// Lays out the icon, the prompt of promptSize and the buttons whose captions (without their
// first "&") are captionWidths wide; with twoRows false only the first three buttons show.
ConfirmGeometry layoutConfirm(const ConfirmMetrics& metrics, QSize promptSize,
                              const std::array<int, 6>& captionWidths, bool twoRows);

} // namespace penlark
