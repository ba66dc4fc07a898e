#include "shell/ChildWindows.h"

#include "orvenly/AutomationError.h"
#include "shell/ChildWindow.h"

#include <QMdiSubWindow>
#include <memory>

namespace penlark {

using namespace orvenly;

ChildWindows::ChildWindows(DocumentHost& host, QObject* parent) : QObject(parent), m_host(host) {}

ChildWindows::~ChildWindows() {
    // Whatever is still open goes with the collection, without asking anyone.
    for (const QPointer<ChildWindow>& document : m_documents) {
        if (!document)
            continue;
        if (QMdiSubWindow* window = document->subWindow())
            delete window;
        else
            delete document.data();
    }
}

ChildWindow& ChildWindows::live(const QPointer<ChildWindow>& document) {
    if (!document)
        throw AutomationError(errors::ObjectNotSet);
    return *document;
}

ChildWindow& ChildWindows::Item(int32_t Index) const {
    return live(m_documents.Item(Index));
}

ChildWindow& ChildWindows::Item(const QString& Key) const {
    return live(m_documents.Item(Key));
}

ChildWindow& ChildWindows::Add(int32_t Index, const QString& Key) {
    if (Index < 0 || Index > Count())
        throw AutomationError(errors::InvalidArgument);
    if (m_documents.Exists(Key))
        throw AutomationError(errors::DuplicateKey);
    if (Count() == 0)
        emit MenuChanged(true);
    auto document = std::make_unique<ChildWindow>(m_host);
    if (Index != 0) {
        document->Attach(this, Index, Key);
        Renumber(Index, 1);
    } else {
        document->Attach(this, Count() + 1, Key);
    }
    ChildWindow& added = *document;
    m_documents.Add(QPointer<ChildWindow>(document.release()), Key, Index);
    return added;
}

void ChildWindows::Renumber(int32_t start, int32_t offset) {
    for (int32_t i = start; i <= Count(); ++i) {
        if (const QPointer<ChildWindow>& document = m_documents.Item(i))
            document->SetIndex(i + offset);
    }
}

void ChildWindows::Remove(int32_t Index) {
    ChildWindow* document = &Item(Index);
    Renumber(document->Index(), -1);
    document->Unload();
    // The host heard of the unload; look the document up again rather than trust Index.
    int32_t position = 0;
    for (const QPointer<ChildWindow>& member : m_documents) {
        ++position;
        if (member == document) {
            m_documents.Remove(position);
            break;
        }
    }
    if (Count() == 0)
        emit MenuChanged(false);
}

void ChildWindows::Remove(const QString& Key) {
    const int32_t index = m_documents.IndexOf(Key);
    if (index == 0)
        throw AutomationError(errors::InvalidArgument);
    Remove(index);
}

void ChildWindows::Clear() {
    if (Count() == 0)
        return;
    for (const QPointer<ChildWindow>& document : m_documents) {
        if (document)
            document->Unload();
    }
    m_documents.Clear();
    emit MenuChanged(false);
}

} // namespace penlark
