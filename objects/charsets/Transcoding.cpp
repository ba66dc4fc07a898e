#include "orvenly/Transcoding.h"

#include "ByteBlocks.h"
#include "CharsetEngine.h"
#include "EucWalk.h"
#include "TranscodingTables.h"
#include "TwoByteCodes.h"
#include "Utf8Walk.h"
#include "orvenly/AutomationError.h"

#include <platform/Cp932.h>
#include <platform/Cp932Walk.h>
#include <platform/LargeBuffer.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <utility>

namespace orvenly {

namespace cp932 = platform::cp932;
using namespace charsets;

namespace {

// Writes the outputs of the units the code page 932 walk hands over.
class Writer {
public:
    Writer(uint8_t* out, const ShiftJisOutputs& outputs) : m_out(out), m_outputs(&outputs) {}

    uint8_t* position() const { return m_out; }
    void restart(uint8_t* out) { m_out = out; }

    // Plain text stands for itself in both encodings; the other 7-bit bytes go through the
    // table.
    qsizetype ascii(const uint8_t* in, qsizetype size) {
        uint8_t* const out = m_out;
        qsizetype i = 0;
#ifdef __SSE2__
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), chunk);
            const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
            const int run = high != 0 ? std::countr_zero(high) : 16;
            for (unsigned others = static_cast<unsigned>(_mm_movemask_epi8(notPlainText(chunk))) &
                                   ((1u << run) - 1);
                 others != 0; others &= others - 1) {
                const int k = std::countr_zero(others);
                out[i + k] = m_outputs->single[in[i + k]].bytes[0];
            }
            if (high != 0) {
                m_out = out + i + run;
                return i + run;
            }
        }
#endif
        for (; i < size && in[i] < 0x80; ++i) {
            out[i] = isPlainText(in[i]) ? in[i] : m_outputs->single[in[i]].bytes[0];
        }
        m_out = out + i;
        return i;
    }
    void single(uint8_t b) {
        put(m_outputs->single[b]);
    }
    void pair(uint8_t lead, uint8_t trail) {
        put(m_outputs->pairs[lead << 8 | trail]);
    }
    void broken() {
        put(m_outputs->broken);
    }

#ifdef __SSE2__
    // Copies plain 7-bit bytes sixteen at a time; the loads and stores reach up to fifteen
    // bytes past them, and nothing is touched when there is nothing to copy (a pair may end
    // past its block).
    void copyPlain(const uint8_t* in, qsizetype length) {
        for (qsizetype k = 0; k < length; k += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(m_out + k),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k)));
        }
        m_out += std::max(length, qsizetype{0});
    }
#endif
    // By value: the size then comes from the register the output was loaded into, not from
    // memory that the store might have changed.
    void put(Output output) {
        std::memcpy(m_out, &output, sizeof output);
        m_out += output.size();
    }

private:
    uint8_t* m_out;
    const ShiftJisOutputs* m_outputs;
};

// The walk of a lead byte left open with the Shift_JIS bytes that follow it: the writer
// after it, and the lead byte that it leaves open, if any.
struct Resumed {
    Writer writer;
    bool open;
    uint8_t lead;
};

// Rarely taken: kept out of the loops, it leaves their state in registers.
[[gnu::noinline]] Resumed resume(Writer writer, uint8_t lead, std::array<uint8_t, 2> sjis,
                                 qsizetype n) {
    const std::array<uint8_t, 3> bytes{lead, sjis[0], sjis[1]};
    const bool open = cp932::walk(bytes.data(), n + 1, writer) < n + 1;
    return {writer, open, bytes[static_cast<std::size_t>(n)]};
}

// Takes the EUC-JP walk's units to the writer. A pair whose Shift_JIS bytes leave a lead
// byte open lets that byte take the bytes that follow as code page 932 would: they are
// walked with it until the walk is back in step.
class EucUnits {
public:
    EucUnits(const Writer& writer, const EucOutputs& outputs)
        : m_writer(writer), m_outputs(&outputs) {}

