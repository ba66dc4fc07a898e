#include "shell/cDlgConfirm.h"

#include "shell/ConfirmLayout.h"

#include "orvenly/Modal.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <utility>

namespace penlark {

namespace {

using namespace Qt::StringLiterals;

const std::array<QString, 6> MultiCaptions = {u"保存する(&S)"_s,       u"保存しない(&N)"_s,
                                              u"保留(&T)"_s,           u"全て保存(&A)"_s,
                                              u"全て保存しない(&E)"_s, u"全て保留(&C)"_s};
const std::array<QString, 3> SingleCaptions = {u"はい(&Y)"_s, u"いいえ(&N)"_s, u"キャンセル"_s};

// The system's message font at the size in points that its pixel height gives on widget's
// screen, and that size.
std::pair<QFont, double> messageFont(const QWidget& widget) {
    QFont font = QApplication::font("QMessageBox");
    const double points = messageFontPoints(QFontInfo(font).pixelSize(), widget.logicalDpiY());
    font.setPointSizeF(points);
    return {font, points};
}

// The width a caption takes on its button: the access-key marker does not show.
int captionWidth(const QFontMetrics& metrics, QString caption) {
    const qsizetype marker = caption.indexOf(u'&');
    if (marker >= 0)
        caption.remove(marker, 1);
    return metrics.horizontalAdvance(caption);
}

// Prompts come with CR LF line breaks; the label breaks lines at LF.
QString displayText(QString prompt) {
    prompt.replace(u"\r\n"_s, u"\n"_s);
    prompt.replace(u'\r', u'\n');
    return prompt;
}

} // namespace

int32_t cDlgConfirm::ShowConfirm(const QString& Prompt, bool MultiDocument, QWidget* Owner) {
    if (const auto answer = orvenly::modal::scripted(
            {u"Confirm"_s, Prompt, QApplication::applicationName(), MultiDocument ? 1 : 0, {}}))
        return answer->value;

    cDlgConfirm dialog(Prompt, MultiDocument, Owner);
    QApplication::beep();
    dialog.exec();
    return dialog.m_Answer;
}

cDlgConfirm::cDlgConfirm(const QString& prompt, bool multiDocument, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(QApplication::applicationName());
    const auto [font, points] = messageFont(*this);
    setFont(font);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setPixmap(style()
                           ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                           .pixmap(ConfirmIconSize, ConfirmIconSize));

    lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(u"lblPrompt"_s);
    lblPrompt->setTextFormat(Qt::PlainText);
    lblPrompt->setText(displayText(prompt));

    fraButtons = new QWidget(this);
    fraButtons->setObjectName(u"fraButtons"_s);
    for (size_t i = 0; i < cmdResult.size(); ++i) {
        QPushButton* button = new QPushButton(MultiCaptions[i], fraButtons);
        button->setObjectName(u"cmdResult"_s + QString::number(i));
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_Answer = static_cast<int32_t>(i);
            accept();
        });
        cmdResult[i] = button;
    }
    if (!multiDocument) {
        for (size_t i = 0; i < SingleCaptions.size(); ++i)
            cmdResult[i]->setText(SingleCaptions[i]);
        for (size_t i = 3; i < cmdResult.size(); ++i)
            cmdResult[i]->hide();
        m_CancelIndex = 2;
    }
    cmdResult[0]->setDefault(true);
    cmdResult[0]->setFocus();
    layOut(confirmMetrics(points), multiDocument);
}

void cDlgConfirm::layOut(const ConfirmMetrics& metrics, bool multiDocument) {
    const QFontMetrics fontMetrics(font());
    std::array<int, 6> widths{};
    for (size_t i = 0; i < cmdResult.size(); ++i)
        widths[i] = captionWidth(fontMetrics, cmdResult[i]->text());
    lblPrompt->adjustSize();

    const ConfirmGeometry geometry =
        layoutConfirm(metrics, lblPrompt->size(), widths, multiDocument);
    picIcon->setGeometry(geometry.icon);
    lblPrompt->setGeometry(geometry.prompt);
    fraButtons->setGeometry(geometry.buttonFrame);
    for (size_t i = 0; i < cmdResult.size(); ++i)
        if (!geometry.buttons[i].isEmpty())
            cmdResult[i]->setGeometry(geometry.buttons[i]);
    setFixedSize(geometry.client);
}

void cDlgConfirm::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Esc presses the cancel button of the form shown; only the close box gives 5 in both.
    if (event->key() == Qt::Key_Escape) {
        cmdResult[m_CancelIndex]->click();
        return;
    }
    // As in every message box, a button's letter alone presses it (Y, N, ...).
    for (QPushButton* button : cmdResult) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        if (button->isVisible() && !mnemonic.isEmpty() && mnemonic[0].key() == event->key()) {
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

} // namespace penlark
