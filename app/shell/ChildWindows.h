#pragma once

#include "orvenly/KeyedCollection.h"
#include "shell/ChildWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

namespace penlark {

class DocumentHost;

// The open documents in window order, each with its 1-based Index equal to its position.
// The collection owns its documents: Remove and Clear unload them (see ChildWindow), and
// whatever is left is deleted with the collection.
class ChildWindows : public QObject {
    Q_OBJECT

public:
    explicit ChildWindows(DocumentHost& host, QObject* parent = nullptr);
    ~ChildWindows() override;

    int32_t Count() const { return m_documents.Count(); }
    // Error 9 for a position out of range, 5 for an unknown key; 91 when the document's window
    // was destroyed behind the collection's back.
    ChildWindow& Item(int32_t Index) const;
    ChildWindow& Item(const QString& Key) const;

    // Creates and loads a document window, appended with Index 0 or inserted before Index;
    // not shown (the caller shows it with Show2). Error 457 for a key already used.
    ChildWindow& Add(int32_t Index = 0, const QString& Key = {});
    void Remove(int32_t Index);
    void Remove(const QString& Key);
    void Clear();

    // The documents in order.
    class const_iterator;
    const_iterator begin() const;
    const_iterator end() const;

signals:
    // True before the first document is added, false after the last one is removed.
    void MenuChanged(bool HasChild);

private:
    using Documents = orvenly::KeyedCollection<QPointer<ChildWindow>>;

    void Renumber(int32_t start, int32_t offset);
    static ChildWindow& live(const QPointer<ChildWindow>& document);

    DocumentHost& m_host;
    Documents m_documents;
};

class ChildWindows::const_iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = ChildWindow;
    using difference_type = std::ptrdiff_t;
    using reference = ChildWindow&;
    using pointer = ChildWindow*;

    const_iterator() = default;
    explicit const_iterator(Documents::const_iterator it) : m_it(it) {}
    reference operator*() const { return live(*m_it); }
    pointer operator->() const { return &live(*m_it); }
    const_iterator& operator++() {
        ++m_it;
        return *this;
    }
    const_iterator operator++(int) {
        const_iterator before = *this;
        ++m_it;
        return before;
    }
    bool operator==(const const_iterator&) const = default;

private:
    Documents::const_iterator m_it;
};

inline ChildWindows::const_iterator ChildWindows::begin() const {
    return const_iterator(m_documents.begin());
}
inline ChildWindows::const_iterator ChildWindows::end() const {
    return const_iterator(m_documents.end());
}

} // namespace penlark
