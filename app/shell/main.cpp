#include "common/RecoveryFolder.h"
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
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

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
void openHandedFiles(const QPointer<penlark::cMainFrame>& frame, const QStringList& files) {
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

    // Only the one running instance gets here, so every journal found belongs to no one else.
    const penlark::RecoveryFolder recovery;
    auto* frame = new penlark::cMainFrame(settings);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setRecoveryFolder(&recovery);
    instance.setKnockHandler(
        [frame = QPointer<penlark::cMainFrame>(frame)](const QStringList& files) {
            if (files.isEmpty() && frame)
                bringToFront(*frame);
            else
                openHandedFiles(frame, files);
        });
    frame->Load(QApplication::arguments().mid(1));
    return app.exec();
}

} // namespace

constexpr char Usage[] =
    "Usage: penlark [FILE]...\n"
    "       penlark --help | --version\n"
    "\n"
    "Opens each FILE in a window of its own: Shift_JIS, JIS (ISO-2022-JP), EUC-JP, UTF-8 or\n"
    "UTF-16 text, its charset and line-break code recognised. When Penlark already runs,\n"
    "the files go to it (named from this command's working folder) and it comes to the\n"
    "front.\n";

// Answered before any window exists, so that they work without a display. Only as the one
// argument: any other argument is a file name.
std::optional<int> answerOption(int argc, char* argv[]) {
    if (argc != 2)
        return std::nullopt;
    const std::string_view option = argv[1];
    if (option == "--help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (option == "--version") {
        std::puts("penlark " PENLARK_VERSION);
        return 0;
    }
    return std::nullopt;
}

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = answerOption(argc, argv))
        return *status;
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
