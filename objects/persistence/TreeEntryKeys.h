#pragma once

#include <QString>

namespace orvenly {

// The collection key of a node or tree key: its name with a fixed character appended, or none
// for an empty name.
inline QString nodeEntryKey(const QString& name) {
    return name.isEmpty() ? QString() : name + u'#';
}
inline QString keyEntryKey(const QString& name) {
    return name.isEmpty() ? QString() : name + u'@';
}

} // namespace orvenly
