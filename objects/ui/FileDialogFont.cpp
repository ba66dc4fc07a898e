#include "FileDialogParts.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"
#include "platform/Cp932.h"

#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>

namespace orvenly {
namespace filedialog {

int32_t fontHeight(double size, double dotsPerInch) {
    const double exact = size * dotsPerInch / 72.0;
    double rounded = std::round(exact);
    if (std::abs(exact - std::trunc(exact)) == 0.5)
        rounded = 2.0 * std::round(exact / 2.0);
    return int32_t(rounded);
}

double fontSize(int32_t height, double dotsPerInch) {
    return std::abs(72.0 / dotsPerInch * height);
}

QString faceName(const QString& name) {
    constexpr qsizetype FieldBytes = 31;
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < name.size()) {
        const qsizetype width = name[end].isHighSurrogate() && end + 1 < name.size() ? 2 : 1;
        bytes += platform::cp932::encode(QStringView(name).mid(end, width)).size();
        if (bytes > FieldBytes)
            break;
        end += width;
    }
    return name.left(end);
}

} // namespace filedialog

namespace {

// What the font record carries in and out of the dialog.
struct LogicalFont {
    QString name;
    int32_t height = 0;
    int weight = QFont::Normal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int32_t color = 0;
};

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList fields(const LogicalFont& font, double dotsPerInch) {
    return {font.name,
            QString::number(filedialog::fontSize(font.height, dotsPerInch)),
            QString::number(font.weight),
            flag(font.italic),
            flag(font.underline),
            flag(font.strikeOut),
            QString::number(font.color)};
}

// A scripted answer's fields over the seed; a field left out or unreadable keeps the seed's.
LogicalFont fromFields(const QStringList& fields, LogicalFont font, double dotsPerInch) {
    bool ok = false;
    if (fields.size() > 0)
        font.name = filedialog::faceName(fields[0]);
    if (const double size = fields.value(1).toDouble(&ok); ok)
        font.height = filedialog::fontHeight(size, dotsPerInch);
    if (const int weight = fields.value(2).toInt(&ok); ok)
        font.weight = weight;
    if (fields.size() > 3)
        font.italic = fields[3].toInt() != 0;
    if (fields.size() > 4)
        font.underline = fields[4].toInt() != 0;
    if (fields.size() > 5)
        font.strikeOut = fields[5].toInt() != 0;
    if (const int32_t color = fields.value(6).toInt(&ok); ok)
        font.color = color;
    return font;
}

QFont hostFont(const LogicalFont& font, double dotsPerInch) {
    QFont result(font.name);
    const double size = filedialog::fontSize(font.height, dotsPerInch);
    if (size > 0)
        result.setPointSizeF(size);
    result.setWeight(QFont::Weight(std::clamp(font.weight, 1, 1000)));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    return result;
}

double pointSizeOf(const QFont& font, double dotsPerInch) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dotsPerInch;
}

// Keeps the dialog open while a size limit given by the flags is broken.
class HostFontDialog : public QFontDialog {
public:
    HostFontDialog(const QFont& initial, QWidget* parent, int32_t flags, int32_t min, int32_t max)
        : QFontDialog(initial, parent), m_flags(flags), m_min(min), m_max(max) {
        setWindowTitle(QStringLiteral("フォント"));
        setOption(DontUseNativeDialog);
        if (flags & CF_FIXEDPITCHONLY)
            setOption(MonospacedFonts);
        if (flags & (CF_SCALABLEONLY | CF_TTONLY))
            setOption(ScalableFonts);
    }

protected:
    void done(int result) override {
        const double size = currentFont().pointSizeF();
        if (result == Accepted && (m_flags & CF_LIMITSIZE) && (size < m_min || size > m_max)) {
            MsgBox(this,
                   QStringLiteral("サイズは %1 から %2 ポイントの間で指定してください。")
                       .arg(m_min)
                       .arg(m_max),
                   msgbox::Exclamation);
            return;
        }
        QFontDialog::done(result);
    }

private:
    int32_t m_flags;
    int32_t m_min;
    int32_t m_max;
};

double dotsPerInchOf(const QWidget* owner) {
    if (owner)
        return owner->logicalDpiY();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

bool FileDialog::ShowFont(QFont& Font) {
    const double dotsPerInch = dotsPerInchOf(m_owner);
    const LogicalFont seed{filedialog::faceName(Font.family()),
                           filedialog::fontHeight(pointSizeOf(Font, dotsPerInch), dotsPerInch),
                           Font.weight(),
                           Font.italic(),
                           Font.underline(),
                           Font.strikeOut(),
                           m_color};
    std::optional<LogicalFont> chosen;
    if (const auto answer = modal::scripted(
            {QStringLiteral("Font"), seed.name, {}, m_flags, fields(seed, dotsPerInch)})) {
        if (answer->value != 0)
            chosen = fromFields(answer->files, seed, dotsPerInch);
    } else {
        HostFontDialog dialog(hostFont(seed, dotsPerInch), m_owner, m_flags, m_min, m_max);
        if (dialog.exec() == QDialog::Accepted) {
            const QFont font = dialog.selectedFont();
            chosen =
                LogicalFont{filedialog::faceName(font.family()),
                            filedialog::fontHeight(pointSizeOf(font, dotsPerInch), dotsPerInch),
                            font.weight(),
                            font.italic(),
                            font.underline(),
                            font.strikeOut(),
                            m_color};
        }
    }
    if (!chosen)
        return false;

    Font.setFamily(chosen->name);
    if (const double size = filedialog::fontSize(chosen->height, dotsPerInch); size > 0)
        Font.setPointSizeF(size);
    Font.setBold(chosen->weight > 500);
    Font.setItalic(chosen->italic);
    Font.setStrikeOut(chosen->strikeOut);
    Font.setUnderline(chosen->underline);
    m_color = chosen->color;
    return true;
}

} // namespace orvenly
