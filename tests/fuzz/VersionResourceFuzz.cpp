// Any bytes as a Windows executable, and as a version resource by itself: reading stays within
// the file and its blocks.
#include "MemoryFile.h"
#include "objects/files/VersionResource.h"

#include <orvenly/FileSystem.h>

#include <cstddef>
#include <cstdint>

namespace {

void readResource(QByteArrayView resource) {
    namespace version = orvenly::version;
    (void)version::fixedFileVersion(resource);
    for (const QString& path : {QStringLiteral("VarFileInfo\\Translation"),
                                QStringLiteral("StringFileInfo\\040904b0\\CompanyName"),
                                QStringLiteral("StringFileInfo"), QStringLiteral("\\")}) {
        if (const auto value = version::queryValue(resource, path))
            (void)version::textValue(*value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    readResource(bytes);

    static MemoryFile file;
    const QString& path = file.hold(bytes);
    readResource(orvenly::version::readVersionResource(path));
    const orvenly::FileSystem& fs = orvenly::FileSystem::instance();
    int32_t major = 0, minor = 0, revisionH = 0, revisionL = 0;
    (void)fs.GetFileVersion(path, major, minor, revisionH, revisionL);
    (void)fs.GetFileVersionDetails(path, QStringLiteral("FileDescription"));
    return 0;
}
