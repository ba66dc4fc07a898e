#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace penlark::convert {

// What became of one file.
struct FileReport {
    std::vector<std::string> messages; // lines for standard error
    bool failed = false;
    QByteArray output;         // what goes to standard output
    bool outputBroken = false; // standard output refused what was written to it
};

} // namespace penlark::convert
