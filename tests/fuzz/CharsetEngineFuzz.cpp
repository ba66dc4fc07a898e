// Random bytes in every form through the charset engine, three ways that must agree:
//  - the direct conversions (transcode) equal decoding, replacing what the target cannot
//    hold and encoding again;
//  - convertText equals decodeText followed by encodeText, whichever road it takes inside;
//  - bytes the engine reads without loss come back from encodeText: the very bytes in the
//    Unicode forms, and in the Japanese charsets, whose codes are not all unique, the bytes
//    of one round trip after a second.
// AddressSanitizer watches every conversion's reads and writes.
#include <orvenly/TextConversion.h>
#include <orvenly/Transcoding.h>
#include <orvenly/Unmappable.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace orvenly;

const TextForm Forms[] = {SCS_SHIFTJIS,
                          SCS_EUC,
                          SCS_JIS,
                          SCS_UTF8,
                          TextForm(SCS_UTF8, true),
                          SCS_UTF16LE,
                          TextForm(SCS_UTF16LE, true),
                          SCS_UTF16BE,
                          TextForm(SCS_UTF16BE, true)};
const StringLineBreakCodeConstants Codes[] = {SLB_CRLF, SLB_CR, SLB_LF};

[[noreturn]] void differ(const char* what, QByteArrayView input, const QByteArray& one,
                         const QByteArray& other) {
    std::fprintf(stderr, "%s\ninput:  %s\none:    %s\nother:  %s\n", what,
                 input.toByteArray().toHex(' ').constData(), one.toHex(' ').constData(),
                 other.toHex(' ').constData());
    std::abort();
}

// Decoded with every break as CR LF, what the target cannot hold as "?", encoded with code.
QByteArray throughText(QByteArrayView input, TextForm from, TextForm to,
                       StringLineBreakCodeConstants code) {
    const DecodedText decoded = decodeText(input, from, SLB_UNKNOWN);
    return encodeText(replaceUnmappable(decoded.text, to.charset), to, code, false);
}

void directEqualsThroughText(QByteArrayView input) {
    struct Pair {
        StringCharsetTypeConstants from, to;
    };
    const Pair pairs[] = {{SCS_SHIFTJIS, SCS_EUC},
                          {SCS_EUC, SCS_SHIFTJIS},
                          {SCS_UTF8, SCS_SHIFTJIS},
                          {SCS_UTF8, SCS_EUC},
                          {SCS_SHIFTJIS, SCS_UTF8}};
    // transcode takes the text after a mark; decodeText leaves one mark out by itself.
    const QByteArrayView mark("\xEF\xBB\xBF");
    for (const Pair pair : pairs) {
        const QByteArrayView text =
            pair.from == SCS_UTF8 && input.startsWith(mark) ? input.sliced(mark.size()) : input;
        for (const StringLineBreakCodeConstants code : Codes) {
            const QByteArray direct = transcode(text, pair.from, pair.to, code);
            const QByteArray through = throughText(input, pair.from, pair.to, code);
            if (direct != through)
                differ("transcode differs from the road through text", text, direct, through);
        }
    }
}

// An empty file stays empty, mark or not: there is nothing to rewrite.
void convertEqualsDecodeAndEncode(QByteArrayView input) {
    if (input.isEmpty())
        return;
    for (const TextForm from : {TextForm(SCS_UNKNOWN), TextForm(SCS_SHIFTJIS), TextForm(SCS_EUC),
                                TextForm(SCS_UTF8), TextForm(SCS_UTF16LE)}) {
        for (const TextForm to : Forms) {
            ConversionRequest request;
            request.from = from.charset;
            request.to = to;
            request.toBreak = SLB_LF;
            request.lossy = true;
            const ConversionResult result = convertText(input, request);
            if (result.status != ConversionStatus::Converted &&
                result.status != ConversionStatus::Unchanged)
                continue;
            const DecodedText decoded = decodeText(input, from, SLB_UNKNOWN);
            if (result.form != decoded.form)
                differ("convertText read another form", input, result.output, {});
            const QByteArray expected =
                encodeText(replaceUnmappable(decoded.text, to.charset), to, SLB_LF, false);
            if (result.output != expected)
                differ("convertText differs from decodeText and encodeText", input, result.output,
                       expected);
            if (result.unmappable.count != findUnmappable(decoded.text, to.charset).count)
                differ("convertText counted another loss", input, result.output, expected);
        }
    }
}

void losslessRoundTrips(QByteArrayView input) {
    for (const TextForm form : Forms) {
        const DecodedText decoded = decodeText(input, form, SLB_CRLF);
        if (findUnmappable(decoded.text, form.charset).count != 0)
            continue;
        const QByteArray once = encodeText(decoded.text, decoded.form, SLB_CRLF, false);
        if (form.isUnicode()) {
            if (once != input)
                differ("lossless Unicode did not come back", input, once, {});
            continue;
        }
        const DecodedText again = decodeText(once, form, SLB_CRLF);
        const QByteArray twice = encodeText(again.text, again.form, SLB_CRLF, false);
        if (twice != once)
            differ("a second round trip changed the bytes", input, once, twice);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(data, qsizetype(size));
    directEqualsThroughText(input);
    convertEqualsDecodeAndEncode(input);
    losslessRoundTrips(input);
    return 0;
}
