// `inspect --timetable`: the timetable against the fastest run as a table for people and as
// JSON for scripts, with the same content.
#include <cmath>
#include <cstdio>
#include <string>

#include "format/item_meaning.h"
#include "inspect/author_json.h"
#include "inspect/timetable_description.h"

namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// "4:50", "-1:05": minutes and seconds, rounded to the second.
std::string duration_text(const std::optional<double>& seconds) {
    if (!seconds) {
        return "";
    }
    const long long whole = std::llround(*seconds);
    const long long magnitude = whole < 0 ? -whole : whole;
    return format("%s%lld:%02lld", whole < 0 ? "-" : "", magnitude / seconds_per_minute,
                  magnitude % seconds_per_minute);
}

// A row of the table, without the blanks of its empty columns at the end.
void write_row(std::ostream& out, std::string row) {
    row.erase(row.find_last_not_of(' ') + 1);
    out << row << '\n';
}

std::string kilometre_text(std::int64_t metres) {
    return format("%s%lld.%03lld", metres < 0 ? "-" : "", std::llabs(metres) / 1000,
                  std::llabs(metres) % 1000);
}

author_json optional_json(const std::optional<double>& value) {
    if (!value) {
        return nullptr;
    }
    return std::round(*value * 10) / 10;
}

}  // namespace

void print_timetable_text(std::ostream& out, const timetable_description& timetable,
                          const compiled_scenario_files& files) {
    out << "timetable of " << files.items << " against the fastest run\n";
    out << "  start clock "
        << (timetable.start_clock ? clock_text(*timetable.start_clock) : "not a time of day")
        << '\n';
    out << "  bound: every metre at the speed limit and slowdown speed in force, no "
           "acceleration\n";
    out << format(
        "  braking run: from rest, accelerating at %.2f m/s2 and braking at %.2f m/s2 "
        "to a stop at each timetabled station\n",
        timetable.rates.acceleration, timetable.rates.braking);
    out << "  times are from the last timetabled station; a margin is the time allowed less the "
           "run's\n\n";
    write_row(out, format("  %-24s %9s %9s %10s %10s %8s %8s %8s %8s", "station", "position", "km",
                          "scheduled", "earliest", "bound", "braking", "margin", "margin"));
    write_row(out, format("  %-24s %9s %9s %10s %10s %8s %8s %8s %8s", "", "", "", "", "(bound)",
                          "run", "run", "bound", "braking"));
    for (const timetable_row& row : timetable.rows) {
        write_row(
            out,
            format("  %-24s %7lld m %9s %10s %10s %8s %8s %8s %8s", row.name.c_str(),
                   static_cast<long long>(row.position),
                   kilometre_text(row.kilometre_metres).c_str(),
                   row.scheduled ? clock_text(*row.scheduled).c_str() : "",
                   row.earliest ? clock_text(static_cast<std::int32_t>(*row.earliest)).c_str() : "",
                   duration_text(row.bound).c_str(), duration_text(row.braking).c_str(),
                   duration_text(row.bound_margin).c_str(),
                   duration_text(row.braking_margin).c_str()));
    }
}

void print_timetable_json(std::ostream& out, const timetable_description& timetable,
                          const compiled_scenario_files& files) {
    author_json json = author_json::object();
    json["files"] = {{"items", files.items}, {"grid", files.grid}};
    json["start_clock"] =
        timetable.start_clock ? author_json(clock_text(*timetable.start_clock)) : nullptr;
    json["rates"] = {{"acceleration_m_s2", timetable.rates.acceleration},
                     {"braking_m_s2", timetable.rates.braking}};
    author_json stations = author_json::array();
    for (const timetable_row& row : timetable.rows) {
        stations.push_back({
            {"nome", row.name},
            {"position_m", row.position},
            {"progressive_m", row.kilometre_metres},
            {"scheduled", row.scheduled ? author_json(clock_text(*row.scheduled)) : nullptr},
            {"scheduled_s", row.scheduled ? author_json(*row.scheduled) : nullptr},
            {"earliest_s", optional_json(row.earliest)},
            {"bound_s", optional_json(row.bound)},
            {"braking_s", optional_json(row.braking)},
            {"bound_margin_s", optional_json(row.bound_margin)},
            {"braking_margin_s", optional_json(row.braking_margin)},
        });
    }
    json["stations"] = std::move(stations);
    out << json.dump(2) << '\n';
}

}  // namespace scenario
