#include "tests/app/shell/MainFrameTestSupport.h"

#include "dialogs/cDlgPreferences.h"
#include "tamsell/NumericBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <orvenly/TextBox.h>

namespace {

using namespace Qt::StringLiterals;
using orvenly::Variant;

// The preferences dialog itself comes up; every other question is answered from the queue.
class MainFramePreferencesTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        orvenly::modal::setResponder([this](const Request& request) -> std::optional<Answer> {
            requests.push_back(request);
            if (request.kind == u"Preferences"_s)
                return std::nullopt;
            return Answer{};
        });
        start({writeFile(u"one.txt"_s, "one\r\n"), writeFile(u"two.txt"_s, "two\r\n")});
        ASSERT_EQ(documentCount(), 2);
    }

    // Runs action on the dialog once the menu command has opened it.
    void whenShown(std::function<void(QWidget&)> action) {
        QTimer::singleShot(0, [action = std::move(action)] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            ASSERT_NE(qobject_cast<penlark::cDlgPreferences*>(dialog), nullptr);
            action(*dialog);
        });
    }

    template <class T> static T& control(QWidget& dialog, const QString& name) {
        return *dialog.findChild<T*>(name);
    }

    // Changes the tab step to 4, turns automatic indenting off and types the size 10.5, with
    // keys and clicks as a user would, on the editor page.
    static void editAsAUser(QWidget& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
        QLineEdit& step = control<tamsell::NumericBox>(dialog, u"nbxIndentation"_s).txtInput();
        step.setFocus();
        step.selectAll();
        QTest::keyClicks(&step, u"4"_s);
        auto& autoIndent = control<QCheckBox>(dialog, u"chkEdit0"_s);
        QTest::mouseClick(&autoIndent, Qt::LeftButton, {}, QPoint(5, autoIndent.height() / 2));
        QLineEdit& size = *control<QComboBox>(dialog, u"cboFontSize"_s).lineEdit();
        size.setFocus();
        size.selectAll();
        QTest::keyClicks(&size, u"10.5"_s);
    }
};

TEST_F(MainFramePreferencesTest, OkStoresTheSettingsAndEveryDocumentTakesThem) {
    ASSERT_TRUE(item(ToolCmd::Preferences)->isEnabled());
    whenShown([](QWidget& dialog) {
        editAsAUser(dialog);
        QTest::mouseClick(&control<QPushButton>(dialog, u"cmdOK"_s), Qt::LeftButton);
    });
    item(ToolCmd::Preferences)->trigger();

    const auto editor = programKey()->SubKey(u"Editor"_s);
    EXPECT_EQ(editor->GetValue(u"TabStep"_s).toLong(), 4);
    EXPECT_EQ(editor->GetValue(u"AutoIndent"_s, Variant(true)), Variant(false));
    EXPECT_EQ(editor->GetValue(u"FontSize"_s).toLong(), 105);
    // The three values that are always written.
    EXPECT_EQ(programKey()->SubKey(u"Global"_s)->GetValue(u"NumberOfShowRecentFiles"_s).toLong(),
              5);
    for (int i = 1; i <= documentCount(); ++i) {
        const orvenly::TextEditor& text = document(i).Editor();
        EXPECT_EQ(text.TabStep(), 4) << i;
        EXPECT_FALSE(text.AutoIndent) << i;
        EXPECT_DOUBLE_EQ(text.Font().pointSizeF(), 10.5) << i;
    }
    item(FileCmd::New)->trigger();
    EXPECT_EQ(frame->ActiveDocument()->Editor().TabStep(), 4) << "documents opened afterwards";

    // A new run reads them back.
    frame.reset();
    penlark::cSettings restarted;
    restarted.Load(*programKey());
    EXPECT_EQ(restarted.TabStep, 4);
    EXPECT_FALSE(restarted.AutoIndent);
    EXPECT_DOUBLE_EQ(restarted.Font.pointSize, 10.5);
    penlark::cMainFrame again(restarted);
    again.Load({});
    again.menuItem(FileCmd::New)->trigger();
    EXPECT_EQ(again.ActiveDocument()->Editor().TabStep(), 4);
    EXPECT_DOUBLE_EQ(again.ActiveDocument()->Editor().Font().pointSizeF(), 10.5);
}

