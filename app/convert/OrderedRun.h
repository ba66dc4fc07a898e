#pragma once

#include "FileReport.h"

#include <cstddef>
#include <functional>

namespace penlark::convert {

// Runs work(i) for every i in [0, count) on threads threads (on the calling thread alone when
// threads is 1) and hands each report to deliver(i, report) on the calling thread, in the order
// of i, so that what the user sees does not depend on the number of threads. At most ahead
// reports wait for their turn. deliver returns false to end the run: no work starts after that.
void runInOrder(std::size_t count, unsigned threads, std::size_t ahead,
                const std::function<FileReport(std::size_t)>& work,
                const std::function<bool(std::size_t, FileReport&)>& deliver);

} // namespace penlark::convert
