#include "../used/ControlPersistence.h"
#include "orvenly/PropertyBag.h"
#include "tamsell/PropertySheet.h"
#include "tamsell/SystemColors.h"

namespace tamsell {

namespace {

using orvenly::PropertyBag;

// The prefix of the member at position index below the one with prefix parent.
QString prefixOf(const QString& parent, int index) {
    return parent + QStringLiteral("_s%1.").arg(index);
}

const QString CountName = QStringLiteral("_sc.Count");

void writeCandidate(PropertyBag& bag, const QString& prefix, const SheetItemCandidate& candidate) {
    bag.WriteProperty(prefix + "Key", candidate.Key(), QString());
    bag.WriteProperty(prefix + "Caption", candidate.Caption(), QString());
    bag.WriteProperty(prefix + "ItemData", candidate.ItemData(), int32_t(0));
    // The value of a list item is its chosen candidate; without this it would be lost.
    bag.WriteProperty(prefix + "Selected", candidate.Selected(), false);
}

void writeItem(PropertyBag& bag, const QString& prefix, const SheetItem& item) {
    bag.WriteProperty(prefix + "Key", item.Key(), QString());
    bag.WriteProperty(prefix + "Caption", item.Caption(), QString());
    bag.WriteProperty(prefix + "Text", item.Text(), QString());
    bag.WriteProperty(prefix + "Style", int32_t(item.Style()), int32_t(PSIS_TEXT));
    bag.WriteProperty(prefix + "Enabled", item.Enabled(), true);
    bag.WriteProperty(prefix + "Visible", item.Visible(), true);
    bag.WriteProperty(prefix + "ForeColor", item.ForeColor(), SheetForeColorDefault);
    bag.WriteProperty(prefix + CountName, int32_t(item.Candidates().Count()), int32_t(0));
    for (const auto& candidate : item.Candidates())
        writeCandidate(bag, prefixOf(prefix, candidate->Index()), *candidate);
}

void writeCategory(PropertyBag& bag, const QString& prefix, const SheetCategory& category) {
    bag.WriteProperty(prefix + "Key", category.Key(), QString());
    bag.WriteProperty(prefix + "Caption", category.Caption(), QString());
    bag.WriteProperty(prefix + "Expanded", category.Expanded(), true);
    bag.WriteProperty(prefix + "Enabled", category.Enabled(), true);
    bag.WriteProperty(prefix + "Visible", category.Visible(), true);
    bag.WriteProperty(prefix + "ForeColor", category.ForeColor(), SheetForeColorDefault);
    bag.WriteProperty(prefix + CountName, int32_t(category.Items().Count()), int32_t(0));
    for (const auto& item : category.Items())
        writeItem(bag, prefixOf(prefix, item->Index()), *item);
}

// Reads one property of a member, falling back on its default.
class Reader {
public:
    Reader(const PropertyBag& bag, QString prefix) : m_bag(bag), m_prefix(std::move(prefix)) {}
    QString text(const char* name) const {
        return m_bag.ReadProperty(m_prefix + name, QString()).toString();
    }
    int32_t number(const char* name, int32_t fallback) const {
        return m_bag.ReadProperty(m_prefix + name, fallback).toLong();
    }
    bool flag(const char* name, bool fallback) const {
        return m_bag.ReadProperty(m_prefix + name, fallback).toBoolean();
    }
    int count() const { return m_bag.ReadProperty(m_prefix + CountName, int32_t(0)).toLong(); }
    Reader below(int index) const { return Reader(m_bag, prefixOf(m_prefix, index)); }

private:
    const PropertyBag& m_bag;
    QString m_prefix;
};

void readItem(SheetCategory& category, const Reader& read) {
    const auto item = category.Items().Add(
        0, read.text("Key"), PropertySheetItemStyleConstants(read.number("Style", PSIS_TEXT)),
        read.text("Caption"), read.text("Text"), read.flag("Enabled", true),
        read.flag("Visible", true));
    item->setForeColor(read.number("ForeColor", SheetForeColorDefault));
    for (int i = 1; i <= read.count(); ++i) {
        const Reader candidateRead = read.below(i);
        const auto candidate =
            item->Candidates().Add(0, candidateRead.text("Key"), candidateRead.text("Caption"),
                                   candidateRead.number("ItemData", 0));
        if (candidateRead.flag("Selected", false))
            candidate->setSelected(true);
    }
}

void readCategory(SheetCategories& categories, const Reader& read) {
    const auto category = categories.Add(0, read.text("Key"), read.text("Caption"));
    category->setExpanded(read.flag("Expanded", true));
    category->setEnabled(read.flag("Enabled", true));
    category->setVisible(read.flag("Visible", true));
    category->setForeColor(read.number("ForeColor", SheetForeColorDefault));
    for (int i = 1; i <= read.count(); ++i)
        readItem(*category, read.below(i));
}

// Turns drawing off while the sheet is rebuilt and on again however the reading ends.
class RedrawOnExit {
public:
    explicit RedrawOnExit(PropertySheet& sheet) : m_sheet(sheet) { m_sheet.setRedraw(false); }
    ~RedrawOnExit() { m_sheet.setRedraw(true); }
    RedrawOnExit(const RedrawOnExit&) = delete;
    RedrawOnExit& operator=(const RedrawOnExit&) = delete;

private:
    PropertySheet& m_sheet;
};

} // namespace

void PropertySheet::WriteProperties(PropertyBag& PropBag) const {
    writeFont(PropBag, *this);
    PropBag.WriteProperty("Appearance", int16_t(m_appearance), int16_t(PSA_3D));
    PropBag.WriteProperty("BorderStyle", int16_t(m_borderStyle), int16_t(PSB_FIXEDSINGLE));
    PropBag.WriteProperty("Style", int32_t(m_style), int32_t(PSS_CATEGORY));
    PropBag.WriteProperty("IntegralHeight", m_integralHeight, true);
    PropBag.WriteProperty("ForeColor", int32_t(m_foreColor), int32_t(syscolor::WindowText));
    PropBag.WriteProperty(CountName, int32_t(m_categories.Count()), int32_t(0));
    for (const auto& category : m_categories)
        writeCategory(PropBag, prefixOf(QString(), category->Index()), *category);
}

void PropertySheet::ReadProperties(const PropertyBag& PropBag) {
    RedrawOnExit redraw(*this);
    readFont(PropBag, *this);
    const Reader read(PropBag, QString());
    setAppearance(PropertySheetAppearanceConstants(read.number("Appearance", PSA_3D)));
    setBorderStyle(PropertySheetBorderStyleConstants(read.number("BorderStyle", PSB_FIXEDSINGLE)));
    setStyle(PropertySheetStyleConstants(read.number("Style", PSS_CATEGORY)));
    setIntegralHeight(read.flag("IntegralHeight", true));
    setForeColor(uint32_t(read.number("ForeColor", int32_t(syscolor::WindowText))));
    m_categories.Clear();
    for (int i = 1; i <= read.count(); ++i)
        readCategory(m_categories, read.below(i));
}

} // namespace tamsell
