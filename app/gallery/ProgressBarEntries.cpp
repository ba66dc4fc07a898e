#include "gallery/GalleryEntry.h"

#include "tamsell/ColorProgressBar.h"
#include "tamsell/ProgressBar.h"

#include <QVBoxLayout>

namespace gallery {

using namespace tamsell;

namespace {

GalleryDemo makeProgressBar(QWidget* parent, const Reporter& report) {
    auto* bar = new ProgressBar(parent);
    bar->setValue(62);
    bar->resize(300, 22);
    bar->setMinimumSize(300, 22);
    QObject::connect(bar, &ProgressBar::PropertyChanged, bar, [report](const QString& name) {
        report(name + QStringLiteral(" が変わりました"));
    });
    return {bar, bar};
}

GalleryProperties describeProgressBar(ProgressBar& bar) {
    const QString value = QStringLiteral("値");
    const QString look = QStringLiteral("外観");
    ProgressBar* b = &bar;
    return {
        numberProperty(
            value, QStringLiteral("Value"), [b] { return b->Value(); },
            [b](int32_t v) { b->setValue(v); }),
        numberProperty(
            value, QStringLiteral("Min"), [b] { return b->Min(); },
            [b](int32_t v) { b->setMin(v); }),
        numberProperty(
            value, QStringLiteral("Max"), [b] { return b->Max(); },
            [b](int32_t v) { b->setMax(v); }),
        numberProperty(
            value, QStringLiteral("StepValue"), [b] { return b->StepValue(); },
            [b](int32_t v) { b->setStepValue(v); }),
        actionProperty(value, QStringLiteral("Step"), QStringLiteral("進める"), [b] { b->Step(); }),
        choiceProperty(
            look, QStringLiteral("Notation"),
            {QStringLiteral("0 - pbrParcentage"), QStringLiteral("1 - pbrValue"),
             QStringLiteral("2 - pbrRatio"), QStringLiteral("3 - pbrHide")},
            [b] { return b->Notation(); },
            [b](int32_t v) { b->setNotation(ProgressBarNotationConstanrts(v)); }),
        textProperty(
            look, QStringLiteral("FormatString"), [b] { return b->FormatString(); },
            [b](const QString& v) { b->setFormatString(v); }),
        choiceProperty(
            look, QStringLiteral("CaptionAlign"),
            {QStringLiteral("0 - pbrLeftBottom"), QStringLiteral("1 - pbrCenter"),
             QStringLiteral("2 - pbrRightTop")},
            [b] { return b->CaptionAlign(); },
            [b](int32_t v) { b->setCaptionAlign(ProgressBarCaptionAlignConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("BorderStyle"),
            {QStringLiteral("0 - pbrNone"), QStringLiteral("1 - pbrFixedSingle"),
             QStringLiteral("2 - pbrLightSingle")},
            [b] { return b->BorderStyle(); },
            [b](int32_t v) { b->setBorderStyle(ProgressBarBorderStyleConstants(v)); }),
        colorProperty(
            look, QStringLiteral("BarColor"), [b] { return b->BarColor(); },
            [b](uint32_t v) { b->setBarColor(v); }),
        colorProperty(
            look, QStringLiteral("BackColor"), [b] { return b->BackColor(); },
            [b](uint32_t v) { b->setBackColor(v); }),
        fontProperty(look, bar),
    };
}

GalleryDemo makeColorProgressBar(QWidget* parent, const Reporter& report) {
    auto* bar = new ColorProgressBar(parent);
    bar->setValue(70);
    bar->setAnimate(true);
    bar->resize(300, 22);
    bar->setMinimumSize(300, 22);
    QObject::connect(bar, &ColorProgressBar::Change, bar,
                     [bar, report] { report(QStringLiteral("Change (%1)").arg(bar->Value())); });
    return {bar, bar};
}

GalleryProperties describeColorProgressBar(ColorProgressBar& bar) {
    const QString value = QStringLiteral("値");
    const QString look = QStringLiteral("外観");
    ColorProgressBar* b = &bar;
    return {
        numberProperty(
            value, QStringLiteral("Value"), [b] { return b->Value(); },
            [b](int32_t v) { b->setValue(v); }),
        numberProperty(
            value, QStringLiteral("Max"), [b] { return b->Max(); },
            [b](int32_t v) { b->setMax(v); }),
        flagProperty(
            value, QStringLiteral("Animate"), [b] { return b->Animate(); },
            [b](bool v) { b->setAnimate(v); }),
        numberProperty(
            value, QStringLiteral("Wait"), [b] { return b->Wait(); },
            [b](int32_t v) { b->setWait(v); }),
        flagProperty(
            look, QStringLiteral("HalfTransparent"), [b] { return b->HalfTransparent(); },
            [b](bool v) { b->setHalfTransparent(v); }),
        colorProperty(
            look, QStringLiteral("MinColor"), [b] { return b->MinColor(); },
            [b](uint32_t v) { b->setMinColor(v); }),
        colorProperty(
            look, QStringLiteral("MaxColor"), [b] { return b->MaxColor(); },
            [b](uint32_t v) { b->setMaxColor(v); }),
        colorProperty(
            look, QStringLiteral("BackColor"), [b] { return b->BackColor(); },
            [b](uint32_t v) { b->setBackColor(v); }),
    };
}

} // namespace

GalleryEntry progressBarEntry() {
    return {QStringLiteral("プログレスバー (ProgressBar)"), makeProgressBar, [](QWidget& control) {
                return describeProgressBar(static_cast<ProgressBar&>(control));
            }};
}

GalleryEntry colorProgressBarEntry() {
    return {QStringLiteral("カラープログレスバー (ColorProgressBar)"), makeColorProgressBar,
            [](QWidget& control) {
                return describeColorProgressBar(static_cast<ColorProgressBar&>(control));
            }};
}

} // namespace gallery
