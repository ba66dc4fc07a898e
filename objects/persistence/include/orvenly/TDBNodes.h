#pragma once

#include "orvenly/KeyedCollection.h"
#include "orvenly/TDBKeys.h"
#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvenly {

class TDB;
class TDBNodes;

// A node of a tree database: a name, its keys and its child nodes. Ownership runs downward;
// the links upward (Parent, and a key's Node) yield none once what they name is gone.
class TDBNode : public std::enable_shared_from_this<TDBNode> {
    // Only the collections make nodes.
    struct Made {
        explicit Made() = default;
    };

public:
    TDBNode(Made, const QString& name, std::weak_ptr<TDBNode> parent, std::weak_ptr<TDBNodes> owner)
        : m_name(name), m_parent(std::move(parent)), m_owner(std::move(owner)) {}
    ~TDBNode();
    TDBNode(const TDBNode&) = delete;
    TDBNode& operator=(const TDBNode&) = delete;

    const std::shared_ptr<TDBKeys>& Keys() const { return m_keys; }
    const std::shared_ptr<TDBNodes>& SubNodes() const { return m_subNodes; }
    // None for a root node, and once the parent is gone.
    std::shared_ptr<TDBNode> Parent() const { return m_parent.lock(); }
    // 1-based position among its siblings; 0 once removed from them.
    int32_t Index() const { return m_index; }

    const QString& Name() const { return m_name; }
    // Re-keys the node at its position. A name that a sibling has (in any letter case) raises
    // error 457 and keeps the old name.
    void setName(const QString& Name);

    // Kept current by the collection that holds the node.
    void setIndex(int32_t Index) { m_index = Index; }

private:
    friend class TDBNodes;
    static std::shared_ptr<TDBNode> create(const QString& name, std::weak_ptr<TDBNode> parent,
                                           std::weak_ptr<TDBNodes> owner);

    QString m_name;
    int32_t m_index = 0;
    std::shared_ptr<TDBKeys> m_keys;
    std::shared_ptr<TDBNodes> m_subNodes;
    std::weak_ptr<TDBNode> m_parent;
    std::weak_ptr<TDBNodes> m_owner;
};

// The ordered child nodes of a node, or the root nodes of a database. Names compare without
// regard to letter case; a node with an empty name has no key in the collection and is
// reached by enumeration only.
class TDBNodes : public std::enable_shared_from_this<TDBNodes> {
    using Entries = KeyedCollection<std::shared_ptr<TDBNode>>;
    // Only nodes and databases make node collections.
    struct Made {
        explicit Made() = default;
    };

public:
    TDBNodes(Made, std::weak_ptr<TDBNode> owner) : m_owner(std::move(owner)) {}
    using const_iterator = Entries::const_iterator;

    ~TDBNodes();
    TDBNodes(const TDBNodes&) = delete;
    TDBNodes& operator=(const TDBNodes&) = delete;

    // Whether Item appends a node it does not find; initially true.
    bool AutoCreateNode() const { return m_autoCreate; }
    void setAutoCreateNode(bool AutoCreateNode) { m_autoCreate = AutoCreateNode; }

    // The node of that name; a missing one is appended when AutoCreateNode is set, else the
    // lookup raises error 5.
    std::shared_ptr<TDBNode> Item(const QString& NodeName);
    bool Exists(const QString& NodeName) const;
    int32_t Count() const { return m_nodes.Count(); }

    // Index 0 appends; 1..Count inserts before that position (error 5 otherwise). A name
    // already present raises error 457.
    std::shared_ptr<TDBNode> Add(const QString& NodeName, int32_t Index = 0);
    // A string removes the node of that name (error 5 if there is none); anything else the
    // node at that position (error 9 outside 1..Count).
    void Remove(const Variant& Index);
    void Clear();

    // In position order.
    const_iterator begin() const { return m_nodes.begin(); }
    const_iterator end() const { return m_nodes.end(); }

private:
    friend class TDB;
    friend class TDBNode;

    void rename(TDBNode& node, const QString& name);
    // Cuts a removed entry's ties to the collection.
    static void detach(TDBNode& node);
    // Moves every node out (the collection is left empty), for a release without recursion.
    void takeAll(std::vector<std::shared_ptr<TDBNode>>& into);

    Entries m_nodes;
    std::weak_ptr<TDBNode> m_owner;
    bool m_autoCreate = true;
};

} // namespace orvenly
