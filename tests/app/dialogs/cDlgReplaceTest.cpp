// The dialog driven offscreen, with its questions answered by the test.
#include "dialogs/cDlgReplace.h"

#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "tests/objects/editor/TextEditorTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <deque>
#include <orvenly/TextBox.h>

using namespace penlark;
namespace msgbox = orvenly::msgbox;

namespace {

const QString Found2 = u"検索が終了しました。\r\n\r\n合計 2 項目見つかりました。"_qs;
const QString NotFound = u"検索文字列は見つかりませんでした。"_qs;

class DialogTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        editor.Load(&box);
        dialog.SetTarget(&editor);
        orvenly::modal::setResponder([this](const orvenly::modal::Request& request)
                                         -> std::optional<orvenly::modal::Answer> {
            asked.push_back(request);
            int32_t value = msgbox::OK;
            if (!answers.empty()) {
                value = answers.front();
                answers.pop_front();
            }
            return orvenly::modal::Answer{value, {}};
        });
    }
    void TearDown() override { orvenly::modal::setResponder({}); }

    template <class T> T& control(const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    void activate() {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activation);
    }
    void setText(const QString& text, int32_t caret = 0) {
        editor.SetText(text);
        editor.SetSelStart(caret);
    }
    void find(const QString& pattern) { control<QComboBox>("cboSrc").setEditText(pattern); }
    QString lastMessage() const { return asked.empty() ? QString() : asked.back().text; }
    std::pair<int32_t, int32_t> selection() const {
        return {editor.SelStart(), editor.SelLength()};
    }

    orvenly::TextBox box;
    orvenly::TextEditor editor;
    cDlgReplace dialog;
    std::vector<orvenly::modal::Request> asked;
    std::deque<int32_t> answers;
};

using Sel = std::pair<int32_t, int32_t>;

} // namespace

TEST_F(DialogTest, StartsAsFindInSingleLineMode) {
    EXPECT_EQ(dialog.windowTitle(), u"検索"_qs);
    EXPECT_EQ(dialog.Style(), 0);
    EXPECT_FALSE(dialog.MultiLine());
    EXPECT_EQ(control<QPushButton>("cmdNext").text(), u"検索開始(&N)"_qs);
    EXPECT_EQ(control<QPushButton>("cmdReplacement").text(), u"置換(&R)..."_qs);
    EXPECT_FALSE(control<QPushButton>("cmdNext").isEnabled());
    EXPECT_TRUE(control<QRadioButton>("optTarget0").isChecked());
    EXPECT_EQ(control<QComboBox>("cboDirection").currentIndex(), 0);
    EXPECT_EQ(dialog.height(), 126);
    dialog.SetStyle(1);
    EXPECT_EQ(dialog.windowTitle(), u"置換"_qs);
    EXPECT_EQ(dialog.height(), 154);
    dialog.SetMultiLine(true);
    EXPECT_EQ(dialog.height(), 275);
}

TEST_F(DialogTest, TwoMatchesThenSilentWrapEndsTheRun) {
    setText(u"abcabc"_qs);
    find(u"abc"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(0, 3));
    EXPECT_EQ(control<QPushButton>("cmdNext").text(), u"次を検索(&N)"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(3, 3));
    dialog.SearchNext();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(lastMessage(), Found2);
    EXPECT_EQ(asked.back().style, msgbox::OKOnly | msgbox::Information);
    EXPECT_EQ(control<QPushButton>("cmdNext").text(), u"検索開始(&N)"_qs);
}

TEST_F(DialogTest, DownwardsAsksBeforeWrapping) {
    const QString question = u"検索対象の末尾まで検索しました。先頭から検索を続けますか？"_qs;
    control<QComboBox>("cboDirection").setCurrentIndex(1);
    setText(u"abc abc abc"_qs, 5);
    find(u"abc"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(8, 3));
    answers = {msgbox::Yes};
    dialog.SearchNext();
    EXPECT_EQ(asked.front().text, question);
    EXPECT_EQ(asked.front().style, msgbox::YesNo | msgbox::Question);
    EXPECT_EQ(selection(), Sel(0, 3));
    // The match that holds the starting point still counts; the one after it does not.
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(4, 3));
    dialog.SearchNext();
    EXPECT_EQ(lastMessage(), u"検索が終了しました。\r\n\r\n合計 3 項目見つかりました。"_qs);

    asked.clear();
    editor.SetSelStart(11);
    answers = {msgbox::No};
    dialog.SearchNext();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, question);
    EXPECT_EQ(asked[1].text, NotFound);
    EXPECT_EQ(asked[1].style, msgbox::OKOnly | msgbox::Exclamation);
}

