#include "Options.h"

#include <optional>
#include <string_view>

namespace penlark::tdb {

namespace {

std::optional<orvenly::TDBFormatConstants> formatNamed(std::string_view name) {
    if (name == "std")
        return orvenly::TDBF_STD;
    if (name == "ini")
        return orvenly::TDBF_INI;
    if (name == "ini-tree")
        return orvenly::TDBF_INI_TREE;
    return std::nullopt;
}

constexpr std::string_view FromOption = "--from";

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv) {
    ParsedOptions result;
    Options& options = result.options;
    bool optionsEnded = false;
    bool haveFile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (haveFile) {
                result.error = "one file at a time";
                return result;
            }
            options.file = arg;
            haveFile = true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--tree") {
            options.outline = true;
        } else if (arg.substr(0, FromOption.size()) == FromOption) {
            // The format may follow in the same argument (--from=ini) or in the next one.
            std::string_view value = arg.substr(FromOption.size());
            if (value.empty()) {
                if (i + 1 == argc) {
                    result.error = "option --from needs a format";
                    return result;
                }
                value = argv[++i];
            } else if (value[0] == '=') {
                value.remove_prefix(1);
            } else {
                result.error = "unknown option '" + std::string(arg) + "'";
                return result;
            }
            const std::optional<orvenly::TDBFormatConstants> format = formatNamed(value);
            if (!format) {
                result.error = "invalid format '" + std::string(value) + "' for option --from";
                return result;
            }
            options.format = *format;
        } else {
            result.error = "unknown option '" + std::string(arg) + "'";
            return result;
        }
    }
    if (!haveFile && !options.help)
        result.error = "no file named";
    return result;
}

const char* usageText() {
    return R"(Usage: orvenly-tdb [--from std|ini|ini-tree] [--tree] FILE
       orvenly-tdb --help

Reads a tree file as the Orvenly tree database does and prints the tree on standard
output, as the INI text the database would save (UTF-8), or with --tree as an indented
outline.

Options:
  --from FORMAT  the format of FILE:
                   std       blocks (BEGIN class name ... END) with templates and
                             macros (default)
                   ini       flat sections
                   ini-tree  sections named by backslash paths
  --tree         print an outline: each node as [name], its keys as name = value
                 below it, children indented by two spaces; control characters in
                 names and values are shown as \r, \n, \t or \xHH

A file that does not load makes the exit status 1, with the reason on standard error
(what was read before the error is not printed). Bad arguments give status 2.
)";
}

} // namespace penlark::tdb