    Writer& writer() { return m_writer; }

    qsizetype ascii(const uint8_t* in, qsizetype size) {
        if (m_open) [[unlikely]] {
            resumeWith({in[0], 0}, 1);
            return 1;
        }
        return m_writer.ascii(in, size);
    }
    void single(uint8_t b) {
        if (m_open) [[unlikely]] {
            resumeWith({b, 0}, 1);
        } else if (b < 0x80) {
            m_writer.ascii(&b, 1);
        } else {
            m_writer.single(b);
        }
    }
    void pair(uint8_t e1, uint8_t e2) {
        if (m_open) [[unlikely]] {
            EucToSjis(e1, e2);
            resumeWith({e1, e2}, 2);
            return;
        }
        putPair(m_writer, e1, e2);
    }
    // A JIS X 0212 code has no Shift_JIS bytes: a lead byte left open before it loses its
    // trail byte.
    void triple(uint8_t b1, uint8_t b2) {
        if (m_open) {
            m_writer.broken();
            m_open = false;
        }
        m_writer.put(m_outputs->triples[static_cast<std::size_t>((b1 - 0xA1) * 94 + b2 - 0xA1)]);
    }
    // Whole blocks from the unit start i while they lie before stop and sixteen bytes follow
    // them; returns the next unit start. A pair that leaves a lead byte open ends them, and so
    // does a block where 0x8F starts a unit: it may be a three-byte code, left to the walk.
    qsizetype blocks(const uint8_t* in, qsizetype i, qsizetype stop, qsizetype n) {
#ifdef __SSE2__
        Writer writer = m_writer;
        for (; !m_open && i + Block <= stop && i + Block + 16 <= n;) {
            const uint8_t* const block = in + i;
            const uint64_t high = blockBits(block, highBytes);
            if (high == 0) {
                i += writer.ascii(block, Block);
                continue;
            }
            const uint64_t taken = takenAfterRuns(high);
            const uint64_t starts = ~taken;
            if ((blockBits(block, supplementLeads) & starts) != 0) [[unlikely]] {
                m_supplementLead = true;
                break;
            }
            if ((blockBits(block, notPlainText) & starts & ~high) == 0) {
                // Plain 7-bit bytes only: copied in runs between the pairs.
                qsizetype from = 0;
                for (uint64_t pairs = starts & high; !m_open && pairs != 0; pairs &= pairs - 1) {
                    const int p = std::countr_zero(pairs);
                    writer.copyPlain(block + from, p - from);
                    from = p + 2;
                    putPair(writer, block[p], block[p + 1]);
                }
                if (m_open) {
                    m_writer = writer;
                    return i + from;
                }
                writer.copyPlain(block + from, std::max(qsizetype{0}, Block - from));
            } else {
                for (uint64_t units = starts; units != 0; units &= units - 1) {
                    const int p = std::countr_zero(units);
                    if (block[p] < 0x80) {
                        writer.ascii(block + p, 1);
                        continue;
                    }
                    putPair(writer, block[p], block[p + 1]);
                    if (m_open) {
                        m_writer = writer;
                        return i + p + 2;
                    }
                }
            }
            // A high byte at the end of the block takes the byte after it.
            i += Block + static_cast<qsizetype>((high & ~taken) >> 63);
        }
        m_writer = writer;
#endif
        return i;
    }
    // Whether blocks ended at a block where 0x8F starts a unit; asking clears it.
    bool atSupplementLead() {
        return std::exchange(m_supplementLead, false);
    }
    // A lead byte still open at the end has lost its trail byte.
    void finish() {
        if (m_open) {
            m_writer.broken();
        }
    }

private:
    void putPair(Writer& writer, uint8_t e1, uint8_t e2) {
        const Output output = m_outputs->pairs[e1 << 8 | e2];
        writer.put(output);
        if ((output.meta & Output::LeadLeftOpen) != 0) [[unlikely]] {
            openLead(e1, e2);
        }
    }
    // The second Shift_JIS byte of the pair is the lead byte left open.
    void openLead(uint8_t e1, uint8_t e2) {
        EucToSjis(e1, e2);
        m_lead = e2;
        m_open = true;
    }
    void resumeWith(std::array<uint8_t, 2> sjis, qsizetype n) {
        const Resumed resumed = resume(m_writer, m_lead, sjis, n);
        m_writer = resumed.writer;
        m_open = resumed.open;
        m_lead = resumed.lead;
    }

