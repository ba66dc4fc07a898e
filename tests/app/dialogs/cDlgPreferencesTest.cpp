#include "dialogs/cDlgPreferences.h"
#include "common/Settings.h"
#include "common/ViewOptions.h"
#include "dialogs/FontSizes.h"
#include "tests/support/TestSupport.h"

#include "orvenly/MRU.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "tamsell/NumericBox.h"
#include "tamsell/SystemColors.h"

#include <platform/FontResolver.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>
#include <vector>

using namespace penlark;
using namespace Qt::StringLiterals;
using orvenly::modal::Answer;
using orvenly::modal::Request;

namespace {

// Two faces of the host's kinds: an outline face with no sizes of its own and a bitmap face
// with three.
FontCollection testFaces() {
    return EnumerateFonts(true, {{u"Outline Gothic"_s, 0, true, true},
                                 {u"Bitmap Mincho"_s, 9, false, true},
                                 {u"Bitmap Mincho"_s, 12, false, true},
                                 {u"Bitmap Mincho"_s, 15, false, true}});
}

cSettings sampleSettings() {
    cSettings settings;
    settings.Startup = true;
    settings.JISFilter = false;
    settings.ShowRecentFiles = 7;
    settings.AutoIndent = true;
    settings.AutoTruncate = false;
    settings.ResumeCol = true;
    settings.Margin = false;
    settings.TextDrag = true;
    settings.AutoMoveDialog = false;
    settings.TabStep = 4;
    settings.LineNumbers = false;
    settings.ShowWideSpace = false;
    settings.ShowTab = true;
    settings.ShowLineEnd = false;
    settings.ShowEOF = true;
    settings.Font = {u"Outline Gothic"_s, 10.5};
    settings.ForeColor = 0x000080;
    settings.BackColor = tamsell::syscolor::Window;
    return settings;
}

class PreferencesTest : public WidgetsFirst, public ::testing::Test {
protected:
    PreferencesTest() {
        orvenly::modal::setResponder([this](const Request& request) -> std::optional<Answer> {
            asked.push_back(request);
            if (answers.empty())
                return Answer{};
            Answer answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }
    ~PreferencesTest() override { orvenly::modal::setResponder({}); }

    std::unique_ptr<cDlgPreferences> open(const cSettings& settings) {
        return std::make_unique<cDlgPreferences>(settings, recent, nullptr, testFaces());
    }
    template <class T> static T& control(const QWidget& dialog, const QString& name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }

    orvenly::MRU recent;
    std::vector<Request> asked;
    std::vector<Answer> answers;
};

TEST_F(PreferencesTest, ControlsShowTheSettings) {
    const cSettings settings = sampleSettings();
    auto dialog = open(settings);
    EXPECT_EQ(dialog->windowTitle(), u"環境設定"_s);
    EXPECT_TRUE(control<QRadioButton>(*dialog, u"optStartup1"_s).isChecked());
    EXPECT_FALSE(control<QCheckBox>(*dialog, u"chkNarrowFilter"_s).isChecked());
    EXPECT_EQ(control<tamsell::NumericBox>(*dialog, u"nbxRecent"_s).Value(), 7);
    const bool expected[] = {true, false, true, false, true, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(control<QCheckBox>(*dialog, u"chkEdit%1"_s.arg(i)).isChecked(), expected[i]) << i;
    const bool shown[] = {false, false, true, false, true};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(control<QCheckBox>(*dialog, u"chkView%1"_s.arg(i)).isChecked(), shown[i]) << i;
    EXPECT_EQ(control<tamsell::NumericBox>(*dialog, u"nbxIndentation"_s).Value(), 4);
    EXPECT_EQ(control<QComboBox>(*dialog, u"cboFontFace"_s).currentText(), u"Outline Gothic"_s);
    EXPECT_EQ(control<QComboBox>(*dialog, u"cboFontSize"_s).currentText(), u"10.5"_s);

    // The preview took every option and the font.
    const orvenly::TextEditor& preview = dialog->previewEditor();
    EXPECT_TRUE(preview.AutoIndent);
    EXPECT_FALSE(preview.AutoTruncate);
    EXPECT_TRUE(preview.ResumeCol);
    EXPECT_FALSE(preview.Margin());
    EXPECT_TRUE(preview.EnableTextDrag);
    EXPECT_EQ(preview.TabStep(), 4);
    EXPECT_DOUBLE_EQ(preview.Font().pointSizeF(), 10.5);
    EXPECT_EQ(preview.Text(), u"Outline Gothic 10.5pt\r\n\r\n\tサンプルのテキスト\r\n"_s);
    const auto& text = control<orvenly::TextBox>(*dialog, u"txtPreview"_s);
    EXPECT_EQ(text.palette().color(QPalette::Text), QColor(0x80, 0, 0));
}

TEST_F(PreferencesTest, OkWritesEveryValueBackAndCancelNothing) {
    cSettings settings = sampleSettings();
    auto dialog = open(settings);
    control<QRadioButton>(*dialog, u"optStartup0"_s).setChecked(true);
    control<QCheckBox>(*dialog, u"chkNarrowFilter"_s).setChecked(true);
    control<tamsell::NumericBox>(*dialog, u"nbxRecent"_s).setValue(12);
    control<QCheckBox>(*dialog, u"chkEdit5"_s).setChecked(true);
    control<QCheckBox>(*dialog, u"chkView0"_s).setChecked(true);
    control<QCheckBox>(*dialog, u"chkView4"_s).setChecked(false);
    control<tamsell::NumericBox>(*dialog, u"nbxIndentation"_s).setValue(2);
    auto& face = control<QComboBox>(*dialog, u"cboFontFace"_s);
    face.setCurrentIndex(face.findText(u"Bitmap Mincho"_s));
    control<QComboBox>(*dialog, u"cboFontSize"_s).setEditText(u"9"_s);
    control<QPushButton>(*dialog, u"cmdDefColor"_s).click();

    const cSettings before = settings;
    EXPECT_EQ(before.Startup, true) << "nothing is written before OK";
    dialog->SaveSettings(settings);
    EXPECT_FALSE(settings.Startup);
    EXPECT_TRUE(settings.JISFilter);
    EXPECT_EQ(settings.ShowRecentFiles, 12);
    EXPECT_TRUE(settings.AutoMoveDialog);
    EXPECT_TRUE(settings.LineNumbers);
    EXPECT_FALSE(settings.ShowWideSpace);
    EXPECT_TRUE(settings.ShowTab);
    EXPECT_FALSE(settings.ShowEOF);
    EXPECT_EQ(settings.TabStep, 2);
    EXPECT_EQ(settings.Font, (FontChoice{u"Bitmap Mincho"_s, 9.0}));
    EXPECT_EQ(settings.ForeColor, tamsell::syscolor::WindowText);
    EXPECT_EQ(settings.BackColor, tamsell::syscolor::Window);

    // Text that is no number keeps the stored size.
    control<QComboBox>(*dialog, u"cboFontSize"_s).setEditText(u"large"_s);
    dialog->SaveSettings(settings);
    EXPECT_DOUBLE_EQ(settings.Font.pointSize, 9.0);
}

TEST_F(PreferencesTest, ShowSettingsLeftWithCancelWritesNothing) {
    cSettings settings = sampleSettings();
    answers.push_back(Answer{0, {}});
    EXPECT_FALSE(cDlgPreferences::ShowSettings(nullptr, settings, recent));
    EXPECT_EQ(asked.back().kind, u"Preferences"_s);

    // The real dialog, closed by its cancel button after a change.
    orvenly::modal::setResponder({});
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        control<QCheckBox>(*dialog, u"chkEdit0"_s).setChecked(false);
        control<QPushButton>(*dialog, u"cmdCancel"_s).click();
    });
    EXPECT_FALSE(cDlgPreferences::ShowSettings(nullptr, settings, recent));
    EXPECT_TRUE(settings.AutoIndent);
}

TEST_F(PreferencesTest, OutlineFacesOfferTheirPixelSizesAndBitmapFacesTheirOwn) {
    EXPECT_EQ(outlineSizes(96),
              (QStringList{"7.5", "9",  "10.5", "12", "13.5", "15", "18", "21", "24", "27",
                           "30",  "36", "42",   "48", "54",   "60", "72", "84", "96", "108"}));
    EXPECT_EQ(sizeText(10.0), u"10"_s);
    EXPECT_EQ(sizeText(10.123456), u"10.1235"_s);

    auto dialog = open(sampleSettings());
    auto& face = control<QComboBox>(*dialog, u"cboFontFace"_s);
    auto& size = control<QComboBox>(*dialog, u"cboFontSize"_s);
    ASSERT_EQ(dialog->logicalDpiY(), 96);
    EXPECT_EQ(size.count(), 20);
    // The typed size stays, though the bitmap face has no such size.
    size.setEditText(u"13.5"_s);
    face.setCurrentIndex(face.findText(u"Bitmap Mincho"_s));
    emit face.activated(face.currentIndex());
    QStringList offered;
    for (int i = 0; i < size.count(); ++i)
        offered << size.itemText(i);
    EXPECT_EQ(offered, (QStringList{"9", "12", "15"}));
    EXPECT_EQ(size.currentText(), u"13.5"_s);
    EXPECT_EQ(dialog->previewEditor().Text().section(u'\r', 0, 0), u"Bitmap Mincho 13.5pt"_s);
}

TEST_F(PreferencesTest, AFaceNotInstalledPreselectsTheFaceItIsShownWith) {
    cSettings settings = sampleSettings();
    settings.Font.faceName = u"ＭＳ ゴシック"_s;
    cDlgPreferences installed(settings, recent, nullptr);
    const auto& face = control<QComboBox>(installed, u"cboFontFace"_s);
    if (face.count() == 0)
        GTEST_SKIP() << "no fixed-pitch Japanese face is installed";
    EXPECT_TRUE(face.currentText().startsWith(platform::displayFamily(u"ＭＳ ゴシック"_s)))
        << face.currentText().toStdString();

    // Without such a face, FixedSys, and without FixedSys the first face.
    settings.Font.faceName = u"Nowhere"_s;
    cDlgPreferences fallback(settings, recent, nullptr,
                             EnumerateFonts(true, {{u"Alpha"_s, 0, true, true},
                                                   {u"FixedSys Excelsior"_s, 0, true, true}}));
    EXPECT_EQ(control<QComboBox>(fallback, u"cboFontFace"_s).currentText(),
              u"FixedSys Excelsior"_s);
    auto first = open(settings);
    EXPECT_EQ(control<QComboBox>(*first, u"cboFontFace"_s).currentText(), u"Bitmap Mincho"_s);
}

TEST_F(PreferencesTest, RecentFilesAreClearedAtOnceAndStayCleared) {
    auto empty = open(sampleSettings());
    EXPECT_FALSE(control<QPushButton>(*empty, u"cmdRecent"_s).isEnabled());

    recent.Add(u"/tmp/a.txt"_s);
    recent.Add(u"/tmp/b.txt"_s);
    auto dialog = open(sampleSettings());
    auto& clear = control<QPushButton>(*dialog, u"cmdRecent"_s);
    ASSERT_TRUE(clear.isEnabled());
    answers.push_back(Answer{orvenly::msgbox::No, {}});
    clear.click();
    EXPECT_EQ(recent.Count(), 2);
    answers.push_back(Answer{orvenly::msgbox::Yes, {}});
    clear.click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, u"最近使ったファイルの一覧を削除しますか？"_s);
    EXPECT_EQ(asked[1].style, orvenly::msgbox::YesNo | orvenly::msgbox::Question);
    EXPECT_EQ(recent.Count(), 0);
    EXPECT_FALSE(clear.isEnabled());
    dialog->reject();
    EXPECT_EQ(recent.Count(), 0);
}

TEST_F(PreferencesTest, DefaultColoursAreSystemReferencesAndChosenOnesPlainRgb) {
    cSettings settings = sampleSettings();
    auto dialog = open(settings);
    answers.push_back(Answer{1, {u"255"_s}}); // the chooser's pick: pure red
    control<QPushButton>(*dialog, u"cmdColor1"_s).click();
    ASSERT_EQ(asked.back().kind, u"Color"_s);
    // The chooser starts from the swatch's colour as RGB: the window background here.
    const uint32_t window = tamsell::translateColor(tamsell::syscolor::Window, dialog->palette());
    EXPECT_EQ(asked.back().text, QString::number(window));
    dialog->SaveSettings(settings);
    EXPECT_EQ(settings.BackColor, 0xFFu);
    EXPECT_EQ(control<orvenly::TextBox>(*dialog, u"txtPreview"_s).palette().color(QPalette::Base),
              QColor(255, 0, 0));

    answers.push_back(Answer{0, {}}); // cancelled
    control<QPushButton>(*dialog, u"cmdColor0"_s).click();
    dialog->SaveSettings(settings);
    EXPECT_EQ(settings.ForeColor, 0x000080u);

    control<QPushButton>(*dialog, u"cmdDefColor"_s).click();
    dialog->SaveSettings(settings);
    EXPECT_EQ(settings.ForeColor, 0x80000008u);
    EXPECT_EQ(settings.BackColor, 0x80000005u);
}

TEST_F(PreferencesTest, OptionsAndTabWidthShowInThePreviewAtOnce) {
    auto dialog = open(sampleSettings());
    const orvenly::TextEditor& preview = dialog->previewEditor();
    control<QCheckBox>(*dialog, u"chkEdit3"_s).click();
    EXPECT_TRUE(preview.Margin());
    control<QCheckBox>(*dialog, u"chkEdit1"_s).click();
    EXPECT_TRUE(preview.AutoTruncate);
    control<tamsell::NumericBox>(*dialog, u"nbxIndentation"_s).setValue(12);
    EXPECT_EQ(preview.TabStep(), 12);
    control<QComboBox>(*dialog, u"cboFontSize"_s).setEditText(u"18"_s);
    EXPECT_DOUBLE_EQ(preview.Font().pointSizeF(), 18.0);
    // A size no font can have leaves the preview as it was.
    control<QComboBox>(*dialog, u"cboFontSize"_s).setEditText(u"0"_s);
    EXPECT_DOUBLE_EQ(preview.Font().pointSizeF(), 18.0);
}

// Each box for the line numbers and marks reports its change, and the options chosen reach a
// text box as they are shown.
TEST_F(PreferencesTest, ViewOptionsReachATextBox) {
    auto dialog = open(sampleSettings());
    int changes = 0;
    QObject::connect(dialog.get(), &cDlgPreferences::viewOptionsChanged, [&] { ++changes; });
    for (int i = 0; i < 5; ++i)
        control<QCheckBox>(*dialog, u"chkView%1"_s.arg(i)).click();
    EXPECT_EQ(changes, 5);
    cSettings chosen;
    dialog->ChosenViewOptions(chosen);
    orvenly::TextBox box;
    applyViewOptions(box, chosen);
    EXPECT_TRUE(box.lineNumbersVisible());
    EXPECT_EQ(box.marks(),
              orvenly::TextBox::Mark::FullWidthSpace | orvenly::TextBox::Mark::LineEnd);
}

class ShownPreferencesTest : public PreferencesTest {
protected:
    void SetUp() override {
        dialog = open(sampleSettings());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    std::unique_ptr<cDlgPreferences> dialog;
};

TEST_F(ShownPreferencesTest, CtrlTabWrapsAroundTheTwoPages) {
    auto& tabs = control<QTabWidget>(*dialog, u"tabPreference"_s);
    auto& preview = control<orvenly::TextBox>(*dialog, u"txtPreview"_s);
    EXPECT_EQ(tabs.currentIndex(), 0);
    QTest::keyClick(dialog.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs.currentIndex(), 1);
    QTest::keyClick(dialog.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs.currentIndex(), 0) << "from the last page to the first";
    QTest::keyClick(dialog.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs.currentIndex(), 1) << "from the first page to the last";
    // Even the preview, which takes tabs, lets the dialog have Ctrl+Tab.
    preview.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview.hasFocus(); }));
    const QString text = preview.storage().text();
    QTest::keyClick(&preview, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(preview.storage().text(), text);
}

