#pragma once

#include "Options.h"

#include <QByteArray>
#include <orvenly/StringConversion.h>

namespace penlark::convert {

// What the editor would find on opening the bytes.
struct Recognition {
    orvenly::StringCharsetTypeConstants charset;
    orvenly::StringLineBreakCodeConstants lineBreak;
};

Recognition recognise(const QByteArray& bytes);

struct Converted {
    QByteArray bytes;
    bool octetStream = false; // recognised as binary data: nothing converted
};

// Decodes, normalises the line breaks and encodes, as the editor's load and save do.
Converted convert(const QByteArray& bytes, const Options& options);

const char* charsetName(orvenly::StringCharsetTypeConstants charset);
const char* lineBreakName(orvenly::StringLineBreakCodeConstants lineBreak);

} // namespace penlark::convert
