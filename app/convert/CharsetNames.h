#pragma once

#include <orvenly/StringConversion.h>
#include <orvenly/TextForm.h>

#include <optional>
#include <string_view>

namespace penlark::convert {

// The charset a name on the command line stands for, in any case: the tool's short names
// and the ones iconv and nkf users type (SHIFT_JIS, CP932, EUC-JP, ISO-2022-JP, UTF-8, ...).
std::optional<orvenly::TextForm> charsetNamed(std::string_view name);

// The names --guess prints.
const char* charsetName(orvenly::StringCharsetTypeConstants charset);
const char* lineBreakName(orvenly::StringLineBreakCodeConstants lineBreak);

} // namespace penlark::convert
