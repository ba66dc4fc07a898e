#include "dialogs/cDlgSelectFormat.h"
#include "shell/ConfirmLayout.h"
#include "shell/cDlgAbout.h"
#include "shell/cDlgConfirm.h"
#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"
#include "orvenly/StringConversion.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using namespace Qt::StringLiterals;
using penlark::cDlgConfirm;
using penlark::cDlgSelectFormat;

// Runs action on the modal dialog that show brings up, then returns what show returns. A
// dialog the action leaves open is closed with a failure, so that no test hangs.
template <typename Show> auto whileShown(const std::function<void(QDialog&)>& action, Show show) {
    QTimer::singleShot(0, [action] {
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog";
            return;
        }
        action(*dialog);
        QTimer::singleShot(500, dialog, [dialog] {
            if (dialog && dialog->isVisible()) {
                ADD_FAILURE() << "dialog left open";
                dialog->done(0);
            }
        });
    });
    return show();
}

void pressKey(QDialog& dialog, Qt::Key key) {
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, key);
}

template <typename T> T& child(QDialog& dialog, const QString& name) {
    T* found = dialog.findChild<T*>(name);
    if (!found)
        throw std::runtime_error(name.toStdString());
    return *found;
}

QStringList itemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    return items;
}

class Dialogs : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(haveWidgets());
        QApplication::setApplicationName(u"Penlark"_s);
    }
    void TearDown() override { orvenly::modal::setResponder({}); }
};

// --- save confirmation ---

int32_t confirm(const std::function<void(QDialog&)>& action, bool multiDocument,
                const QString& prompt = u"変更を保存しますか?"_s) {
    return whileShown(action,
                      [&] { return cDlgConfirm::ShowConfirm(prompt, multiDocument, nullptr); });
}

QStringList visibleCaptions(QDialog& dialog) {
    QStringList captions;
    for (int i = 0; i < 6; ++i) {
        auto& button = child<QPushButton>(dialog, u"cmdResult"_s + QString::number(i));
        if (button.isVisibleTo(&dialog))
            captions << button.text();
    }
    return captions;
}

TEST_F(Dialogs, ConfirmForOneDocumentOffersYesNoCancel) {
    QStringList captions;
    QString title;
    const int32_t answer = confirm(
        [&](QDialog& dialog) {
            captions = visibleCaptions(dialog);
            title = dialog.windowTitle();
            pressKey(dialog, Qt::Key_Return);
        },
        false);
    EXPECT_EQ(captions, (QStringList{u"はい(&Y)"_s, u"いいえ(&N)"_s, u"キャンセル"_s}));
    EXPECT_EQ(title, u"Penlark"_s);
    EXPECT_EQ(answer, 0);
}

// As in every message box, a button's letter alone answers.
TEST_F(Dialogs, ConfirmIsAnsweredByAButtonsLetterAlone) {
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_Y); }, false), 0);
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_N); }, false), 1);
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_N); }, true), 1);
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_A); }, true), 3);
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_C); }, true), 5);
}

TEST_F(Dialogs, ConfirmForOneDocumentEscCancelsAndTheCloseBoxKeepsAll) {
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_Escape); }, false), 2);
    EXPECT_EQ(confirm([](QDialog& dialog) { dialog.close(); }, false), 5);
}

TEST_F(Dialogs, ConfirmForSeveralDocumentsOffersTwoRows) {
    QStringList captions;
    const int32_t answer = confirm(
        [&](QDialog& dialog) {
            captions = visibleCaptions(dialog);
            pressKey(dialog, Qt::Key_Escape);
        },
        true);
    EXPECT_EQ(captions,
              (QStringList{u"保存する(&S)"_s, u"保存しない(&N)"_s, u"保留(&T)"_s, u"全て保存(&A)"_s,
                           u"全て保存しない(&E)"_s, u"全て保留(&C)"_s}));
    EXPECT_EQ(answer, 5);
    EXPECT_EQ(confirm([](QDialog& dialog) { pressKey(dialog, Qt::Key_Enter); }, true), 0);
    EXPECT_EQ(confirm([](QDialog& dialog) { dialog.close(); }, true), 5);
}

TEST_F(Dialogs, ConfirmAnswersTheIndexOfTheClickedButton) {
    for (int i = 0; i < 6; ++i) {
        const QString name = u"cmdResult"_s + QString::number(i);
        const int32_t answer = confirm(
            [&](QDialog& dialog) {
                QTest::mouseClick(&child<QPushButton>(dialog, name), Qt::LeftButton);
            },
            true);
        EXPECT_EQ(answer, i);
    }
}

struct ConfirmShape {
    QRect icon;
    QRect prompt;
    QRect buttons;
    QSize client;
    penlark::ConfirmMetrics metrics;
    std::vector<QRect> buttonRects;
};

