#include "FileDialogHost.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QDir>

namespace orvenly {

bool FileDialog::ShowPath(QString& Path) {
    // The seed goes without its trailing separator, except the root, which is nothing without.
    QString seed = QDir::fromNativeSeparators(Path);
    if (seed.size() > 1 && seed.endsWith(u'/'))
        seed.chop(1);
    seed = QDir::toNativeSeparators(seed);

    QString chosen;
    if (const auto answer = modal::scripted({QStringLiteral("FilePath"), seed, m_title, 0, {}})) {
        chosen = answer->files.value(0);
    } else {
        filedialog::HostFileDialog dialog(m_owner, filedialog::HostFileDialog::Purpose::Folder, 0,
                                          m_title, seed);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.selectedFiles().value(0);
    }
    if (m_owner)
        m_owner->repaint();

    Path = QDir::toNativeSeparators(chosen);
    if (Path.isEmpty())
        return false;
    if (!Path.endsWith(u'/') && !Path.endsWith(u'\\'))
        Path += QDir::separator();
    return true;
}

} // namespace orvenly
