#include "check/check_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace scenario {
namespace {

checked_scenario checked_safely(const std::function<checked_scenario(std::size_t)>& check,
                                std::size_t index) {
    try {
        return check(index);
    } catch (const std::exception& failure) {
        checked_scenario stopped;
        stopped.stopped = std::string("the check failed: ") + failure.what();
        stopped.failed = true;
        return stopped;
    }
}

}  // namespace

unsigned all_cores() {
    return std::max(1U, std::thread::hardware_concurrency());
}

void check_in_order(std::size_t count, unsigned jobs,
                    const std::function<checked_scenario(std::size_t)>& check,
                    const std::function<void(const checked_scenario&)>& deliver) {
    const std::size_t threads = std::min<std::size_t>(std::max(1U, jobs), count);
    if (threads <= 1) {
        for (std::size_t index = 0; index < count; ++index) {
            deliver(checked_safely(check, index));
        }
        return;
    }

    std::vector<std::optional<checked_scenario>> results(count);
    std::mutex guard;
    std::condition_variable one_done;
    std::atomic<std::size_t> next{0};
    // A thread takes the next scenario only while the results waiting to be delivered stay
    // few, so that a long run holds a bounded number of them however slow the output is.
    std::size_t delivered = 0;
    const std::size_t ahead_at_most = threads * 4;

    const auto work = [&] {
        for (;;) {
            const std::size_t index = next.fetch_add(1);
            if (index >= count) {
                return;
            }
            {
                std::unique_lock lock(guard);
                one_done.wait(lock, [&] { return index < delivered + ahead_at_most; });
            }
            checked_scenario result = checked_safely(check, index);
            {
                const std::lock_guard lock(guard);
                results[index] = std::move(result);
            }
            one_done.notify_all();
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (std::size_t started = 0; started < threads; ++started) {
        workers.emplace_back(work);
    }
    for (std::size_t index = 0; index < count; ++index) {
        checked_scenario result;
        {
            std::unique_lock lock(guard);
            one_done.wait(lock, [&] { return results[index].has_value(); });
            result = std::move(*results[index]);
            results[index].reset();
        }
        deliver(result);
        {
            const std::lock_guard lock(guard);
            delivered = index + 1;
        }
        one_done.notify_all();
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
}

}  // namespace scenario
