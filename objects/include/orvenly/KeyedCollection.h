#pragma once

#include "orvenly/AutomationError.h"

#include <QHash>
#include <QString>
#include <concepts>
#include <memory>
#include <utility>
#include <vector>

namespace orvenly {

namespace detail {
// Members that carry their own 1-based position are told when it changes.
template <class T>
concept IndexedMember = requires(T& item, int index) { item->setIndex(index); };
} // namespace detail

// An ordered collection with 1-based positions and optional case-insensitive string keys.
// Add with index 0 appends; any other index inserts before that position and renumbers the
// members after it; Remove renumbers likewise.
template <class T>
class KeyedCollection {
    struct Entry {
        T item;
        QString key;
    };

public:
    int Count() const { return int(m_entries.size()); }

    T& Add(T item, const QString& key = {}, int index = 0) {
        if (index < 0 || index > Count())
            throw AutomationError(errors::InvalidArgument);
        const QString folded = fold(key);
        if (!key.isEmpty() && m_byKey.contains(folded))
            throw AutomationError(errors::DuplicateKey);
        const int position = index == 0 ? Count() : index - 1;
        m_entries.insert(m_entries.begin() + position,
                         std::make_unique<Entry>(Entry{std::move(item), key}));
        if (!key.isEmpty())
            m_byKey.insert(folded, m_entries[position].get());
        renumberFrom(position);
        return m_entries[position]->item;
    }

    T& Item(int index) { return entryAt(index).item; }
    const T& Item(int index) const { return entryAt(index).item; }
    T& Item(const QString& key) { return entryFor(key).item; }
    const T& Item(const QString& key) const { return entryFor(key).item; }

    bool Exists(const QString& key) const { return !key.isEmpty() && m_byKey.contains(fold(key)); }
    QString Key(int index) const { return entryAt(index).key; }

    // 1-based position of the member with that key, 0 when there is none.
    int IndexOf(const QString& key) const {
        if (!Exists(key))
            return 0;
        const Entry* wanted = m_byKey.value(fold(key));
        for (int i = 0; i < Count(); ++i)
            if (m_entries[i].get() == wanted)
                return i + 1;
        return 0;
    }

    void Remove(int index) {
        entryAt(index);
        const int position = index - 1;
        if (!m_entries[position]->key.isEmpty())
            m_byKey.remove(fold(m_entries[position]->key));
        m_entries.erase(m_entries.begin() + position);
        renumberFrom(position);
    }
    void Remove(const QString& key) {
        const int index = IndexOf(key);
        if (index == 0)
            throw AutomationError(errors::InvalidArgument);
        Remove(index);
    }

    // Gives the member at index another key, keeping its position.
    void Rekey(int index, const QString& key) {
        Entry& entry = entryAt(index);
        if (fold(key) == fold(entry.key) && !key.isEmpty()) {
            entry.key = key;
            m_byKey.insert(fold(key), &entry);
            return;
        }
        if (!key.isEmpty() && m_byKey.contains(fold(key)))
            throw AutomationError(errors::DuplicateKey);
        if (!entry.key.isEmpty())
            m_byKey.remove(fold(entry.key));
        entry.key = key;
        if (!key.isEmpty())
            m_byKey.insert(fold(key), &entry);
    }

    void Clear() {
        m_byKey.clear();
        m_entries.clear();
    }

    class iterator {
    public:
        using Inner = typename std::vector<std::unique_ptr<Entry>>::const_iterator;
        explicit iterator(Inner it) : m_it(it) {}
        T& operator*() const { return (*m_it)->item; }
        T* operator->() const { return &(*m_it)->item; }
        iterator& operator++() {
            ++m_it;
            return *this;
        }
        bool operator==(const iterator&) const = default;

    private:
        Inner m_it;
    };
    iterator begin() const { return iterator(m_entries.cbegin()); }
    iterator end() const { return iterator(m_entries.cend()); }

private:
    static QString fold(const QString& key) { return key.toCaseFolded(); }

    Entry& entryAt(int index) const {
        if (index < 1 || index > Count())
            throw AutomationError(errors::SubscriptOutOfRange);
        return *m_entries[index - 1];
    }
    Entry& entryFor(const QString& key) const {
        Entry* entry = key.isEmpty() ? nullptr : m_byKey.value(fold(key));
        if (!entry)
            throw AutomationError(errors::InvalidArgument);
        return *entry;
    }
    void renumberFrom(int position) {
        if constexpr (detail::IndexedMember<T>) {
            for (int i = position; i < Count(); ++i)
                m_entries[i]->item->setIndex(i + 1);
        }
    }

    std::vector<std::unique_ptr<Entry>> m_entries;
    QHash<QString, Entry*> m_byKey;
};

} // namespace orvenly
