#include "platform/FontResolver.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {
namespace {

using namespace Qt::StringLiterals;

// Japanese monospace faces commonly installed on Linux, best first.
const QStringList PreferredJapaneseFaces = {
    u"IPAGothic"_s, u"IPAゴシック"_s, u"Noto Sans Mono CJK JP"_s, u"VL Gothic"_s, u"TakaoGothic"_s,
};

QString installedSpelling(const QStringList& installed, const QString& face) {
    for (const QString& family : installed) {
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return family;
    }
    return {};
}

QString japaneseFallback(const QStringList& installed) {
    for (const QString& face : PreferredJapaneseFaces) {
        QString family = installedSpelling(installed, face);
        if (!family.isEmpty())
            return family;
    }
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (QFontDatabase::isFixedPitch(family))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

} // namespace

QString displayFamily(const QString& faceName) {
    const QStringList installed = QFontDatabase::families();
    if (!faceName.isEmpty()) {
        QString family = installedSpelling(installed, faceName);
        if (!family.isEmpty())
            return family;
    }
    return japaneseFallback(installed);
}

QFont displayFont(const QString& faceName, double pointSize) {
    QFont font(displayFamily(faceName));
    if (pointSize > 0.0)
        font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace platform
