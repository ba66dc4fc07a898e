#include "ControlPersistence.h"

#include "orvenly/PropertyBag.h"

#include <QApplication>
#include <QBuffer>
#include <QWidget>

namespace tamsell {

QFont ambientFont(const QWidget& control) {
    return control.parentWidget() ? control.parentWidget()->font() : QApplication::font();
}

void writeFont(orvenly::PropertyBag& bag, const QWidget& control) {
    bag.WriteProperty("Font", control.font().toString(), ambientFont(control).toString());
}

void readFont(const orvenly::PropertyBag& bag, QWidget& control) {
    if (!bag.Contains("Font"))
        return;
    QFont stored;
    if (stored.fromString(bag.ReadProperty("Font").toString()))
        control.setFont(stored);
}

orvenly::Variant pictureBytes(const QImage& picture) {
    if (picture.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QImage pictureOf(const orvenly::Variant& bytes) {
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes.toByteArray());
}

} // namespace tamsell
