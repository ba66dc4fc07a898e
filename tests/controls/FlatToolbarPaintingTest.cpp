#include "tests/controls/ToolbarTestSupport.h"

#include "tamsell/SystemColors.h"

using namespace tamsell;

namespace {

class ToolbarPainting : public ToolbarTest {
protected:
    // Shows a frame or arrow the way the pointer would, without a screen.
    void hover(QPoint at) {
        show();
        QTest::mouseMove(&toolbar, at);
    }
    void press(QPoint at) {
        show();
        QTest::mousePress(&toolbar, Qt::LeftButton, {}, at);
    }
    // The pixels of one cell, normal row, at the given columns of its first line.
    static QImage strip(const std::vector<QRgb>& firstLine) {
        QImage image(32, 48, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int row = 0; row < 3; ++row)
            for (int x = 0; x < int(firstLine.size()); ++x)
                image.setPixel(x, row * 16, firstLine[size_t(x)]);
        return image;
    }
};

TEST_F(ToolbarPainting, BorderGripperAndSeparatorStandWhereTheLayoutPutsThem) {
    toolbar.Buttons().Add();
    toolbar.Buttons().Add(0, {}, FTBS_SEPARATOR);
    toolbar.Buttons().Add(0, {}, FTBS_DROPDOWN);
    const QImage image = picture();
    ASSERT_EQ(image.size(), QSize(63, 26));
    // Border: lit top and left, shadowed bottom and right.
    EXPECT_EQ(image.pixelColor(5, 0), highlight);
    EXPECT_EQ(image.pixelColor(0, 5), highlight);
    EXPECT_EQ(image.pixelColor(5, 25), shadow);
    EXPECT_EQ(image.pixelColor(62, 5), shadow);
    // Separator lines from the top of the button row, one pixel short of its height.
    EXPECT_EQ(image.pixelColor(35, 1), shadow);
    EXPECT_EQ(image.pixelColor(36, 1), highlight);
    EXPECT_EQ(image.pixelColor(35, 23), shadow);
    EXPECT_EQ(image.pixelColor(35, 24), face);
    EXPECT_EQ(image.pixelColor(34, 10), face);
    EXPECT_EQ(image.pixelColor(37, 10), face);
    // Two raised gripper bars, three pixels wide, at x = 4 and 7.
    for (int x : {4, 7}) {
        EXPECT_EQ(image.pixelColor(x, 10), highlight);
        EXPECT_EQ(image.pixelColor(x + 1, 10), face);
        EXPECT_EQ(image.pixelColor(x + 2, 10), shadow);
        EXPECT_EQ(image.pixelColor(x + 1, 2), highlight);
        EXPECT_EQ(image.pixelColor(x + 1, 23), shadow);
    }
    EXPECT_EQ(image.pixelColor(5, 24), face);
    // Buttons at rest are flat.
    EXPECT_EQ(image.pixelColor(11, 10), face);
}

TEST_F(ToolbarPainting, HotButtonsRiseAndPressedOnesSink) {
    toolbar.Buttons().Add();
    hover(QPoint(15, 10));
    EXPECT_EQ(at(11, 10), highlight);
    EXPECT_EQ(at(20, 2), highlight);
    EXPECT_EQ(at(32, 10), shadow);
    EXPECT_EQ(at(20, 23), shadow);
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(at(11, 10), shadow);
    EXPECT_EQ(at(32, 10), highlight);
    // Dragged off the button while held: flat again.
    QTest::mouseMove(&toolbar, QPoint(60, 10));
    EXPECT_EQ(at(11, 10), face);
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(60, 10));
}

TEST_F(ToolbarPainting, CheckedButtonsSinkOnALitBackground) {
    toolbar.Buttons().Add(0, {}, FTBS_CHECK, FTBS_EX_NONE, 0, {}, {}, FTBV_PRESSED);
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(11, 10), shadow);
    EXPECT_EQ(image.pixelColor(20, 2), shadow);
    EXPECT_EQ(image.pixelColor(32, 10), highlight);
    EXPECT_EQ(image.pixelColor(12, 3), highlight);
    EXPECT_EQ(image.pixelColor(31, 22), highlight);
    EXPECT_EQ(image.pixelColor(10, 10), face);
}

