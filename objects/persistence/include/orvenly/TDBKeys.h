#pragma once

#include "orvenly/KeyedCollection.h"
#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace orvenly {

class TDBKeys;
class TDBNode;

// One named string value of a tree node.
class TDBKey {
    // Only the collections make keys.
    struct Made {
        explicit Made() = default;
    };

public:
    TDBKey(Made, const QString& name, std::weak_ptr<TDBNode> node, std::weak_ptr<TDBKeys> owner)
        : m_name(name), m_node(std::move(node)), m_owner(std::move(owner)) {}

    const QString& Value() const { return m_value; }
    void setValue(const QString& Value) { m_value = Value; }

    // The node that holds the key; none once that node is gone.
    std::shared_ptr<TDBNode> Node() const { return m_node.lock(); }
    // 1-based position among the node's keys; 0 once removed from them.
    int32_t Index() const { return m_index; }

    const QString& Name() const { return m_name; }
    // Re-keys the key at its position. A name that another key of the node has (in any
    // letter case) raises error 457 and keeps the old name.
    void setName(const QString& Name);

    // Kept current by the collection that holds the key.
    void setIndex(int32_t Index) { m_index = Index; }

private:
    friend class TDBKeys;

    QString m_name;
    QString m_value;
    int32_t m_index = 0;
    std::weak_ptr<TDBNode> m_node;
    std::weak_ptr<TDBKeys> m_owner;
};

// The ordered keys of one node. Names compare without regard to letter case; a key with an
// empty name has no key in the collection and is reached by enumeration only.
class TDBKeys : public std::enable_shared_from_this<TDBKeys> {
    using Entries = KeyedCollection<std::shared_ptr<TDBKey>>;
    // Only nodes make key collections.
    struct Made {
        explicit Made() = default;
    };

public:
    TDBKeys(Made, std::weak_ptr<TDBNode> node) : m_node(std::move(node)) {}
    using const_iterator = Entries::const_iterator;

    ~TDBKeys();
    TDBKeys(const TDBKeys&) = delete;
    TDBKeys& operator=(const TDBKeys&) = delete;

    // Whether Item appends a key it does not find; initially true.
    bool AutoCreateKey() const { return m_autoCreate; }
    void setAutoCreateKey(bool AutoCreateKey) { m_autoCreate = AutoCreateKey; }

    // The key of that name; a missing one is appended when AutoCreateKey is set, else the
    // lookup raises error 5.
    std::shared_ptr<TDBKey> Item(const QString& KeyName);
    bool Exists(const QString& KeyName) const;
    int32_t Count() const { return m_keys.Count(); }

    // Index 0 appends; 1..Count inserts before that position (error 5 otherwise). A name
    // already present raises error 457. Value is set when it is not empty.
    std::shared_ptr<TDBKey> Add(const QString& KeyName, int32_t Index = 0,
                                const QString& Value = {});
    // A string removes the key of that name (error 5 if there is none); anything else the key
    // at that position (error 9 outside 1..Count).
    void Remove(const Variant& Index);
    void Clear();

    // In position order.
    const_iterator begin() const { return m_keys.begin(); }
    const_iterator end() const { return m_keys.end(); }

private:
    friend class TDBKey;
    friend class TDBNode;

    void rename(TDBKey& key, const QString& name);
    // Cuts a removed entry's ties to the collection.
    static void detach(TDBKey& key);

    Entries m_keys;
    std::weak_ptr<TDBNode> m_node;
    bool m_autoCreate = true;
};

} // namespace orvenly
