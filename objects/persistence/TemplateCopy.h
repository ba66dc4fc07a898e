#pragma once

namespace orvenly {

class TDBNode;
class TreeGrowth;

// Copies the keys and, recursively, the child nodes of source into destination (which lies
// at depth), replacing the values of keys it has already. What is copied is the source as it
// stands before the copy, even when the destination lies inside it.
void copyTemplate(const TDBNode& source, TDBNode& destination, int depth, TreeGrowth& growth);

} // namespace orvenly
