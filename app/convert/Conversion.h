#pragma once

#include "Options.h"

#include <QByteArray>
#include <orvenly/StringConversion.h>
#include <orvenly/TextConversion.h>

namespace penlark::convert {

// What the editor would find on opening the bytes.
struct Recognition {
    orvenly::StringCharsetTypeConstants charset;
    orvenly::StringLineBreakCodeConstants lineBreak;
};

Recognition recognise(const QByteArray& bytes);

// The engine's request for the options: text that recognition cannot tell is read as
// Shift_JIS, as the editor does.
orvenly::ConversionRequest conversionRequest(const Options& options);

} // namespace penlark::convert
