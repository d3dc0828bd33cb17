#include "check/check_pool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace scenario {
namespace {

// Later indices finish first, so that the order of delivery cannot come from the order of
// the work.
checked_scenario slow_first(std::size_t index, std::size_t count) {
    std::this_thread::sleep_for(std::chrono::microseconds((count - index) * 200));
    checked_scenario result;
    result.train_source = std::to_string(index);
    result.errors = index;
    return result;
}

TEST(CheckPool, DeliversInTheOrderOfTheIndexWhateverTheThreads) {
    constexpr std::size_t count = 40;
    for (const unsigned jobs : {1U, 2U, 7U, 64U}) {
        std::vector<std::string> delivered;
        check_in_order(
            count, jobs, [&](std::size_t index) { return slow_first(index, count); },
            [&](const checked_scenario& result) {
                EXPECT_EQ(result.errors, delivered.size());
                delivered.push_back(result.train_source);
            });
        ASSERT_EQ(delivered.size(), count) << jobs << " threads";
        for (std::size_t index = 0; index < count; ++index) {
            EXPECT_EQ(delivered[index], std::to_string(index)) << jobs << " threads";
        }
    }
}

TEST(CheckPool, ACheckThatThrowsIsDeliveredAsStopped) {
    std::vector<checked_scenario> delivered;
    check_in_order(
        3, 2,
        [](std::size_t index) {
            if (index == 1) {
                throw std::runtime_error("out of memory");
            }
            return checked_scenario{};
        },
        [&](const checked_scenario& result) { delivered.push_back(result); });
    ASSERT_EQ(delivered.size(), 3U);
    EXPECT_FALSE(delivered[0].failed);
    EXPECT_TRUE(delivered[1].failed);
    EXPECT_EQ(delivered[1].stopped, "the check failed: out of memory");
    EXPECT_FALSE(delivered[2].failed);
}

TEST(CheckPool, NothingToCheckDeliversNothing) {
    int calls = 0;
    check_in_order(
        0, 4,
        [&](std::size_t) {
            ++calls;
            return checked_scenario{};
        },
        [&](const checked_scenario&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace scenario
