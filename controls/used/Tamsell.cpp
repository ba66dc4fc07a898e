#include "tamsell/Tamsell.h"

namespace tamsell {

QString libraryVersion() {
    return QStringLiteral("1.0");
}

} // namespace tamsell
