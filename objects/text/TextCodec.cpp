#include "orvenly/TextConversion.h"

#include "CharsetEngine.h"

#include <platform/Cp932.h>
#include <platform/LargeBuffer.h>

#include <QStringEncoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace orvenly {

namespace charsets {

QString decodeCharset(QByteArrayView bytes, StringCharsetTypeConstants charset) {
    switch (charset) {
    case SCS_JIS:
        return decodeJis(bytes);
    case SCS_EUC:
        return decodeEuc(bytes);
    case SCS_UTF8:
        return QString::fromUtf8(bytes);
    default:
        return platform::cp932::decode(bytes);
    }
}

QByteArray encodeCharset(QStringView text, StringCharsetTypeConstants charset, bool narrowFiltering,
                         qsizetype& lost) {
    switch (charset) {
    case SCS_JIS:
        return encodeJis(text, narrowFiltering, lost);
    case SCS_EUC:
        return encodeEuc(text, lost);
    case SCS_UTF8:
        return encodeUtf8(text, lost);
    default: {
        qsizetype missing = 0;
        QByteArray bytes = platform::cp932::encode(text, &missing);
        lost += missing;
        return bytes;
    }
    }
}

StringCharsetTypeConstants recogniseStart(QByteArrayView bytes) {
    return recogniseCharset(bytes.first(std::min(bytes.size(), qsizetype{RecognitionLimit} + 1)));
}

QByteArray encodeUtf8(QStringView text, qsizetype& lost) {
    lost += countUnicodeLost(text);
    QStringEncoder encoder(QStringConverter::Utf8);
    QByteArray bytes = platform::largeBytes(encoder.requiredSpace(text.size()));
    const char* end = encoder.appendToBuffer(bytes.data(), text);
    bytes.truncate(end - bytes.constData());
    return bytes;
}

} // namespace charsets

DecodedText decodeText(QByteArrayView bytes, TextForm form, StringLineBreakCodeConstants breakCode,
                       StringCharsetTypeConstants undecided) {
    DecodedText result;
    result.form = form;
    if (form.charset == SCS_UNKNOWN) {
        result.form = charsets::recogniseStart(bytes);
        if (result.form.charset == SCS_UNKNOWN) {
            result.form = undecided;
        }
    }
    result.text = charsets::decodeCharset(bytes, result.form.charset);
    result.breakCode = breakCode;
    switch (breakCode) {
    case SLB_CR:
        result.text.replace(u'\r', u"\r\n"_s);
        break;
    case SLB_LF:
        result.text.replace(u'\n', u"\r\n"_s);
        break;
    case SLB_CRLF:
        break;
    default:
        result.breakCode = charsets::normaliseBreaks(result.text);
        break;
    }
    return result;
}

QByteArray charsets::encodeCounting(QString text, TextForm form,
                                    StringLineBreakCodeConstants breakCode, bool narrowFiltering,
                                    qsizetype& lost) {
    if (breakCode == SLB_CR) {
        text.replace(u"\r\n"_s, u"\r"_s);
    } else if (breakCode == SLB_LF) {
        text.replace(u"\r\n"_s, u"\n"_s);
    }
    return encodeCharset(text, form.charset, narrowFiltering, lost);
}

QByteArray encodeText(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                      bool narrowFiltering) {
    qsizetype lost = 0;
    return charsets::encodeCounting(std::move(text), form, breakCode, narrowFiltering, lost);
}

} // namespace orvenly
