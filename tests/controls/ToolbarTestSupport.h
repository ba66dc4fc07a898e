#pragma once

#include "tests/support/TestSupport.h"

#include "tamsell/FlatToolbar.h"

#include <QImage>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

// A base that makes the application before the fixture's widgets are made.
struct ToolbarWidgetsFirst {
    ToolbarWidgetsFirst() { haveWidgets(); }
};

// A toolbar with a fixed, distinct set of 3-D colours, so that pixels tell which one was used.
class ToolbarTest : public ToolbarWidgetsFirst, public ::testing::Test {
protected:
    ToolbarTest() {
        QPalette colours = toolbar.palette();
        colours.setColor(QPalette::Button, face);
        colours.setColor(QPalette::Dark, shadow);
        colours.setColor(QPalette::Light, highlight);
        colours.setColor(QPalette::Midlight, light);
        colours.setColor(QPalette::ButtonText, text);
        toolbar.setPalette(colours);
    }

    // The toolbar as it shows on screen.
    QImage picture() { return toolbar.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor at(int x, int y) { return picture().pixelColor(x, y); }

    // Shows the toolbar, for tests that drive it with real pointer events.
    void show() {
        toolbar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolbar));
        // The pointer is still where the last test left it, and a move to the same place is
        // dropped: start from the corner, which holds no button.
        QTest::mouseMove(&toolbar, QPoint(0, 0));
    }

    const QColor face{200, 200, 200};
    const QColor shadow{100, 100, 100};
    const QColor highlight{250, 250, 250};
    const QColor light{225, 225, 225};
    const QColor text{10, 20, 30};
    tamsell::FlatToolbar toolbar;
};
