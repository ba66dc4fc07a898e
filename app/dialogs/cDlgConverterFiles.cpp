#include "dialogs/cDlgConverter.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "orvenly/FileDialog.h"
#include "orvenly/ShellLink.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

constexpr int32_t AddFlags = 2791940;

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files.append(url.toLocalFile());
    return files;
}

} // namespace

void cDlgConverter::AddFile(const QString& path) {
    if (QFileInfo(path).isDir())
        return;
    lstFiles->addItem(path);
    lstFiles->setCurrentRow(lstFiles->count() - 1);
    UpdateWizardButtons();
    updateRemoveButton();
}

// The list steps aside for a note while the files go in, under the hourglass.
void cDlgConverter::addFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    lstFiles->hide();
    lblWait->show();
    lblWait->repaint();
    for (const QString& path : paths)
        AddFile(path);
    lblWait->hide();
    lstFiles->show();
    QApplication::restoreOverrideCursor();
}

void cDlgConverter::cmdAdd_Click() {
    orvenly::FileDialog dialog;
    dialog.SetDefaultExt(u"txt"_s);
    dialog.SetFilter(FormatResString(strings::FilterText, {QString(QChar(u'\0'))}));
    dialog.SetFilterIndex(1);
    dialog.SetFlags(AddFlags);
    dialog.SethwndOwner(this);
    // Room for many long paths, as the program's own Open allows.
    dialog.SetMaxFileSize(1 << 20);
    QStringList paths;
    for (const QString& path : dialog.ShowOpen())
        paths.append(path);
    addFiles(paths);
}

// Shortcut files stand for their targets.
void cDlgConverter::dropFiles(const QStringList& paths) {
    QStringList targets;
    for (const QString& path : paths) {
        orvenly::ShellLink link;
        if (path.endsWith(u".lnk"_s, Qt::CaseInsensitive) && link.Load(path))
            targets.append(link.Target());
        else
            targets.append(path);
    }
    addFiles(targets);
}

void cDlgConverter::cmdRemove_Click() {
    const int row = lstFiles->currentRow();
    if (row < 0)
        return;
    delete lstFiles->takeItem(row);
    lstFiles->setCurrentRow(std::min(row, lstFiles->count() - 1));
    UpdateWizardButtons();
    updateRemoveButton();
}

void cDlgConverter::updateRemoveButton() {
    cmdRemove->setEnabled(lstFiles->currentRow() >= 0);
}

bool cDlgConverter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstFiles && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            cmdRemove->click();
            return true;
        }
        if (key == Qt::Key_Insert) {
            cmdAdd->click();
            return true;
        }
    }
    if (watched == lstFiles->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (localFiles(drag->mimeData()).isEmpty()) {
                drag->ignore();
            } else {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = localFiles(drop->mimeData());
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // After the drag has ended: reading shortcuts must not hold the other program.
            QTimer::singleShot(0, this, [this, files] { dropFiles(files); });
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace penlark
