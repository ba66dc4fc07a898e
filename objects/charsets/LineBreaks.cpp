#include "CharsetEngine.h"
#include "orvenly/AutomationError.h"

#include <platform/LargeBuffer.h>

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orvenly::charsets {

namespace {

#ifdef __SSE2__
// Bit pairs set for the units up to CR among the eight at p.
unsigned breakCandidates(const char16_t* p) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Saturating subtraction leaves zero exactly for the units up to CR.
    const __m128i low =
        _mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(u'\r')), _mm_setzero_si128());
    return static_cast<unsigned>(_mm_movemask_epi8(low));
}
#endif

// Length of the run of characters above CR at the start of in[0, n): characters that the
// line-break rewrite keeps as they are.
qsizetype plainRun(const char16_t* in, qsizetype n) {
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 8 <= n; i += 8) {
        if (const unsigned mask = breakCandidates(in + i); mask != 0) {
            return i + std::countr_zero(mask) / 2;
        }
    }
#endif
    while (i < n && in[i] > u'\r') {
        ++i;
    }
    return i;
}

// Length of the run of characters above CR that ends at in[n - 1].
qsizetype plainRunBefore(const char16_t* in, qsizetype n) {
    qsizetype i = n;
#ifdef __SSE2__
    for (; i >= 8; i -= 8) {
        if (const unsigned mask = breakCandidates(in + i - 8); mask != 0) {
            return 8 - (std::bit_width(mask) + 1) / 2 + (n - i);
        }
    }
#endif
    while (i > 0 && in[i - 1] > u'\r') {
        --i;
    }
    return n - i;
}

struct BreakScan {
    LineBreakCounts counts;
    bool hasNul = false;
};

BreakScan scanBreaks(const char16_t* in, qsizetype n) {
    BreakScan scan;
    for (qsizetype i = plainRun(in, n); i < n; i += plainRun(in + i, n - i)) {
        const char16_t c = in[i++];
        if (c == u'\r' && i < n && in[i] == u'\n') {
            ++scan.counts.crLf;
            ++i;
        } else if (c == u'\r') {
            ++scan.counts.cr;
        } else if (c == u'\n') {
            ++scan.counts.lf;
        } else if (c == u'\0') {
            scan.hasNul = true;
        }
    }
    return scan;
}

// Rewrites in[0, n) into out[0, size) from the back, every break as CR LF and NUL as "?".
// out may be in itself: size leaves room for the lone CR and LF, so the writer never
// overtakes the reader.
void rewriteBreaks(const char16_t* in, qsizetype n, char16_t* out, qsizetype size) {
    qsizetype i = n;
    qsizetype o = size;
    while (i > 0) {
        const qsizetype run = plainRunBefore(in, i);
        i -= run;
        o -= run;
        std::memmove(out + o, in + i, static_cast<std::size_t>(run) * sizeof(char16_t));
        if (i == 0) {
            break;
        }
        const char16_t c = in[--i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\n' && i > 0 && in[i - 1] == u'\r') {
                --i;
            }
            out[--o] = u'\n';
            out[--o] = u'\r';
        } else {
            out[--o] = c == u'\0' ? u'?' : c;
        }
    }
}

const char* findByte(const char* p, const char* end, char wanted) {
    const void* found = std::memchr(p, wanted, static_cast<std::size_t>(end - p));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

} // namespace

StringLineBreakCodeConstants normaliseBreaks(QString& text) {
    const qsizetype n = text.size();
    const BreakScan scan = scanBreaks(QStringView(text).utf16(), n);
    const qsizetype size = n + scan.counts.cr + scan.counts.lf;
    if (size == n && !scan.hasNul) {
        return scan.counts.dominant();
    }
    if (text.isDetached() && text.capacity() >= size) {
        // Decoded text usually has room to grow in place.
        text.resize(size);
        char16_t* units = unitsOf(text);
        rewriteBreaks(units, n, units, size);
    } else {
        QString rewritten = platform::largeString(size);
        rewriteBreaks(QStringView(text).utf16(), n, unitsOf(rewritten), size);
        text = std::move(rewritten);
    }
    return scan.counts.dominant();
}

const char* findByteBreak(const char* p, const char* end) {
#ifdef __SSE2__
    for (; end - p >= 16; p += 16) {
        if (const unsigned mask = byteBreaks(p); mask != 0) {
            return p + std::countr_zero(mask);
        }
    }
#endif
    while (p != end && *p != '\r' && *p != '\n') {
        ++p;
    }
    return p;
}

void checkBreakCode(StringLineBreakCodeConstants code) {
    if (code != SLB_CRLF && code != SLB_CR && code != SLB_LF) {
        throw AutomationError(errors::InvalidArgument, {}, QStringLiteral("StringConversion"));
    }
}

bool hasMisfitBreak(const char* in, const char* end, StringLineBreakCodeConstants code) {
    // Every CR is a misfit among LF breaks, every LF among CR breaks.
    if (code == SLB_LF) {
        return findByte(in, end, '\r') != end;
    }
    if (code == SLB_CR) {
        return findByte(in, end, '\n') != end;
    }
    for (const char* p = findByteBreak(in, end); p != end; p = findByteBreak(p + 2, end)) {
        if (p[0] != '\r' || p + 1 == end || p[1] != '\n') {
            return true;
        }
    }
    return false;
}

char* writeLineBreaks(const char* in, const char* end, char* out,
                      StringLineBreakCodeConstants code) {
    for (;;) {
        const char* found = findByteBreak(in, end);
        std::memmove(out, in, static_cast<std::size_t>(found - in));
        out += found - in;
        if (found == end) {
            return out;
        }
        in = found + (found[0] == '\r' && found + 1 != end && found[1] == '\n' ? 2 : 1);
        if (code != SLB_LF) {
            *out++ = '\r';
        }
        if (code != SLB_CR) {
            *out++ = '\n';
        }
    }
}

} // namespace orvenly::charsets

namespace orvenly {

StringLineBreakCodeConstants LineBreakCounts::dominant() const {
    if (crLf == 0 && cr == 0 && lf == 0) {
        return SLB_UNKNOWN;
    }
    if (crLf >= lf && crLf >= cr) {
        return SLB_CRLF;
    }
    return lf >= cr ? SLB_LF : SLB_CR;
}

void setLineBreaks(QByteArray& bytes, StringLineBreakCodeConstants code) {
    charsets::checkBreakCode(code);
    const char* const in = bytes.constData();
    const char* const end = in + bytes.size();
    if (!charsets::hasMisfitBreak(in, end, code)) {
        return;
    }
    if (code == SLB_CRLF) { // grows: into a buffer of its own
        QByteArray grown = platform::largeBytes(2 * bytes.size());
        charsets::cutTo(grown,
                        charsets::writeLineBreaks(in, end, grown.data(), code) - grown.data());
        bytes = std::move(grown);
    } else {
        char* const out = bytes.data();
        bytes.truncate(charsets::writeLineBreaks(out, out + bytes.size(), out, code) - out);
    }
}

} // namespace orvenly
