#include "shell/ProgramIcon.h"

namespace penlark {

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/penlark-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace penlark
