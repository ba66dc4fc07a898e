#include "orvenly/TextConversion.h"

#include "CharsetEngine.h"

#include <platform/Cp932.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace orvenly {

namespace charsets {

StringCharsetTypeConstants recogniseStart(QByteArrayView bytes) {
    const qsizetype n = std::min(bytes.size(), qsizetype{RecognitionLimit} + 1);
    return recogniseLegacy(bytes.first(n), n < bytes.size());
}

QString decodeForm(QByteArrayView bytes, TextForm& form, bool& malformed) {
    if (form.isUnicode()) {
        form.byteOrderMark = bytes.startsWith(byteOrderMark(form.charset));
        if (form.byteOrderMark) {
            bytes = bytes.sliced(byteOrderMark(form.charset).size());
        }
    }
    switch (form.charset) {
    case SCS_JIS:
        return decodeJisFull(bytes);
    case SCS_EUC:
        return decodeEucJp(bytes);
    case SCS_UTF8:
        return decodeUtf8(bytes, malformed);
    case SCS_UTF16LE:
    case SCS_UTF16BE:
        return decodeUtf16(bytes, form.charset == SCS_UTF16BE, malformed);
    default:
        return platform::cp932::decode(bytes);
    }
}

QByteArray encodeForm(QStringView text, TextForm form, bool narrowFiltering, qsizetype& lost) {
    switch (form.charset) {
    case SCS_JIS:
        return encodeJisFull(text, narrowFiltering, lost);
    case SCS_EUC:
        return encodeEucJp(text, lost);
    case SCS_UTF8:
        return encodeUtf8(text, form.byteOrderMark, lost);
    case SCS_UTF16LE:
    case SCS_UTF16BE:
        return encodeUtf16(text, form.charset == SCS_UTF16BE, form.byteOrderMark, lost);
    default: {
        qsizetype missing = 0;
        QByteArray bytes = platform::cp932::encode(text, &missing);
        lost += missing;
        return bytes;
    }
    }
}

QByteArray encodeCounting(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                          bool narrowFiltering, qsizetype& lost) {
    if (breakCode == SLB_CR) {
        text.replace(u"\r\n"_s, u"\r"_s);
    } else if (breakCode == SLB_LF) {
        text.replace(u"\r\n"_s, u"\n"_s);
    }
    return encodeForm(text, form, narrowFiltering, lost);
}

StringLineBreakCodeConstants readBreaks(QString& text, StringLineBreakCodeConstants breakCode) {
    switch (breakCode) {
    case SLB_CR:
        text.replace(u'\r', u"\r\n"_s);
        return breakCode;
    case SLB_LF:
        text.replace(u'\n', u"\r\n"_s);
        return breakCode;
    case SLB_CRLF:
        return breakCode;
    default:
        return normaliseBreaks(text);
    }
}

RecognisedForm recogniseDecodable(QByteArrayView bytes) {
    RecognisedForm result{recogniseForm(bytes), std::nullopt};
    if (result.form.isUnicode() && !result.form.byteOrderMark) {
        bool malformed = false;
        QString text = decodeForm(bytes, result.form, malformed);
        if (!malformed) {
            result.text = std::move(text);
        } else {
            result.form = recogniseStart(bytes);
        }
    }
    return result;
}

} // namespace charsets

DecodedText decodeText(QByteArrayView bytes, TextForm form, StringLineBreakCodeConstants breakCode,
                       StringCharsetTypeConstants undecided) {
    DecodedText result;
    result.form = form;
    bool decoded = false;
    if (form.charset == SCS_UNKNOWN) {
        charsets::RecognisedForm recognised = charsets::recogniseDecodable(bytes);
        // Octet streams read through code page 932, as Shift_JIS does.
        result.form =
            recognised.form.charset == SCS_UNKNOWN ? TextForm(undecided) : recognised.form;
        if (recognised.text) {
            result.text = std::move(*recognised.text);
            decoded = true;
        }
    }
    if (!decoded) {
        bool malformed = false;
        result.text = charsets::decodeForm(bytes, result.form, malformed);
    }
    result.breakCode = charsets::readBreaks(result.text, breakCode);
    return result;
}

QByteArray encodeText(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                      bool narrowFiltering) {
    qsizetype lost = 0;
    return charsets::encodeCounting(std::move(text), form, breakCode, narrowFiltering, lost);
}

} // namespace orvenly
