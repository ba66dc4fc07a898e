#include "objects/ui/PopupPlacement.h"

#include "orvenly/PopupWindow.h"

#include <gtest/gtest.h>

using namespace orvenly;
using orvenly::popup::Edges;

namespace {

const QRect screen(0, 0, 1024, 768);
const QRect form(0, 0, 200, 100);
constexpr int32_t no = PopupNotGiven;

TEST(PopupSourceRectangle, IsTheWindowOrAPartOfIt) {
    const QRect window(100, 50, 80, 20);
    const QPoint pointer(7, 9);
    EXPECT_EQ(popup::sourceRectangle(window, pointer, PWD_DOWN, no, no, -1, -1),
              (Edges{100, 50, 180, 70}));
    // Offsets from the window's corner; without an extent the part runs to the window's edge.
    EXPECT_EQ(popup::sourceRectangle(window, pointer, PWD_DOWN, 60, 2, 20, 16),
              (Edges{160, 52, 180, 68}));
    EXPECT_EQ(popup::sourceRectangle(window, pointer, PWD_RIGHT, 60, no, -1, -1),
              (Edges{160, 50, 180, 70}));
    EXPECT_EQ(popup::sourceRectangle(window, pointer, PWD_DOWN, no, no, 0, 0),
              (Edges{100, 50, 100, 50}));
}

TEST(PopupSourceRectangle, OnTheScreenIsAtThePointerUnlessGiven) {
    const QRect window(100, 50, 80, 20);
    EXPECT_EQ(popup::sourceRectangle(window, {300, 400}, PWD_SCREEN, no, no, -1, -1),
              (Edges{300, 400, 300, 400}));
    EXPECT_EQ(popup::sourceRectangle(window, {300, 400}, PWD_SCREEN, 10, 20, 30, 40),
              (Edges{10, 20, 40, 60}));
    // Only the bits 1 and 2 count: 3 takes the pointer and places to the right.
    EXPECT_EQ(popup::sourceRectangle(window, {300, 400}, 3, no, no, 5, -1),
              (Edges{300, 400, 305, 400}));
}

TEST(PopupPlacement, DownOpensBelowOrAboveWhenThereIsNoRoom) {
    const Edges source{100, 300, 180, 320};
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_DOWN, PWA_TOPLEFT),
              QRect(100, 320, 200, 100));
    // Just fits: the bottom edge touches the screen's.
    EXPECT_EQ(popup::placePopup({100, 648, 180, 668}, form, screen, PWD_DOWN, PWA_TOPLEFT),
              QRect(100, 668, 200, 100));
    EXPECT_EQ(popup::placePopup({100, 649, 180, 669}, form, screen, PWD_DOWN, PWA_TOPLEFT),
              QRect(100, 549, 200, 100));
    // The usable area of a screen need not start at 0.
    const QRect lower(0, 768, 1024, 768);
    EXPECT_EQ(popup::placePopup({0, 1000, 50, 1020}, form, lower, PWD_DOWN, PWA_TOPLEFT),
              QRect(0, 1020, 200, 100));
}

TEST(PopupPlacement, RightOpensRightOrLeftWhenThereIsNoRoom) {
    EXPECT_EQ(popup::placePopup({100, 300, 180, 320}, form, screen, PWD_RIGHT, PWA_TOPLEFT),
              QRect(180, 300, 200, 100));
    EXPECT_EQ(popup::placePopup({900, 300, 980, 320}, form, screen, PWD_RIGHT, PWA_TOPLEFT),
              QRect(700, 300, 200, 100));
    // Flipping does not depend on the height.
    EXPECT_EQ(popup::placePopup({100, 700, 180, 720}, form, screen, PWD_RIGHT, PWA_TOPLEFT),
              QRect(180, 700, 200, 100));
}

TEST(PopupPlacement, AlignsAcrossTheDirection) {
    const Edges source{100, 300, 180, 320};
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_DOWN, PWA_CENTER),
              QRect(40, 320, 200, 100));
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_DOWN, PWA_BOTTOMRIGHT),
              QRect(-20, 320, 200, 100));
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_RIGHT, PWA_CENTER),
              QRect(180, 260, 200, 100));
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_RIGHT, PWA_BOTTOMRIGHT),
              QRect(180, 220, 200, 100));
    // An odd difference halves toward zero on either side.
    EXPECT_EQ(popup::placePopup({100, 300, 181, 320}, form, screen, PWD_DOWN, PWA_CENTER).left(),
              41);
    EXPECT_EQ(popup::placePopup({100, 300, 401, 320}, form, screen, PWD_DOWN, PWA_CENTER).left(),
              150);
    // An unknown alignment keeps the form's own cross position; there is no clamping.
    const QRect own(33, 44, 200, 100);
    EXPECT_EQ(popup::placePopup(source, own, screen, PWD_DOWN, 7), QRect(33, 320, 200, 100));
    EXPECT_EQ(popup::placePopup(source, own, screen, PWD_RIGHT, -1), QRect(180, 44, 200, 100));
}

TEST(PopupPlacement, AdjustTakesTheSourceExtent) {
    const Edges source{100, 300, 180, 320};
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_DOWN, PWA_ADJUST),
              QRect(100, 320, 80, 100));
    EXPECT_EQ(popup::placePopup(source, form, screen, PWD_RIGHT, PWA_ADJUST),
              QRect(180, 300, 200, 20));
    // Placed above: still the form's own height decides the flip.
    EXPECT_EQ(popup::placePopup({100, 700, 180, 720}, form, screen, PWD_DOWN, PWA_ADJUST),
              QRect(100, 600, 80, 100));
    // A part that starts past the window's edge has no extent rather than a negative one.
    EXPECT_EQ(popup::placePopup({190, 300, 180, 320}, form, screen, PWD_DOWN, PWA_ADJUST).width(),
              0);
}

TEST(PopupPlacement, ScreenIsPlacedLikeDown) {
    EXPECT_EQ(popup::placePopup({500, 400, 500, 400}, form, screen, PWD_SCREEN, PWA_TOPLEFT),
              QRect(500, 400, 200, 100));
    EXPECT_EQ(popup::placePopup({500, 700, 500, 700}, form, screen, PWD_SCREEN, PWA_TOPLEFT),
              QRect(500, 600, 200, 100));
}

TEST(PopupDisabledRectangle, IsTheSourceMovedAndCut) {
    const QRect window(100, 50, 80, 20);
    const Edges source{160, 50, 180, 70};
    EXPECT_EQ(popup::disabledRectangle(source, window, PWD_DOWN, no, no, -1, -1),
              QRect(160, 50, 20, 20));
    EXPECT_EQ(popup::disabledRectangle(source, window, PWD_DOWN, 0, no, -1, -1),
              QRect(100, 50, 20, 20));
    EXPECT_EQ(popup::disabledRectangle(source, window, PWD_DOWN, 10, 5, 30, 10),
              QRect(110, 55, 30, 10));
    // A zero extent is not given.
    EXPECT_EQ(popup::disabledRectangle(source, window, PWD_DOWN, no, no, 0, 0),
              QRect(160, 50, 20, 20));
    EXPECT_TRUE(popup::disabledRectangle(source, window, PWD_SCREEN, 0, 0, 30, 30).isEmpty());
}

} // namespace
