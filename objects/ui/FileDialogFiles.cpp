#include "FileDialogHost.h"
#include "FileDialogParts.h"
#include "orvenly/AutomationError.h"
#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"

#include <QCheckBox>
#include <QFileInfo>

namespace orvenly {
namespace {

using filedialog::HostFileDialog;

// The platform's dialogs take the default extension without its dot.
QString bareExtension(const QString& extension) {
    return extension.startsWith(u'.') ? extension.mid(1) : extension;
}

void repaint(QWidget* owner) {
    if (owner)
        owner->repaint();
}

} // namespace

KeyedCollection<QString> FileDialog::ShowOpen() {
    const QStringList filters = filedialog::hostFilters(m_filter);
    QStringList chosen;
    int32_t filterIndex = 0;
    bool readOnly = false;
    if (const auto answer = modal::scripted(
            {QStringLiteral("FileOpen"), m_initDir, m_title, m_filterIndex, filters})) {
        chosen = answer->files;
        filterIndex = answer->value & ~ScriptedReadOnly;
        readOnly = (answer->value & ScriptedReadOnly) != 0;
    } else {
        HostFileDialog dialog(m_owner, HostFileDialog::Purpose::Open, m_flags, m_title, m_initDir);
        dialog.setFilters(filters, m_filterIndex);
        dialog.setOpenExtension(bareExtension(m_defaultExt));
        const QCheckBox* box = (m_flags & OFN_HIDEREADONLY)
                                   ? nullptr
                                   : dialog.addReadOnlyBox((m_flags & OFN_READONLY) != 0);
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.chosenFiles();
            filterIndex = dialog.chosenFilter();
            readOnly = box ? box->isChecked() : (m_flags & OFN_READONLY) != 0;
        }
    }
    repaint(m_owner);

    KeyedCollection<QString> result;
    const auto choice = filedialog::openChoice(chosen, m_initDir, m_maxFileSize);
    if (!choice)
        return result;
    m_selectFilter = filterIndex;
    m_readOnly = readOnly;
    m_initDir = choice->directory;
    for (const QString& path : choice->paths)
        result.Add(path);
    return result;
}

bool FileDialog::ShowSave(QString& FileName) {
    const filedialog::SaveSeed seed = filedialog::splitSeed(FileName);
    if (seed.name.size() > m_maxFileSize)
        throw AutomationError(errors::InvalidArgument, {}, QStringLiteral("FileDialog"));
    const QString start = seed.directory.isEmpty() ? m_initDir : seed.directory;
    const QStringList filters = filedialog::hostFilters(m_filter);
    QString chosen;
    int32_t filterIndex = 0;
    if (const auto answer = modal::scripted({QStringLiteral("FileSave"),
                                             filedialog::withTrailingSeparator(start) + seed.name,
                                             m_title, m_filterIndex, filters})) {
        chosen = answer->files.value(0);
        filterIndex = answer->value;
    } else {
        HostFileDialog dialog(m_owner, HostFileDialog::Purpose::Save, m_flags, m_title, start);
        dialog.setFilters(filters, m_filterIndex);
        dialog.setDefaultSuffix(bareExtension(m_defaultExt));
        if (!seed.name.isEmpty())
            dialog.selectFile(seed.name);
        if (dialog.exec() == QDialog::Accepted) {
            chosen = dialog.selectedFiles().value(0);
            filterIndex = dialog.chosenFilter();
        }
    }
    repaint(m_owner);

    const auto choice = filedialog::openChoice(
        chosen.isEmpty() ? QStringList() : QStringList{chosen}, start, m_maxFileSize);
    if (!choice)
        return false;
    m_selectFilter = filterIndex;
    m_initDir = choice->directory;
    FileName = choice->paths.front();
    const QString extension = bareExtension(m_defaultExt);
    m_differentExtension = !extension.isEmpty() && QFileInfo(FileName).suffix().compare(
                                                       extension, Qt::CaseInsensitive) != 0;
    return true;
}

} // namespace orvenly