ConfirmShape confirmShape(const QString& prompt, bool multiDocument) {
    ConfirmShape shape;
    confirm(
        [&](QDialog& dialog) {
            shape.icon = child<QLabel>(dialog, u"picIcon"_s).geometry();
            shape.prompt = child<QLabel>(dialog, u"lblPrompt"_s).geometry();
            shape.buttons = child<QWidget>(dialog, u"fraButtons"_s).geometry();
            shape.client = dialog.size();
            shape.metrics = penlark::confirmMetrics(dialog.font().pointSizeF());
            for (int i = 0; i < 6; ++i)
                shape.buttonRects.push_back(
                    child<QPushButton>(dialog, u"cmdResult"_s + QString::number(i)).geometry());
            dialog.close();
        },
        multiDocument, prompt);
    return shape;
}

TEST_F(Dialogs, ConfirmCentresAOneLinePromptOnTheIcon) {
    const ConfirmShape shape = confirmShape(u"保存しますか?"_s, false);
    const penlark::ConfirmMetrics& m = shape.metrics;
    EXPECT_EQ(shape.icon, QRect(m.leftMargin, m.topMargin, 32, 32));
    EXPECT_LE(shape.prompt.height(), 32);
    EXPECT_EQ(shape.prompt.top(), m.topMargin + (32 - shape.prompt.height()) / 2);
    EXPECT_EQ(shape.prompt.left(), m.leftMargin + 32 + m.iconGap);
    EXPECT_EQ(shape.buttons.top(), m.topMargin + 32 + m.promptGap);
    EXPECT_EQ(shape.buttons.height(), m.buttonHeight);
    EXPECT_EQ(shape.client.height(), shape.buttons.bottom() + 1 + m.topMargin);
}

TEST_F(Dialogs, ConfirmPushesTheButtonsBelowATallPrompt) {
    const ConfirmShape shape = confirmShape(u"一行目\r\n二行目\r\n三行目\r\n四行目"_s, true);
    const penlark::ConfirmMetrics& m = shape.metrics;
    EXPECT_GT(shape.prompt.height(), 32);
    EXPECT_EQ(shape.prompt.top(), m.topMargin);
    EXPECT_EQ(shape.buttons.top(), shape.prompt.bottom() + 1 + m.promptGap);
    EXPECT_EQ(shape.buttons.height(), 2 * m.buttonHeight + m.buttonGap);
    // Each column's two buttons line up.
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shape.buttonRects[i].left(), shape.buttonRects[i + 3].left());
        EXPECT_EQ(shape.buttonRects[i].width(), shape.buttonRects[i + 3].width());
        EXPECT_GE(shape.buttonRects[i].width(), m.minButtonWidth);
    }
}

TEST_F(Dialogs, ConfirmWidensForALongPromptAndKeepsTheButtonsCentred) {
    const ConfirmShape narrow = confirmShape(u"保存?"_s, false);
    const ConfirmShape wide = confirmShape(QString(120, u'長'), false);
    EXPECT_GT(wide.client.width(), narrow.client.width());
    EXPECT_EQ(wide.client.width(), wide.prompt.right() + 1 + wide.metrics.leftMargin);
    EXPECT_EQ(wide.buttons.left(), (wide.client.width() - wide.buttons.width()) / 2);
    EXPECT_EQ(narrow.client.width(), narrow.buttons.width() + 2 * narrow.metrics.leftMargin);
}

TEST_F(Dialogs, ConfirmCanBeScripted) {
    std::vector<orvenly::modal::Request> asked;
    orvenly::modal::setResponder([&](const orvenly::modal::Request& request) {
        asked.push_back(request);
        return std::optional<orvenly::modal::Answer>({3, {}});
    });
    EXPECT_EQ(cDlgConfirm::ShowConfirm(u"保存?"_s, true, nullptr), 3);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, u"Confirm"_s);
    EXPECT_EQ(asked[0].text, u"保存?"_s);
    EXPECT_EQ(asked[0].style, 1);
}

// --- format selection ---

int32_t select(const std::function<void(QDialog&)>& action, int32_t style, int32_t defaultFormat) {
    return whileShown(action,
                      [&] { return cDlgSelectFormat::ShowSelect(style, defaultFormat, nullptr); });
}

void clickOpen(QDialog& dialog) {
    QTest::mouseClick(&child<QPushButton>(dialog, u"cmdOpen"_s), Qt::LeftButton);
}

