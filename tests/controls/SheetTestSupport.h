#pragma once

#include "tests/support/TestSupport.h"

#include "tamsell/PropertySheet.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

// A sheet with distinct scheme colours, so that pixels tell which one was used, and with
// recorders for its events.
class SheetTest : public WidgetsFirst, public ::testing::Test {
protected:
    SheetTest() {
        QPalette colours = sheet.palette();
        colours.setColor(QPalette::Base, window);
        colours.setColor(QPalette::Text, text);
        colours.setColor(QPalette::Highlight, highlight);
        colours.setColor(QPalette::HighlightedText, highlightText);
        colours.setColor(QPalette::PlaceholderText, grey);
        colours.setColor(QPalette::Dark, grid);
        sheet.setPalette(colours);
        // Text in whole pixels of its colour, so that pixels tell which colour it has.
        QFont solid = sheet.font();
        solid.setStyleStrategy(QFont::NoAntialias);
        sheet.setFont(solid);
        sheet.resize(300, 200);
        QObject::connect(&sheet, &tamsell::PropertySheet::Click, [this] { events << "Click"; });
        QObject::connect(&sheet, &tamsell::PropertySheet::DropDown,
                         [this] { events << "DropDown"; });
        QObject::connect(&sheet, &tamsell::PropertySheet::ReferenceClick,
                         [this] { events << "ReferenceClick"; });
        QObject::connect(&sheet, &tamsell::PropertySheet::Scroll, [this] { events << "Scroll"; });
        QObject::connect(&sheet, &tamsell::PropertySheet::CandidateClick,
                         [this] { events << "CandidateClick"; });
        QObject::connect(&sheet, &tamsell::PropertySheet::BeforeValueEdit, [this](bool& Cancel) {
            events << "BeforeValueEdit";
            Cancel = cancelEditing;
        });
    }

    // The font's text height, the row pitch and the glyph column of category style.
    int t() const { return QFontMetrics(sheet.font()).height(); }
    int pitch() const { return t() + 3; }
    // Where the client starts inside the default 3-D border.
    static constexpr int border = 2;

    QImage picture() { return sheet.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // A pixel of the client, in client coordinates.
    QColor at(const QImage& image, int x, int y) const {
        return image.pixelColor(border + x, border + y);
    }
    // A point inside row n (1-based, counted from the top row) at client x.
    QPoint inRow(int n, int x = 40) const {
        return QPoint(border + x, border + (n - 1) * pitch() + pitch() / 2);
    }

    void show() {
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    }
    void key(Qt::Key k) { QTest::keyClick(&sheet, k); }
    void click(QPoint point) {
        QTest::mousePress(&sheet, Qt::LeftButton, {}, point);
        QTest::mouseRelease(&sheet, Qt::LeftButton, {}, point);
    }
    // The second click of a double click, released as a real one is.
    void doubleClick(QPoint point) {
        QTest::mouseDClick(&sheet, Qt::LeftButton, {}, point);
        QTest::mouseRelease(&sheet, Qt::LeftButton, {}, point);
    }

    QLineEdit* textBox() const { return sheet.findChild<QLineEdit*>(); }
    QListWidget* dropList() const { return sheet.findChild<QListWidget*>(); }
    QScrollBar* scrollBar() const {
        return sheet.findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly);
    }
    QString selectedCaption() const {
        if (const auto item = sheet.SelectedItem())
            return item->Caption();
        if (const auto category = sheet.SelectedCategory())
            return "[" + category->Caption() + "]";
        return {};
    }

    const QColor window{255, 255, 240};
    const QColor text{10, 20, 30};
    const QColor highlight{40, 90, 200};
    const QColor highlightText{250, 250, 0};
    const QColor grey{150, 150, 150};
    const QColor grid{110, 100, 90};
    bool cancelEditing = false;
    QStringList events;
    tamsell::PropertySheet sheet;
};
