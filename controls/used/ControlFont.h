#pragma once

#include <QFont>

class QWidget;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

// The font a new control takes from where it is placed.
QFont ambientFont(const QWidget& control);

// The control's font under "Font", left out while it is the ambient font.
void writeFont(orvenly::PropertyBag& bag, const QWidget& control);
// Gives the control the font stored under "Font", when there is one that reads.
void readFont(const orvenly::PropertyBag& bag, QWidget& control);

} // namespace tamsell
