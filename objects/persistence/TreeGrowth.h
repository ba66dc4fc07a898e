#pragma once

#include "orvenly/TDBNodes.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace orvenly {

// Every node and key a load makes goes through here, so that a file cannot make the tree
// deeper than the limit, nor expand (by templates and macros) beyond its budget.
class TreeGrowth {
public:
    // Costs in characters of text, near the memory each takes.
    static constexpr int64_t NodeCost = 320;
    static constexpr int64_t KeyCost = 160;
    static constexpr int64_t FixedAllowance = int64_t(1) << 20;

    // For a file of that many characters.
    explicit TreeGrowth(qsizetype textLength);

    // The node of that name in nodes (created if new), which lie at depth (1 for root nodes).
    std::shared_ptr<TDBNode> child(TDBNodes& nodes, const QString& name, int depth);
    // Sets the key of that name, adding it if new.
    void setKey(TDBNode& node, const QString& name, const QString& value);

    // Raises when the budget cannot pay for that many characters.
    void spend(int64_t cost);
    int64_t remaining() const { return m_remaining; }

private:
    int64_t m_remaining;
};

} // namespace orvenly
