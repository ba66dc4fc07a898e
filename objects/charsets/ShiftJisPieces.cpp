#include "CharsetEngine.h"

#include <platform/Cp932.h>

#include <algorithm>

namespace orvenly::charsets {

namespace {

constexpr qsizetype EncodePiece = 8192; // UTF-16 units

// Where the piece of text that starts at start ends: near EncodePiece units on, but never
// before a low surrogate (a pair is one character) nor before a half-width sound mark (it
// may merge with the katakana before it).
qsizetype pieceEnd(QStringView text, qsizetype start) {
    qsizetype stop = std::min(text.size(), start + EncodePiece);
    while (stop < text.size() &&
           (text[stop].isLowSurrogate() || text[stop] == u'\uFF9E' || text[stop] == u'\uFF9F')) {
        ++stop;
    }
    return stop;
}

} // namespace

void forEachShiftJisPiece(QStringView text,
                          const std::function<void(const uint8_t*, qsizetype)>& sink,
                          qsizetype& lost) {
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype stop = pieceEnd(text, start);
        qsizetype missing = 0;
        const QByteArray sjis = platform::cp932::encode(text.sliced(start, stop - start), &missing);
        lost += missing;
        sink(bytesOf(sjis), sjis.size());
        start = stop;
    }
}

} // namespace orvenly::charsets
