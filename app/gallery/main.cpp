#include "gallery/GalleryWindow.h"
#include "platform/QtTranslations.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // Before any window, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs("Usage: tamsell-gallery\n\n"
                   "Shows every control of the Tamsell library on one form, with a property\n"
                   "sheet to change each one's properties and a status bar naming its events.\n",
                   stdout);
        return 0;
    }
    QApplication application(argc, argv);
    platform::installQtTranslations(application);
    QApplication::setApplicationName(QStringLiteral("tamsell-gallery"));
    gallery::GalleryWindow window(gallery::galleryEntries());
    window.resize(980, 660);
    window.show();
    return QApplication::exec();
}