TEST_F(DialogTest, UpwardsAsksAtOnceFromTheStart) {
    control<QComboBox>("cboDirection").setCurrentIndex(2);
    setText(u"abcabc"_qs, 0);
    find(u"abc"_qs);
    answers = {msgbox::Yes};
    dialog.SearchNext();
    EXPECT_EQ(asked.front().text, u"検索対象の先頭まで検索しました。末尾から検索を続けますか？"_qs);
    EXPECT_EQ(selection(), Sel(3, 3));
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(0, 3));
    dialog.SearchNext();
    EXPECT_EQ(lastMessage(), Found2);
}

TEST_F(DialogTest, SelectionWithLineBreakIsTheScopeAndNeverLeft) {
    setText(u"abc\r\nabc\r\nabc"_qs);
    editor.SetSel(0, 8);
    activate();
    EXPECT_TRUE(control<QRadioButton>("optTarget1").isChecked());
    control<QComboBox>("cboDirection").setCurrentIndex(1);
    find(u"abc"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(0, 3));
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(5, 3));
    dialog.SearchNext();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(lastMessage(), Found2);

    // Without a selection the watch falls back to the whole text.
    editor.SetSelStart(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return control<QRadioButton>("optTarget0").isChecked(); }));
    EXPECT_FALSE(control<QRadioButton>("optTarget1").isEnabled());
}

// One undo takes the whole replacement back, and the edits before it stay undoable.
TEST_F(DialogTest, ReplaceAllOfAByAaEndsAfterThreeAsOneUndoStep) {
    dialog.SetStyle(1);
    setText(u"aa"_qs);
    editor.SetSelStart(2);
    editor.ReplaceSel(u"a"_qs);
    editor.SetSelStart(0);
    find(u"a"_qs);
    control<QComboBox>("cboDest").setEditText(u"aa"_qs);
    control<QPushButton>("cmdAll").click();
    EXPECT_EQ(editor.Text(), u"aaaaaa"_qs);
    EXPECT_EQ(lastMessage(), u"検索が終了しました。\r\n\r\n合計 3 項目置換されました。"_qs);
    EXPECT_EQ(selection(), Sel(6, 0));
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"aaa"_qs);
    editor.Undo();
    EXPECT_EQ(editor.Text(), u"aa"_qs);
}

TEST_F(DialogTest, ReplaceStepByStepIsUndoable) {
    dialog.SetStyle(1);
    setText(u"x ab ab"_qs);
    find(u"ab"_qs);
    control<QComboBox>("cboDest").setEditText(u"c"_qs);
    auto& replace = control<QPushButton>("cmdReplacement");
    replace.click();
    EXPECT_EQ(selection(), Sel(2, 2));
    replace.click();
    EXPECT_EQ(editor.Text(), u"x c ab"_qs);
    EXPECT_EQ(selection(), Sel(4, 2));
    replace.click();
    EXPECT_EQ(editor.Text(), u"x c c"_qs);
    EXPECT_EQ(lastMessage(), u"検索が終了しました。\r\n\r\n合計 2 項目置換されました。"_qs);
    EXPECT_TRUE(editor.CanUndo());
}

TEST_F(DialogTest, IgnoreCaseReplaceOfTheSameLetterStaysDisabled) {
    dialog.SetStyle(1);
    find(u"A"_qs);
    control<QComboBox>("cboDest").setEditText(u"a"_qs);
    auto& replace = control<QPushButton>("cmdReplacement");
    auto& all = control<QPushButton>("cmdAll");
    EXPECT_TRUE(replace.isEnabled());
    control<QCheckBox>("chkIgnoreCase").setChecked(true);
    EXPECT_FALSE(replace.isEnabled());
    EXPECT_FALSE(all.isEnabled());
    EXPECT_TRUE(control<QPushButton>("cmdNext").isEnabled());
    // Width folding needs case folding first, and then ignores the width as well.
    auto& width = control<QCheckBox>("chkTextCompare");
    EXPECT_TRUE(width.isEnabled());
    control<QComboBox>("cboDest").setEditText(u"ａ"_qs);
    EXPECT_TRUE(replace.isEnabled());
    width.setChecked(true);
    EXPECT_FALSE(replace.isEnabled());
}

TEST_F(DialogTest, HistoryKeepsTenEntriesMostRecentFirst) {
    setText(u"text"_qs);
    auto& source = control<QComboBox>("cboSrc");
    for (int i = 1; i <= 11; ++i) {
        find(QString::number(i));
        dialog.SearchNext();
    }
    ASSERT_EQ(source.count(), 10);
    EXPECT_EQ(source.itemText(0), u"11"_qs);
    EXPECT_EQ(source.itemText(9), u"2"_qs);
    find(u"5"_qs);
    dialog.SearchNext();
    EXPECT_EQ(source.count(), 10);
    EXPECT_EQ(source.itemText(0), u"5"_qs);
    EXPECT_EQ(source.findText(u"5"_qs), 0);
    EXPECT_EQ(source.currentText(), u"5"_qs);
}

