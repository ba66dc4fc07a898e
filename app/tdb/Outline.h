#pragma once

#include <orvenly/TDBNodes.h>

#include <QString>

namespace penlark::tdb {

// Each node as "[name]", its keys below it as "name = value", children indented by two
// spaces more; LF line ends. Control characters are escaped so that each entry keeps its line.
QString outline(const orvenly::TDBNodes& roots);

} // namespace penlark::tdb
