#include "inspect/timetable_description.h"

#include <cmath>

#include "compiler/timetable_runs.h"
#include "documents/document_model.h"
#include "format/item_meaning.h"

namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;
constexpr int seconds_per_hour = 3600;
constexpr int hours_per_day = 24;

// The speed in force over each cell that the series reach, from the described series and
// slowdowns.
std::vector<int> cell_speeds(const scenario_description& d) {
    std::vector<int> limits(
        static_cast<std::size_t>(std::max<std::int64_t>(d.grid.series_cell_count, 0)));
    for (const series_range& range : d.speed_limits) {
        for (std::int64_t cell = range.first_cell;
             cell <= range.last_cell && cell < static_cast<std::int64_t>(limits.size()); ++cell) {
            if (cell >= 0) {
                limits[static_cast<std::size_t>(cell)] = range.value;
            }
        }
    }
    std::vector<slowdown_stretch> slowdowns;
    for (const slowdown_description& slowdown : d.slowdowns) {
        slowdowns.push_back(
            {slowdown.start.metre, slowdown.start.metre + slowdown.length(), slowdown.v});
    }
    return speeds_in_force(std::move(limits), slowdowns);
}

// The progressive kilometre, as the driver's documents count it; references left at 0, 0 say
// nothing.
std::int64_t kilometre_at(const scenario_description& d, std::int64_t position) {
    std::vector<document_reference> references;
    for (const kilometre_reference& reference : d.references) {
        if (reference.position != 0 || reference.value != 0) {
            references.push_back({reference.position, reference.value});
        }
    }
    return progressive_metres(references, position);
}

std::optional<std::int32_t> start_clock_of(const scenario_description& d) {
    const auto& clock = d.general.orologio;
    if (clock[0] < 0 || clock[0] >= hours_per_day || clock[1] < 0 ||
        clock[1] >= seconds_per_minute || clock[2] < 0 || clock[2] >= seconds_per_minute) {
        return std::nullopt;
    }
    return clock[0] * seconds_per_hour + clock[1] * seconds_per_minute + clock[2];
}

}  // namespace

timetable_description describe_timetable(const scenario_description& description,
                                         const train_rates& rates) {
    timetable_description timetable;
    timetable.rates = rates;
    timetable.start_clock = start_clock_of(description);
    std::vector<timetable_place> places;
    for (const station_description& station : description.stations) {
        places.push_back({station.pos, station.time > 0 ? station.time : 0});
    }
    const std::vector<place_timing> timings = time_places(cell_speeds(description), places, rates);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const station_description& station = description.stations[i];
        const place_timing& timing = timings[i];
        timetable.rows.push_back({
            station.nome,
            station.pos,
            kilometre_at(description, station.pos),
            station.time > 0 ? std::optional(station.time) : std::nullopt,
            timing.bound,
            timing.braking,
            timing.earliest(places),
            timing.bound_margin,
            timing.braking_margin,
        });
    }
    return timetable;
}

std::vector<std::string> tight_timetable_notes(const scenario_description& description) {
    std::vector<std::string> notes;
    for (const timetable_row& row : describe_timetable(description, train_rates{}).rows) {
        if (row.scheduled && row.bound_margin && *row.bound_margin >= 0 &&
            *row.bound_margin < tight_margin_seconds) {
            notes.push_back("station at " + std::to_string(row.position) + " m (" + row.name +
                            "): its time " + clock_text(*row.scheduled) + " leaves " +
                            std::to_string(std::llround(*row.bound_margin)) +
                            " s over the fastest run, less than a minute to spare");
        }
    }
    return notes;
}

}  // namespace scenario
