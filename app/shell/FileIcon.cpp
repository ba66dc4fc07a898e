#include "shell/FileIcon.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace penlark {

QIcon GetFileIcon(const QString& fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        return {};
    // The icon theme's icon for the file's type first: it tells text from other files, where
    // the provider alone often gives one icon for every file.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(info);
    return icon;
}

} // namespace penlark
