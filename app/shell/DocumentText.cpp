#include "DocumentText.h"

#include <platform/Cp932.h>

namespace penlark {

using namespace orvenly;

namespace {

constexpr int32_t RecognitionLimit = 32768;

QString decodeCharset(const QByteArray& bytes, StringCharsetTypeConstants charset) {
    const StringConversion& conversion = StringConversion::instance();
    switch (charset) {
    case SCS_JIS:
        return conversion.JisToUnicode(QByteArrayView(bytes));
    case SCS_EUC:
        return conversion.EucToUnicode(bytes);
    default:
        return platform::cp932::decode(bytes);
    }
}

} // namespace

DocumentText decodeDocument(const QByteArray& bytes, StringCharsetTypeConstants charset,
                            StringLineBreakCodeConstants breakCode) {
    DocumentText result;
    result.charset = charset;
    if (charset == SCS_UNKNOWN) {
        result.charset = StringConversion::instance().AnalyzingCharset(bytes, RecognitionLimit);
        if (result.charset == SCS_UNKNOWN)
            result.charset = SCS_SHIFTJIS;
    }
    result.text = decodeCharset(bytes, result.charset);
    result.breakCode = breakCode;
    switch (breakCode) {
    case SLB_UNKNOWN:
        result.breakCode = StringConversion::instance().ConvertBreakCode(result.text);
        if (result.breakCode == SLB_UNKNOWN)
            result.breakCode = result.charset == SCS_EUC ? SLB_LF : SLB_CRLF;
        break;
    case SLB_CR:
        result.text.replace(u'\r', QStringLiteral("\r\n"));
        break;
    case SLB_LF:
        result.text.replace(u'\n', QStringLiteral("\r\n"));
        break;
    default:
        break;
    }
    return result;
}

QByteArray encodeDocument(QString text, StringCharsetTypeConstants charset,
                          StringLineBreakCodeConstants breakCode, bool jisFilter) {
    if (breakCode == SLB_CR)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    else if (breakCode == SLB_LF)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const StringConversion& conversion = StringConversion::instance();
    switch (charset) {
    case SCS_JIS:
        return conversion.UnicodeToJisBytes(text, jisFilter);
    case SCS_EUC:
        return conversion.UnicodeToEuc(text);
    default:
        return platform::cp932::encode(text);
    }
}

} // namespace penlark
