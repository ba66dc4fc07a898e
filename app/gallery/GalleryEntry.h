#pragma once

#include "gallery/GalleryProperty.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace gallery {

// What the gallery shows of one control: the view, which is the control with whatever goes
// with it, and the control whose properties the sheet shows.
struct GalleryDemo {
    QWidget* view;
    QWidget* control;
};

// Tells the gallery of an event of a control, in words.
using Reporter = std::function<void(const QString& event)>;

// One control of the gallery: its name, how to make its demonstration, and the properties the
// sheet shows for it.
struct GalleryEntry {
    QString name;
    std::function<GalleryDemo(QWidget* parent, const Reporter& report)> make;
    std::function<GalleryProperties(QWidget& control)> describe;
};

// The controls of the gallery, in the order it shows them. Another control is one more entry
// here and one file that makes it.
std::vector<GalleryEntry> galleryEntries();

GalleryEntry flatToolbarEntry();
GalleryEntry numericBoxEntry();
GalleryEntry progressBarEntry();
GalleryEntry colorProgressBarEntry();
GalleryEntry propertySheetEntry();
GalleryEntry candidateBoxEntry();

} // namespace gallery
