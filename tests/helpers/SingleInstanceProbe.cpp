// Starts as the program does: prints "primary" when it became the one instance, and then
// "knocked" for every later start until its input closes, followed by the files that start
// handed over ("knocked /a|/b"); prints "secondary" when another instance answered, after
// knocking on it with the files named after the instance's name. The single-instance test
// runs it.

#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString name = QString::fromLocal8Bit(argv[1]);
    platform::SingleInstance instance;
    if (!instance.tryBecomePrimary(name)) {
        const bool told =
            platform::SingleInstance::notifyPrimary(name, QCoreApplication::arguments().mid(2));
        std::printf(told ? "secondary\n" : "secondary unheard\n");
        return 0;
    }
    instance.setKnockHandler([](const QStringList& files) {
        std::printf("knocked%s\n", files.isEmpty() ? "" : qPrintable(u' ' + files.join(u'|')));
        std::fflush(stdout);
    });
    std::printf("primary\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    // Bounded, so that a probe whose test died without ending it still ends.
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
