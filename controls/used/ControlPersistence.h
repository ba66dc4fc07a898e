#pragma once

#include "orvenly/Variant.h"

#include <QFont>
#include <QImage>

class QWidget;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

// The font a new control takes from where it is placed.
QFont ambientFont(const QWidget& control);

// Stores the control's font under "Font" unless it is the ambient one, and reads it back.
void writeFont(orvenly::PropertyBag& bag, const QWidget& control);
void readFont(const orvenly::PropertyBag& bag, QWidget& control);

// A picture as the bytes a property bag keeps (PNG), Empty for none, and back.
orvenly::Variant pictureBytes(const QImage& picture);
QImage pictureOf(const orvenly::Variant& bytes);

} // namespace tamsell
