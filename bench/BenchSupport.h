#pragma once

#include <QApplication>

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
