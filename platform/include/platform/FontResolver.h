#pragma once

#include <QFont>
#include <QString>

namespace platform {

// The installed family that shows faceName: the face itself when it is installed, otherwise
// a Japanese monospace face, otherwise the system's fixed font. Needs a QGuiApplication.
QString displayFamily(const QString& faceName);

// A font of the resolved family at pointSize points (fractions kept); a size of zero or less
// keeps the family's default size.
QFont displayFont(const QString& faceName, double pointSize);

} // namespace platform
