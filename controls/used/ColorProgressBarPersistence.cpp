#include "orvenly/AutomationError.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/ColorProgressBar.h"

namespace tamsell {

using orvenly::PropertyBag;
using orvenly::Variant;

namespace {

namespace defaults {
constexpr int32_t BackColor = 0x000000;
constexpr int32_t MaxColor = 0x00FF00;
constexpr int32_t MinColor = 0x00FFFF;
constexpr int32_t PlusColor = 0xFF0000;
constexpr int32_t MinusColor = 0x0000FF;
} // namespace defaults

} // namespace

void ColorProgressBar::WriteProperties(PropertyBag& PropBag) const {
    PropBag.WriteProperty("Appearance", int32_t(m_appearance), int32_t(cpa3D));
    PropBag.WriteProperty("BorderStyle", int32_t(m_borderStyle), int32_t(cpbFixedSingle));
    PropBag.WriteProperty("Orientation", int32_t(m_orientation), int32_t(cpoHorizontal));
    PropBag.WriteProperty("BackColor", int32_t(m_backColor), defaults::BackColor);
    PropBag.WriteProperty("MaxColor", int32_t(m_maxColor), defaults::MaxColor);
    PropBag.WriteProperty("MinColor", int32_t(m_minColor), defaults::MinColor);
    PropBag.WriteProperty("PlusColor", int32_t(m_plusColor), defaults::PlusColor);
    PropBag.WriteProperty("MinusColor", int32_t(m_minusColor), defaults::MinusColor);
    PropBag.WriteProperty("HalfTransparent", m_halfTransparent, true);
    PropBag.WriteProperty("Max", m_range.max, int32_t(100));
    PropBag.WriteProperty("Min", m_range.min, int32_t(0));
    PropBag.WriteProperty("Value", m_range.value, int32_t(100));
    PropBag.WriteProperty("Animate", m_animate, true);
    PropBag.WriteProperty("Wait", m_wait, int32_t(0));
}

void ColorProgressBar::ReadProperties(const PropertyBag& PropBag) {
    // An entry that cannot be read or applied leaves its property as it was.
    auto apply = [&](const char* name, const Variant& fallback, auto setter) {
        try {
            setter(PropBag.ReadProperty(name, fallback));
        } catch (const orvenly::AutomationError&) {
        }
    };
    apply("Appearance", int32_t(cpa3D), [&](const Variant& v) {
        setAppearance(ColorProgressBarAppearanceConstanrs(v.toLong()));
    });
    apply("BorderStyle", int32_t(cpbFixedSingle), [&](const Variant& v) {
        setBorderStyle(ColorProgressBarBorderStyleConstanrs(v.toLong()));
    });
    apply("Orientation", int32_t(cpoHorizontal), [&](const Variant& v) {
        setOrientation(ColorProgressBarOrientationConstants(v.toLong()));
    });
    apply("BackColor", defaults::BackColor,
          [&](const Variant& v) { setBackColor(uint32_t(v.toLong())); });
    apply("MaxColor", defaults::MaxColor,
          [&](const Variant& v) { setMaxColor(uint32_t(v.toLong())); });
    apply("MinColor", defaults::MinColor,
          [&](const Variant& v) { setMinColor(uint32_t(v.toLong())); });
    apply("PlusColor", defaults::PlusColor,
          [&](const Variant& v) { setPlusColor(uint32_t(v.toLong())); });
    apply("MinusColor", defaults::MinusColor,
          [&](const Variant& v) { setMinusColor(uint32_t(v.toLong())); });
    apply("HalfTransparent", true, [&](const Variant& v) { setHalfTransparent(v.toBoolean()); });
    apply("Max", int32_t(100), [&](const Variant& v) { setMax(v.toLong()); });
    apply("Min", int32_t(0), [&](const Variant& v) { setMin(v.toLong()); });
    // Loading shows the stored value at once; Animate is read after it.
    const bool animate = m_animate;
    m_animate = false;
    apply("Value", int32_t(100), [&](const Variant& v) { setValue(v.toLong()); });
    m_animate = animate;
    apply("Animate", true, [&](const Variant& v) { setAnimate(v.toBoolean()); });
    apply("Wait", int32_t(0), [&](const Variant& v) { setWait(v.toLong()); });
}

} // namespace tamsell
