#include "CharsetEngine.h"
#include "Utf8Walk.h"

#include <platform/AsciiRuns.h>

#include <platform/LargeBuffer.h>

#include <QChar>
#include <QStringEncoder>
#include <cstring>

namespace orvenly::charsets {

namespace {

constexpr char16_t Replacement = u'\uFFFD';

// Writes the UTF-16 units of the UTF-8 units it is handed.
struct Utf16Writer {
    char16_t* out;
    bool broken;

    qsizetype ascii(const uint8_t* in, qsizetype size) {
        const qsizetype run = platform::cp932::ascii::widenRun(in, size, out);
        out += run;
        return run;
    }
    void character(char32_t c) {
        if (c > 0xFFFF) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = static_cast<char16_t>(c);
        }
    }
    void malformed() {
        *out++ = Replacement;
        broken = true;
    }
};

char16_t unitAt(const uint8_t* p, bool bigEndian) {
    return bigEndian ? static_cast<char16_t>(p[0] << 8 | p[1])
                     : static_cast<char16_t>(p[1] << 8 | p[0]);
}

} // namespace

QByteArrayView byteOrderMark(StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_UTF8:
        return "\xEF\xBB\xBF";
    case SCS_UTF16LE:
        return "\xFF\xFE";
    case SCS_UTF16BE:
        return "\xFE\xFF";
    default:
        return {};
    }
}

QString decodeUtf8(QByteArrayView bytes, bool& malformed) {
    // Each byte gives at most one unit (four give a surrogate pair).
    QString text = platform::largeString(bytes.size());
    Utf16Writer writer{unitsOf(text), false};
    const qsizetype walked = walkUtf8(bytesOf(bytes), bytes.size(), writer);
    if (walked < bytes.size()) { // a sequence cut by the end
        writer.malformed();
    }
    text.truncate(writer.out - unitsOf(text)); // the slack stays for the line breaks
    malformed = malformed || writer.broken;
    return text;
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian, bool& malformed) {
    const uint8_t* in = bytesOf(bytes);
    const qsizetype units = bytes.size() / 2;
    QString text = platform::largeString(units + bytes.size() % 2);
    char16_t* const out = unitsOf(text);
    if (!bigEndian && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        if (units > 0) {
            std::memcpy(out, in, static_cast<std::size_t>(units) * sizeof(char16_t));
        }
    } else {
        for (qsizetype k = 0; k < units; ++k) {
            out[k] = unitAt(in + 2 * k, bigEndian);
        }
    }
    // A surrogate without its other half, and an odd byte at the end, stand for nothing.
    for (qsizetype k = 0; k < units; ++k) {
        const char16_t c = out[k];
        if (!QChar::isSurrogate(c)) {
            continue;
        }
        if (QChar::isHighSurrogate(c) && k + 1 < units && QChar::isLowSurrogate(out[k + 1])) {
            ++k;
        } else {
            out[k] = Replacement;
            malformed = true;
        }
    }
    if (bytes.size() % 2 != 0) {
        out[units] = Replacement;
        malformed = true;
    }
    return text;
}

QByteArray encodeUtf8(QStringView text, bool mark, qsizetype& lost) {
    lost += countUnicodeLost(text);
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QByteArrayView bom = mark ? byteOrderMark(SCS_UTF8) : QByteArrayView();
    QByteArray bytes = platform::largeBytes(bom.size() + encoder.requiredSpace(text.size()));
    if (!bom.isEmpty()) {
        std::memcpy(bytes.data(), bom.data(), static_cast<std::size_t>(bom.size()));
    }
    const char* end = encoder.appendToBuffer(bytes.data() + bom.size(), text);
    bytes.truncate(end - bytes.constData());
    return bytes;
}

QByteArray encodeUtf16(QStringView text, bool bigEndian, bool mark, qsizetype& lost) {
    lost += countUnicodeLost(text);
    const QByteArrayView bom =
        mark ? byteOrderMark(bigEndian ? SCS_UTF16BE : SCS_UTF16LE) : QByteArrayView();
    QByteArray bytes = platform::largeBytes(bom.size() + 2 * text.size());
    if (!bom.isEmpty()) {
        std::memcpy(bytes.data(), bom.data(), static_cast<std::size_t>(bom.size()));
    }
    uint8_t* out = bytesOf(bytes) + bom.size();
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        char16_t c = in[k];
        if (QChar::isHighSurrogate(c) && k + 1 < n && QChar::isLowSurrogate(in[k + 1])) {
            // The pair as it is.
        } else if (QChar::isLowSurrogate(c) && k > 0 && QChar::isHighSurrogate(in[k - 1])) {
            // The second half of the pair.
        } else if (QChar::isSurrogate(c)) {
            c = Replacement;
        }
        out[2 * k + (bigEndian ? 0 : 1)] = static_cast<uint8_t>(c >> 8);
        out[2 * k + (bigEndian ? 1 : 0)] = static_cast<uint8_t>(c);
    }
    return bytes;
}

} // namespace orvenly::charsets
