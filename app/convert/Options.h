#pragma once

#include <orvenly/StringConversion.h>
#include <orvenly/TextForm.h>

#include <string>
#include <vector>

namespace penlark::convert {

// "-" stands for standard input.
inline constexpr const char* StandardInputName = "-";

// Where the converted text goes.
enum class Destination {
    StandardOutput,
    InPlace,   // each file rewritten
    Directory, // a copy of each file, of the same name, in outputDirectory
};

struct Options {
    bool help = false;
    bool guess = false;
    bool narrow = false;
    bool lossy = false;
    // SCS_UNKNOWN recognises the input's charset.
    orvenly::StringCharsetTypeConstants from = orvenly::SCS_UNKNOWN;
    orvenly::TextForm to = orvenly::SCS_UTF8;
    // SLB_UNKNOWN keeps the code found.
    orvenly::StringLineBreakCodeConstants lineBreak = orvenly::SLB_UNKNOWN;
    Destination destination = Destination::StandardOutput;
    std::string outputDirectory;
    // Files converted at a time; 0 for the number of cores.
    unsigned jobs = 0;
    std::vector<std::string> files; // never empty: standard input when none is named
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the arguments are valid
};

ParsedOptions parseOptions(int argc, const char* const* argv);

const char* usageText();

} // namespace penlark::convert