TEST_F(DialogTest, EmptyRegexMatchesAreSkipped) {
    activate();
    control<QCheckBox>("chkRegExp").setChecked(true);
    setText(u"xxaab"_qs);
    find(u"a*"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(2, 2));
    // An invalid expression leaves the buttons disabled.
    find(u"a("_qs);
    EXPECT_FALSE(control<QPushButton>("cmdNext").isEnabled());
    // Upwards searches are literal only.
    control<QComboBox>("cboDirection").setCurrentIndex(2);
    EXPECT_FALSE(control<QCheckBox>("chkRegExp").isEnabled());
}

TEST_F(DialogTest, RegexReplacementUpperCasesOnlyTheGroup) {
    activate();
    dialog.SetStyle(1);
    control<QCheckBox>("chkRegExp").setChecked(true);
    setText(u"foo bar\r\nboo"_qs);
    find(u"(o+)"_qs);
    control<QComboBox>("cboDest").setEditText(u"[\\U$1\\E]\\t"_qs);
    control<QPushButton>("cmdAll").click();
    EXPECT_EQ(editor.Text(), u"f[OO]\t bar\r\nb[OO]\t"_qs);
}

TEST_F(DialogTest, StepByStepReplacementWithALineBreakStaysInStep) {
    activate();
    dialog.SetStyle(1);
    control<QCheckBox>("chkRegExp").setChecked(true);
    setText(u"a、b、c、d"_qs);
    find(u"、"_qs);
    control<QComboBox>("cboDest").setEditText(u"、\\n"_qs);
    auto& replace = control<QPushButton>("cmdReplacement");
    replace.click();
    EXPECT_EQ(selection(), Sel(1, 1));
    replace.click();
    EXPECT_EQ(selection(), Sel(5, 1));
    replace.click();
    replace.click();
    EXPECT_EQ(editor.Text(), u"a、\r\nb、\r\nc、\r\nd"_qs);
    EXPECT_EQ(lastMessage(), u"検索が終了しました。\r\n\r\n合計 3 項目置換されました。"_qs);
}

TEST_F(DialogTest, SelectionScopeEndsTheMatchAndItsReplacement) {
    dialog.SetStyle(1);
    for (const char* button : {"cmdAll", "cmdReplacement"}) {
        control<QCheckBox>("chkRegExp").setChecked(true);
        setText(u"foo\r\nbarbaz"_qs);
        editor.SetSel(0, 8);
        activate();
        ASSERT_TRUE(control<QRadioButton>("optTarget1").isChecked());
        find(u"\\w+"_qs);
        control<QComboBox>("cboDest").setEditText(u"X"_qs);
        for (int i = 0; i < 3; ++i)
            control<QPushButton>(button).click();
        EXPECT_EQ(editor.Text(), u"X\r\nXbaz"_qs) << button;
    }
}

TEST_F(DialogTest, ModeSwitchKeepsTheFirstLine) {
    dialog.SetSearchPattern(u"one\r\ntwo"_qs);
    EXPECT_TRUE(dialog.MultiLine());
    EXPECT_EQ(dialog.SearchPattern(), u"one\r\ntwo"_qs);
    EXPECT_EQ(control<QPushButton>("cmdMode").text(), u"単一行(&B)..."_qs);
    control<QPushButton>("cmdMode").click();
    EXPECT_FALSE(dialog.MultiLine());
    EXPECT_EQ(control<QComboBox>("cboSrc").currentText(), u"one"_qs);
    EXPECT_EQ(control<QPushButton>("cmdMode").text(), u"複数行(&B)..."_qs);
}

TEST_F(DialogTest, MultiLinePatternMatchesAcrossLines) {
    setText(u"ab\r\ncd ab\r\ncd"_qs, 1);
    dialog.SetSearchPattern(u"b\r\nc"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(1, 4));
}

TEST_F(DialogTest, EditorActivityStartsANewRun) {
    setText(u"abc abc abc"_qs);
    find(u"abc"_qs);
    dialog.SearchNext();
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(4, 3));
    editor.SetSelStart(0);
    QTest::keyClick(&box, Qt::Key_Right);
    EXPECT_EQ(control<QPushButton>("cmdNext").text(), u"検索開始(&N)"_qs);
    dialog.SearchNext();
    EXPECT_EQ(selection(), Sel(4, 3));
    // Typing ends the run as well; the new run counts afresh.
    editor.SetSelStart(11);
    QTest::keyClicks(&box, u"x"_qs);
    dialog.SearchNext();
    dialog.SearchNext();
    dialog.SearchNext();
    dialog.SearchNext();
    EXPECT_EQ(lastMessage(), u"検索が終了しました。\r\n\r\n合計 3 項目見つかりました。"_qs);
}

TEST_F(DialogTest, NoTargetAndEmptyPattern) {
    setText(u"abc"_qs);
    dialog.SearchNext();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(asked.empty());
    dialog.hide();
    dialog.SetTarget(nullptr);
    find(u"abc"_qs);
    EXPECT_EQ(errorOf([&] { dialog.SearchNext(); }), 5);
}
