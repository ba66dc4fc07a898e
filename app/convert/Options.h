#pragma once

#include <string>
#include <vector>

namespace penlark::convert {

enum class SourceCharset { Auto, ShiftJis, Jis, Euc };
enum class TargetCharset { ShiftJis, Jis, Euc, Utf8 };
enum class LineBreak { Keep, CrLf, Cr, Lf };

// "-" stands for standard input.
inline constexpr const char* StandardInputName = "-";

struct Options {
    bool help = false;
    bool guess = false;
    bool narrow = false;
    SourceCharset from = SourceCharset::Auto;
    TargetCharset to = TargetCharset::Utf8;
    LineBreak lineBreak = LineBreak::Keep;
    std::vector<std::string> files; // never empty: standard input when none is named
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the arguments are valid
};

ParsedOptions parseOptions(int argc, const char* const* argv);

const char* usageText();

} // namespace penlark::convert
