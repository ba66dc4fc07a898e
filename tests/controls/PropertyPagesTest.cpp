#include "tests/controls/ToolbarTestSupport.h"

#include "orvenly/Modal.h"
#include "tamsell/pButtonObjects.h"
#include "tamsell/pFlatToolbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace tamsell;

namespace {

using PropertyPages = ToolbarTest;

// The page's field that a label with this text names.
template <class Field> Field* fieldOf(QWidget& page, const QString& label) {
    for (auto* candidate : page.findChildren<QLabel*>())
        if (candidate->text() == label)
            return qobject_cast<Field*>(candidate->buddy());
    return nullptr;
}

TEST_F(PropertyPages, ToolbarPageLoadsAndAppliesTheSettings) {
    toolbar.setStyle(FTS_VERTICAL);
    toolbar.setImageWidth(20);
    pFlatToolbar page;
    page.SelectionChanged({&toolbar});
    auto* style = fieldOf<QComboBox>(page, "スタイル (&S) :");
    auto* width = fieldOf<QLineEdit>(page, "ボタンの幅 (&Q) :");
    ASSERT_TRUE(style && width);
    EXPECT_EQ(style->currentText(), "2 - FTS_VERTICAL");
    EXPECT_EQ(width->text(), "28");

    style->setCurrentIndex(1);
    // Only digits reach the integer boxes.
    width->clear();
    QTest::keyClicks(width, "5x0");
    EXPECT_EQ(width->text(), "50");
    page.findChild<QCheckBox*>()->setChecked(false); // the first box: Map3DColors
    page.ApplyChanges();
    EXPECT_EQ(toolbar.Style(), FTS_RECT);
    EXPECT_EQ(toolbar.ButtonWidth(), 50);
    EXPECT_EQ(toolbar.ImageWidth(), 20);
    EXPECT_FALSE(toolbar.Map3DColors());
}

TEST_F(PropertyPages, ButtonPageWalksInsertsAndEditsButtons) {
    toolbar.Buttons().Add(0, "a", FTBS_COMMAND, FTBS_EX_NONE, 1, "first");
    toolbar.Buttons().Add(0, "b", FTBS_PLACEHOLDER, FTBS_EX_NONE, 0, {}, {}, FTBV_UNPRESSED, 30);
    pButtonObjects page;
    EXPECT_EQ(page.windowTitle(), "ボタン");
    page.SelectionChanged({&toolbar});
    auto* caption = fieldOf<QLineEdit>(page, "キャプション (&C) :");
    auto* length = fieldOf<QLineEdit>(page, "幅（プレースホルダ） (&W) :");
    ASSERT_TRUE(caption && length);
    EXPECT_EQ(caption->text(), "first");

    caption->setText("changed");
    ASSERT_TRUE(page.showButton(2));
    EXPECT_EQ(toolbar.Buttons().Item(1)->Caption(), "changed");
    EXPECT_EQ(length->text(), "30");
    length->setText("45");
    page.ApplyChanges();
    EXPECT_EQ(toolbar.Buttons().Item("b")->Length(), 45);

    page.insertButton();
    EXPECT_EQ(toolbar.Buttons().Count(), 3);
    EXPECT_EQ(page.shownIndex(), 2);
    EXPECT_EQ(toolbar.Buttons().Item("b")->Index(), 3);
    page.removeButton();
    EXPECT_EQ(toolbar.Buttons().Count(), 2);
    EXPECT_EQ(page.shownIndex(), 2);
}

TEST_F(PropertyPages, AnInvalidFieldKeepsTheButtonShown) {
    toolbar.Buttons().Add(0, "a");
    toolbar.Buttons().Add(0, "b");
    pButtonObjects page;
    page.SelectionChanged({&toolbar});
    fieldOf<QLineEdit>(page, "キー (&K) :")->setText("B");
    QString shown;
    orvenly::modal::setResponder([&](const orvenly::modal::Request& request) {
        shown = request.text;
        return std::optional<orvenly::modal::Answer>(
            orvenly::modal::Answer{orvenly::msgbox::OK, {}});
    });
    EXPECT_FALSE(page.showButton(2));
    orvenly::modal::setResponder({});
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(page.shownIndex(), 1);
}

} // namespace
