#include "common/RecoveryFolder.h"
#include "common/Settings.h"
#include "shell/EntryPoint.h"
#include "shell/ProgramIcon.h"
#include "shell/cMainFrame.h"

#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <csignal>
#include <memory>

namespace {

const QString ProgramName = QStringLiteral("Penlark");
const QString ProgramKey = QStringLiteral("Software\\Ardenfall\\Penlark");

std::shared_ptr<orvenly::RegKey> openProgramKey() {
    try {
        return orvenly::Registry::create()->Item(orvenly::HKEY_CURRENT_USER, ProgramKey);
    } catch (const orvenly::AutomationError&) {
        return nullptr;
    }
}

void bringToFront(QWidget& frame) {
    if (frame.isMinimized())
        frame.setWindowState((frame.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    frame.show();
    frame.raise();
    frame.activateWindow();
}

// Each start-up step that fails is skipped; the frame still comes up.
int Main(QApplication& app) {
    platform::SingleInstance instance;
    if (!instance.tryBecomePrimary(ProgramName)) {
        // A later start only brings the running one forward; its files are not passed on.
        platform::SingleInstance::notifyPrimary(ProgramName);
        return 0;
    }

    const std::shared_ptr<orvenly::RegKey> programKey = openProgramKey();
    if (programKey) {
        try {
            penlark::RegisterProgram(*programKey);
        } catch (const orvenly::AutomationError&) {
        }
    }
    penlark::cSettings settings;
    if (programKey) {
        try {
            settings.Load(*programKey);
        } catch (const orvenly::AutomationError&) {
        }
    }

    // Only the one running instance gets here, so every journal found belongs to no one else.
    const penlark::RecoveryFolder recovery;
    auto* frame = new penlark::cMainFrame(settings);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setRecoveryFolder(&recovery);
    instance.setKnockHandler([frame = QPointer<penlark::cMainFrame>(frame)] {
        if (frame)
            bringToFront(*frame);
    });
    frame->Load(QApplication::arguments().mid(1));
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // A save past the file-size limit (a full quota) must fail with a message, not end the
    // program with the user's work.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramName);
    QApplication::setApplicationVersion(QStringLiteral(PENLARK_VERSION));
    // Lets desktops match the windows to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("penlark"));
    QApplication::setWindowIcon(penlark::ProgramIcon());
    return Main(app);
}
