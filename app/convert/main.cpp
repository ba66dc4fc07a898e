#include "FileIo.h"
#include "FileTasks.h"
#include "Options.h"
#include "OrderedRun.h"
#include "Progress.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <semaphore>
#include <string>
#include <sys/stat.h>
#include <thread>

using namespace penlark::convert;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// A file rewritten waits on the disk at its end; while it does, others go on converting.
// fsync is slow alone but fast in company (the file system commits many at once).
constexpr unsigned RewritesPerJob = 8;

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

int usageError(const std::string& message) {
    std::fprintf(stderr, "penlark-convert: %s\n\n%s", message.c_str(), usageText());
    return ExitUsage;
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

unsigned jobsFor(const Options& options) {
    if (options.jobs != 0) {
        return options.jobs;
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed pipe, or an output past the file-size limit, must show as a write error and
    // not end the process silently.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);

    const ParsedOptions parsed = parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        return usageError(parsed.error);
    }
    const Options& options = parsed.options;
    if (options.help) {
        return write(usageText()) && finishOutput() ? EXIT_SUCCESS : ExitFailure;
    }
    if (options.destination == Destination::Directory && !isDirectory(options.outputDirectory)) {
        return usageError("-o " + options.outputDirectory + ": not a folder");
    }
    const std::size_t count = options.files.size();
    const unsigned jobs = jobsFor(options);
    std::counting_semaphore<> busy(jobs);
    const unsigned threads = static_cast<unsigned>(std::min<std::size_t>(
        count, options.destination == Destination::StandardOutput || options.guess
                   ? jobs
                   : jobs * RewritesPerJob));
    Progress progress(count);
    int status = EXIT_SUCCESS;
    bool outputBroken = false;
    // One file at a time writes to standard output as it converts.
    const std::function<bool(QByteArrayView)> stream = [](QByteArrayView piece) {
        return write(piece);
    };
    const auto* direct = threads == 1 ? &stream : nullptr;
    runInOrder(
        count, threads, 2 * std::size_t{threads},
        [&](std::size_t i) {
            return options.guess ? guessFile(options.files[i])
                                 : convertFile(options.files[i], options, busy, direct);
        },
        [&](std::size_t i, FileReport& report) {
            for (const std::string& message : report.messages) {
                progress.say(message);
            }
            if (report.failed) {
                status = ExitFailure;
            }
            if (report.outputBroken || (!report.output.isEmpty() && !write(report.output))) {
                outputBroken = true;
                return false;
            }
            progress.advance(i + 1);
            return true;
        });
    if (outputBroken) {
        return ExitFailure;
    }
    // Some file systems report a failed write only when the file is closed.
    return finishOutput() ? status : ExitFailure;
}
