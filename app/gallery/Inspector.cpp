#include "gallery/Inspector.h"

#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "tamsell/PropertySheet.h"

namespace gallery {

using tamsell::PropertySheet;
using tamsell::SheetItem;

Inspector::Inspector(PropertySheet& sheet) : m_sheet(sheet) {
    connect(&sheet, &PropertySheet::AfterValueEdit, this, &Inspector::edited);
    connect(&sheet, &PropertySheet::CandidateClick, this, &Inspector::chosen);
    connect(&sheet, &PropertySheet::ReferenceClick, this, &Inspector::referenced);
}

void Inspector::show(GalleryProperties properties) {
    m_sheet.setRedraw(false);
    m_sheet.Categories().Clear();
    m_properties = std::move(properties);
    for (size_t i = 0; i < m_properties.size(); ++i) {
        const GalleryProperty& property = m_properties[i];
        std::shared_ptr<tamsell::SheetCategory> category;
        for (const auto& existing : m_sheet.Categories())
            if (existing->Caption() == property.category)
                category = existing;
        if (!category)
            category = m_sheet.Categories().Add(0, {}, property.category);
        const bool editable = property.write || property.reference;
        const auto item =
            category->Items().Add(0, {}, property.style, property.caption, {}, editable);
        item->setTag(int32_t(i));
        for (const QString& choice : property.choices)
            item->Candidates().Add(0, {}, choice);
        showValue(*item, property);
    }
    m_sheet.setRedraw(true);
}

void Inspector::refresh() {
    for (const auto& category : m_sheet.Categories())
        for (const auto& item : category->Items())
            if (const GalleryProperty* property = propertyOf(*item))
                showValue(*item, *property);
}

const GalleryProperty* Inspector::propertyOf(const SheetItem& item) const {
    const orvenly::Variant tag = item.Tag();
    if (!tag.isNumeric())
        return nullptr;
    const auto index = size_t(tag.toLong());
    return index < m_properties.size() ? &m_properties[index] : nullptr;
}

void Inspector::showValue(SheetItem& item, const GalleryProperty& property) {
    const QString value = property.read();
    if (item.Style() != tamsell::PSIS_LIST) {
        item.setText(value);
        return;
    }
    for (const auto& candidate : item.Candidates())
        if (candidate->Caption() == value)
            candidate->setSelected(true);
}

bool Inspector::write(const GalleryProperty& property, const QString& value) {
    try {
        property.write(value);
        return true;
    } catch (const orvenly::AutomationError& error) {
        orvenly::MsgBox(m_sheet.window(),
                        QStringLiteral("「%1」に「%2」は設定できません。\n%3 (エラー %4)")
                            .arg(property.caption, value, error.description())
                            .arg(error.number()),
                        orvenly::msgbox::Exclamation);
        return false;
    }
}

void Inspector::edited(QString& value, bool& cancel) {
    const auto item = m_sheet.SelectedItem();
    const GalleryProperty* property = item ? propertyOf(*item) : nullptr;
    if (!property || !property->write)
        return;
    cancel = !write(*property, value);
    if (!cancel)
        value = property->read();
    refresh();
}

void Inspector::chosen() {
    const auto item = m_sheet.SelectedItem();
    const GalleryProperty* property = item ? propertyOf(*item) : nullptr;
    if (!property || !property->write || item->Style() != tamsell::PSIS_LIST)
        return;
    write(*property, item->Text());
    refresh();
}

void Inspector::referenced() {
    const auto item = m_sheet.SelectedItem();
    const GalleryProperty* property = item ? propertyOf(*item) : nullptr;
    if (!property || !property->reference)
        return;
    property->reference();
    refresh();
}

} // namespace gallery
