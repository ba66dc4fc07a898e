#include "orvenly/TextConversion.h"

#include "CharsetEngine.h"

#include <platform/LargeBuffer.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace orvenly {

using namespace charsets;

namespace {

// The conversions transcode makes without the detour through UTF-16.
bool convertsDirectly(TextForm from, TextForm to) {
    switch (from.charset) {
    case SCS_SHIFTJIS:
        return to.charset == SCS_EUC || to.charset == SCS_SHIFTJIS || to.charset == SCS_UTF8;
    case SCS_EUC:
    case SCS_UTF8:
        return to.charset == SCS_EUC || to.charset == SCS_SHIFTJIS;
    default:
        return false;
    }
}

StringLineBreakCodeConstants outputBreak(StringLineBreakCodeConstants wanted,
                                         StringLineBreakCodeConstants found) {
    if (wanted == SLB_CRLF || wanted == SLB_CR || wanted == SLB_LF) {
        return wanted;
    }
    return found == SLB_UNKNOWN ? SLB_CRLF : found;
}

// Takes the output, hands it on or keeps it whole, and tells whether it is the input itself.
// While held back, the output is kept whole even for a writer, so that it can still be
// thrown away.
class Sink {
public:
    Sink(QByteArrayView input, const std::function<bool(QByteArrayView)>* write)
        : m_input(input), m_write(write) {}

    bool put(QByteArrayView piece) {
        if (piece.isEmpty()) {
            return m_write == nullptr || m_holding || (*m_write)(piece);
        }
        compare(piece);
        if (m_write != nullptr && !m_holding) {
            return (*m_write)(piece);
        }
        if (m_used + piece.size() > m_whole.size()) {
            // The conversions at most triple the text (a half-width katakana in UTF-8).
            m_whole.resize(std::max(2 * m_input.size(), 2 * (m_used + piece.size())));
            platform::adviseHugePages(m_whole.data(), static_cast<std::size_t>(m_whole.size()));
        }
        std::memcpy(m_whole.data() + m_used, piece.data(), static_cast<std::size_t>(piece.size()));
        m_used += piece.size();
        return true;
    }
    bool put(QByteArray&& output) {
        if ((m_write != nullptr && !m_holding) || m_used != 0) {
            return put(QByteArrayView(output));
        }
        if (!output.isEmpty()) {
            compare(output);
        }
        m_whole = std::move(output);
        m_used = m_whole.size();
        return true;
    }

    void holdBack() { m_holding = true; }
    void discard() {
        m_used = 0;
        m_offset = 0;
        m_same = true;
    }
    // Hands on what was held back.
    bool release() {
        m_holding = false;
        return m_write == nullptr || m_used == 0 ||
               (*m_write)(QByteArrayView(m_whole).first(m_used));
    }

    bool sameAsInput() const { return m_same && m_offset == m_input.size(); }
    QByteArray takeWhole() {
        m_whole.truncate(m_used);
        return std::move(m_whole);
    }

private:
    void compare(QByteArrayView piece) {
        m_same = m_same && m_offset + piece.size() <= m_input.size() &&
                 std::memcmp(m_input.data() + m_offset, piece.data(),
                             static_cast<std::size_t>(piece.size())) == 0;
        m_offset += piece.size();
    }

