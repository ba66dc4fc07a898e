#include "OrderedRun.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace penlark::convert {

void runInOrder(std::size_t count, unsigned threads, std::size_t ahead,
                const std::function<FileReport(std::size_t)>& work,
                const std::function<bool(std::size_t, FileReport&)>& deliver) {
    if (threads <= 1) {
        for (std::size_t i = 0; i < count; ++i) {
            FileReport report = work(i);
            if (!deliver(i, report)) {
                return;
            }
        }
        return;
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<FileReport>> reports(count);
    std::size_t next = 0;
    std::size_t emitted = 0;
    bool stopped = false;
    auto worker = [&] {
        for (;;) {
            std::size_t i = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock,
                             [&] { return stopped || next == count || next < emitted + ahead; });
                if (stopped || next == count) {
                    return;
                }
                i = next++;
            }
            FileReport report = work(i);
            {
                const std::lock_guard lock(mutex);
                reports[i] = std::move(report);
            }
            changed.notify_all();
        }
    };
    std::vector<std::jthread> pool;
    for (unsigned t = 0; t < threads; ++t) {
        pool.emplace_back(worker);
    }
    for (std::size_t i = 0; i < count; ++i) {
        FileReport report;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return reports[i].has_value(); });
            report = std::move(*reports[i]);
            reports[i].reset();
        }
        const bool goOn = deliver(i, report);
        {
            const std::lock_guard lock(mutex);
            ++emitted;
            stopped = !goOn;
        }
        changed.notify_all();
        if (!goOn) {
            break;
        }
    }
}

} // namespace penlark::convert
