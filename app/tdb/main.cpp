#include "Options.h"
#include "Outline.h"

#include <orvenly/TDB.h>

#include <QFile>
#include <csignal>
#include <cstdio>
#include <cstdlib>

using namespace penlark::tdb;

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

bool print(const QByteArray& bytes) {
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0;
    if (!written)
        std::fputs("orvenly-tdb: cannot write the output\n", stderr);
    return written;
}

} // namespace

int main(int argc, char* argv[]) {
    // A closed pipe must show as a write error, not end the process silently.
    std::signal(SIGPIPE, SIG_IGN);

    const ParsedOptions parsed = parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "orvenly-tdb: %s\n\n%s", parsed.error.c_str(), usageText());
        return ExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help)
        return print(usageText()) ? EXIT_SUCCESS : ExitFailure;

    orvenly::TDB db;
    const QString file = QFile::decodeName(options.file.c_str());
    if (!db.LoadDataBase(file, options.format)) {
        std::fprintf(stderr, "orvenly-tdb: %s: %s\n", options.file.c_str(),
                     db.LastError().toUtf8().constData());
        return ExitFailure;
    }
    const QString text = options.outline ? outline(*db.RootNodes()) : db.IniText();
    return print(text.toUtf8()) ? EXIT_SUCCESS : ExitFailure;
}
