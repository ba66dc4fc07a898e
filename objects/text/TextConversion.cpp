#include "orvenly/TextConversion.h"

#include "CharsetEngine.h"

#include <platform/LargeBuffer.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace orvenly {

using namespace charsets;

namespace {

// Shift_JIS and EUC-JP convert into each other without the detour through UTF-16.
bool convertsDirectly(StringCharsetTypeConstants from, StringCharsetTypeConstants to) {
    const auto direct = [](StringCharsetTypeConstants c) {
        return c == SCS_SHIFTJIS || c == SCS_EUC;
    };
    return direct(from) && direct(to);
}

StringLineBreakCodeConstants outputBreak(StringLineBreakCodeConstants wanted,
                                         StringLineBreakCodeConstants found) {
    if (wanted == SLB_CRLF || wanted == SLB_CR || wanted == SLB_LF) {
        return wanted;
    }
    return found == SLB_UNKNOWN ? SLB_CRLF : found;
}

// Takes the output, hands it on or keeps it whole, and tells whether it is the input itself.
class Sink {
public:
    Sink(QByteArrayView input, const std::function<bool(QByteArrayView)>* write)
        : m_input(input), m_write(write) {}

    bool put(QByteArrayView piece) {
        compare(piece);
        if (m_write != nullptr) {
            return (*m_write)(piece);
        }
        if (m_used + piece.size() > m_whole.size()) {
            // The direct conversions at most double the text (a break or a half-width
            // katakana to two bytes).
            m_whole.resize(std::max(2 * m_input.size(), m_used + piece.size()));
            platform::adviseHugePages(m_whole.data(), static_cast<std::size_t>(m_whole.size()));
        }
        std::memcpy(m_whole.data() + m_used, piece.data(), static_cast<std::size_t>(piece.size()));
        m_used += piece.size();
        return true;
    }
    bool put(QByteArray&& output) {
        if (m_write != nullptr || m_used != 0) {
            return put(QByteArrayView(output));
        }
        compare(output);
        m_whole = std::move(output);
        m_used = m_whole.size();
        return true;
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
};

void convertDirectly(QByteArrayView input, StringCharsetTypeConstants charset,
                     const ConversionRequest& request, Sink& sink, ConversionResult& result) {
    result.breakCode = countLineBreaks(input, charset).dominant();
    bool lost = false;
    if (!transcode(
            input, charset, request.to.charset, outputBreak(request.toBreak, result.breakCode),
            [&sink](QByteArrayView piece) { return sink.put(piece); }, &lost)) {
        result.status = ConversionStatus::WriteFailed;
        return;
    }
    if (lost) {
        // Rare: counted and placed exactly on the decoded text.
        result.unmappable =
            findUnmappable(decodeText(input, charset, SLB_UNKNOWN).text, request.to.charset);
    }
}

void convertThroughText(QByteArrayView input, StringCharsetTypeConstants charset,
                        const ConversionRequest& request, Sink& sink, ConversionResult& result) {
    DecodedText decoded = decodeText(input, charset, request.fromBreak);
    if (request.fromBreak != SLB_UNKNOWN) {
        decoded.text.replace(QChar(u'\0'), u'?'); // as the break conversion does otherwise
    }
    result.breakCode = decoded.breakCode;
    const StringLineBreakCodeConstants code = outputBreak(request.toBreak, decoded.breakCode);
    // Every break is CR LF after recognition: then they are rewritten faster in the bytes.
    const bool breaksInBytes = request.fromBreak == SLB_UNKNOWN;
    const auto encode = [&](const QString& text) {
        qsizetype lost = 0;
        QByteArray bytes =
            breaksInBytes ? encodeCharset(text, request.to.charset, request.narrowFiltering, lost)
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

ConversionResult convert(QByteArrayView input, const ConversionRequest& request, Sink& sink) {
    ConversionResult result;
    StringCharsetTypeConstants charset = request.from;
    if (input.isEmpty()) {
        result.form = charset != SCS_UNKNOWN ? charset : request.undecided;
        result.status = ConversionStatus::Unchanged;
        return result;
    }
    if (charset == SCS_UNKNOWN) {
        charset = recogniseStart(input);
        if (charset == SCS_OCTETSTREAM) {
            result.form = charset;
            result.status = ConversionStatus::NotText;
            return result;
        }
        if (charset == SCS_UNKNOWN) {
            charset = request.undecided;
        }
        if (charset == SCS_UNKNOWN) {
            result.form = charset;
            result.status = ConversionStatus::Undecided;
            return result;
        }
    }
    result.form = charset;
    if (request.fromBreak == SLB_UNKNOWN && convertsDirectly(charset, request.to.charset)) {
        convertDirectly(input, charset, request, sink, result);
    } else {
        convertThroughText(input, charset, request, sink, result);
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
