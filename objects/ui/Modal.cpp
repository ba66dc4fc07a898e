#include "orvenly/Modal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace orvenly {
namespace modal {
namespace {

Responder& installed() {
    static Responder responder;
    return responder;
}

} // namespace

void setResponder(Responder responder) {
    installed() = std::move(responder);
}

std::optional<Answer> scripted(const Request& request) {
    const Responder& responder = installed();
    if (!responder)
        return std::nullopt;
    return responder(request);
}

} // namespace modal

namespace {

struct ButtonChoice {
    QString text;
    int32_t answer;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonChoice> buttonsOf(int32_t style) {
    const ButtonChoice ok{QStringLiteral("OK"), msgbox::OK, QMessageBox::AcceptRole};
    const ButtonChoice cancel{QStringLiteral("キャンセル"), msgbox::Cancel,
                              QMessageBox::RejectRole};
    const ButtonChoice yes{QStringLiteral("はい(&Y)"), msgbox::Yes, QMessageBox::YesRole};
    const ButtonChoice no{QStringLiteral("いいえ(&N)"), msgbox::No, QMessageBox::NoRole};
    const ButtonChoice retry{QStringLiteral("再試行(&R)"), msgbox::Retry, QMessageBox::AcceptRole};
    switch (style & 0xF) {
    case msgbox::OKCancel:
        return {ok, cancel};
    case msgbox::AbortRetryIgnore:
        return {{QStringLiteral("中止(&A)"), msgbox::Abort, QMessageBox::RejectRole},
                retry,
                {QStringLiteral("無視(&I)"), msgbox::Ignore, QMessageBox::AcceptRole}};
    case msgbox::YesNoCancel:
        return {yes, no, cancel};
    case msgbox::YesNo:
        return {yes, no};
    case msgbox::RetryCancel:
        return {retry, cancel};
    default:
        return {ok};
    }
}

QMessageBox::Icon iconOf(int32_t style) {
    switch (style & 0x70) {
    case msgbox::Critical:
        return QMessageBox::Critical;
    case msgbox::Question:
        return QMessageBox::Question;
    case msgbox::Exclamation:
        return QMessageBox::Warning;
    case msgbox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The answer a close box gives: Cancel where there is one, the only button otherwise.
int32_t closeAnswer(const std::vector<ButtonChoice>& buttons) {
    for (const ButtonChoice& b : buttons)
        if (b.answer == msgbox::Cancel)
            return msgbox::Cancel;
    return buttons.size() == 1 ? buttons.front().answer : msgbox::Cancel;
}

} // namespace

int32_t MsgBox(QWidget* parent, const QString& prompt, int32_t style, const QString& title) {
    const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
    if (const auto answer = modal::scripted({QStringLiteral("MsgBox"), prompt, caption, style, {}}))
        return answer->value;

    const std::vector<ButtonChoice> buttons = buttonsOf(style);
    QMessageBox box(iconOf(style), caption, prompt, QMessageBox::NoButton, parent);
    std::vector<std::pair<QAbstractButton*, int32_t>> made;
    made.reserve(buttons.size());
    for (const ButtonChoice& choice : buttons)
        made.emplace_back(box.addButton(choice.text, choice.role), choice.answer);
    const size_t defaultIndex = static_cast<size_t>((style >> 8) & 0xF);
    if (defaultIndex < made.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(made[defaultIndex].first));
    const int32_t icon = style & 0x70;
    if (icon == msgbox::Critical || icon == msgbox::Exclamation || icon == msgbox::Question)
        QApplication::beep();
    box.exec();
    for (const auto& [button, answer] : made)
        if (box.clickedButton() == button)
            return answer;
    return closeAnswer(buttons);
}

} // namespace orvenly