    Writer m_writer;
    const EucOutputs* m_outputs;
    bool m_open = false;
    uint8_t m_lead = 0;
    bool m_supplementLead = false;
};

// Takes the UTF-8 walk's units to the writer.
class CodePointUnits {
public:
    CodePointUnits(const Writer& writer, const CodePointOutputs& outputs)
        : m_writer(writer), m_outputs(&outputs) {}

    Writer& writer() { return m_writer; }
    bool malformedSeen() const { return m_malformed; }

    qsizetype ascii(const uint8_t* in, qsizetype size) { return m_writer.ascii(in, size); }
    void character(char32_t c) {
        m_writer.put(c <= 0xFFFF ? m_outputs->basic[c] : m_outputs->beyond);
    }
    void malformed() {
        m_writer.put(m_outputs->malformed);
        m_malformed = true;
    }

private:
    Writer m_writer;
    const CodePointOutputs* m_outputs;
    bool m_malformed = false;
};

[[noreturn]] void refuse() {
    throw AutomationError(errors::InvalidArgument, {}, QStringLiteral("StringConversion"));
}

Charset charsetOf(StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_SHIFTJIS:
        return Charset::ShiftJis;
    case SCS_EUC:
        return Charset::Euc;
    case SCS_UTF8:
        return Charset::Utf8;
    default:
        refuse();
    }
}

// The run of high bytes that ends before p, in bytes that start at begin: where it begins, and
// whether it holds 0x8F, which may start a three-byte code.
struct HighRun {
    const uint8_t* start;
    bool supplement;
};

HighRun highRunBefore(const uint8_t* begin, const uint8_t* p) {
    const uint8_t* q = p;
    bool supplement = false;
#ifdef __SSE2__
    for (; q - begin >= 16; q -= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q - 16));
        const auto high = static_cast<uint16_t>(_mm_movemask_epi8(chunk));
        const auto leads = static_cast<uint16_t>(_mm_movemask_epi8(supplementLeads(chunk)));
        if (high != 0xFFFF) {
            const int run = std::countl_one(high);
            return {q - run, supplement || (run != 0 && leads >> (16 - run) != 0)};
        }
        supplement = supplement || leads != 0;
    }
#endif
    while (q != begin && q[-1] >= 0x80) {
        --q;
        supplement = supplement || *q == 0x8F;
    }
    return {q, supplement};
}

// Whether a high byte right before p, in bytes that start at begin, takes p as its second
// byte: the EUC-JP walk starts a unit after every 7-bit byte, and from there each high byte
// takes two (0x8F before two bytes of 0xA1-0xFE three), so it does when the run of high bytes
// that ends before p ends inside a unit.
bool takenByPair(const uint8_t* begin, const uint8_t* p) {
    if (p == begin || p[-1] < 0x80) {
        return false;
    }
    const HighRun run = highRunBefore(begin, p);
    const uint8_t* q = run.start;
    if (!run.supplement) {
        return (p - q) % 2 != 0;
    }
    // Rare: the units walked one by one. A three-byte code never reaches past the run.
    while (q < p) {
        q += q[0] == 0x8F && p - q >= 3 && isSupplementByte(q[1]) && isSupplementByte(q[2]) ? 3 : 2;
    }
    return q != p;
}

