#include "dialogs/FontSizes.h"

namespace penlark {

QString sizeText(double points) {
    QString text = QString::number(points, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

QStringList outlineSizes(double dpi) {
    QStringList sizes;
    for (int k = 1; k <= 4; ++k) {
        const int step = 1 << k;
        for (int pixels = 5 * step; pixels < 10 * step; pixels += step)
            sizes.append(sizeText(pixels * 72.0 / dpi));
    }
    return sizes;
}

} // namespace penlark
