#include "DocumentText.h"

#include <orvenly/TextConversion.h>

namespace penlark {

using namespace orvenly;

DocumentText decodeDocument(const QByteArray& bytes, StringCharsetTypeConstants charset,
                            StringLineBreakCodeConstants breakCode) {
    // A document keeps a charset without a byte-order mark: it recognises the Japanese
    // charsets alone, as AnalyzingCharset does.
    if (charset == SCS_UNKNOWN) {
        charset = StringConversion::instance().AnalyzingCharset(bytes, RecognitionLimit);
        if (charset == SCS_UNKNOWN)
            charset = SCS_SHIFTJIS;
    }
    DecodedText decoded = decodeText(bytes, charset, breakCode);
    DocumentText result;
    result.text = std::move(decoded.text);
    result.charset = decoded.form.charset;
    result.breakCode = decoded.breakCode;
    if (result.breakCode == SLB_UNKNOWN)
        result.breakCode = result.charset == SCS_EUC ? SLB_LF : SLB_CRLF;
    return result;
}

QByteArray encodeDocument(QString text, StringCharsetTypeConstants charset,
                          StringLineBreakCodeConstants breakCode, bool jisFilter) {
    return encodeText(std::move(text), charset, breakCode, jisFilter);
}

} // namespace penlark