TEST_F(ToolbarPainting, InherentArrowFollowsTheImageRow) {
    auto button = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INHERENTDROPDOWN);
    // Tip at x = 10 + 31 - 6 = 35, rows of 5, 3 and 1 pixels from y = 12.
    QImage image = picture();
    for (int x = 33; x <= 37; ++x)
        EXPECT_EQ(image.pixelColor(x, 12), text) << x;
    EXPECT_EQ(image.pixelColor(32, 12), face);
    EXPECT_EQ(image.pixelColor(34, 13), text);
    EXPECT_EQ(image.pixelColor(33, 13), face);
    EXPECT_EQ(image.pixelColor(35, 14), text);
    EXPECT_EQ(image.pixelColor(34, 14), face);

    button->setEnabled(false);
    image = picture();
    EXPECT_EQ(image.pixelColor(33, 12), shadow);
    EXPECT_EQ(image.pixelColor(38, 13), highlight);
    EXPECT_EQ(image.pixelColor(36, 15), highlight);
    EXPECT_EQ(image.pixelColor(35, 14), shadow);

    button->setEnabled(true);
    hover(QPoint(15, 10));
    EXPECT_EQ(at(35, 14), QColor(Qt::blue));
    // Pressed: the image and arrow move one pixel down and right.
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(at(36, 15), QColor(Qt::blue));
    EXPECT_EQ(at(33, 12), face);
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
}

TEST_F(ToolbarPainting, IndependentArrowPartHasItsOwnFrame) {
    toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN);
    EXPECT_EQ(at(37, 14), text);
    hover(QPoint(15, 10));
    // Main part framed over 22 pixels, arrow part over 9 from x = 33.
    EXPECT_EQ(at(11, 10), highlight);
    EXPECT_EQ(at(32, 10), shadow);
    EXPECT_EQ(at(33, 10), highlight);
    EXPECT_EQ(at(41, 10), shadow);
    EXPECT_EQ(at(37, 14), QColor(Qt::blue));

    QColor arrowEdge;
    QObject::connect(&toolbar, &FlatToolbar::DropDown, [&] { arrowEdge = at(33, 10); });
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(38, 10));
    EXPECT_EQ(arrowEdge, shadow);
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(38, 10));
}

TEST_F(ToolbarPainting, ImagesAreMaskedAndTheirGreysMapped) {
    const QRgb mask = fromColorValue(0x808000).rgb();
    toolbar.setButtonPicture(strip({mask, 0xFF808080, 0xFFC0C0C0, 0xFFDFDFDF, 0xFFFF0000}));
    toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_NONE, 1);
    QImage image = picture();
    EXPECT_EQ(image.pixelColor(14, 5), QColor(mask));
    EXPECT_EQ(image.pixelColor(15, 5), shadow);
    EXPECT_EQ(image.pixelColor(16, 5), face);
    EXPECT_EQ(image.pixelColor(17, 5), light);
    EXPECT_EQ(image.pixelColor(18, 5), QColor(Qt::red));

    toolbar.setUseMaskColor(true);
    toolbar.setMap3DColors(false);
    image = picture();
    EXPECT_EQ(image.pixelColor(14, 5), face);
    EXPECT_EQ(image.pixelColor(15, 5), QColor(0x80, 0x80, 0x80));

    // A checked button draws its image one pixel further in, masked to the lit background.
    auto check = toolbar.Buttons().Add(0, {}, FTBS_CHECK, FTBS_EX_NONE, 1, {}, {}, FTBV_PRESSED);
    EXPECT_EQ(at(check->Left() + 5, 6), highlight);
    EXPECT_EQ(at(check->Left() + 9, 6), QColor(Qt::red));
    // An image column beyond the strip draws nothing.
    check->setImage(9);
    EXPECT_EQ(at(check->Left() + 9, 6), highlight);
}

TEST_F(ToolbarPainting, NothingIsRepaintedWhileRedrawIsOff) {
    auto button = toolbar.Buttons().Add(0, {}, FTBS_CHECK);
    toolbar.setRedraw(false);
    button->setValue(FTBV_PRESSED);
    EXPECT_EQ(at(11, 10), face);
    toolbar.setRedraw(true);
    EXPECT_EQ(at(11, 10), shadow);
}

TEST_F(ToolbarPainting, SystemColoursFollowThePalette) {
    EXPECT_EQ(resolveColor(syscolor::ButtonFace, toolbar.palette()), face);
    EXPECT_EQ(resolveColor(syscolor::ButtonShadow, toolbar.palette()), shadow);
    EXPECT_EQ(resolveColor(0xFF0000, toolbar.palette()), QColor(0, 0, 255));
    EXPECT_EQ(toColorValue(QColor(0, 128, 128)), 0x808000u);
    EXPECT_EQ(errorOf([&] { resolveColor(0x80000040, toolbar.palette()); }), 380);
    EXPECT_EQ(errorOf([&] { resolveColor(0x01000000, toolbar.palette()); }), 380);
    // The mask colour is kept as the fixed colour it stood for.
    toolbar.setMaskColor(syscolor::ButtonShadow);
    EXPECT_EQ(toolbar.MaskColor(), toColorValue(shadow));
}

} // namespace
