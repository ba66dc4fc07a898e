#include "DocumentText.h"

#include <orvenly/TextConversion.h>

namespace penlark {

using namespace orvenly;

DocumentText decodeDocument(const QByteArray& bytes, TextForm form,
                            StringLineBreakCodeConstants breakCode) {
    DecodedText decoded = decodeText(bytes, form, breakCode);
    DocumentText result;
    result.text = std::move(decoded.text);
    result.form = decoded.form;
    result.breakCode = decoded.breakCode;
    if (result.breakCode == SLB_UNKNOWN)
        result.breakCode = result.form.charset == SCS_EUC ? SLB_LF : SLB_CRLF;
    return result;
}

QByteArray encodeDocument(QString text, TextForm form, StringLineBreakCodeConstants breakCode,
                          bool jisFilter) {
    return encodeText(std::move(text), form, breakCode, jisFilter);
}

} // namespace penlark
