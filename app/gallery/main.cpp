#include "gallery/GalleryWindow.h"
#include "platform/QtTranslations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::installQtTranslations(application);
    QApplication::setApplicationName(QStringLiteral("tamsell-gallery"));
    gallery::GalleryWindow window(gallery::galleryEntries());
    window.resize(980, 660);
    window.show();
    return QApplication::exec();
}
