#pragma once

#include <QApplication>
#include <QWidget>
#include <QWindow>

// Makes the one widget application of the benchmarks, offscreen unless told otherwise.
inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "penlark_bench";
    static char* argv[] = {name, nullptr};
    // Kept for the life of the process: Qt holds on to it.
    new QApplication(argc, argv);
}

// A base that makes the application before a fixture's widget members are made.
struct ApplicationFirst {
    ApplicationFirst() { ensureApplication(); }
};

// Shows the widget and waits until its window can be painted, so that repaint() paints.
inline void showExposed(QWidget& widget) {
    widget.show();
    while (!widget.windowHandle() || !widget.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