TEST_F(MainFramePreferencesTest, CancelStoresAndAppliesNothing) {
    whenShown([](QWidget& dialog) {
        editAsAUser(dialog);
        QTest::mouseClick(&control<QPushButton>(dialog, u"cmdCancel"_s), Qt::LeftButton);
    });
    item(ToolCmd::Preferences)->trigger();

    const auto editor = programKey()->SubKey(u"Editor"_s);
    EXPECT_TRUE(editor->GetValue(u"TabStep"_s).isEmpty());
    EXPECT_TRUE(editor->GetValue(u"AutoIndent"_s).isEmpty());
    EXPECT_EQ(document(1).Editor().TabStep(), 8);
    EXPECT_TRUE(document(1).Editor().AutoIndent);
}

// Typing a size replaces it whole; "8" must not be completed from the list to "84".
TEST_F(MainFramePreferencesTest, ATypedFontSizeIsTakenAsTyped) {
    whenShown([](QWidget& dialog) {
        control<QTabWidget>(dialog, u"tabPreference"_s).setCurrentIndex(1);
        // A face whose list holds a size that begins with 8 (a TrueType face's 84).
        auto& faces = control<QComboBox>(dialog, u"cboFontFace"_s);
        auto& sizes = control<QComboBox>(dialog, u"cboFontSize"_s);
        const auto offersLonger = [&sizes] {
            for (int i = 0; i < sizes.count(); ++i)
                if (sizes.itemText(i).startsWith(u'8') && sizes.itemText(i) != u"8"_s)
                    return true;
            return false;
        };
        for (int i = 0; i < faces.count() && !offersLonger(); ++i) {
            faces.setCurrentIndex(i);
            emit faces.activated(i);
        }
        ASSERT_TRUE(offersLonger());
        QLineEdit& size = *sizes.lineEdit();
        // Completion works only in the window that has the focus, as on a desktop.
        QApplication::setActiveWindow(&dialog);
        size.setFocus();
        QCoreApplication::processEvents();
        size.selectAll();
        QTest::keyClicks(&size, u"8"_s);
        QTest::mouseClick(&control<QPushButton>(dialog, u"cmdOK"_s), Qt::LeftButton);
    });
    item(ToolCmd::Preferences)->trigger();
    EXPECT_EQ(programKey()->SubKey(u"Editor"_s)->GetValue(u"FontSize"_s).toLong(), 80);
    EXPECT_DOUBLE_EQ(document(1).Editor().Font().pointSizeF(), 8);
}

// デフォルト and OK give the documents already open the desktop's colours again.
TEST_F(MainFramePreferencesTest, DefaultColoursReachTheOpenDocuments) {
    settings.ForeColor = 0x0000FF;
    settings.BackColor = 0x00FFFF;
    frame->ApplySettings();
    const QPalette custom = document(1).txtEdit().palette();
    ASSERT_EQ(custom.color(QPalette::Text), QColor(Qt::red));

    whenShown([](QWidget& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
        QTest::mouseClick(&control<QPushButton>(dialog, u"cmdDefColor"_s), Qt::LeftButton);
        QTest::mouseClick(&control<QPushButton>(dialog, u"cmdOK"_s), Qt::LeftButton);
    });
    item(ToolCmd::Preferences)->trigger();
    for (int i = 1; i <= documentCount(); ++i) {
        const orvenly::TextBox& text = document(i).txtEdit();
        const QPalette desktop = QApplication::palette(&text);
        EXPECT_EQ(text.palette().color(QPalette::Text), desktop.color(QPalette::Text)) << i;
        EXPECT_EQ(text.palette().color(QPalette::Base), desktop.color(QPalette::Base)) << i;
    }
}

} // namespace
