#pragma once

#include <cstddef>
#include <string>

namespace penlark::convert {

// Standard error: the tool's messages and, while more than one file is converted and
// standard error is a terminal, a progress line below them.
class Progress {
public:
    explicit Progress(std::size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Writes "penlark-convert: " and the line.
    void say(const std::string& line);
    // done files of the total are finished.
    void advance(std::size_t done);

private:
    void clearLine();

    std::size_t m_total;
    bool m_shown;
    bool m_drawn = false;
};

} // namespace penlark::convert
