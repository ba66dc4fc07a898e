#include "FileTasks.h"

#include "CharsetNames.h"
#include "Conversion.h"
#include "FileIo.h"

#include <orvenly/TextConversion.h>
#include <platform/FileReplacement.h>

#include <QFile>
#include <cstdio>
#include <optional>

namespace penlark::convert {

using namespace orvenly;

namespace {

std::string shownName(const std::string& name) {
    return name == StandardInputName ? "standard input" : name;
}

std::string destinationOf(const std::string& name, const Options& options) {
    if (options.destination != Destination::Directory) {
        return name;
    }
    const std::size_t slash = name.find_last_of('/');
    return options.outputDirectory + "/" +
           (slash == std::string::npos ? name : name.substr(slash + 1));
}

std::string lostCharacters(const Unmappable& lost, const Options& options) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(lost.character));
    // U+FFFD stands for input that could not be read.
    const char* what = lost.character == 0xFFFD ? ", bytes that could not be read" : "";
    std::string line = std::to_string(lost.count) +
                       (lost.count == 1 ? " character that " : " characters that ") +
                       formName(options.to.charset) + " cannot hold, the first at line " +
                       std::to_string(lost.line) + " (" + code + what + ")";
    if (options.lossy) {
        return line + ", written as \"?\"";
    }
    const char* fate = options.destination == Destination::InPlace ? "; left as it was"
                       : options.destination == Destination::Directory
                           ? "; not written"
                           : "; the output stops before it";
    return line + fate + " (--lossy writes \"?\" for them)";
}

std::string cannotWrite(const std::string& destination,
                        const platform::FileReplacement& replacement, const Options& options) {
    return "cannot write " + destination + ": " + replacement.errorString().toStdString() +
           (options.destination == Destination::InPlace ? "; left as it was" : "");
}

// Holds one slot of the semaphore for its lifetime.
class Slot {
public:
    explicit Slot(std::counting_semaphore<>& semaphore) : m_slots(&semaphore) {
        m_slots->acquire();
    }
    ~Slot() { m_slots->release(); }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

private:
    std::counting_semaphore<>* m_slots;
};

} // namespace

FileReport convertFile(const std::string& name, const Options& options,
                       std::counting_semaphore<>& busy,
                       const std::function<bool(QByteArrayView)>* output) {
    FileReport report;
    const auto fail = [&](const std::string& message) {
        report.messages.push_back(shownName(name) + ": " + message);
        report.failed = true;
        return report;
    };
    const std::string destination = destinationOf(name, options);
    // Made on the first output, so that a file left alone leaves no trace.
    std::optional<platform::FileReplacement> replacement;
    const auto replacing = [&]() -> platform::FileReplacement& {
        if (!replacement) {
            replacement.emplace(QFile::decodeName(destination.c_str()));
        }
        return *replacement;
    };
    ConversionResult result;
    {
        const Slot slot(busy);
        const InputFile input(name);
        if (!input.error().empty()) {
            return fail(input.error());
        }
        const ConversionRequest request = conversionRequest(options);
        if (options.destination == Destination::StandardOutput) {
            // What a refused file gives before its trouble is kept, whether it is written
            // now or later.
            result = convertText(input.bytes(), request, [&](QByteArrayView piece) {
                if (output != nullptr) {
                    return (*output)(piece);
                }
                report.output += piece;
                return true;
            });
        } else {
            result = convertText(input.bytes(), request,
                                 [&](QByteArrayView piece) { return replacing().write(piece); });
        }
    }
    switch (result.status) {
    case ConversionStatus::NotText:
        return fail("not text (recognised as binary data); not converted");
    case ConversionStatus::Undecided:
        return fail("charset not recognised; not converted (name it with -f)");
    case ConversionStatus::Unmappable:
        return fail(lostCharacters(result.unmappable, options));
    case ConversionStatus::WriteFailed:
        if (options.destination == Destination::StandardOutput) {
            report.outputBroken = true;
            report.failed = true;
            return report;
        }
        return fail(cannotWrite(destination, replacing(), options));
    case ConversionStatus::Converted:
    case ConversionStatus::Unchanged:
        break;
    }
    if (result.unmappable.count > 0) {
        report.messages.push_back(shownName(name) + ": " +
                                  lostCharacters(result.unmappable, options));
    }
    const bool rewrite = options.destination == Destination::Directory ||
                         (options.destination == Destination::InPlace &&
                          result.status == ConversionStatus::Converted);
    if (rewrite && !replacing().commit()) {
        return fail(cannotWrite(destination, replacing(), options));
    }
    return report;
}

FileReport guessFile(const std::string& name) {
    FileReport report;
    const InputFile input(name);
    if (!input.error().empty()) {
        report.messages.push_back(shownName(name) + ": " + input.error());
        report.failed = true;
        return report;
    }
    const Recognition found = recogniseText(input.bytes());
    report.output = QByteArray::fromStdString(name + ": " + formName(found.form) + " " +
                                              lineBreakName(found.breakCode) + "\n");
    return report;
}

} // namespace penlark::convert
