#include "orvenly/TDBNodes.h"

#include "TreeEntries.h"

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
    detach(*takeEntry(m_nodes, Index, nodeEntryKey));
}

void TDBNodes::Clear() {
    for (const std::shared_ptr<TDBNode>& node : m_nodes)
        detach(*node);
    m_nodes.Clear();
}

void TDBNodes::rename(TDBNode& node, const QString& name) {
    rekeyEntry(m_nodes, node, nodeEntryKey(name));
}

void TDBNodes::detach(TDBNode& node) {
    node.m_index = 0;
    node.m_owner.reset();
}

void TDBNodes::takeAll(std::vector<std::shared_ptr<TDBNode>>& into) {
    for (std::shared_ptr<TDBNode>& node : m_nodes) {
        detach(*node);
        into.push_back(std::move(node));
    }
    m_nodes.Clear();
}

} // namespace orvenly
