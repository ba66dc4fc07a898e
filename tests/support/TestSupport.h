#pragma once

#include "orvenly/AutomationError.h"

#include <QApplication>
#include <cstdint>
#include <functional>

// The number of the automation error that action raises, or 0 when it raises none.
inline int32_t errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const orvenly::AutomationError& error) {
        return error.number();
    }
    return 0;
}

// Makes the one widget application of the test program, offscreen unless told otherwise.
inline bool haveWidgets() {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "penlark-tests";
        static char* argv[] = {name, nullptr};
        // Kept for the life of the process: Qt holds on to it.
        new QApplication(argc, argv);
    }
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// A base that makes the application before a fixture's widget members are made.
struct WidgetsFirst {
    WidgetsFirst() { haveWidgets(); }
};
