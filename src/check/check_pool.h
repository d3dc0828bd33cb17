// Checks many scenarios on several threads and hands over the results in a fixed order. Each
// check is independent (a compile works on a context of its own and reads only its own
// sources), so the threads share nothing but the index of the next scenario to take; the
// results are delivered in the order of their index as soon as each and all before it are
// done, so that a report is the same whatever the number of threads and starts before the
// last scenario is checked.
#pragma once

#include <cstddef>
#include <functional>

#include "check/checked_scenario.h"

namespace scenario {

// Runs `check(i)` for every i below `count` on `jobs` threads (1: on the calling thread alone)
// and calls `deliver` on the calling thread with each result, in the order of i. A check that
// throws is delivered as a scenario that stopped, with the exception's text.
void check_in_order(std::size_t count, unsigned jobs,
                    const std::function<checked_scenario(std::size_t)>& check,
                    const std::function<void(const checked_scenario&)>& deliver);

// The number of threads that the machine runs at once; 1 when it cannot tell.
unsigned all_cores();

}  // namespace scenario