    QByteArrayView m_input;
    const std::function<bool(QByteArrayView)>* m_write;
    QByteArray m_whole;
    qsizetype m_used = 0; // of m_whole
    qsizetype m_offset = 0;
    bool m_same = true;
    bool m_holding = false;
};

// Returns false when the input turned out not to be well-formed UTF-8. Unless lossy, the
// output stops before the piece that holds the first character the target cannot hold.
bool convertDirectly(QByteArrayView input, TextForm form, const ConversionRequest& request,
                     Sink& sink, ConversionResult& result) {
    QByteArrayView text = input;
    if (form.charset == SCS_UTF8 && input.startsWith(byteOrderMark(SCS_UTF8))) {
        text = input.sliced(byteOrderMark(SCS_UTF8).size());
        result.form.byteOrderMark = true;
    }
    if (request.to.byteOrderMark && !sink.put(byteOrderMark(request.to.charset))) {
        result.status = ConversionStatus::WriteFailed;
        return true;
    }
    result.breakCode = countLineBreaks(text, form.charset).dominant();
    TranscodeFindings found;
    if (!transcode(
            text, form.charset, request.to.charset, outputBreak(request.toBreak, result.breakCode),
            [&sink](QByteArrayView piece) { return sink.put(piece); }, &found, !request.lossy)) {
        result.status = ConversionStatus::WriteFailed;
        return true;
    }
    if (found.lost) {
        // Rare: counted and placed exactly on the decoded text, which also tells whether
        // UTF-8 input is malformed beyond where the conversion stopped.
        bool malformed = false;
        QString decoded = decodeForm(input, form, malformed);
        readBreaks(decoded, SLB_UNKNOWN);
        result.unmappable = findUnmappable(decoded, request.to.charset);
        found.malformed = found.malformed || malformed;
    }
    return !found.malformed;
}

void convertThroughText(DecodedText decoded, const ConversionRequest& request, Sink& sink,
                        ConversionResult& result) {
    if (request.fromBreak != SLB_UNKNOWN) {
        decoded.text.replace(QChar(u'\0'), u'?'); // as the break conversion does otherwise
    }
    result.form = decoded.form;
    result.breakCode = decoded.breakCode;
    const StringLineBreakCodeConstants code = outputBreak(request.toBreak, decoded.breakCode);
    // Every break is CR LF after recognition: then they are rewritten faster in the bytes,
    // where CR and LF stand for themselves in all but UTF-16.
    const bool breaksInBytes = request.fromBreak == SLB_UNKNOWN &&
                               request.to.charset != SCS_UTF16LE &&
                               request.to.charset != SCS_UTF16BE;
    const auto encode = [&](const QString& text) {
        qsizetype lost = 0;
        QByteArray bytes =
            breaksInBytes ? encodeForm(text, request.to, request.narrowFiltering, lost)
                          : encodeCounting(text, request.to, code, request.narrowFiltering, lost);
        return std::pair{std::move(bytes), lost};
    };
    auto [output, lost] = encode(decoded.text);
    if (lost > 0) { // rare: the characters are found once more, to be placed and replaced
        result.unmappable = findUnmappable(decoded.text, request.to.charset);
        if (!request.lossy) {
            return;
        }
        output = encode(replaceUnmappable(decoded.text, request.to.charset)).first;
    }
    decoded.text = QString();
    if (breaksInBytes && code != SLB_CRLF) {
        setLineBreaks(output, code);
    }
    if (!sink.put(std::move(output))) {
        result.status = ConversionStatus::WriteFailed;
    }
}

// Settles what recognition found: false, with the status, when there is nothing to convert.
bool settle(TextForm found, const ConversionRequest& request, ConversionResult& result) {
    if (found.charset == SCS_OCTETSTREAM) {
        result.form = found;
        result.status = ConversionStatus::NotText;
        return false;
    }
    if (found.charset != SCS_UNKNOWN) {
        result.form = found;
        return true;
    }
    result.form = request.undecided;
    if (request.undecided == SCS_UNKNOWN) {
        result.status = ConversionStatus::Undecided;
        return false;
    }
    return true;
}

// Converts in the form result holds; false when the input turned out not to be in it.
bool convertAs(QByteArrayView input, const ConversionRequest& request, bool tentative, Sink& sink,
               ConversionResult& result) {
    if (request.fromBreak == SLB_UNKNOWN && convertsDirectly(result.form, request.to)) {
        if (tentative) {
            sink.holdBack();
        }
        if (!convertDirectly(input, result.form, request, sink, result) && tentative) {
            sink.discard();
            return false;
        }
        if (tentative && !sink.release()) {
            result.status = ConversionStatus::WriteFailed;
        }
        return true;
    }
    DecodedText decoded;
    decoded.form = result.form;
    bool malformed = false;
    decoded.text = decodeForm(input, decoded.form, malformed);
    if (malformed && tentative) {
        return false;
    }
    decoded.breakCode = readBreaks(decoded.text, request.fromBreak);
    convertThroughText(std::move(decoded), request, sink, result);
    return true;
}

ConversionResult convert(QByteArrayView input, const ConversionRequest& request, Sink& sink) {
    ConversionResult result;
    result.form = request.from != SCS_UNKNOWN ? request.from : request.undecided;
    if (input.isEmpty()) {
        result.status = ConversionStatus::Unchanged;
        return result;
    }
    bool tentative = false;
    if (request.from == SCS_UNKNOWN) {
        const TextForm found = recogniseForm(input);
        // A Unicode form recognised by its pattern alone holds until a byte breaks it.
        tentative = found.isUnicode() && !found.byteOrderMark;
        if (!settle(found, request, result)) {
            return result;
        }
    }
    if (!convertAs(input, request, tentative, sink, result)) {
        result = ConversionResult();
        if (!settle(recogniseStart(input), request, result)) {
            return result;
        }
        convertAs(input, request, false, sink, result);
    }
    if (result.status != ConversionStatus::Converted) {
        return result;
    }
    if (result.unmappable.count > 0 && !request.lossy) {
        result.status = ConversionStatus::Unmappable;
    } else if (sink.sameAsInput()) {
        result.status = ConversionStatus::Unchanged;
    }
    return result;
}

} // namespace

Recognition recogniseText(QByteArrayView bytes) {
    RecognisedForm recognised = recogniseDecodable(bytes);
    const StringCharsetTypeConstants charset = recognised.form.charset;
    if (charset == SCS_UNKNOWN || charset == SCS_SHIFTJIS || charset == SCS_EUC ||
        charset == SCS_OCTETSTREAM) {
        // Counted without decoding; all but EUC-JP read through code page 932.
        return {recognised.form,
                countLineBreaks(bytes, charset == SCS_EUC ? SCS_EUC : SCS_SHIFTJIS).dominant()};
    }
    if (!recognised.text) {
        return {recognised.form, decodeText(bytes, recognised.form, SLB_UNKNOWN).breakCode};
    }
    return {recognised.form, normaliseBreaks(*recognised.text)};
}

ConversionResult convertText(QByteArrayView input, const ConversionRequest& request,
                             const std::function<bool(QByteArrayView)>& write) {
    Sink sink(input, &write);
    return convert(input, request, sink);
}

ConversionResult convertText(QByteArrayView input, const ConversionRequest& request) {
    Sink sink(input, nullptr);
    ConversionResult result = convert(input, request, sink);
    if (result.status == ConversionStatus::Converted ||
        result.status == ConversionStatus::Unchanged) {
        result.output = sink.takeWhole();
    }
    return result;
}

} // namespace orvenly
