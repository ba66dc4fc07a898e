#include "Progress.h"

#include <cstdio>
#include <unistd.h>

namespace penlark::convert {

Progress::Progress(std::size_t total)
    : m_total(total), m_shown(total > 1 && isatty(STDERR_FILENO)) {}

Progress::~Progress() {
    clearLine();
}

void Progress::say(const std::string& line) {
    clearLine();
    std::fprintf(stderr, "penlark-convert: %s\n", line.c_str());
}

void Progress::advance(std::size_t done) {
    if (!m_shown) {
        return;
    }
    std::fprintf(stderr, "\rpenlark-convert: %zu of %zu files done", done, m_total);
    std::fflush(stderr);
    m_drawn = true;
}

void Progress::clearLine() {
    if (m_drawn) {
        std::fputs("\r\033[K", stderr);
        m_drawn = false;
    }
}

} // namespace penlark::convert
