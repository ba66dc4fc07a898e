#pragma once

#include "orvenly/KeyedCollection.h"
#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

// What the node and key collections of a tree do alike.
namespace orvenly {

// The collection key of a node or tree key: its name with a fixed character appended, or none
// for an empty name.
inline QString nodeEntryKey(const QString& name) {
    return name.isEmpty() ? QString() : name + u'#';
}
inline QString keyEntryKey(const QString& name) {
    return name.isEmpty() ? QString() : name + u'@';
}

// Takes out of the collection the entry that index names: a string by its name, anything else
// by its position.
template <class T>
std::shared_ptr<T> takeEntry(KeyedCollection<std::shared_ptr<T>>& entries, const Variant& index,
                             QString (*entryKey)(const QString&)) {
    if (index.type() == Variant::Type::String) {
        const QString key = entryKey(index.toString());
        std::shared_ptr<T> taken = entries.Item(key);
        entries.Remove(key);
        return taken;
    }
    const int32_t position = index.toLong();
    std::shared_ptr<T> taken = entries.Item(position);
    entries.Remove(position);
    return taken;
}

// Gives the entry another key at its position; an entry that has left the collection keeps
// no place in it.
template <class T>
void rekeyEntry(KeyedCollection<std::shared_ptr<T>>& entries, const T& entry, const QString& key) {
    const int32_t index = entry.Index();
    if (index >= 1 && index <= entries.Count() && entries.Item(index).get() == &entry)
        entries.Rekey(index, key);
}

} // namespace orvenly
