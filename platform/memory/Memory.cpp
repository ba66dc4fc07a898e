#include "platform/Memory.h"

#include <QByteArray>
#include <QFile>

namespace platform {

namespace {

// MemAvailable from /proc/meminfo in bytes, or -1.
int64_t availableMemory() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return -1;
    // The file's size is not known in advance; its lines are few.
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const int64_t kib = line.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kib * 1024 : -1;
    }
    return -1;
}

} // namespace

bool memoryAllows(int64_t bytes) {
    const int64_t available = availableMemory();
    return available < 0 || bytes <= available;
}

} // namespace platform
