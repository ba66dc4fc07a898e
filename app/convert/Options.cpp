#include "Options.h"

#include <optional>
#include <string_view>
#include <utility>

namespace penlark::convert {

namespace {

template <typename T> using Names = std::initializer_list<std::pair<std::string_view, T>>;

template <typename T> std::optional<T> lookUp(std::string_view value, Names<T> names) {
    for (const auto& [name, item] : names) {
        if (name == value) {
            return item;
        }
    }
    return std::nullopt;
}

std::optional<SourceCharset> sourceCharset(std::string_view value) {
    return lookUp<SourceCharset>(value, {{"auto", SourceCharset::Auto},
                                         {"sjis", SourceCharset::ShiftJis},
                                         {"jis", SourceCharset::Jis},
                                         {"euc", SourceCharset::Euc}});
}

std::optional<TargetCharset> targetCharset(std::string_view value) {
    return lookUp<TargetCharset>(value, {{"sjis", TargetCharset::ShiftJis},
                                         {"jis", TargetCharset::Jis},
                                         {"euc", TargetCharset::Euc},
                                         {"utf8", TargetCharset::Utf8}});
}

std::optional<LineBreak> lineBreak(std::string_view value) {
    return lookUp<LineBreak>(value, {{"keep", LineBreak::Keep},
                                     {"crlf", LineBreak::CrLf},
                                     {"cr", LineBreak::Cr},
                                     {"lf", LineBreak::Lf}});
}

// Applies one of -f, -t, -e; false when the value is not one of its words.
bool applyValueOption(char option, std::string_view value, Options& options) {
    switch (option) {
    case 'f':
        if (auto from = sourceCharset(value)) {
            options.from = *from;
            return true;
        }
        return false;
    case 't':
        if (auto to = targetCharset(value)) {
            options.to = *to;
            return true;
        }
        return false;
    default:
        if (auto code = lineBreak(value)) {
            options.lineBreak = *code;
            return true;
        }
        return false;
    }
}

bool isValueOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' && (arg[1] == 'f' || arg[1] == 't' || arg[1] == 'e');
}

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv) {
    ParsedOptions result;
    Options& options = result.options;
    bool conversionOption = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg == StandardInputName || arg.empty() || arg[0] != '-') {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--guess") {
            options.guess = true;
        } else if (arg == "--narrow") {
            options.narrow = true;
            conversionOption = true;
        } else if (isValueOption(arg)) {
            // The value may follow in the same argument (-fsjis) or in the next one.
            std::string_view value = arg.substr(2);
            if (value.empty()) {
                if (i + 1 == argc) {
                    result.error = "option " + std::string(arg) + " needs a value";
                    return result;
                }
                value = argv[++i];
            }
            if (!applyValueOption(arg[1], value, options)) {
                result.error = "invalid value '" + std::string(value) + "' for option " +
                               std::string(arg.substr(0, 2));
                return result;
            }
            conversionOption = true;
        } else {
            result.error = "unknown option '" + std::string(arg) + "'";
            return result;
        }
    }
    if (options.guess && conversionOption) {
        result.error = "--guess takes no conversion options";
        return result;
    }
    if (options.files.empty()) {
        options.files.emplace_back(StandardInputName);
    }
    return result;
}

const char* usageText() {
    return R"(Usage: penlark-convert [-f auto|sjis|jis|euc] [-t sjis|jis|euc|utf8]
                       [-e keep|crlf|cr|lf] [--narrow] [FILE|-]...
       penlark-convert --guess [FILE|-]...
       penlark-convert --help

Converts Japanese text files between Shift_JIS, JIS (ISO-2022-JP), EUC-JP and UTF-8
and writes the result to standard output, one file after the other. With no FILE,
or when FILE is -, standard input is read.

Options:
  -f CHARSET   charset of the input:
                 auto  recognise it from the first 32768 bytes (default); text that
                       fits more than one charset is read as Shift_JIS
                 sjis  Shift_JIS (code page 932)
                 jis   JIS, 7-bit with escape sequences (ISO-2022-JP)
                 euc   EUC-JP
  -t CHARSET   charset of the output: sjis, jis, euc or utf8 (default utf8)
  -e BREAK     line breaks of the output:
                 keep  the code found in the input: the one used most, CR LF when no
                       line break is found (default)
                 crlf, cr, lf  that code
               Every line break of the input (CR LF, CR or LF) is written as that code.
  --narrow     with -t jis, write half-width katakana as full-width ones instead of
               switching to the half-width katakana set (ESC ( I), which many mail
               programs do not read
  --guess      do not convert: print "FILE: CHARSET BREAK" for each file, CHARSET one
               of Shift_JIS, ISO-2022-JP, EUC-JP, octet-stream, unknown, and BREAK the
               line-break code used most: CRLF, CR, LF or none
  -h, --help   show this help and exit
  --           end of options: the arguments after it are files

Characters that the output charset cannot hold become "?".
Files recognised as binary data (octet streams) and files larger than 256 MiB are not
converted.

Exit status: 0 when every file was converted, 1 when a file could not be read or
converted or the output could not be written (the other files are still converted),
2 on invalid arguments.
)";
}

} // namespace penlark::convert
