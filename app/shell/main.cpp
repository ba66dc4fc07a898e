#include "shell/EntryPoint.h"
#include "shell/Settings.h"

#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"

#include <QApplication>
#include <QMainWindow>
#include <memory>

namespace {

const QString ProgramKey = QStringLiteral("Software\\Ardenfall\\Penlark");

// A failing start-up step is skipped; the window still comes up.
std::shared_ptr<orvenly::RegKey> openProgramKey() {
    try {
        return orvenly::Registry::create()->Item(orvenly::HKEY_CURRENT_USER, ProgramKey);
    } catch (const orvenly::AutomationError&) {
        return nullptr;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penlark"));

    const std::shared_ptr<orvenly::RegKey> programKey = openProgramKey();
    penlark::cSettings settings;
    if (programKey) {
        try {
            penlark::RegisterProgram(*programKey);
        } catch (const orvenly::AutomationError&) {
        }
        settings.Load(*programKey);
    }

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Penlark"));
    frame.resize(800, 600);
    frame.show();
    return app.exec();
}