TEST_F(Dialogs, SelectToOpenPreselectsRecognitionInBothLists) {
    QString title;
    QStringList charsets;
    QStringList breaks;
    int charset = -2;
    int breakCode = -2;
    const int32_t result = select(
        [&](QDialog& dialog) {
            title = dialog.windowTitle();
            charsets = itemsOf(child<QComboBox>(dialog, u"cboCharset"_s));
            breaks = itemsOf(child<QComboBox>(dialog, u"cboBreak"_s));
            charset = child<QComboBox>(dialog, u"cboCharset"_s).currentIndex();
            breakCode = child<QComboBox>(dialog, u"cboBreak"_s).currentIndex();
            clickOpen(dialog);
        },
        0, 0);
    EXPECT_EQ(title, u"文字セットを指定して開く"_s);
    EXPECT_EQ(charsets, (QStringList{u"自動判別"_s, u"Shift JIS [shift_jis]"_s,
                                     u"JIS [iso-2022-jp]"_s, u"EUC [euc-jp]"_s, u"UTF-8 [utf-8]"_s,
                                     u"UTF-16 LE [utf-16le]"_s, u"UTF-16 BE [utf-16be]"_s}));
    EXPECT_EQ(breaks, (QStringList{u"自動判別"_s, u"CR + LF [Windows]"_s, u"CR [Macintosh]"_s,
                                   u"LF [Unix]"_s}));
    EXPECT_EQ(charset, 0);
    EXPECT_EQ(breakCode, 0);
    EXPECT_EQ(result, 0);
}

TEST_F(Dialogs, SelectToOpenEncodesTheChosenPositions) {
    const int32_t result = select(
        [](QDialog& dialog) {
            child<QComboBox>(dialog, u"cboCharset"_s).setCurrentIndex(2);
            child<QComboBox>(dialog, u"cboBreak"_s).setCurrentIndex(2);
            clickOpen(dialog);
        },
        0, 0);
    EXPECT_EQ(result, orvenly::SCS_JIS + 65536 * orvenly::SLB_CR);
}

TEST_F(Dialogs, SelectToSaveOffersNoRecognitionOfTheCharset) {
    QString title;
    QStringList charsets;
    QString charset;
    QString breakCode;
    QString button;
    const int32_t result = select(
        [&](QDialog& dialog) {
            title = dialog.windowTitle();
            button = child<QPushButton>(dialog, u"cmdOpen"_s).text();
            charsets = itemsOf(child<QComboBox>(dialog, u"cboCharset"_s));
            charset = child<QComboBox>(dialog, u"cboCharset"_s).currentText();
            breakCode = child<QComboBox>(dialog, u"cboBreak"_s).currentText();
            pressKey(dialog, Qt::Key_Return);
        },
        2, 3 + 65536 * 3);
    EXPECT_EQ(title, u"文字セットを指定して保存"_s);
    EXPECT_EQ(button, u"保存"_s);
    // Each Unicode form with and without a byte-order mark.
    EXPECT_EQ(charsets.size(), 9);
    EXPECT_FALSE(charsets.contains(u"自動判別"_s));
    EXPECT_TRUE(charsets.contains(u"UTF-8 (BOM) [utf-8]"_s));
    EXPECT_EQ(charset, u"EUC [euc-jp]"_s);
    EXPECT_EQ(breakCode, u"LF [Unix]"_s);
    EXPECT_EQ(result, 196611);
}

TEST_F(Dialogs, SelectToSaveKeepsTheBreakCodeWithRecognition) {
    QString first;
    const int32_t result = select(
        [&](QDialog& dialog) {
            auto& breaks = child<QComboBox>(dialog, u"cboBreak"_s);
            first = breaks.itemText(0);
            breaks.setCurrentIndex(0);
            clickOpen(dialog);
        },
        2, 1 + 65536 * 3);
    EXPECT_EQ(first, u"自動判別"_s);
    EXPECT_EQ(result, orvenly::SCS_SHIFTJIS);
}

TEST_F(Dialogs, SelectBestCharsetStartsFromTheGivenDefault) {
    QString title;
    const int32_t result = select(
        [&](QDialog& dialog) {
            title = dialog.windowTitle();
            pressKey(dialog, Qt::Key_Return);
        },
        1, 65537);
    EXPECT_EQ(title, u"最適な文字セットの選択"_s);
    EXPECT_EQ(result, 65537);
}

TEST_F(Dialogs, SelectIsCancelledByCancelEscAndTheCloseBox) {
    EXPECT_EQ(select(
                  [](QDialog& dialog) {
                      QTest::mouseClick(&child<QPushButton>(dialog, u"cmdCancel"_s),
                                        Qt::LeftButton);
                  },
                  0, 0),
              -1);
    EXPECT_EQ(select([](QDialog& dialog) { pressKey(dialog, Qt::Key_Escape); }, 2, 65537), -1);
    EXPECT_EQ(select([](QDialog& dialog) { dialog.close(); }, 1, 65537), -1);
}

