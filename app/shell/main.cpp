#include "common/Settings.h"
#include "shell/EntryPoint.h"
#include "shell/ProgramIcon.h"
#include "shell/cMainFrame.h"

#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/QtTranslations.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QTimer>
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

constexpr int ModalRetryMs = 250;

// Files a later start handed over open as the command line's would, once no modal dialog is
// in the way (a close walk or a dialog must not see documents come and go under it).
void openHandedFiles(QPointer<penlark::cMainFrame> frame, const QStringList& files) {
    if (!frame)
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(ModalRetryMs, frame, [frame, files] { openHandedFiles(frame, files); });
        return;
    }
    bringToFront(*frame);
    frame->OpenCommandLine(files);
}

// Each start-up step that fails is skipped; the frame still comes up.
int Main(QApplication& app) {
    platform::SingleInstance instance;
    if (!instance.tryBecomePrimary(ProgramName)) {
        // A later start hands its files to the running one, which comes forward.
        return platform::SingleInstance::notifyPrimary(ProgramName,
                                                       QApplication::arguments().mid(1))
                   ? 0
                   : 1;
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

    auto* frame = new penlark::cMainFrame(settings);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    instance.setKnockHandler([frame = QPointer<penlark::cMainFrame>(frame)](
                                 const QStringList& files) {
        if (files.isEmpty() && frame)
            bringToFront(*frame);
        else
            openHandedFiles(frame, files);
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
    platform::installQtTranslations(app);
    QApplication::setApplicationName(ProgramName);
    QApplication::setApplicationVersion(QStringLiteral(PENLARK_VERSION));
    // Lets desktops match the windows to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("penlark"));
    QApplication::setWindowIcon(penlark::ProgramIcon());
    return Main(app);
}
