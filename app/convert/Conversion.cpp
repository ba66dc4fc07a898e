#include "Conversion.h"

namespace penlark::convert {

using namespace orvenly;

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
