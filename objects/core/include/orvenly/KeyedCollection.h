#pragma once

#include "orvenly/AutomationError.h"

#include <QHash>
#include <QString>
#include <concepts>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace orvenly {

namespace detail {
// Members that carry their own 1-based position are told when it changes.
template <class T>
concept IndexedMember = requires(T& item, int index) {
    item->setIndex(index);
};
} // namespace detail

// An ordered collection with 1-based positions and optional case-insensitive string keys.
// Add with index 0 appends; any other index inserts before that position and renumbers the
// members after it; Remove renumbers likewise. Adding or removing invalidates iterators.
template <class T> class KeyedCollection {
    struct Entry {
        T item;
        QString key;
        QString folded; // the key as compared
    };
    // Small collections are searched in order: a hash table costs more than a kilobyte even
    // for one member, and collections of a few members are the common case.
    static constexpr int HashedFrom = 16;
    using Entries = std::vector<std::unique_ptr<Entry>>;

    template <bool Const> class Iterator {
        using Inner =
            std::conditional_t<Const, typename Entries::const_iterator, typename Entries::iterator>;

    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using reference = std::conditional_t<Const, const T&, T&>;
        using pointer = std::conditional_t<Const, const T*, T*>;

        Iterator() = default;
        explicit Iterator(Inner it) : m_it(it) {}
        // A mutable iterator converts to a constant one.
        template <bool OtherConst>
        requires(Const && !OtherConst) Iterator(const Iterator<OtherConst>& other)
            : m_it(other.m_it) {}

        reference operator*() const { return (*m_it)->item; }
        pointer operator->() const { return &(*m_it)->item; }
        Iterator& operator++() {
            ++m_it;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++m_it;
            return before;
        }
        bool operator==(const Iterator&) const = default;

    private:
        template <bool> friend class Iterator;
        Inner m_it{};
    };

public:
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    int Count() const { return int(m_entries.size()); }

    // Nothing changes when it raises, whatever raised.
    T& Add(T item, const QString& key = {}, int index = 0) {
        if (index < 0 || index > Count())
            throw AutomationError(errors::InvalidArgument);
        const QString folded = fold(key);
        if (!key.isEmpty() && findFolded(folded))
            throw AutomationError(errors::DuplicateKey);
        const int position = index == 0 ? Count() : index - 1;
        auto entry = std::make_unique<Entry>(Entry{std::move(item), key, folded});
        Entry* added = entry.get();
        m_entries.insert(m_entries.begin() + position, std::move(entry));
        try {
            makeFindable(*added);
        } catch (...) {
            m_entries.erase(m_entries.begin() + position);
            throw;
        }
        renumberFrom(position);
        return added->item;
    }

    T& Item(int index) { return entryAt(index).item; }
    const T& Item(int index) const { return entryAt(index).item; }
    T& Item(const QString& key) { return entryFor(key).item; }
    const T& Item(const QString& key) const { return entryFor(key).item; }

    bool Exists(const QString& key) const { return find(key) != nullptr; }
    // The member with that key, or null when there is none.
    T* Find(const QString& key) {
        Entry* entry = find(key);
        return entry ? &entry->item : nullptr;
    }
    QString Key(int index) const { return entryAt(index).key; }

    // 1-based position of the member with that key, 0 when there is none.
    int IndexOf(const QString& key) const {
        const Entry* wanted = find(key);
        for (int i = 0; wanted && i < Count(); ++i)
            if (m_entries[i].get() == wanted)
                return i + 1;
        return 0;
    }

    void Remove(int index) {
        entryAt(index);
        const int position = index - 1;
        // The member dies last, so whatever its destruction does sees a consistent collection.
        std::unique_ptr<Entry> removed = std::move(m_entries[position]);
        m_entries.erase(m_entries.begin() + position);
        if (!removed->key.isEmpty() && m_hashed)
            m_byKey.remove(removed->folded);
        renumberFrom(position);
    }
    void Remove(const QString& key) {
        const int index = IndexOf(key);
        if (index == 0)
            throw AutomationError(errors::InvalidArgument);
        Remove(index);
    }

    // Gives the member at index another key (empty for none), keeping its position. Its own
    // key in another case is no duplicate.
    void Rekey(int index, const QString& key) {
        Entry& entry = entryAt(index);
        const QString folded = fold(key);
        const Entry* holder = key.isEmpty() ? nullptr : findFolded(folded);
        if (holder && holder != &entry)
            throw AutomationError(errors::DuplicateKey);
        if (m_hashed) {
            if (!key.isEmpty())
                m_byKey.insert(folded, &entry);
            if (!entry.key.isEmpty() && entry.folded != folded)
                m_byKey.remove(entry.folded);
        }
        entry.key = key;
        entry.folded = folded;
    }

    void Clear() {
        Entries removed;
        removed.swap(m_entries);
        m_byKey.clear();
        m_hashed = false;
    }

    iterator begin() { return iterator(m_entries.begin()); }
    iterator end() { return iterator(m_entries.end()); }
    const_iterator begin() const { return const_iterator(m_entries.cbegin()); }
    const_iterator end() const { return const_iterator(m_entries.cend()); }

private:
    static QString fold(const QString& key) { return key.toCaseFolded(); }

    Entry* find(const QString& key) const {
        return key.isEmpty() ? nullptr : findFolded(fold(key));
    }
    Entry* findFolded(const QString& folded) const {
        if (m_hashed)
            return m_byKey.value(folded);
        for (const std::unique_ptr<Entry>& entry : m_entries)
            if (!entry->key.isEmpty() && entry->folded == folded)
                return entry.get();
        return nullptr;
    }
    // Makes the member findable by its key; past the size for it, builds the hash table.
    void makeFindable(Entry& entry) {
        if (m_hashed) {
            if (!entry.key.isEmpty())
                m_byKey.insert(entry.folded, &entry);
        } else if (Count() >= HashedFrom) {
            QHash<QString, Entry*> byKey;
            for (const std::unique_ptr<Entry>& each : m_entries)
                if (!each->key.isEmpty())
                    byKey.insert(each->folded, each.get());
            m_byKey.swap(byKey);
            m_hashed = true;
        }
    }
    Entry& entryAt(int index) const {
        if (index < 1 || index > Count())
            throw AutomationError(errors::SubscriptOutOfRange);
        return *m_entries[index - 1];
    }
    Entry& entryFor(const QString& key) const {
        Entry* entry = find(key);
        if (!entry)
            throw AutomationError(errors::InvalidArgument);
        return *entry;
    }
    void renumberFrom(int position) {
        if constexpr (detail::IndexedMember<T>) {
            for (int i = position; i < Count(); ++i) {
                T& item = m_entries[i]->item;
                // A collection may hold Nothing among its members.
                if constexpr (std::constructible_from<bool, T&>) {
                    if (!item)
                        continue;
                }
                item->setIndex(i + 1);
            }
        }
    }

    Entries m_entries;
    QHash<QString, Entry*> m_byKey; // by folded key, once the collection is large
    bool m_hashed = false;
};

} // namespace orvenly
