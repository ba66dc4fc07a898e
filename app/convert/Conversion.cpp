#include "Conversion.h"

#include <orvenly/Transcoding.h>

namespace penlark::convert {

using namespace orvenly;

Recognition recognise(const QByteArray& bytes) {
    const StringConversion& engine = StringConversion::instance();
    const StringCharsetTypeConstants found = engine.AnalyzingCharset(bytes, RecognitionLimit);
    if (found == SCS_JIS) {
        return {found, decodeText(bytes, found, SLB_UNKNOWN).breakCode};
    }
    // Counted without decoding; all but EUC-JP read through code page 932.
    return {found, countLineBreaks(bytes, found == SCS_EUC ? SCS_EUC : SCS_SHIFTJIS).dominant()};
}

ConversionRequest conversionRequest(const Options& options) {
    ConversionRequest request;
    request.from = options.from;
    request.undecided = SCS_SHIFTJIS;
    request.to = options.to;
    request.toBreak = options.lineBreak;
    request.narrowFiltering = options.narrow;
    request.lossy = options.lossy;
    return request;
}

} // namespace penlark::convert
