#include "orvenly/AutomationError.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/NumericBox.h"

#include <functional>

namespace tamsell {

using orvenly::Variant;

void NumericBox::WriteProperties(orvenly::PropertyBag& PropBag) const {
    PropBag.WriteProperty("Max", int32_t(m_max), int32_t(32767));
    PropBag.WriteProperty("Min", int32_t(m_min), int32_t(0));
    PropBag.WriteProperty("LargeChange", m_largeChange, int32_t(10));
    PropBag.WriteProperty("SmallChange", m_smallChange, int32_t(1));
    PropBag.WriteProperty("DefaultValue", m_defaultValue, int32_t(m_min));
    PropBag.WriteProperty("Value", int32_t(m_value), int32_t(0));
    PropBag.WriteProperty("Length", Length(), int32_t(5));
    PropBag.WriteProperty("WhiteSpace", m_whiteSpace, int32_t(0));
    PropBag.WriteProperty("Alignment", m_alignment, int32_t(1));
    PropBag.WriteProperty("Enabled", !testAttribute(Qt::WA_ForceDisabled), true);
    PropBag.WriteProperty("Unit", Unit(), QString());
    PropBag.WriteProperty("Style", int32_t(m_style), int32_t(nbsOut));
    PropBag.WriteProperty("UnitStyle", int32_t(m_unitStyle), int32_t(nbsOut));
    PropBag.WriteProperty("Orientation", int32_t(m_orientation), int32_t(nboHorizontal));
}

void NumericBox::ReadProperties(const orvenly::PropertyBag& PropBag) {
    // Each property on its own: one that is refused keeps the current value.
    const auto apply = [&](const char* name, const Variant& fallback,
                           const std::function<void(const Variant&)>& set) {
        try {
            set(PropBag.ReadProperty(name, fallback));
        } catch (const orvenly::AutomationError&) {
        }
    };
    apply("Alignment", int32_t(1), [&](const Variant& v) { setAlignment(v.toLong()); });
    apply("LargeChange", int32_t(10), [&](const Variant& v) { setLargeChange(v.toLong()); });
    apply("SmallChange", int32_t(1), [&](const Variant& v) { setSmallChange(v.toLong()); });
    apply("Enabled", true, [&](const Variant& v) { setEnabled(v.toBoolean()); });
    apply("Max", int32_t(32767), [&](const Variant& v) { setMax(v.toInteger()); });
    apply("Min", int32_t(0), [&](const Variant& v) { setMin(v.toInteger()); });
    apply("DefaultValue", int32_t(m_min), [&](const Variant& v) { setDefaultValue(v.toLong()); });
    apply("Value", int32_t(0), [&](const Variant& v) { setValue(v.toInteger()); });
    apply("Length", int32_t(5), [&](const Variant& v) { setLength(v.toLong()); });
    apply("WhiteSpace", int32_t(0), [&](const Variant& v) { setWhiteSpace(v.toLong()); });
    apply("Unit", QString(), [&](const Variant& v) { setUnit(v.toString()); });
    apply("Style", int32_t(nbsOut),
          [&](const Variant& v) { setStyle(NumericBoxStyleConstants(v.toLong())); });
    apply("UnitStyle", int32_t(nbsOut),
          [&](const Variant& v) { setUnitStyle(NumericBoxStyleConstants(v.toLong())); });
    apply("Orientation", int32_t(nboHorizontal),
          [&](const Variant& v) { setOrientation(NumericBoxOrientationConstants(v.toLong())); });
}

} // namespace tamsell
