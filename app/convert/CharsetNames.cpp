#include "CharsetNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace penlark::convert {

using namespace orvenly;

namespace {

struct Name {
    std::string_view name; // in lower case
    TextForm form;
};

constexpr std::array Names{
    Name{"sjis", SCS_SHIFTJIS},
    Name{"shift_jis", SCS_SHIFTJIS},
    Name{"shift-jis", SCS_SHIFTJIS},
    Name{"shiftjis", SCS_SHIFTJIS},
    Name{"cp932", SCS_SHIFTJIS},
    Name{"ms932", SCS_SHIFTJIS},
    Name{"windows-31j", SCS_SHIFTJIS},
    Name{"ms_kanji", SCS_SHIFTJIS},
    Name{"jis", SCS_JIS},
    Name{"iso-2022-jp", SCS_JIS},
    Name{"iso2022jp", SCS_JIS},
    Name{"csiso2022jp", SCS_JIS},
    Name{"euc", SCS_EUC},
    Name{"euc-jp", SCS_EUC},
    Name{"eucjp", SCS_EUC},
    Name{"euc-jp-ms", SCS_EUC},
    Name{"eucjp-ms", SCS_EUC},
    Name{"ujis", SCS_EUC},
    Name{"utf8", SCS_UTF8},
    Name{"utf-8", SCS_UTF8},
    Name{"utf8bom", {SCS_UTF8, true}},
    Name{"utf-8-bom", {SCS_UTF8, true}},
    Name{"utf16le", SCS_UTF16LE},
    Name{"utf-16le", SCS_UTF16LE},
    Name{"utf16lebom", {SCS_UTF16LE, true}},
    Name{"utf-16le-bom", {SCS_UTF16LE, true}},
    Name{"utf16be", SCS_UTF16BE},
    Name{"utf-16be", SCS_UTF16BE},
    Name{"utf16bebom", {SCS_UTF16BE, true}},
    Name{"utf-16be-bom", {SCS_UTF16BE, true}},
};

} // namespace

std::optional<TextForm> charsetNamed(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto found = std::find_if(Names.begin(), Names.end(),
                                    [&lower](const Name& entry) { return entry.name == lower; });
    if (found == Names.end()) {
        return std::nullopt;
    }
    return found->form;
}

std::string formName(TextForm form) {
    const std::string mark = form.byteOrderMark ? "-BOM" : "";
    switch (form.charset) {
    case SCS_SHIFTJIS:
        return "Shift_JIS";
    case SCS_JIS:
        return "ISO-2022-JP";
    case SCS_EUC:
        return "EUC-JP";
    case SCS_OCTETSTREAM:
        return "octet-stream";
    case SCS_UTF8:
        return "UTF-8" + mark;
    case SCS_UTF16LE:
        return "UTF-16LE" + mark;
    case SCS_UTF16BE:
        return "UTF-16BE" + mark;
    case SCS_UNKNOWN:
        break;
    }
    return "unknown";
}

const char* lineBreakName(StringLineBreakCodeConstants lineBreak) {
    switch (lineBreak) {
    case SLB_CRLF:
        return "CRLF";
    case SLB_CR:
        return "CR";
    case SLB_LF:
        return "LF";
    case SLB_UNKNOWN:
        break;
    }
    return "none";
}

} // namespace penlark::convert
