// Any bytes as an archive, read item by item as a script says, and as a stored property bag
// and recent-file list: every read either gives what the bytes hold or raises an automation
// error, and never touches memory it does not own.
//
// The input is a script of up to 16 bytes, a byte 0xFF, and the archive's contents.
#include "MemoryFile.h"

#include <orvenly/Archive.h>
#include <orvenly/AutomationError.h>
#include <orvenly/MRU.h>
#include <orvenly/PropertyBag.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr uint8_t ScriptEnd = 0xFF;
constexpr qsizetype LongestScript = 16;

// Each step: the low two bits choose the item, the others a length for a raw block.
void runScript(orvenly::Archive& archive, QByteArrayView script) {
    std::array<char, 64> block{};
    for (const char step : script) {
        const auto op = static_cast<uint8_t>(step);
        switch (op & 3) {
        case 0:
            (void)archive.ReadLong();
            break;
        case 1:
            (void)archive.ReadString();
            break;
        case 2:
            archive.ReadAny(block.data(), op >> 2);
            break;
        default:
            archive.Flush();
            break;
        }
    }
}

template <class Object> void readAs(const QString& path, Object& object) {
    orvenly::Archive archive;
    try {
        archive.OpenArchive(path, false);
        (void)object.Serialize(archive);
        archive.CloseArchive();
    } catch (const orvenly::AutomationError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(data, qsizetype(size));
    const qsizetype end =
        input.first(std::min(input.size(), LongestScript + 1)).indexOf(char(ScriptEnd));
    const QByteArrayView script = end < 0 ? QByteArrayView() : input.first(end);
    const QByteArrayView contents = end < 0 ? input : input.sliced(end + 1);

    static MemoryFile file;
    const QString& path = file.hold(contents);
    // Buffers as small as allowed meet every refill at an item's edge.
    for (const int32_t buffer : {4, 7, orvenly::Archive::DefaultBufferSize}) {
        orvenly::Archive archive;
        try {
            archive.OpenArchive(path, false, buffer);
            runScript(archive, script);
            archive.CloseArchive();
        } catch (const orvenly::AutomationError&) {
        }
    }
    orvenly::PropertyBag bag;
    readAs(path, bag);
    orvenly::MRU recent;
    readAs(path, recent);
    return 0;
}
