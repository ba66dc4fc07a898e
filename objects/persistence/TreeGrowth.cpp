#include "TreeGrowth.h"

#include "orvenly/AutomationError.h"
#include "orvenly/TDB.h"

#include <algorithm>

namespace orvenly {

TreeGrowth::TreeGrowth(qsizetype textLength)
    : m_remaining(std::min<int64_t>(FixedAllowance + int64_t(TDB::ExpansionFactor) * textLength,
                                    TDB::MaxGrowth)) {}

std::shared_ptr<TDBNode> TreeGrowth::child(TDBNodes& nodes, const QString& name, int depth) {
    if (depth > TDB::MaxDepth)
        throw AutomationError(
            errors::InvalidFileFormat,
            QStringLiteral("nodes nest deeper than %1 levels").arg(TDB::MaxDepth));
    const int32_t before = nodes.Count();
    std::shared_ptr<TDBNode> node = nodes.Item(name);
    if (nodes.Count() != before)
        spend(NodeCost + name.size());
    return node;
}

void TreeGrowth::setKey(TDBNode& node, const QString& name, const QString& value) {
    spend(KeyCost + name.size() + value.size());
    // Every node a load makes creates its keys on demand, so this finds or adds.
    node.Keys()->Item(name)->setValue(value);
}

void TreeGrowth::spend(int64_t cost) {
    m_remaining -= cost;
    if (m_remaining < 0)
        throw AutomationError(errors::OutOfMemory,
                              QStringLiteral("templates and macros expand the file too far"));
}

} // namespace orvenly