// The output of one piece at a time, written out with its breaks as code.
class PieceOutput {
public:
    // Each input byte gives at most three output bytes (a half-width katakana in UTF-8). A
    // piece may end in the second byte of a pair, a CR held back from the piece before comes
    // first, and the stores of whole words and of sixteen-byte runs reach past the end.
    PieceOutput(qsizetype piece, const uint8_t* in)
        : m_size(static_cast<std::size_t>(3 * (piece + 1) + 1 + 32)),
          m_buffer(std::make_unique_for_overwrite<uint8_t[]>(m_size + Page)) {
        // Half a page off the input, whose pieces all start at the same place in a page:
        // the output runs about level with the input, and a load from an address 4 KiB
        // away from a store just made waits for it.
        const auto offset = (reinterpret_cast<std::uintptr_t>(in) + Page / 2 -
                             reinterpret_cast<std::uintptr_t>(m_buffer.get())) %
                            Page;
        m_begin = m_buffer.get() + offset;
    }

    uint8_t* begin() const { return m_begin; }

    // Whether a piece held a character the target cannot hold.
    bool lost() const { return m_lost; }
    // Whether the output ended before such a piece; before a piece the writer refused.
    bool stopped() const { return m_stopped; }
    bool refused() const { return m_refused; }
    void stopAtLoss() { m_stopAtLoss = true; }

    // Hands the piece that ends at end to write; false when the conversion ends there.
    bool write(uint8_t* end, StringLineBreakCodeConstants code,
               const std::function<bool(QByteArrayView)>& write) {
        char* const in = reinterpret_cast<char*>(begin());
        char* const inEnd = reinterpret_cast<char*>(end);
        for (char* mark = in;
             (mark = static_cast<char*>(
                  std::memchr(mark, LostMark, static_cast<std::size_t>(inEnd - mark)))) != nullptr;
             ++mark) {
            *mark = Question;
            m_lost = true;
        }
        if (m_lost && m_stopAtLoss) {
            m_stopped = true;
            return false;
        }
        if (!write(withBreaks(in, inEnd, code))) {
            m_refused = true;
            return false;
        }
        return true;
    }

private:
    static constexpr std::size_t Page = 4096;

    QByteArrayView withBreaks(char* in, char* inEnd, StringLineBreakCodeConstants code) {
        if (!hasMisfitBreak(in, inEnd, code)) {
            return QByteArrayView(in, inEnd);
        }
        if (code != SLB_CRLF) { // the text shrinks, if anything
            return QByteArrayView(in, writeLineBreaks(in, inEnd, in, code));
        }
        if (!m_grown) {
            m_grown = std::make_unique_for_overwrite<char[]>(2 * m_size);
        }
        return QByteArrayView(m_grown.get(), writeLineBreaks(in, inEnd, m_grown.get(), code));
    }

    std::size_t m_size;
    std::unique_ptr<uint8_t[]> m_buffer;
    uint8_t* m_begin;
    std::unique_ptr<char[]> m_grown; // for CR LF breaks in place of lone ones
    bool m_lost = false;
    bool m_stopAtLoss = false;
    bool m_stopped = false;
    bool m_refused = false;
};

} // namespace

LineBreakCounts countLineBreaks(QByteArrayView input, StringCharsetTypeConstants charset) {
    // In Shift_JIS and UTF-8 every CR and LF is a character of its own; in EUC-JP one may be
    // the second byte of a pair.
    const bool euc = charsetOf(charset) == Charset::Euc;
    const uint8_t* const in = bytesOf(input);
    const qsizetype n = input.size();
    LineBreakCounts counts;
    qsizetype afterCr = -1;
    auto count = [&](qsizetype at) {
        if (euc && takenByPair(in, in + at)) {
            return;
        }
        if (in[at] == '\r') {
            ++counts.cr;
            afterCr = at + 1;
        } else if (at == afterCr) {
            --counts.cr;
            ++counts.crLf;
        } else {
            ++counts.lf;
        }
    };
    qsizetype i = 0;
#ifdef __SSE2__
    for (; i + 16 <= n; i += 16) {
        for (unsigned mask = byteBreaks(reinterpret_cast<const char*>(in + i)); mask != 0;
             mask &= mask - 1) {
            count(i + std::countr_zero(mask));
        }
    }
#endif
    for (; i < n; ++i) {
        if (in[i] == '\r' || in[i] == '\n') {
            count(i);
        }
    }
    return counts;
}

