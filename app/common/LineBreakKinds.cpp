#include "common/LineBreakKinds.h"

#include <cstring>

namespace penlark {

using namespace orvenly;

namespace {

// The code unit at i of UTF-16 bytes in the given order.
char16_t unitAt(QByteArrayView bytes, qsizetype i, bool bigEndian) {
    const auto low = uchar(bytes[i + (bigEndian ? 1 : 0)]);
    const auto high = uchar(bytes[i + (bigEndian ? 0 : 1)]);
    return char16_t(high << 8 | low);
}

template <typename Unit> void collect(qsizetype count, Unit unit, LineBreakKinds& kinds) {
    for (qsizetype i = 0; i < count; ++i) {
        const char16_t c = unit(i);
        if (c == u'\r') {
            if (i + 1 < count && unit(i + 1) == u'\n') {
                kinds.crLf = true;
                ++i;
            } else {
                kinds.cr = true;
            }
        } else if (c == u'\n') {
            kinds.lf = true;
        }
        if (kinds.mixed())
            return;
    }
}

const char* find(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

// Break to break, each found by memchr: a file of hundreds of MB is read at memory speed.
void collectBytes(QByteArrayView bytes, LineBreakKinds& kinds) {
    const char* end = bytes.data() + bytes.size();
    const char* cr = find(bytes.data(), end, '\r');
    const char* lf = find(bytes.data(), end, '\n');
    while ((cr != end || lf != end) && !kinds.mixed()) {
        if (cr < lf) {
            if (cr + 1 == lf && lf != end) {
                kinds.crLf = true;
                lf = find(lf + 1, end, '\n');
            } else {
                kinds.cr = true;
            }
            cr = find(cr + 1, end, '\r');
        } else {
            kinds.lf = true;
            lf = find(lf + 1, end, '\n');
        }
    }
}

} // namespace

LineBreakKinds lineBreakKinds(QByteArrayView bytes, TextForm form) {
    LineBreakKinds kinds;
    if (form.charset == SCS_UTF16LE || form.charset == SCS_UTF16BE) {
        const bool bigEndian = form.charset == SCS_UTF16BE;
        collect(
            bytes.size() / 2, [&](qsizetype i) { return unitAt(bytes, 2 * i, bigEndian); }, kinds);
    } else {
        collectBytes(bytes, kinds);
    }
    return kinds;
}

} // namespace penlark
