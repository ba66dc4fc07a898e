#pragma once

#include <orvenly/StringConversion.h>
#include <orvenly/TextForm.h>

#include <optional>
#include <string>
#include <string_view>

namespace penlark::convert {

// The form a name on the command line stands for, in any case: the tool's short names, the
// ones iconv and nkf users type (SHIFT_JIS, CP932, EUC-JP, ISO-2022-JP, UTF-8, UTF-16LE, ...)
// and those --guess prints.
std::optional<orvenly::TextForm> charsetNamed(std::string_view name);

// The names --guess prints: Shift_JIS, ISO-2022-JP, EUC-JP, UTF-8, UTF-8-BOM, UTF-16LE,
// UTF-16LE-BOM, UTF-16BE, UTF-16BE-BOM, octet-stream or unknown; CRLF, CR, LF or none.
std::string formName(orvenly::TextForm form);
const char* lineBreakName(orvenly::StringLineBreakCodeConstants lineBreak);

} // namespace penlark::convert
