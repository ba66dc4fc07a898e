#pragma once

#include <QString>

namespace tamsell {

// The control library's version, as the program's About box shows it.
QString libraryVersion();

} // namespace tamsell
