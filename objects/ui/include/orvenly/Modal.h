#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace orvenly {

// Message box styles and answers, numbered as the automation message box numbers them.
namespace msgbox {
inline constexpr int32_t OKOnly = 0;
inline constexpr int32_t OKCancel = 1;
inline constexpr int32_t AbortRetryIgnore = 2;
inline constexpr int32_t YesNoCancel = 3;
inline constexpr int32_t YesNo = 4;
inline constexpr int32_t RetryCancel = 5;
inline constexpr int32_t Critical = 16;
inline constexpr int32_t Question = 32;
inline constexpr int32_t Exclamation = 48;
inline constexpr int32_t Information = 64;
inline constexpr int32_t DefaultButton2 = 256;
inline constexpr int32_t DefaultButton3 = 512;

inline constexpr int32_t OK = 1;
inline constexpr int32_t Cancel = 2;
inline constexpr int32_t Abort = 3;
inline constexpr int32_t Retry = 4;
inline constexpr int32_t Ignore = 5;
inline constexpr int32_t Yes = 6;
inline constexpr int32_t No = 7;
} // namespace msgbox

// Every modal question of the libraries and the program passes through here, so that tests
// can answer it instead of a person.
namespace modal {

// What is being asked. kind names the dialog ("MsgBox", "Confirm", "SelectFormat",
// "FileOpen", "FileSave", "FilePath", "Font", "Color", "Printer", or a dialog's own name);
// the other fields carry what that dialog shows.
struct Request {
    QString kind;
    QString text;
    QString title;
    int32_t style = 0;
    QStringList details;
};

// The scripted answer: value is the dialog's return value, files the chosen names or texts.
struct Answer {
    int32_t value = 0;
    QStringList files;
};

// Answers a request, or returns nothing to let the real dialog come up.
using Responder = std::function<std::optional<Answer>(const Request&)>;

// Installs (or, with an empty function, removes) the responder for this process.
void setResponder(Responder responder);

// The installed responder's answer to request, if there is a responder and it answers.
std::optional<Answer> scripted(const Request& request);

} // namespace modal

// Shows a message box with the given style (buttons + icon + default button) and returns the
// answer (msgbox::Yes, ...). An empty title shows the application's name. Closing the box
// gives Cancel when it has a cancel button, otherwise the only button's answer.
int32_t MsgBox(QWidget* parent, const QString& prompt, int32_t style = msgbox::OKOnly,
               const QString& title = {});

} // namespace orvenly
