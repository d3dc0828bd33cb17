#include <algorithm>
#include <cmath>

#include "compiler/timetable_runs.h"
#include "documents/fixed_columns.h"
#include "documents/generated_documents.h"

// The route notes from a scenario's data: a title as the built-in notes have, then in short
// points the line's length, its stations with their kilometres and timetabled times, the
// time that the timetable gives against the fastest run, and the slowdowns. Lines stay within
// 80 characters.
namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;
constexpr std::size_t name_width = 28;
constexpr std::size_t kilometre_width = 9;
constexpr std::size_t longest_line = 80;

std::string whole_minutes(double seconds) {
    return std::to_string(static_cast<long long>(std::ceil(seconds / seconds_per_minute)));
}

// The first and the last timetabled station, and the fastest run between them with no stop.
void add_timetable_points(const document_model& model, std::vector<std::string>& lines) {
    const auto timed = [](const document_station& station) { return station.time > 0; };
    const auto first = std::find_if(model.stations.begin(), model.stations.end(), timed);
    const auto last = std::find_if(model.stations.rbegin(), model.stations.rend(), timed);
    if (first == model.stations.end() || &*first == &*last) {
        return;
    }
    lines.push_back(" - Partenza alle " + sheet_time(first->time) + ", arrivo alle " +
                    sheet_time(last->time) + ": l'orario da` " +
                    whole_minutes(last->time - first->time) + " minuti.");
    if (const std::optional<double> fastest =
            run_seconds(model.cell_speeds, first->position, last->position, std::nullopt)) {
        lines.push_back("   Alla massima velocita` consentita, senza fermate, ne bastano " +
                        whole_minutes(*fastest) + ".");
    }
}

void add_slowdown_point(const document_model& model, std::vector<std::string>& lines) {
    const std::size_t count = model.slowdowns.size();
    const std::size_t whole_train = static_cast<std::size_t>(
        std::count_if(model.slowdowns.begin(), model.slowdowns.end(),
                      [](const document_slowdown& slowdown) { return slowdown.whole_train; }));
    if (count == 0) {
        lines.emplace_back(" - Sul percorso non ci sono rallentamenti.");
        return;
    }
    lines.push_back(" - Rallentamenti sul percorso: " + std::to_string(count) +
                    "; da rispettare con tutto il treno: " + std::to_string(whole_train) + ".");
}

}  // namespace

std::vector<std::string> generated_route_notes(const document_model& model) {
    const std::string first = model.stations.empty() ? "" : model.stations.front().name;
    const std::string last = model.stations.empty() ? "" : model.stations.back().name;
    std::vector<std::string> lines = {
        "                Treno " + model.train + " sul percorso " + first + "  " + last,
        "",
        " Alcune precisazioni su questo percorso:",
        " - La linea e` lunga " + kilometre_text(model.line_length) + " km e ha " +
            std::to_string(model.stations.size()) + " stazioni:",
    };
    for (const document_station& station : model.stations) {
        std::string line =
            "   " + left_in(station.name, name_width) + "km" +
            right_in(kilometre_text(progressive_metres(model.references, station.position)),
                     kilometre_width);
        if (station.time > 0) {
            line += "   ore " + sheet_time(station.time);
        }
        lines.push_back(line);
    }
    add_timetable_points(model, lines);
    add_slowdown_point(model, lines);
    lines.emplace_back(" ");
    lines.front().resize(std::min(lines.front().size(), longest_line));
    return lines;
}

}  // namespace scenario
