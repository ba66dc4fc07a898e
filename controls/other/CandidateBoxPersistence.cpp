#include "../used/ControlPersistence.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/CandidateBox.h"
#include "tamsell/SystemColors.h"

namespace tamsell {

namespace {

constexpr int32_t DefaultItemHeight = 16;
constexpr int32_t DefaultMaskColor = 0x808000;

} // namespace

void CandidateBox::WriteProperties(orvenly::PropertyBag& PropBag) const {
    PropBag.WriteProperty("IntegralHeight", m_integralHeight, true);
    PropBag.WriteProperty("AutoSize", m_autoSize, false);
    PropBag.WriteProperty("CompareMode", int32_t(m_compareMode), int32_t(CBTCM_BINARY));
    PropBag.WriteProperty("Wrap", m_wrap, false);
    PropBag.WriteProperty("ItemHeight", m_itemHeight, DefaultItemHeight);
    PropBag.WriteProperty("ItemPicture", pictureBytes(m_picture), orvenly::Variant());
    PropBag.WriteProperty("Enabled", isEnabled(), true);
    PropBag.WriteProperty("ForeColor", int32_t(m_foreColor), int32_t(syscolor::WindowText));
    PropBag.WriteProperty("BackColor", int32_t(m_backColor), int32_t(syscolor::Window));
    PropBag.WriteProperty("MaskColor", int32_t(m_maskColor), DefaultMaskColor);
    PropBag.WriteProperty("UseMaskColor", m_useMaskColor, false);
    writeFont(PropBag, *this);
}

void CandidateBox::ReadProperties(const orvenly::PropertyBag& PropBag) {
    auto number = [&](const char* name, int32_t fallback) {
        return PropBag.ReadProperty(name, fallback).toLong();
    };
    auto flag = [&](const char* name, bool fallback) {
        return PropBag.ReadProperty(name, fallback).toBoolean();
    };
    setIntegralHeight(flag("IntegralHeight", true));
    setAutoSize(flag("AutoSize", false));
    setCompareMode(CandidateBoxTextCompareModeConstants(number("CompareMode", CBTCM_BINARY)));
    setWrap(flag("Wrap", false));
    setItemHeight(number("ItemHeight", DefaultItemHeight));
    setItemPicture(pictureOf(PropBag.ReadProperty("ItemPicture")));
    setEnabled(flag("Enabled", true));
    setForeColor(uint32_t(number("ForeColor", int32_t(syscolor::WindowText))));
    setBackColor(uint32_t(number("BackColor", int32_t(syscolor::Window))));
    setMaskColor(uint32_t(number("MaskColor", DefaultMaskColor)));
    setUseMaskColor(flag("UseMaskColor", false));
    readFont(PropBag, *this);
}

} // namespace tamsell
