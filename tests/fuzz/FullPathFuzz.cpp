// Any text as a path (and, after a first line break, a base folder), resolved against the
// real file system, which is only looked at: the result is empty or an existing absolute path.
#include <orvenly/FileSystem.h>

#include <QFileInfo>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf(u'\n');
    const QString path = split < 0 ? input : input.left(split);
    const QString base = split < 0 ? QString() : input.mid(split + 1);

    const orvenly::FileSystem& fs = orvenly::FileSystem::instance();
    const QString full = fs.GetFullPath(path, base);
    if (!full.isEmpty() && (!full.startsWith(u'/') || !QFileInfo::exists(full)))
        std::abort();
    for (const QString& each : fs.DivideFilesArgument(path, base))
        if (!each.startsWith(u'/'))
            std::abort();
    return 0;
}
