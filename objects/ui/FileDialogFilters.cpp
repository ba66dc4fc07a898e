#include "FileDialogParts.h"

#include <QRegularExpression>

namespace orvenly::filedialog {
namespace {

// "*.*" matches every name on the system the filters are written for; the host's "*" does.
QString hostPatterns(const QString& patterns) {
    QStringList parts;
    for (const QString& part : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            parts.append(trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
    }
    return parts.join(u' ');
}

// Descriptions often show their patterns already; the host shows the patterns it is given.
QString bareDescription(const QString& description) {
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString bare = description;
    bare.remove(shownPatterns);
    return bare;
}

} // namespace

QStringList hostFilters(const QString& filter) {
    QStringList parts = filter.split(QChar(0));
    // The list ends with two zeros; everything from the first empty part on is padding.
    const qsizetype end = parts.indexOf(QString());
    if (end >= 0)
        parts.resize(end);
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = hostPatterns(parts[i + 1]);
        result.append(QStringLiteral("%1 (%2)").arg(
            bareDescription(parts[i]), patterns.isEmpty() ? QStringLiteral("*") : patterns));
    }
    return result;
}

int32_t filterIndexOf(const QStringList& filters, const QString& chosen) {
    return int32_t(filters.indexOf(chosen) + 1);
}

} // namespace orvenly::filedialog
