#pragma once

#include "tests/support/TestSupport.h"

#include "tamsell/CandidateBox.h"

#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

// A candidate box with distinct scheme colours and solid text, recording its events.
class CandidateTest : public WidgetsFirst, public ::testing::Test {
protected:
    CandidateTest() {
        QPalette colours = box.palette();
        colours.setColor(QPalette::Base, back);
        colours.setColor(QPalette::Text, fore);
        colours.setColor(QPalette::Highlight, highlight);
        colours.setColor(QPalette::HighlightedText, highlightText);
        box.setPalette(colours);
        QFont solid = box.font();
        solid.setStyleStrategy(QFont::NoAntialias);
        box.setFont(solid);
        box.setIntegralHeight(false);
        box.resize(200, 2 * border + 5 * pitch);
        QObject::connect(&box, &tamsell::CandidateBox::Click, [this] {
            const auto item = box.SelectedItem();
            events << "Click " + (item ? item->Caption() : QString());
        });
        QObject::connect(&box, &tamsell::CandidateBox::DblClick, [this] { events << "DblClick"; });
    }

    // Adds items with these captions, keyed by their captions.
    void fill(const QStringList& captions) {
        for (const QString& caption : captions)
            box.Items().Add(0, caption, 0, caption);
    }
    QStringList captions() const {
        QStringList all;
        for (const auto& item : box.Items())
            all << item->Caption();
        return all;
    }
    QString selected() const { return box.SelectedItem() ? box.SelectedItem()->Caption() : ""; }
    QImage picture() { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor at(const QImage& image, int x, int y) const {
        return image.pixelColor(border + x, border + y);
    }
    QScrollBar* scrollBar() const { return box.findChild<QScrollBar*>(); }
    void show() {
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    void key(Qt::Key k) { QTest::keyClick(&box, k); }

    static constexpr int border = 2;
    static constexpr int itemHeight = 16;
    static constexpr int pitch = itemHeight + 1;
    const QColor back{255, 255, 240};
    const QColor fore{10, 20, 30};
    const QColor highlight{40, 90, 200};
    const QColor highlightText{250, 250, 0};
    QStringList events;
    tamsell::CandidateBox box;
};
