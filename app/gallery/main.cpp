#include "gallery/GalleryWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamsell-gallery"));
    gallery::GalleryWindow window(gallery::galleryEntries());
    window.resize(980, 660);
    window.show();
    return QApplication::exec();
}
