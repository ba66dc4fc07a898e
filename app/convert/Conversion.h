#pragma once

#include "Options.h"

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <orvenly/StringConversion.h>

namespace penlark::convert {

// What the editor would find on opening the bytes.
struct Recognition {
    orvenly::StringCharsetTypeConstants charset;
    orvenly::StringLineBreakCodeConstants lineBreak;
};

Recognition recognise(const QByteArray& bytes);

enum class ConversionResult {
    Done,
    NotText,     // recognised as binary data: nothing converted
    WriteFailed, // write refused a piece
};

// Decodes, normalises the line breaks and encodes, as the editor's load and save do, and
// hands the output to write, in pieces when it is large; write returns false on failure.
ConversionResult convert(const QByteArray& bytes, const Options& options,
                         const std::function<bool(QByteArrayView)>& write);

const char* charsetName(orvenly::StringCharsetTypeConstants charset);
const char* lineBreakName(orvenly::StringLineBreakCodeConstants lineBreak);

} // namespace penlark::convert
