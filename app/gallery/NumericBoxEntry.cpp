#include "gallery/GalleryEntry.h"

#include "tamsell/NumericBox.h"

#include <QFormLayout>
#include <QLineEdit>

namespace gallery {

using namespace tamsell;

namespace {

GalleryDemo makeNumericBox(QWidget* parent, const Reporter& report) {
    auto* view = new QWidget(parent);
    auto* box = new NumericBox(view);
    box->setMax(128);
    box->setValue(8);
    box->setLength(3);
    box->setUnit(QStringLiteral("文字毎"));
    box->setStyle(nbsIn);
    box->setOrientation(nboVertical);
    box->setFixedSize(box->sizeHint());
    QObject::connect(box, &NumericBox::Change, box,
                     [box, report] { report(QStringLiteral("Change (%1)").arg(box->Value())); });
    auto* layout = new QFormLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("タブ間隔 (&T) :"), box);
    return {view, box};
}

GalleryProperties describeNumericBox(NumericBox& box) {
    const QString value = QStringLiteral("値");
    const QString look = QStringLiteral("外観");
    NumericBox* b = &box;
    return {
        numberProperty(
            value, QStringLiteral("Value"), [b] { return b->Value(); },
            [b](int32_t v) { b->setValue(int16_t(v)); }),
        numberProperty(
            value, QStringLiteral("Min"), [b] { return b->Min(); },
            [b](int32_t v) { b->setMin(int16_t(v)); }),
        numberProperty(
            value, QStringLiteral("Max"), [b] { return b->Max(); },
            [b](int32_t v) { b->setMax(int16_t(v)); }),
        numberProperty(
            value, QStringLiteral("DefaultValue"), [b] { return b->DefaultValue(); },
            [b](int32_t v) { b->setDefaultValue(v); }),
        numberProperty(
            value, QStringLiteral("SmallChange"), [b] { return b->SmallChange(); },
            [b](int32_t v) { b->setSmallChange(v); }),
        numberProperty(
            value, QStringLiteral("LargeChange"), [b] { return b->LargeChange(); },
            [b](int32_t v) { b->setLargeChange(v); }),
        choiceProperty(
            look, QStringLiteral("Style"),
            {QStringLiteral("0 - nbsOut"), QStringLiteral("1 - nbsIn")}, [b] { return b->Style(); },
            [b](int32_t v) { b->setStyle(NumericBoxStyleConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("UnitStyle"),
            {QStringLiteral("0 - nbsOut"), QStringLiteral("1 - nbsIn")},
            [b] { return b->UnitStyle(); },
            [b](int32_t v) { b->setUnitStyle(NumericBoxStyleConstants(v)); }),
        choiceProperty(
            look, QStringLiteral("Orientation"),
            {QStringLiteral("0 - nboHorizontal"), QStringLiteral("1 - nboVertical")},
            [b] { return b->Orientation(); },
            [b](int32_t v) { b->setOrientation(NumericBoxOrientationConstants(v)); }),
        textProperty(
            look, QStringLiteral("Unit"), [b] { return b->Unit(); },
            [b](const QString& v) { b->setUnit(v); }),
        numberProperty(
            look, QStringLiteral("Length"), [b] { return b->Length(); },
            [b](int32_t v) { b->setLength(v); }),
        numberProperty(
            look, QStringLiteral("WhiteSpace"), [b] { return b->WhiteSpace(); },
            [b](int32_t v) { b->setWhiteSpace(v); }),
        choiceProperty(
            look, QStringLiteral("Alignment"),
            {QStringLiteral("0 - 左"), QStringLiteral("1 - 右"), QStringLiteral("2 - 中央")},
            [b] { return b->Alignment(); }, [b](int32_t v) { b->setAlignment(v); }),
        flagProperty(
            look, QStringLiteral("Enabled"), [b] { return b->isEnabled(); },
            [b](bool v) { b->setEnabled(v); }),
        fontProperty(look, box),
    };
}

} // namespace

GalleryEntry numericBoxEntry() {
    return {QStringLiteral("数値ボックス (NumericBox)"), makeNumericBox,
            [](QWidget& control) { return describeNumericBox(static_cast<NumericBox&>(control)); }};
}

} // namespace gallery
