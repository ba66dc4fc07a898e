#include "platform/QtTranslations.h"
#include "tests/support/TestSupport.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

// The program and the gallery install Qt's Japanese texts at start, so the host's own dialogs
// and standard buttons speak Japanese.
TEST(QtTranslations, StandardButtonsAndHostDialogsSpeakJapanese) {
    ASSERT_TRUE(haveWidgets());
    QTranslator* translator = platform::installQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "Qt's translations are not installed";
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    const QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
    const QString close = buttons.button(QDialogButtonBox::Close)->text();
    QColorDialog colours;
    const QString colourTitle = colours.windowTitle();
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(cancel, QStringLiteral("キャンセル"));
    EXPECT_EQ(close, QStringLiteral("閉じる"));
    EXPECT_NE(colourTitle, QStringLiteral("Select Color"));
}
