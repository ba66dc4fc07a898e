#include "shell/cMainFrame.h"

#include "orvenly/ShellLink.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

bool offersFiles(const QMimeData& data) {
    if (!data.hasUrls())
        return false;
    const QList<QUrl> urls = data.urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// Only a copy is offered: the dropped files stay where they are.
Qt::DropAction dropEffect(const QMimeData* data, Qt::DropActions possible) {
    if (!data || !offersFiles(*data) || !(possible & Qt::CopyAction))
        return Qt::IgnoreAction;
    return Qt::CopyAction;
}

void answerDrag(QDropEvent& event) {
    const Qt::DropAction effect = dropEffect(event.mimeData(), event.possibleActions());
    if (effect == Qt::IgnoreAction) {
        event.ignore();
        return;
    }
    event.setDropAction(effect);
    event.accept();
}

} // namespace

QStringList cMainFrame::droppedFiles(const QMimeData& dropped) {
    QStringList files;
    for (const QUrl& url : dropped.urls()) {
        if (!url.isLocalFile())
            continue;
        QString file = url.toLocalFile();
        // Only the lower-case extension names a shortcut.
        if (file.endsWith(u".lnk"_s, Qt::CaseSensitive)) {
            orvenly::ShellLink link;
            if (link.Load(file))
                file = link.Target();
        }
        files.append(file);
    }
    return files;
}

void cMainFrame::DragOverFiles(const QMimeData& dropped, Qt::DropAction& effect) {
    effect = offersFiles(dropped) && (effect & Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction;
}

void cMainFrame::DropFiles(const QMimeData& dropped) {
    openDroppedLater(droppedFiles(dropped));
}

// Opened after the drag has ended, so that the source is not kept waiting by messages.
void cMainFrame::openDroppedLater(const QStringList& files) {
    if (files.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this, [this, files] { openDocuments(files); }, Qt::QueuedConnection);
}

void cMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    answerDrag(*event);
}

void cMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    answerDrag(*event);
}

void cMainFrame::dropEvent(QDropEvent* event) {
    if (dropEffect(event->mimeData(), event->possibleActions()) == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    openDroppedLater(droppedFiles(*event->mimeData()));
}

} // namespace penlark
