#pragma once

#include <QStringList>

namespace orvenly {

class TDBNodes;
class TreeGrowth;

// Each reads the lines of one format into the root nodes; an error raises, naming its line,
// and leaves what was read before it.
void readIniLines(const QStringList& lines, TDBNodes& roots, bool pathSections, TreeGrowth& growth);
void readBlockLines(const QStringList& lines, TDBNodes& roots, TreeGrowth& growth);

} // namespace orvenly
