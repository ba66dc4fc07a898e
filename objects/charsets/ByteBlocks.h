#pragma once

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Bit masks over blocks of bytes, one bit per byte.
namespace orvenly::charsets {

#ifdef __SSE2__
// The bytes of the chunk that are not plain text, as a byte mask.
inline __m128i notPlainText(__m128i chunk) {
    // Signed, the bytes from 0x80 up are below 0x20 as well.
    const __m128i low = _mm_cmplt_epi8(chunk, _mm_set1_epi8(0x20));
    const __m128i plainLow = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('\t')),
                                          _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n')),
                                                       _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\r'))));
    return _mm_or_si128(_mm_andnot_si128(plainLow, low),
                        _mm_cmpeq_epi8(chunk, _mm_set1_epi8(0x7F)));
}
#endif

// Running text switches between 7-bit runs and two-byte codes every few bytes, and a walk
// that branches on each switch mispredicts each time. Over blocks of 64 bytes the units can
// be found with bit masks instead, with one branch per block.
inline constexpr qsizetype Block = 64;

// Of bytes where each marked byte that starts a unit takes the byte after it, the bytes
// taken: those that follow a run of marked bytes of odd length that begins at a unit start.
// The subtraction carries along each run and so counts it (the escaped characters of a JSON
// scanner are found the same way).
constexpr uint64_t takenAfterRuns(uint64_t marked) {
    constexpr uint64_t Odd = 0xAAAAAAAAAAAAAAAA;
    return ((((marked << 1) | Odd) - marked) ^ Odd) ^ marked;
}

constexpr uint64_t takenOneByOne(uint64_t marked) {
    uint64_t taken = 0;
    for (int k = 0; k < 63; ++k) {
        if ((marked >> k & 1) != 0 && (taken >> k & 1) == 0) {
            taken |= uint64_t{1} << (k + 1);
        }
    }
    return taken;
}

constexpr bool takenAfterRunsMatches() {
    for (uint64_t marked = 0; marked < 0x1000; ++marked) {
        for (const int shift : {0, 26, 52}) {
            if (takenAfterRuns(marked << shift) != takenOneByOne(marked << shift)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(takenAfterRunsMatches());

#ifdef __SSE2__
// One bit per byte of the block at p, set where the byte mask of its sixteen bytes is.
template <typename Mask> uint64_t blockBits(const uint8_t* p, Mask mask) {
    uint64_t bits = 0;
    for (int k = 0; k < Block / 16; ++k) {
        const __m128i chunk =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + std::ptrdiff_t{16} * k));
        bits |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(mask(chunk)))} << (16 * k);
    }
    return bits;
}

// The bytes from 0x80 up: their own top bits.
inline __m128i highBytes(__m128i chunk) {
    return chunk;
}

// 0x8F, which starts a JIS X 0212 code in EUC-JP.
inline __m128i supplementLeads(__m128i chunk) {
    return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(static_cast<char>(0x8F)));
}
#endif

} // namespace orvenly::charsets
