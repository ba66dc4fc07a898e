#include "shell/cMainFrame.h"

#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>

namespace penlark {

// A replaced file drops out of the watch; adding it again follows the new one.
void cMainFrame::watchDocumentFile(ChildWindow& document) {
    const QString path = document.FullPath();
    if (!m_fileWatch->files().contains(path) && QFileInfo::exists(path))
        m_fileWatch->addPath(path);
}

void cMainFrame::documentFileChanged(const QString& path) {
    QList<QPointer<ChildWindow>> showing;
    for (ChildWindow& document : *m_documents)
        if (document.FullPath() == path)
            showing.append(&document);
    // Each question waits in an event loop, where a document may go.
    for (const QPointer<ChildWindow>& document : showing)
        if (document)
            document->CheckDiskFile();
    if (showing.isEmpty())
        m_fileWatch->removePath(path);
    else if (QFileInfo::exists(path) && !m_fileWatch->files().contains(path))
        m_fileWatch->addPath(path);
}

// Coming back from another program is when its changes are most likely; leaving for one is
// when the work so far is best written down.
void cMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow()) {
        flushJournals();
        return;
    }
    if (m_ActiveDocument && !QApplication::activeModalWidget())
        m_ActiveDocument->CheckDiskFile();
}

} // namespace penlark
