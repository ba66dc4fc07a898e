#include "Conversion.h"

#include <platform/Cp932.h>

#include <QStringEncoder>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>

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

// A fresh output of tens of megabytes costs more in first touches of its 4 KiB pages than
// in encoding; huge pages make those touches some five hundred times fewer.
QByteArray largeBuffer(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = (start + std::uintptr_t(size)) & ~(HugePage - 1);
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
    return bytes;
}

QByteArray toUtf8(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf8);
    QByteArray bytes = largeBuffer(encoder.requiredSpace(text.size()));
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

// Drops every `unwanted` byte, moving the runs between them down: lines are long enough
// for memchr and memmove to beat a byte-by-byte filter.
void dropByte(QByteArray& bytes, char unwanted) {
    char* const data = bytes.data();
    const char* const end = data + bytes.size();
    auto find = [end, unwanted](const char* from) {
        const void* found = std::memchr(from, unwanted, std::size_t(end - from));
        return found != nullptr ? static_cast<const char*>(found) : end;
    };
    const char* hit = find(data);
    char* out = data + (hit - data);
    while (hit != end) {
        const char* run = hit + 1;
        hit = find(run);
        std::memmove(out, run, std::size_t(hit - run));
        out += hit - run;
    }
    bytes.truncate(out - data);
}

// The bytes hold CR LF breaks only, and no encoding here puts 0x0D or 0x0A inside a
// character, so dropping one half of each pair after encoding equals rewriting the text
// first, on fewer bytes.
void rewriteLineBreaks(QByteArray& bytes, StringLineBreakCodeConstants code) {
    if (code == SLB_LF) {
        dropByte(bytes, '\r');
    } else if (code == SLB_CR) {
        dropByte(bytes, '\n');
    }
}

} // namespace

Recognition recognise(const QByteArray& bytes) {
    const StringCharsetTypeConstants found = engine().AnalyzingCharset(bytes, RecognitionLimit);
    QString text = decode(bytes, found == SCS_UNKNOWN ? SCS_SHIFTJIS : found);
    return {found, engine().ConvertBreakCode(text)};
}

Converted convert(const QByteArray& bytes, const Options& options) {
    const StringCharsetTypeConstants charset = sourceCharset(bytes, options.from);
    if (charset == SCS_OCTETSTREAM) {
        return {{}, true};
    }
    QString text = decode(bytes, charset);
    const StringLineBreakCodeConstants found = engine().ConvertBreakCode(text);
    Converted result{encode(text, options), false};
    rewriteLineBreaks(result.bytes, outputLineBreak(options.lineBreak, found));
    return result;
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
