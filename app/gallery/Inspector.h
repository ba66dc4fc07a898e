#pragma once

#include "gallery/GalleryProperty.h"

#include <QObject>

namespace tamsell {
class PropertySheet;
class SheetItem;
} // namespace tamsell

namespace gallery {

// Shows the properties of one control in a property sheet, one category per group, and
// writes what the user edits there back to the control. A value the control refuses is
// explained in a message and the sheet shows the control's value again.
class Inspector : public QObject {
    Q_OBJECT

public:
    explicit Inspector(tamsell::PropertySheet& sheet);

    // Replaces what the sheet shows.
    void show(GalleryProperties properties);
    // Reads every value again: one change may have changed others.
    void refresh();

private:
    const GalleryProperty* propertyOf(const tamsell::SheetItem& item) const;
    void showValue(tamsell::SheetItem& item, const GalleryProperty& property);
    bool write(const GalleryProperty& property, const QString& value);
    void edited(QString& value, bool& cancel);
    void chosen();
    void referenced();

    tamsell::PropertySheet& m_sheet;
    GalleryProperties m_properties;
};

} // namespace gallery
