#include "orvenly/TDBNodes.h"

#include "TreeEntryKeys.h"

namespace orvenly {

TDBNodes::~TDBNodes() {
    for (const std::shared_ptr<TDBNode>& node : m_nodes)
        node->m_index = 0;
}

std::shared_ptr<TDBNode> TDBNodes::Item(const QString& NodeName) {
    if (const std::shared_ptr<TDBNode>* found = m_nodes.Find(nodeEntryKey(NodeName)))
        return *found;
    if (!m_autoCreate)
        throw AutomationError(errors::InvalidArgument);
    return Add(NodeName);
}

bool TDBNodes::Exists(const QString& NodeName) const {
    return m_nodes.Exists(nodeEntryKey(NodeName));
}

std::shared_ptr<TDBNode> TDBNodes::Add(const QString& NodeName, int32_t Index) {
    std::shared_ptr<TDBNode> node = TDBNode::create(NodeName, m_owner, weak_from_this());
    m_nodes.Add(node, nodeEntryKey(NodeName), Index);
    return node;
}

void TDBNodes::Remove(const Variant& Index) {
    std::shared_ptr<TDBNode> removed;
    if (Index.type() == Variant::Type::String) {
        const QString key = nodeEntryKey(Index.toString());
        removed = m_nodes.Item(key);
        m_nodes.Remove(key);
    } else {
        const int32_t position = Index.toLong();
        removed = m_nodes.Item(position);
        m_nodes.Remove(position);
    }
    removed->m_index = 0;
    removed->m_owner.reset();
}

void TDBNodes::Clear() {
    for (const std::shared_ptr<TDBNode>& node : m_nodes) {
        node->m_index = 0;
        node->m_owner.reset();
    }
    m_nodes.Clear();
}

void TDBNodes::rename(TDBNode& node, const QString& name) {
    // A node that has left the collection keeps no place in it.
    if (node.m_index >= 1 && node.m_index <= Count() && m_nodes.Item(node.m_index).get() == &node)
        m_nodes.Rekey(node.m_index, nodeEntryKey(name));
}

void TDBNodes::takeAll(std::vector<std::shared_ptr<TDBNode>>& into) {
    for (std::shared_ptr<TDBNode>& node : m_nodes) {
        node->m_index = 0;
        node->m_owner.reset();
        into.push_back(std::move(node));
    }
    m_nodes.Clear();
}

} // namespace orvenly
