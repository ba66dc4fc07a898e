#pragma once

class QCoreApplication;
class QTranslator;

namespace platform {

// Installs Qt's own Japanese texts (standard buttons, the colour, font and file dialogs), so
// that the host's dialogs speak the program's language whatever the desktop's. Returns the
// translator, owned by app, or nullptr when the translations are not installed.
QTranslator* installQtTranslations(QCoreApplication& app);

} // namespace platform
