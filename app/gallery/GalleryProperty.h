#pragma once

#include "tamsell/PropertySheetConstants.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace gallery {

// One property of a control as the gallery's property sheet shows and edits it.
struct GalleryProperty {
    QString category;
    QString caption;
    tamsell::PropertySheetItemStyleConstants style = tamsell::PSIS_TEXT;
    // The candidates of a list item, in the order of the values they stand for.
    QStringList choices;
    std::function<QString()> read;
    // Raises the control's error for a value it refuses; none shows the property greyed out.
    std::function<void(const QString&)> write;
    // What the reference button does.
    std::function<void()> reference;
};

using GalleryProperties = std::vector<GalleryProperty>;

// The usual kinds of property.
GalleryProperty flagProperty(const QString& category, const QString& caption,
                             std::function<bool()> get, std::function<void(bool)> set);
// choices[n] stands for the value n.
GalleryProperty choiceProperty(const QString& category, const QString& caption,
                               const QStringList& choices, std::function<int32_t()> get,
                               std::function<void(int32_t)> set);
GalleryProperty numberProperty(const QString& category, const QString& caption,
                               std::function<int32_t()> get, std::function<void(int32_t)> set);
GalleryProperty textProperty(const QString& category, const QString& caption,
                             std::function<QString()> get, std::function<void(const QString&)> set);
GalleryProperty colorProperty(const QString& category, const QString& caption,
                              std::function<uint32_t()> get, std::function<void(uint32_t)> set);
// The control's font, chosen in the font dialog.
GalleryProperty fontProperty(const QString& category, QWidget& control);
// An action rather than a value, started by the reference button.
GalleryProperty actionProperty(const QString& category, const QString& caption,
                               const QString& shown, std::function<void()> action);

} // namespace gallery
