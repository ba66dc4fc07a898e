#pragma once

#include <QApplication>
#include <QPlainTextEdit>

// A shown text box under a loaded editor, for tests that drive it with real events.
inline bool haveWidgets() {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_orvenly";
        static char* argv[] = {name, nullptr};
        // Kept for the life of the process: Qt holds on to it.
        new QApplication(argc, argv);
    }
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

// A base that makes the application before the fixture's widgets are made.
struct WidgetsFirst {
    WidgetsFirst() { haveWidgets(); }
};
