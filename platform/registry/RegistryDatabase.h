#pragma once

#include "Sqlite.h"

#include <QString>

namespace platform {

// Opens the registry file with its schema in place, creating file and folder when missing.
// A file that is not a usable database is moved aside (with a warning on standard error) and
// replaced by a fresh one; a file that cannot be written is opened read-only. Null when
// nothing can be opened.
sqlite::Database openRegistryDatabase(const QString& path);

} // namespace platform
