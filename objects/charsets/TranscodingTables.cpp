#include "TranscodingTables.h"

#include "CharsetEngine.h"
#include "EucWalk.h"
#include "TwoByteCodes.h"

#include <platform/Cp932.h>
#include <platform/Cp932Walk.h>
#include <platform/LargeBuffer.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace orvenly::charsets {

namespace cp932 = platform::cp932;

namespace {

// What the encoder for target writes for one character of the decoded text, after the
// line-break conversion has turned NUL into "?".
// Those that a target does not hold are marked, to be written as "?".
void appendCharacter(Output& output, char16_t c, Charset target) {
    if (c == u'\0') {
        c = u'?';
    }
    const StringCharsetTypeConstants charsets[] = {SCS_SHIFTJIS, SCS_EUC, SCS_UTF8};
    if (!holdsUnit(c, charsets[static_cast<int>(target)])) {
        output.append(&LostMark, 1);
        return;
    }
    if (target == Charset::Utf8) {
        const QByteArray utf8 = QString(QChar(c)).toUtf8();
        output.append(bytesOf(utf8), utf8.size());
        return;
    }
    if (target == Charset::Euc) {
        std::array<uint8_t, 3> euc{Question};
        const uint8_t* end = putEucJp(c, euc.data());
        output.append(euc.data(), end == euc.data() ? 1 : end - euc.data());
        return;
    }
    const uint16_t code = cp932::encodeChar(c);
    std::array<uint8_t, 2> sjis{Question, 0};
    qsizetype n = 1;
    if (code > 0xFF) {
        sjis = {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)};
        n = 2;
    } else if (code != 0) { // else the character has no code: "?"
        sjis[0] = static_cast<uint8_t>(code);
    }
    output.append(sjis.data(), n);
}

// The tables live as long as the program, all on two huge pages: the first touches of their
// 4 KiB pages would cost more than filling them.
void* tableMemory(std::size_t size) {
    constexpr std::size_t Region = std::size_t{4} << 20;
    static_assert(3 * sizeof(ShiftJisOutputs) + 2 * sizeof(EucOutputs) +
                      2 * sizeof(CodePointOutputs) + 7 * std::size_t{64} <=
                  Region);
    static char* const region = [] {
        void* memory = std::aligned_alloc(Region, Region);
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
        platform::adviseHugePages(memory, Region);
        return static_cast<char*>(memory);
    }();
    static std::atomic<std::size_t> used{0};
    return region + used.fetch_add((size + 63) & ~std::size_t{63}); // each on its own cache lines
}

const ShiftJisOutputs* makeShiftJisOutputs(Charset target) {
    auto* outputs = new (tableMemory(sizeof(ShiftJisOutputs))) ShiftJisOutputs();
    for (unsigned b = 0; b < 256; ++b) {
        appendCharacter(outputs->single[b], cp932::decodeByte(static_cast<uint8_t>(b)), target);
    }
    appendCharacter(outputs->broken, cp932::ReplacementCharacter, target);
    for (unsigned lead = 0x80; lead < 256; ++lead) {
        if (!cp932::isLeadByte(static_cast<uint8_t>(lead))) {
            continue;
        }
        for (unsigned trail = 0; trail < 256; ++trail) {
            if (cp932::isTrailByte(static_cast<uint8_t>(trail))) {
                appendCharacter(
                    outputs->pairs[lead << 8 | trail],
                    cp932::decodePair(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)),
                    target);
            }
        }
    }
    return outputs;
}

// Gathers the outputs of the units that the code page 932 walk hands over.
struct OutputCollector {
    const ShiftJisOutputs* outputs;
    Output* output;

    qsizetype ascii(const uint8_t* in, qsizetype) {
        output->append(outputs->single[*in]);
        return 1;
    }
    void single(uint8_t b) { output->append(outputs->single[b]); }
    void pair(uint8_t lead, uint8_t trail) { output->append(outputs->pairs[lead << 8 | trail]); }
    void broken() { output->append(outputs->broken); }
};

