#pragma once

#include <QIcon>
#include <QString>

namespace penlark {

// The host's icon for the type of the file, for a document window's caption; an empty icon
// when the file does not exist or the host has none for it. Needs a QGuiApplication.
QIcon GetFileIcon(const QString& fileName);

} // namespace penlark
