// The timetable of a compiled scenario against the fastest run (compiler/timetable_runs.h):
// each station with its position, progressive kilometre and scheduled time, the time the run
// takes from the last timetabled station under the bound and in the braking run, and the
// margin that the timetable leaves. `inspect --timetable` prints it; the summary notes a
// station kept with less than a minute to spare.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compiler/fastest_run.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"

namespace scenario {

struct timetable_row {
    std::string name;  // UTF-8
    std::int64_t position = 0;
    std::int64_t kilometre_metres = 0;      // progressive, from the kilometre references
    std::optional<std::int32_t> scheduled;  // seconds from midnight
    std::optional<double> bound;            // seconds from the last timetabled station
    std::optional<double> braking;
    std::optional<double> earliest;      // the bound's passing time, seconds from midnight
    std::optional<double> bound_margin;  // at a timetabled station
    std::optional<double> braking_margin;
};

struct timetable_description {
    std::optional<std::int32_t> start_clock;  // seconds from midnight
    train_rates rates;
    std::vector<timetable_row> rows;
};

timetable_description describe_timetable(const scenario_description& description,
                                         const train_rates& rates);

// A margin under the bound below this is noted in the summary.
inline constexpr double tight_margin_seconds = 60;

// "station at 2750 m (VALDORA RIFREDI): its time 13:32:00 leaves 40 s over the fastest run",
// for each timetabled station kept with less than a minute to spare.
std::vector<std::string> tight_timetable_notes(const scenario_description& description);

void print_timetable_text(std::ostream& out, const timetable_description& timetable,
                          const compiled_scenario_files& files);
void print_timetable_json(std::ostream& out, const timetable_description& timetable,
                          const compiled_scenario_files& files);

}  // namespace scenario
