#pragma once

#include <QString>

namespace orvenly {

// Only U+0020 counts as a space here; tabs and other white space are kept. A string made
// of spaces alone (or empty) gives the empty string.
QString TrimSpaces(const QString& text);
QString TrimLeadingSpaces(const QString& text);
QString TrimTrailingSpaces(const QString& text);

} // namespace orvenly
