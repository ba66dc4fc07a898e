#include "Options.h"

#include "CharsetNames.h"

#include <charconv>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

namespace penlark::convert {

using namespace orvenly;

namespace {

// The largest -j taken: more threads than that only wait.
constexpr unsigned MaxJobs = 256;

std::optional<StringLineBreakCodeConstants> lineBreak(std::string_view value) {
    const std::pair<std::string_view, StringLineBreakCodeConstants> names[] = {
        {"keep", SLB_UNKNOWN}, {"crlf", SLB_CRLF}, {"cr", SLB_CR}, {"lf", SLB_LF}};
    for (const auto& [name, code] : names) {
        if (name == value) {
            return code;
        }
    }
    return std::nullopt;
}

std::optional<unsigned> jobCount(std::string_view value) {
    unsigned jobs = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
    if (error != std::errc() || end != value.data() + value.size() || jobs == 0 || jobs > MaxJobs) {
        return std::nullopt;
    }
    return jobs;
}

// Applies one of the options that take a value; false when the value does not fit it.
bool applyValueOption(char option, std::string_view value, Options& options) {
    switch (option) {
    case 'f':
        if (value == "auto") {
            options.from = SCS_UNKNOWN;
            return true;
        }
        // The bytes tell whether a Unicode form has its mark.
        if (const auto form = charsetNamed(value)) {
            options.from = form->charset;
            return true;
        }
        return false;
    case 't':
        if (const auto form = charsetNamed(value)) {
            options.to = *form;
            return true;
        }
        return false;
    case 'e':
        if (const auto code = lineBreak(value)) {
            options.lineBreak = *code;
            return true;
        }
        return false;
    case 'j':
        if (const auto jobs = jobCount(value)) {
            options.jobs = *jobs;
            return true;
        }
        return false;
    default: // 'o'
        if (value.empty()) {
            return false;
        }
        options.destination = Destination::Directory;
        options.outputDirectory = value;
        return true;
    }
}

bool isValueOption(std::string_view arg) {
    return arg.size() >= 2 && arg[0] == '-' &&
           std::string_view("fteoj").find(arg[1]) != std::string_view::npos;
}

std::string_view baseName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The checks that need all arguments; an empty string when they pass.
std::string crossCheck(const Options& options, bool conversionOption, bool fileOption) {
    if (options.guess && (conversionOption || fileOption)) {
        return "--guess takes no conversion options";
    }
    if (options.destination == Destination::StandardOutput) {
        return {};
    }
    std::set<std::string_view> names;
    for (const std::string& file : options.files) {
        if (file == StandardInputName) {
            return options.destination == Destination::InPlace
                       ? "standard input cannot be rewritten in place"
                       : "-o takes files, not standard input";
        }
        if (options.destination == Destination::Directory && !names.insert(baseName(file)).second) {
            return "two files named '" + std::string(baseName(file)) + "' would be written to " +
                   options.outputDirectory;
        }
    }
    return {};
}

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv) {
    ParsedOptions result;
    Options& options = result.options;
    bool conversionOption = false;
    bool fileOption = false; // --in-place, -o
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
        } else if (arg == "--narrow" || arg == "--lossy") {
            (arg == "--narrow" ? options.narrow : options.lossy) = true;
            conversionOption = true;
        } else if (arg == "--in-place" || arg == "--overwrite") {
            if (options.destination == Destination::Directory) {
                result.error = "--in-place and -o exclude each other";
                return result;
            }
            options.destination = Destination::InPlace;
            fileOption = true;
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
            const char option = arg[1];
            if (option == 'o' && options.destination == Destination::InPlace) {
                result.error = "--in-place and -o exclude each other";
                return result;
            }
            if (!applyValueOption(option, value, options)) {
                result.error = "invalid value '" + std::string(value) + "' for option -" + option;
                return result;
            }
            if (option == 'o') {
                fileOption = true;
            } else if (option != 'j') {
                conversionOption = true;
            }
        } else {
            result.error = "unknown option '" + std::string(arg) + "'";
            return result;
        }
    }
    if (options.files.empty()) {
        options.files.emplace_back(StandardInputName);
    }
    result.error = crossCheck(options, conversionOption, fileOption);
    return result;
}

