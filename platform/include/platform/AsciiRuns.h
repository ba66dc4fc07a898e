#pragma once

#include <QtGlobal>
#include <bit>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Copying runs of ASCII between bytes and UTF-16, or from bytes to bytes, sixteen at a time where
// the CPU allows.
namespace platform::cp932::ascii {

// Widens the ASCII bytes at the start of in[0, size) into out and returns how many there were.
// out must have room for size units.
inline qsizetype widenRun(const uint8_t* in, qsizetype size, char16_t* out) {
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        // All sixteen are stored; units past the run are overwritten by the caller.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(chunk, zero));
        const auto nonAscii = static_cast<unsigned>(_mm_movemask_epi8(chunk));
        if (nonAscii != 0)
            return i + std::countr_zero(nonAscii);
    }
#endif
    for (; i < size && in[i] < 0x80; ++i)
        out[i] = in[i];
    return i;
}

// Copies the ASCII bytes at the start of in[0, size) to out and returns how many there were.
// out must have room for size bytes.
inline qsizetype copyRun(const uint8_t* in, qsizetype size, uint8_t* out) {
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), chunk);
        const auto nonAscii = static_cast<unsigned>(_mm_movemask_epi8(chunk));
        if (nonAscii != 0)
            return i + std::countr_zero(nonAscii);
    }
#endif
    for (; i < size && in[i] < 0x80; ++i)
        out[i] = in[i];
    return i;
}

// Narrows the ASCII units at the start of in[0, size) into out and returns how many there were.
// out must have room for size bytes.
inline qsizetype narrowRun(const char16_t* in, qsizetype size, uint8_t* out) {
    qsizetype i = 0;
#ifdef __SSE2__
    // Adding 0x7F80 with saturation sets the top bit of every unit from 0x80 up.
    const __m128i flagNonAscii = _mm_set1_epi16(0x7F80);
    for (; i + 16 <= size; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
        const __m128i flags =
            _mm_packs_epi16(_mm_adds_epu16(low, flagNonAscii), _mm_adds_epu16(high, flagNonAscii));
        const auto nonAscii = static_cast<unsigned>(_mm_movemask_epi8(flags));
        if (nonAscii != 0)
            return i + std::countr_zero(nonAscii);
    }
#endif
    for (; i < size && in[i] < 0x80; ++i)
        out[i] = static_cast<uint8_t>(in[i]);
    return i;
}

} // namespace platform::cp932::ascii
