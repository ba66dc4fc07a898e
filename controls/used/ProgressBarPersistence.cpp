#include "ControlPersistence.h"
#include "orvenly/AutomationError.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/ProgressBar.h"

namespace tamsell {

using orvenly::PropertyBag;

void ProgressBar::WriteProperties(PropertyBag& PropBag) const {
    PropBag.WriteProperty("BorderStyle", int32_t(m_borderStyle), int32_t(pbrFixedSingle));
    PropBag.WriteProperty("Orientation", int32_t(m_orientation), int32_t(pbrHorizontal));
    writeFont(PropBag, *this);
    PropBag.WriteProperty("BackColor", int32_t(m_backColor), int32_t(syscolor::ButtonFace));
    PropBag.WriteProperty("BarColor", int32_t(m_barColor), int32_t(syscolor::Highlight));
    PropBag.WriteProperty("Max", m_range.max, int32_t(100));
    PropBag.WriteProperty("Min", m_range.min, int32_t(0));
    PropBag.WriteProperty("Value", m_range.value, int32_t(100));
    PropBag.WriteProperty("StepValue", m_stepValue, int32_t(1));
    PropBag.WriteProperty("Notation", int32_t(m_notation), int32_t(pbrParcentage));
    PropBag.WriteProperty("FormatString", m_formatString, QString());
    PropBag.WriteProperty("CaptionAlign", int32_t(m_captionAlign), int32_t(pbrCenter));
}

void ProgressBar::ReadProperties(const PropertyBag& PropBag) {
    // An entry that cannot be read or applied leaves its property as it was.
    auto apply = [&](const char* name, const orvenly::Variant& fallback, auto setter) {
        try {
            setter(PropBag.ReadProperty(name, fallback));
        } catch (const orvenly::AutomationError&) {
        }
    };
    using orvenly::Variant;
    apply("BorderStyle", int32_t(pbrFixedSingle),
          [&](const Variant& v) { setBorderStyle(ProgressBarBorderStyleConstants(v.toLong())); });
    apply("Orientation", int32_t(pbrHorizontal),
          [&](const Variant& v) { setOrientation(ProgressBarOrientationConstants(v.toLong())); });
    readFont(PropBag, *this);
    apply("BackColor", int32_t(syscolor::ButtonFace),
          [&](const Variant& v) { setBackColor(uint32_t(v.toLong())); });
    apply("BarColor", int32_t(syscolor::Highlight),
          [&](const Variant& v) { setBarColor(uint32_t(v.toLong())); });
    apply("Max", int32_t(100), [&](const Variant& v) { setMax(v.toLong()); });
    apply("Min", int32_t(0), [&](const Variant& v) { setMin(v.toLong()); });
    apply("Value", int32_t(100), [&](const Variant& v) { setValue(v.toLong()); });
    apply("StepValue", int32_t(1), [&](const Variant& v) { setStepValue(v.toLong()); });
    apply("Notation", int32_t(pbrParcentage),
          [&](const Variant& v) { setNotation(ProgressBarNotationConstanrts(v.toLong())); });
    apply("FormatString", QString(), [&](const Variant& v) { setFormatString(v.toString()); });
    apply("CaptionAlign", int32_t(pbrCenter),
          [&](const Variant& v) { setCaptionAlign(ProgressBarCaptionAlignConstants(v.toLong())); });
}

} // namespace tamsell
