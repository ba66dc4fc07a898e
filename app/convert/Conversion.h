#pragma once

#include "Options.h"

#include <orvenly/TextConversion.h>

namespace penlark::convert {

// The engine's request for the options: text that recognition cannot tell is read as
// Shift_JIS, as the editor does.
orvenly::ConversionRequest conversionRequest(const Options& options);

} // namespace penlark::convert
