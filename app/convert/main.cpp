#include "Conversion.h"
#include "FileIo.h"
#include "Options.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace penlark::convert;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

void report(const std::string& name, const std::string& message) {
    const std::string shown = name == StandardInputName ? "standard input" : name;
    std::fprintf(stderr, "penlark-convert: %s: %s\n", shown.c_str(), message.c_str());
}

// A failed write ends the run: the output is broken for every file after it.
bool write(QByteArrayView bytes) {
    const std::string error = writeOutput(bytes);
    if (error.empty()) {
        return true;
    }
    std::fprintf(stderr, "penlark-convert: cannot write the output: %s\n", error.c_str());
    return false;
}

bool finishOutput() {
    const std::string error = closeOutput();
    if (error.empty()) {
        return true;
    }
    std::fprintf(stderr, "penlark-convert: cannot write the output: %s\n", error.c_str());
    return false;
}

enum class Outcome { Done, Failed, OutputBroken };

Outcome processFile(const std::string& name, const Options& options) {
    const InputFile input(name);
    if (!input.error().empty()) {
        report(name, input.error());
        return Outcome::Failed;
    }
    if (options.guess) {
        const Recognition found = recognise(input.bytes());
        const std::string line =
            name + ": " + charsetName(found.charset) + " " + lineBreakName(found.lineBreak) + "\n";
        return write(QByteArrayView(line.data(), qsizetype(line.size()))) ? Outcome::Done
                                                                          : Outcome::OutputBroken;
    }
    switch (convert(input.bytes(), options, write)) {
    case ConversionResult::NotText:
        report(name, "not text (recognised as binary data); not converted");
        return Outcome::Failed;
    case ConversionResult::WriteFailed:
        return Outcome::OutputBroken;
    case ConversionResult::Done:
        break;
    }
    return Outcome::Done;
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed pipe, or an output past the file-size limit, must show as a write error and
    // not end the process silently.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);

    const ParsedOptions parsed = parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "penlark-convert: %s\n\n%s", parsed.error.c_str(), usageText());
        return ExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help) {
        return write(usageText()) && finishOutput() ? EXIT_SUCCESS : ExitFailure;
    }
    int status = EXIT_SUCCESS;
    for (const std::string& name : options.files) {
        const Outcome outcome = processFile(name, options);
        if (outcome == Outcome::OutputBroken) {
            return ExitFailure;
        }
        if (outcome == Outcome::Failed) {
            status = ExitFailure;
        }
    }
    // Some file systems report a failed write only when the file is closed.
    return finishOutput() ? status : ExitFailure;
}
