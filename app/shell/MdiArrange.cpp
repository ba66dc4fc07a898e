#include "shell/MdiArrange.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace penlark {

namespace {

QList<QMdiSubWindow*> windows(const QMdiArea& area, bool minimised) {
    QList<QMdiSubWindow*> found;
    for (QMdiSubWindow* sub : area.subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isVisible() && sub->isMinimized() == minimised)
            found.append(sub);
    }
    return found;
}

// Splits the area's extent into n bands, the remainder going to the first ones, so the bands
// fill it exactly.
void tile(QMdiArea& area, bool sideBySide) {
    const QList<QMdiSubWindow*> open = windows(area, false);
    if (open.isEmpty())
        return;
    const QRect room = area.viewport()->rect();
    const int n = int(open.size());
    const int extent = sideBySide ? room.width() : room.height();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const int size = extent / n + (i < extent % n ? 1 : 0);
        QMdiSubWindow* sub = open[i];
        if (sub->isMaximized())
            sub->showNormal();
        if (sideBySide)
            sub->setGeometry(start, 0, size, room.height());
        else
            sub->setGeometry(0, start, room.width(), size);
        start += size;
    }
}

} // namespace

void tileSideBySide(QMdiArea& area) {
    tile(area, true);
}

void tileOneAboveTheOther(QMdiArea& area) {
    tile(area, false);
}

void arrangeIcons(QMdiArea& area) {
    const QRect room = area.viewport()->rect();
    int x = 0;
    int rowTop = -1;
    for (QMdiSubWindow* sub : windows(area, true)) {
        const QSize size = sub->size();
        if (rowTop < 0) {
            rowTop = room.bottom() + 1 - size.height();
        } else if (x > 0 && x + size.width() > room.width()) {
            x = 0;
            rowTop -= size.height();
        }
        sub->move(x, rowTop);
        x += size.width();
    }
}

} // namespace penlark
