#include "GalleryProperty.h"

#include "orvenly/AutomationError.h"
#include "orvenly/FileDialog.h"
#include "tamsell/SystemColors.h"

#include <QWidget>

namespace gallery {

namespace {

using tamsell::PSIS_COLOR;
using tamsell::PSIS_LIST;
using tamsell::PSIS_REFERENCE;

[[noreturn]] void refuse() {
    throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
}

const QString TrueText = QStringLiteral("True");
const QString FalseText = QStringLiteral("False");

} // namespace

GalleryProperty flagProperty(const QString& category, const QString& caption,
                             std::function<bool()> get, std::function<void(bool)> set) {
    return {category,
            caption,
            PSIS_LIST,
            {TrueText, FalseText},
            [get = std::move(get)] { return get() ? TrueText : FalseText; },
            [set = std::move(set)](const QString& value) { set(value == TrueText); },
            {}};
}

GalleryProperty choiceProperty(const QString& category, const QString& caption,
                               const QStringList& choices, std::function<int32_t()> get,
                               std::function<void(int32_t)> set) {
    return {category,
            caption,
            PSIS_LIST,
            choices,
            [get = std::move(get), choices] { return choices.value(get()); },
            [set = std::move(set), choices](const QString& value) {
                const auto index = choices.indexOf(value);
                if (index < 0)
                    refuse();
                set(int32_t(index));
            },
            {}};
}

GalleryProperty numberProperty(const QString& category, const QString& caption,
                               std::function<int32_t()> get, std::function<void(int32_t)> set) {
    return {category,
            caption,
            tamsell::PSIS_TEXT,
            {},
            [get = std::move(get)] { return QString::number(get()); },
            [set = std::move(set)](const QString& value) {
                bool ok = false;
                const int32_t number = value.trimmed().toInt(&ok);
                if (!ok)
                    refuse();
                set(number);
            },
            {}};
}

GalleryProperty textProperty(const QString& category, const QString& caption,
                             std::function<QString()> get,
                             std::function<void(const QString&)> set) {
    return {category, caption, tamsell::PSIS_TEXT, {}, std::move(get), std::move(set), {}};
}

GalleryProperty colorProperty(const QString& category, const QString& caption,
                              std::function<uint32_t()> get, std::function<void(uint32_t)> set) {
    return {category,
            caption,
            PSIS_COLOR,
            {},
            [get = std::move(get)] { return tamsell::colorText(get()); },
            [set = std::move(set)](const QString& value) {
                const std::optional<uint32_t> color = tamsell::parseColorText(value);
                if (!color)
                    refuse();
                set(*color);
            },
            {}};
}

GalleryProperty fontProperty(const QString& category, QWidget& control) {
    return {category,
            QStringLiteral("Font"),
            PSIS_REFERENCE,
            {},
            [&control] {
                const QFont& font = control.font();
                return QStringLiteral("%1, %2pt").arg(font.family()).arg(font.pointSizeF());
            },
            {},
            [&control] {
                orvenly::FileDialog dialog;
                dialog.SethwndOwner(control.window());
                QFont font = control.font();
                if (dialog.ShowFont(font))
                    control.setFont(font);
            }};
}

GalleryProperty actionProperty(const QString& category, const QString& caption,
                               const QString& shown, std::function<void()> action) {
    return {category, caption,          PSIS_REFERENCE, {}, [shown] { return shown; },
            {},       std::move(action)};
}

} // namespace gallery
