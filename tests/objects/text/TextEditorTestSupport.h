#pragma once

#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QPlainTextEdit>

// A base that makes the application before the fixture's widgets are made.
struct WidgetsFirst {
    WidgetsFirst() { haveWidgets(); }
};
