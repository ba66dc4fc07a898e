#include "common/LineBreakKinds.h"

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

} // namespace

LineBreakKinds lineBreakKinds(QByteArrayView bytes, TextForm form) {
    LineBreakKinds kinds;
    if (form.charset == SCS_UTF16LE || form.charset == SCS_UTF16BE) {
        const bool bigEndian = form.charset == SCS_UTF16BE;
        collect(
            bytes.size() / 2, [&](qsizetype i) { return unitAt(bytes, 2 * i, bigEndian); }, kinds);
    } else {
        collect(
            bytes.size(), [&](qsizetype i) { return char16_t(uchar(bytes[i])); }, kinds);
    }
    return kinds;
}

} // namespace penlark