TEST_F(ShownPreferencesTest, OkIsNotTheDefaultWhileThePreviewHasTheFocus) {
    auto& ok = control<QPushButton>(*dialog, u"cmdOK"_s);
    auto& tabs = control<QTabWidget>(*dialog, u"tabPreference"_s);
    auto& preview = control<orvenly::TextBox>(*dialog, u"txtPreview"_s);
    EXPECT_TRUE(ok.isDefault());
    tabs.setCurrentIndex(1);
    preview.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview.hasFocus(); }));
    EXPECT_FALSE(ok.isDefault());
    QTest::keyClick(&preview, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "Enter made a line break, not OK";
    control<QComboBox>(*dialog, u"cboFontFace"_s).setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.hasFocus(); }));
    EXPECT_TRUE(ok.isDefault());
}

TEST_F(ShownPreferencesTest, UnusableFontSizesAreRefusedAtOk) {
    auto& size = control<QComboBox>(*dialog, u"cboFontSize"_s);
    auto& ok = control<QPushButton>(*dialog, u"cmdOK"_s);
    for (const QString& text : {u"0"_s, u"-3"_s, u"5000"_s}) {
        size.setEditText(text);
        asked.clear();
        ok.click();
        EXPECT_TRUE(dialog->isVisible()) << text.toStdString();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].kind, u"MsgBox"_s);
        EXPECT_TRUE(asked[0].text.contains(u"1000"_s));
        EXPECT_EQ(control<QTabWidget>(*dialog, u"tabPreference"_s).currentIndex(), 1);
    }
    size.setEditText(u"10.5"_s);
    ok.click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
