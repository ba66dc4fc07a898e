#include "orvenly/FileSystem.h"

#include "orvenly/AutomationError.h"
#include "platform/FileReplacement.h"
#include "platform/ReadableFile.h"

#include <QFileInfo>
#include <vector>

namespace orvenly {

namespace {

constexpr int64_t CopyChunk = int64_t(1) << 20;

[[noreturn]] void raiseFor(const platform::ReadableFile& source) {
    using Failure = platform::ReadableFile::Failure;
    switch (source.failure()) {
    case Failure::Missing:
        throw AutomationError(errors::FileNotFound);
    case Failure::Denied:
        throw AutomationError(errors::PermissionDenied);
    case Failure::NotRegular:
        throw AutomationError(errors::PathFileAccessError);
    default:
        throw AutomationError(errors::DeviceIOError, source.errorString());
    }
}

} // namespace

bool FileSystem::FileCopyEx(const QString& Source, const QString& Destination) const {
    platform::ReadableFile source(Source);
    if (!source.isOpen())
        raiseFor(source);
    // Writing a file over itself would only risk it.
    const QString target = platform::resolveWriteTarget(Destination);
    if (!target.isEmpty() && platform::fileIdentity(target) == source.identity())
        return true;

    platform::FileReplacement destination(Destination);
    if (!destination.isOpen()) {
        const QFileInfo existing(Destination);
        throw AutomationError(existing.exists() && existing.isFile() ? errors::PermissionDenied
                                                                     : errors::PathFileAccessError,
                              destination.errorString());
    }
    std::vector<char> chunk(static_cast<size_t>(CopyChunk));
    for (;;) {
        const int64_t n = source.read(chunk.data(), CopyChunk);
        if (n < 0)
            throw AutomationError(errors::DeviceIOError);
        if (n == 0)
            break;
        if (!destination.write(chunk.data(), n))
            break;
    }
    if (!destination.commit())
        throw AutomationError(errors::PathFileAccessError, destination.errorString());
    if (!platform::applyFileStamp(Destination, source.stamp()))
        throw AutomationError(errors::PermissionDenied);
    return true;
}

} // namespace orvenly