// Gathers the output of one unit of the EUC-JP walk: its Shift_JIS bytes as the code page 932
// walk reads them after a complete unit, and whether they leave a lead byte open.
struct EucUnitCollector {
    const ShiftJisOutputs* outputs;
    Output* output;

    qsizetype ascii(const uint8_t* in, qsizetype) {
        read({*in, 0}, 1);
        return 1;
    }
    void single(uint8_t b) { read({b, 0}, 1); }
    void pair(uint8_t e1, uint8_t e2) {
        EucToSjis(e1, e2);
        read({e1, e2}, 2);
    }

private:
    void read(std::array<uint8_t, 2> sjis, qsizetype n) {
        OutputCollector collector{outputs, output};
        if (cp932::walk(sjis.data(), n, collector) < n) {
            output->meta |= Output::LeadLeftOpen;
        }
    }
};

const EucOutputs* makeEucOutputs(Charset target) {
    const ShiftJisOutputs& units = shiftJisOutputs(target);
    auto* outputs = new (tableMemory(sizeof(EucOutputs))) EucOutputs();
    for (unsigned code = 0x8000; code < 0x10000; ++code) {
        const std::array<uint8_t, 2> bytes{static_cast<uint8_t>(code >> 8),
                                           static_cast<uint8_t>(code)};
        EucUnitCollector collector{&units, &outputs->pairs[code]};
        qsizetype i = 0;
        walkEuc<false>(bytes.data(), i, 1, 2, collector);
    }
    for (int b1 = 0; b1 < 94; ++b1) {
        for (int b2 = 0; b2 < 94; ++b2) {
            appendCharacter(
                outputs->triples[static_cast<std::size_t>(b1) * 94 + static_cast<std::size_t>(b2)],
                supplementCharacter(static_cast<uint8_t>(0xA1 + b1),
                                    static_cast<uint8_t>(0xA1 + b2)),
                target);
        }
    }
    return outputs;
}

const CodePointOutputs* makeCodePointOutputs(Charset target) {
    auto* outputs = new (tableMemory(sizeof(CodePointOutputs))) CodePointOutputs();
    for (unsigned c = 0; c < 0x10000; ++c) {
        appendCharacter(outputs->basic[c], static_cast<char16_t>(c), target);
    }
    // A pair of surrogates is one character, lost in the Japanese charsets.
    appendCharacter(outputs->beyond, 0xD800, target);
    appendCharacter(outputs->malformed, cp932::ReplacementCharacter, target);
    return outputs;
}

} // namespace

const ShiftJisOutputs& shiftJisOutputs(Charset target) {
    switch (target) {
    case Charset::ShiftJis: {
        static const ShiftJisOutputs* const outputs = makeShiftJisOutputs(target);
        return *outputs;
    }
    case Charset::Euc: {
        static const ShiftJisOutputs* const outputs = makeShiftJisOutputs(target);
        return *outputs;
    }
    case Charset::Utf8:
        break;
    }
    static const ShiftJisOutputs* const outputs = makeShiftJisOutputs(Charset::Utf8);
    return *outputs;
}

const CodePointOutputs& codePointOutputs(Charset target) {
    if (target == Charset::ShiftJis) {
        static const CodePointOutputs* const outputs = makeCodePointOutputs(target);
        return *outputs;
    }
    static const CodePointOutputs* const outputs = makeCodePointOutputs(Charset::Euc);
    return *outputs;
}

const EucOutputs& eucOutputs(Charset target) {
    if (target == Charset::ShiftJis) {
        static const EucOutputs* const outputs = makeEucOutputs(Charset::ShiftJis);
        return *outputs;
    }
    static const EucOutputs* const outputs = makeEucOutputs(Charset::Euc);
    return *outputs;
}

} // namespace orvenly::charsets