const char* usageText() {
    return R"(Usage: penlark-convert [-f CHARSET] [-t CHARSET] [-e BREAK] [--narrow] [--lossy]
                       [--in-place | -o DIR] [-j N] [FILE|-]...
       penlark-convert --guess [FILE|-]...
       penlark-convert --help

Converts Japanese text files between Shift_JIS, JIS (ISO-2022-JP), EUC-JP, UTF-8 and
UTF-16. By default the result goes to standard output, one file after the other; with
no FILE, or when FILE is -, standard input is read.

Options:
  -f CHARSET   charset of the input:
                 auto  recognise it from the first 32768 bytes (default): a byte-order
                       mark, then UTF-16 by its zero bytes, then UTF-8, then the
                       Japanese charsets; text that fits more than one of those is
                       read as Shift_JIS
                 sjis  Shift_JIS (code page 932)
                 jis   JIS, 7-bit with escape sequences (ISO-2022-JP)
                 euc   EUC-JP, with the JIS X 0212 kanji (0x8F and two bytes)
                 utf8, utf16le, utf16be  UTF-8, UTF-16 little- or big-endian; a
                       byte-order mark is taken off wherever it is found
  -t CHARSET   charset of the output: sjis, jis, euc, utf8 (default, no byte-order
               mark), utf8bom (with one), utf16le, utf16be (without one), utf16lebom,
               utf16bebom (with one)
               Charset names are also taken as iconv and nkf users write them, and as
               --guess prints them, in any case: SHIFT_JIS, SJIS, CP932, MS932,
               WINDOWS-31J, EUC-JP, EUCJP, EUC-JP-MS, UJIS, ISO-2022-JP, JIS, UTF-8,
               UTF-8-BOM, UTF-16LE, UTF-16BE, UTF-16LE-BOM, UTF-16BE-BOM.
  -e BREAK     line breaks of the output:
                 keep  the code found in the input: the one used most, CR LF when no
                       line break is found (default)
                 crlf, cr, lf  that code
               Every line break of the input (CR LF, CR or LF) is written as that code.
  --narrow     with -t jis, write half-width katakana as full-width ones instead of
               switching to the half-width katakana set (ESC ( I), which many mail
               programs do not read
  --lossy      write characters that the output charset cannot hold as "?" (and say
               how many on standard error); without it such a file is not converted
  --in-place   rewrite each FILE with its conversion. The new content goes to a
               temporary file next to it, which takes the file's place only once it is
               complete and on disk: a failure leaves the file as it was. A file in a
               folder you may not write, or with other hard links, is written in place
               after a backup of it in ~/.local/state/penlark/backup, which a failure
               restores. Files that the conversion would not change are left alone.
               --overwrite is the same
  -o DIR       write the conversion of each FILE to DIR, under the FILE's own name
               (through a temporary file as with --in-place); DIR must exist
  -j N         convert N files at a time (default: the number of cores). Messages
               come in the order of the files, whatever N is
  --guess      do not convert: print "FILE: CHARSET BREAK" for each file, CHARSET one
               of Shift_JIS, ISO-2022-JP, EUC-JP, UTF-8, UTF-8-BOM, UTF-16LE,
               UTF-16LE-BOM, UTF-16BE, UTF-16BE-BOM, octet-stream, unknown, and BREAK
               the line-break code used most: CRLF, CR, LF or none
  -h, --help   show this help and exit
  --           end of options: the arguments after it are files

With more than one FILE and standard error on a terminal, a progress line shows how
many files are done.

Characters that the output charset cannot hold (such as an IBM extension numeral, say
0xFA 0x40 in Shift_JIS, in JIS, or an emoji in Shift_JIS), and bytes of the input that
could not be read, stop the conversion of that file, as with iconv: it is reported with
the number of such characters and the line of the first; with --in-place it is left as
it was, with -o its copy is not written, and on standard output its conversion stops
before that line. --lossy writes "?" for each of them instead.
Files recognised as binary data (octet streams) and files of 2 GiB or more are not
converted.

Exit status: 0 when every file was converted, 1 when a file could not be read or
converted or its output could not be written (the other files are still converted),
2 on invalid arguments.
)";
}

} // namespace penlark::convert
