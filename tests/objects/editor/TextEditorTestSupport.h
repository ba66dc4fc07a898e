#pragma once

#include "tests/support/TestSupport.h"

#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

// A shown box under a loaded editor, for tests that drive it with real events.
template <class Editor = orvenly::TextEditor>
class ShownEditorTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(400, 300);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        editor.Load(&box);
    }
    orvenly::TextBox box;
    Editor editor;
};
