#include "Conversion.h"

#include <orvenly/Transcoding.h>
#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <QStringEncoder>
#include <cstdint>
#include <optional>

namespace penlark::convert {

using namespace orvenly;

namespace {

constexpr int32_t RecognitionLimit = 32768;

const StringConversion& engine() {
    return StringConversion::instance();
}

StringCharsetTypeConstants sourceCharset(const QByteArray& bytes, SourceCharset from) {
    switch (from) {
    case SourceCharset::ShiftJis:
        return SCS_SHIFTJIS;
    case SourceCharset::Jis:
        return SCS_JIS;
    case SourceCharset::Euc:
        return SCS_EUC;
    case SourceCharset::Auto:
        break;
    }
    const StringCharsetTypeConstants found = engine().AnalyzingCharset(bytes, RecognitionLimit);
    return found == SCS_UNKNOWN ? SCS_SHIFTJIS : found;
}

// Shift_JIS and octet streams both read through code page 932.
QString decode(const QByteArray& bytes, StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_JIS:
        return engine().JisToUnicode(QByteArrayView(bytes));
    case SCS_EUC:
        return engine().EucToUnicode(bytes);
    default:
        return platform::cp932::decode(bytes);
    }
}

QByteArray toUtf8(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf8);
    QByteArray bytes = platform::largeBytes(encoder.requiredSpace(text.size()));
    const char* end = encoder.appendToBuffer(bytes.data(), text);
    bytes.truncate(end - bytes.constData());
    return bytes;
}

QByteArray encode(const QString& text, const Options& options) {
    switch (options.to) {
    case TargetCharset::ShiftJis:
        return platform::cp932::encode(text);
    case TargetCharset::Jis:
        return engine().UnicodeToJisBytes(text, options.narrow);
    case TargetCharset::Euc:
        return engine().UnicodeToEuc(text);
    case TargetCharset::Utf8:
        break;
    }
    return toUtf8(text);
}

StringLineBreakCodeConstants outputLineBreak(LineBreak wanted, StringLineBreakCodeConstants found) {
    switch (wanted) {
    case LineBreak::CrLf:
        return SLB_CRLF;
    case LineBreak::Cr:
        return SLB_CR;
    case LineBreak::Lf:
        return SLB_LF;
    case LineBreak::Keep:
        break;
    }
    return found == SLB_UNKNOWN ? SLB_CRLF : found;
}

// The charset of the output when a direct conversion between the legacy charsets serves.
std::optional<StringCharsetTypeConstants> legacyTarget(TargetCharset to) {
    switch (to) {
    case TargetCharset::ShiftJis:
        return SCS_SHIFTJIS;
    case TargetCharset::Euc:
        return SCS_EUC;
    case TargetCharset::Jis:
    case TargetCharset::Utf8:
        break;
    }
    return std::nullopt;
}

} // namespace

Recognition recognise(const QByteArray& bytes) {
    const StringCharsetTypeConstants found = engine().AnalyzingCharset(bytes, RecognitionLimit);
    if (found == SCS_JIS) {
        QString text = decode(bytes, found);
        return {found, engine().ConvertBreakCode(text)};
    }
    // Counted without decoding; all but EUC-JP read through code page 932.
    return {found, countLineBreaks(bytes, found == SCS_EUC ? SCS_EUC : SCS_SHIFTJIS).dominant()};
}

ConversionResult convert(const QByteArray& bytes, const Options& options,
                         const std::function<bool(QByteArrayView)>& write) {
    const StringCharsetTypeConstants charset = sourceCharset(bytes, options.from);
    if (charset == SCS_OCTETSTREAM) {
        return ConversionResult::NotText;
    }
    const std::optional<StringCharsetTypeConstants> target = legacyTarget(options.to);
    if (target && (charset == SCS_SHIFTJIS || charset == SCS_EUC)) {
        // The same bytes as the road through UTF-16 below, in a fraction of the time and
        // with no copy of the whole text.
        const StringLineBreakCodeConstants found = options.lineBreak == LineBreak::Keep
                                                       ? countLineBreaks(bytes, charset).dominant()
                                                       : SLB_UNKNOWN;
        const bool written =
            transcode(bytes, charset, *target, outputLineBreak(options.lineBreak, found), write);
        return written ? ConversionResult::Done : ConversionResult::WriteFailed;
    }
    QString text = decode(bytes, charset);
    const StringLineBreakCodeConstants code =
        outputLineBreak(options.lineBreak, engine().ConvertBreakCode(text));
    QByteArray output = encode(text, options);
    if (code != SLB_CRLF) { // the text holds CR LF breaks only
        setLineBreaks(output, code);
    }
    return write(output) ? ConversionResult::Done : ConversionResult::WriteFailed;
}

const char* charsetName(StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_SHIFTJIS:
        return "Shift_JIS";
    case SCS_JIS:
        return "ISO-2022-JP";
    case SCS_EUC:
        return "EUC-JP";
    case SCS_OCTETSTREAM:
        return "octet-stream";
    case SCS_UNKNOWN:
        break;
    }
    return "unknown";
}

const char* lineBreakName(StringLineBreakCodeConstants lineBreak) {
    switch (lineBreak) {
    case SLB_CRLF:
        return "CRLF";
    case SLB_CR:
        return "CR";
    case SLB_LF:
        return "LF";
    case SLB_UNKNOWN:
        break;
    }
    return "none";
}

} // namespace penlark::convert
