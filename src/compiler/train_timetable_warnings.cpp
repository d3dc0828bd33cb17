#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/run_speeds.h"
#include "compiler/timetable_runs.h"
#include "compiler/train_reading.h"
#include "format/item_meaning.h"

// The timetable against the line: a run that starts after the train should leave the first
// station, and a station time that not even the bound (every metre at the speed in force,
// timetable_runs.h) can keep. Both are told at the station record's time; they change nothing
// that is compiled.
namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;
constexpr int seconds_per_hour = 3600;
constexpr int hours_per_day = 24;

// A run's seconds, up to the next whole second; a whole second summed as a hair more stays
// that second.
double whole_seconds_up(double seconds) {
    constexpr double tolerance = 1e-6;
    return std::ceil(seconds - tolerance);
}

std::string duration_text(double seconds) {
    const long long whole = std::llround(whole_seconds_up(seconds));
    return std::to_string(whole / seconds_per_minute) + " min " +
           std::to_string(whole % seconds_per_minute) + " s";
}

// The record that a message is about, "the stazione record at 4500 m (PORTO)".
std::string station_name(const timed_station& station) {
    return keywords::stazione.the_phrase_at(station.position) + " (" + station.name + ")";
}

// Another station that the message speaks of, as a place on the line: "the station at 0 m
// (LAGO)".
std::string other_station(const timed_station& station) {
    return "the station at " + std::to_string(station.position) + " m (" + station.name + ")";
}

std::optional<std::int32_t> start_clock(const train_reading& reading) {
    if (reading.general_values[static_cast<std::size_t>(general_value::clock)].line == 0) {
        return std::nullopt;
    }
    const voce& train = reading.record.voci[entry::train];
    if (train.numero3 < 0 || train.numero3 >= hours_per_day || train.numero4 < 0 ||
        train.numero4 >= seconds_per_minute || train.numero5 < 0 ||
        train.numero5 >= seconds_per_minute) {
        return std::nullopt;  // told as not a time of day
    }
    return train.numero3 * seconds_per_hour + train.numero4 * seconds_per_minute + train.numero5;
}

void warn_about_clock(train_reading& reading) {
    const std::optional<std::int32_t> clock = start_clock(reading);
    if (!clock || reading.timetable.empty() || *clock <= reading.timetable.front().seconds) {
        return;
    }
    const timed_station& first = reading.timetable.front();
    reading.cursor.warn_at(warning_code::clock_after_departure, first.time_place,
                           station_name(first) + ": its time " + clock_text(first.seconds) +
                               " is before the start clock " + clock_text(*clock) +
                               ": the run begins after the train should have left; set the "
                               "orologio to " +
                               clock_text(first.seconds) + " or earlier");
    reading.errors.relate_latest(
        reading.cursor.point_at(
            reading.general_values[static_cast<std::size_t>(general_value::clock)]),
        "the start clock");
}

}  // namespace

void warn_about_timetable(train_reading& reading) {
    warn_about_clock(reading);
    if (reading.timetable.size() < 2) {
        return;
    }
    const std::vector<int> speeds = speeds_in_force(reading.context);
    for (std::size_t n = 1; n < reading.timetable.size(); ++n) {
        const timed_station& from = reading.timetable[n - 1];
        const timed_station& to = reading.timetable[n];
        const std::int32_t allowed = to.seconds - from.seconds;
        if (allowed < 0 || to.position <= from.position) {
            continue;  // times or stations out of order, told where they stand
        }
        const std::optional<double> fastest =
            run_seconds(speeds, from.position, to.position, std::nullopt);
        if (!fastest || *fastest <= allowed) {
            continue;
        }
        reading.cursor.warn_at(
            warning_code::time_cannot_be_kept, to.time_place,
            station_name(to) + ": the timetable allows " + duration_text(allowed) + " from " +
                clock_text(from.seconds) + " at " + other_station(from) + " to " +
                clock_text(to.seconds) + ", but the fastest run takes " + duration_text(*fastest) +
                " even at the speed limit and slowdown speed of every cell without "
                "accelerating; give this station " +
                clock_text(static_cast<std::int32_t>(from.seconds + whole_seconds_up(*fastest))) +
                " or later");
        reading.errors.relate_latest(reading.cursor.point_at(from.time_place),
                                     "the time that the run starts from");
    }
}

}  // namespace scenario
