#pragma once

#include <orvenly/TDB.h>

#include <string>

namespace penlark::tdb {

struct Options {
    bool help = false;
    bool outline = false;
    orvenly::TDBFormatConstants format = orvenly::TDBF_STD;
    std::string file;
};

struct ParsedOptions {
    Options options;
    std::string error; // empty when the arguments are valid
};

ParsedOptions parseOptions(int argc, const char* const* argv);

const char* usageText();

} // namespace penlark::tdb