TEST_F(Dialogs, SelectWithADefaultOutsideTheListsNeverReturnsANegativeHalf) {
    int charset = -2;
    int breakCode = -2;
    // Octet stream (4) has no item to save with, and 7 is no line-break code.
    const int32_t result = select(
        [&](QDialog& dialog) {
            charset = child<QComboBox>(dialog, u"cboCharset"_s).currentIndex();
            breakCode = child<QComboBox>(dialog, u"cboBreak"_s).currentIndex();
            clickOpen(dialog);
        },
        2, 4 + 65536 * 7);
    EXPECT_EQ(charset, -1);
    EXPECT_EQ(breakCode, -1);
    EXPECT_EQ(result, 0);
}

TEST_F(Dialogs, SelectCanBeScripted) {
    std::vector<orvenly::modal::Request> asked;
    orvenly::modal::setResponder([&](const orvenly::modal::Request& request) {
        asked.push_back(request);
        return std::optional<orvenly::modal::Answer>({131075, {}});
    });
    EXPECT_EQ(cDlgSelectFormat::ShowSelect(2, 65537, nullptr), 131075);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, u"SelectFormat"_s);
    EXPECT_EQ(asked[0].style, 2);
    EXPECT_EQ(asked[0].details, QStringList{u"65537"_s});
}

// --- about box ---

TEST(AboutVersion, ShowsMajorMinorRevisionAsPlainNumbers) {
    EXPECT_EQ(penlark::cDlgAbout::VersionCaption(u"1.0.0"_s), u"Ver. 1.0.0"_s);
    EXPECT_EQ(penlark::cDlgAbout::VersionCaption(u"2.10.3"_s), u"Ver. 2.10.3"_s);
    EXPECT_EQ(penlark::cDlgAbout::VersionCaption(u"1.02"_s), u"Ver. 1.2.0"_s);
    EXPECT_EQ(penlark::cDlgAbout::VersionCaption(QString()), u"Ver. 0.0.0"_s);
}

class About : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        QApplication::setApplicationVersion(u"1.4.2"_s);
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::red);
        owner.setWindowIcon(QIcon(pixmap));
    }
    void TearDown() override {
        QApplication::setApplicationVersion({});
        Dialogs::TearDown();
    }
    QWidget owner;
};

TEST_F(About, ShowsNameVersionAndTheOwnersIcon) {
    QString title;
    QString version;
    QString product;
    QColor iconColour;
    QWidget* parent = nullptr;
    whileShown(
        [&](QDialog& dialog) {
            title = dialog.windowTitle();
            version = child<QLabel>(dialog, u"lblVersion"_s).text();
            product = child<QLabel>(dialog, u"lblProductName"_s).text();
            iconColour = child<QLabel>(dialog, u"imgAppIcon"_s).pixmap().toImage().pixelColor(5, 5);
            parent = dialog.parentWidget();
            QTest::mouseClick(&child<QPushButton>(dialog, u"cmdOK"_s), Qt::LeftButton);
        },
        [&] { penlark::cDlgAbout::ShowAbout(&owner); });
    EXPECT_EQ(title, u"About Penlark"_s);
    EXPECT_EQ(version, u"Ver. 1.4.2"_s);
    EXPECT_EQ(product, u"Penlark"_s);
    EXPECT_EQ(iconColour, QColor(Qt::red));
    EXPECT_EQ(parent, &owner);
}

// A title bar holds the whole title, with room for the window's icon and buttons.
TEST_F(About, IsWideEnoughForItsTitle) {
    int width = 0;
    int title = 0;
    whileShown(
        [&](QDialog& dialog) {
            width = dialog.width();
            title = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
            pressKey(dialog, Qt::Key_Escape);
        },
        [&] { penlark::cDlgAbout::ShowAbout(&owner); });
    EXPECT_GE(width, title + 6 * 32);
}

TEST_F(About, EnterAndEscCloseIt) {
    // whileShown fails the test when a key leaves the box open.
    whileShown([](QDialog& dialog) { pressKey(dialog, Qt::Key_Return); },
               [&] { penlark::cDlgAbout::ShowAbout(&owner); });
    whileShown([](QDialog& dialog) { pressKey(dialog, Qt::Key_Escape); },
               [&] { penlark::cDlgAbout::ShowAbout(&owner); });
}

TEST_F(About, CanBeScripted) {
    QString kind;
    orvenly::modal::setResponder([&](const orvenly::modal::Request& request) {
        kind = request.kind;
        return std::optional<orvenly::modal::Answer>({0, {}});
    });
    penlark::cDlgAbout::ShowAbout(&owner);
    EXPECT_EQ(kind, u"About"_s);
}

} // namespace
