#include "orvenly/TDBNodes.h"

namespace orvenly {

std::shared_ptr<TDBNode> TDBNode::create(const QString& name, std::weak_ptr<TDBNode> parent,
                                         std::weak_ptr<TDBNodes> owner) {
    auto node = std::make_shared<TDBNode>(Made(), name, std::move(parent), std::move(owner));
    node->m_keys = std::make_shared<TDBKeys>(TDBKeys::Made(), node);
    node->m_subNodes = std::make_shared<TDBNodes>(TDBNodes::Made(), node);
    return node;
}

// A deep tree is released level by level here: nested destructors, one per level, would run
// out of stack.
TDBNode::~TDBNode() {
    std::vector<std::shared_ptr<TDBNode>> pending;
    const auto takeChildren = [&pending](const std::shared_ptr<TDBNodes>& subNodes) {
        // Children of a collection that someone else holds stay with it.
        if (subNodes && subNodes.use_count() == 1)
            subNodes->takeAll(pending);
    };
    takeChildren(m_subNodes);
    while (!pending.empty()) {
        std::shared_ptr<TDBNode> node = std::move(pending.back());
        pending.pop_back();
        if (node.use_count() == 1)
            takeChildren(node->m_subNodes);
    }
}

void TDBNode::setName(const QString& Name) {
    if (Name == m_name)
        return;
    if (const std::shared_ptr<TDBNodes> owner = m_owner.lock())
        owner->rename(*this, Name);
    m_name = Name;
}

} // namespace orvenly
