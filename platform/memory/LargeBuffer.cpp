#include "platform/LargeBuffer.h"

#include <cstdint>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace platform {

void adviseHugePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    // Offsets from the pointer rather than addresses made up from numbers.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = (start + size) & ~(HugePage - 1);
    if (end > first) {
        madvise(static_cast<char*>(data) + (first - start), end - first, MADV_HUGEPAGE);
    }
#endif
}

QByteArray largeBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    adviseHugePages(bytes.data(), static_cast<std::size_t>(size));
    return bytes;
}

QString largeString(qsizetype size) {
    QString text(size, Qt::Uninitialized);
    adviseHugePages(text.data(), static_cast<std::size_t>(size) * sizeof(char16_t));
    return text;
}

} // namespace platform