bool transcode(QByteArrayView input, StringCharsetTypeConstants from, StringCharsetTypeConstants to,
               StringLineBreakCodeConstants code, const std::function<bool(QByteArrayView)>& write,
               TranscodeFindings* findings, bool stopAtLoss) {
    checkBreakCode(code);
    const Charset source = charsetOf(from);
    const Charset target = charsetOf(to);
    // Out of UTF-8 into the Japanese charsets; into it from Shift_JIS alone.
    const bool supported = source == Charset::Utf8
                               ? target != Charset::Utf8
                               : target != Charset::Utf8 || source == Charset::ShiftJis;
    if (!supported) {
        refuse();
    }
    TranscodeFindings found;
    const uint8_t* in = bytesOf(input);
    const qsizetype n = input.size();
    PieceOutput output(std::min(n, TranscodingPiece), in);
    uint8_t* const begin = output.begin();
    // Writes what the writer holds; a CR at its end may still be the first half of a CR LF.
    auto flush = [&](Writer& writer, bool last) {
        uint8_t* const end = writer.position();
        const bool holdCr = !last && end != begin && end[-1] == '\r';
        if (!output.write(holdCr ? end - 1 : end, code, write)) {
            return false;
        }
        if (holdCr) {
            begin[0] = '\r';
        }
        writer.restart(holdCr ? begin + 1 : begin);
        return true;
    };
    const Writer start(begin, shiftJisOutputs(target));
    if (stopAtLoss) {
        output.stopAtLoss();
    }
    // A writer's refusal ends the conversion with false, a stop at a loss with true.
    const auto report = [&] {
        if (findings != nullptr) {
            *findings = found;
            findings->lost = output.lost();
        }
        return !output.refused();
    };
    if (source == Charset::Utf8) {
        CodePointUnits units(start, codePointOutputs(target));
        for (qsizetype i = 0; i < n;) {
            const qsizetype stop = std::min(n, i + TranscodingPiece);
            // The walk stops before a sequence that the piece cuts, to read it with the next.
            i += walkUtf8(in + i, stop - i, units);
            if (i < n && stop == n) {
                units.malformed(); // a sequence cut by the end
                i = n;
            }
            if (!flush(units.writer(), i == n)) {
                break;
            }
        }
        found.malformed = units.malformedSeen();
        return report();
    }
    if (source == Charset::Euc) {
        EucUnits units(start, eucOutputs(target));
        for (qsizetype i = 0; i < n;) {
            const qsizetype stop = std::min(n, i + TranscodingPiece);
            // Blocks where 0x8F starts a unit are walked one by one, and then blocks again.
            for (;;) {
                i = units.blocks(in, i, stop, n);
                if (!units.atSupplementLead()) {
                    walkEuc<true>(in, i, stop, n, units);
                    break;
                }
                walkEuc<true>(in, i, std::min(stop, i + Block), n, units);
            }
            if (i == n) {
                units.finish();
            }
            if (!flush(units.writer(), i == n)) {
                break;
            }
        }
        return report();
    }
    Writer writer = start;
    for (qsizetype i = 0; i < n;) {
        const qsizetype stop = std::min(n, i + TranscodingPiece);
        // The walk stops before a lead byte that ends the piece, to read it with the next.
        i += cp932::walk(in + i, stop - i, writer);
        if (i == n - 1 && stop == n) {
            writer.broken(); // a lead byte without its trail byte at the end
            ++i;
        }
        if (!flush(writer, i == n)) {
            break;
        }
    }
    return report();
}

QByteArray transcode(QByteArrayView input, StringCharsetTypeConstants from,
                     StringCharsetTypeConstants to, StringLineBreakCodeConstants code) {
    QByteArray output;
    transcode(input, from, to, code, [&output](QByteArrayView piece) {
        output += piece;
        return true;
    });
    return output;
}

} // namespace orvenly
