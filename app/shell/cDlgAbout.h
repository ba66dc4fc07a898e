#pragma once

#include <QDialog>
#include <QString>

namespace penlark {

// The program's name, version and icon. The name and version come from the application's
// metadata (QCoreApplication::applicationName, applicationVersion "major.minor.revision",
// QGuiApplication::applicationDisplayName as the product name).
class cDlgAbout : public QDialog {
    Q_OBJECT

public:
    // Shows the box modally over Owner, with Owner's icon. Scripted as kind "About".
    static void ShowAbout(QWidget* Owner);

    // "Ver. major.minor.revision" of a version such as "1.2.3"; missing parts count as 0.
    static QString VersionCaption(const QString& version);

private:
    explicit cDlgAbout(QWidget* owner);
};

} // namespace penlark
