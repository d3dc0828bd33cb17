#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "compiler/timetable_runs.h"
#include "documents/fixed_columns.h"
#include "documents/generated_documents.h"

// The train sheet from a scenario's data. The header and the head of the timetable are the
// built-in sheet's, with the train, its first and last station, the highest speed limit and
// the values of the boxes put in; the rows follow the built-in columns: Vel. Lim. 5, Vel. Marc.
// 5, Progr Km 10, No Rs 5, Localita' di Servizio 28, Orario 16, Rec 5.
namespace scenario {
namespace {

constexpr int seconds_per_minute = 60;

constexpr std::size_t speed_width = 5;
constexpr std::size_t kilometre_width = 10;
constexpr std::size_t place_width = 28;
constexpr std::size_t time_width = 16;
constexpr std::size_t rec_width = 5;
constexpr std::size_t left_box_width = 19;
constexpr std::size_t centre_area_width = 46;
constexpr std::size_t right_box_width = 14;

const std::string rule =
    " |_____|_____|__________|_____|____________________________|________________|_____|";

struct sheet_row {
    std::int64_t position = 0;
    std::string place;
    std::int32_t time = 0;
};

std::vector<sheet_row> rows_of(const document_model& model) {
    std::vector<sheet_row> rows;
    for (const document_station& station : model.stations) {
        rows.push_back({station.position, station.name, station.time});
    }
    const auto has_row_at = [&](std::int64_t position) {
        return std::any_of(rows.begin(), rows.end(),
                           [&](const sheet_row& row) { return row.position == position; });
    };
    for (const document_speed_change& change : model.speed_changes) {
        if (!has_row_at(change.position)) {
            const std::int64_t km = progressive_metres(model.references, change.position);
            rows.push_back({change.position, "Km " + kilometre_text(km), 0});
        }
    }
    for (const document_reference& reference : model.references) {
        if (!has_row_at(reference.position)) {
            rows.push_back(
                {reference.position, "Cippo chilometro " + kilometre_text(reference.value), 0});
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const sheet_row& a, const sheet_row& b) {
        return a.position < b.position;
    });
    return rows;
}

std::optional<int> speed_at(const document_model& model, std::int64_t position) {
    std::optional<int> speed;
    for (const document_speed_change& change : model.speed_changes) {
        if (change.position <= position) {
            speed = change.kmh;
        }
    }
    return speed;
}

// Minutes with one decimal below ten, whole from ten, as the built-in Rec column ("0.5", "1").
std::string minutes_text(double seconds) {
    // A margin of a whole tenth computed as a hair less is still that tenth.
    constexpr double tolerance = 1e-6;
    const double minutes = seconds / seconds_per_minute + tolerance;
    char text[32];
    if (std::fabs(minutes) < 10) {
        std::snprintf(text, sizeof text, "%.1f", std::floor(minutes * 10) / 10);
        std::string result = text;
        if (result.ends_with(".0")) {
            result.resize(result.size() - 2);
        }
        return result == "-0" ? "0" : result;
    }
    if (std::fabs(minutes) >= 1000) {
        return minutes > 0 ? ">999" : "<999";
    }
    std::snprintf(text, sizeof text, "%.0f", std::floor(minutes));
    return text;
}

std::vector<std::string> header(const document_model& model) {
    const std::string first = model.stations.empty() ? "" : model.stations.front().name;
    const std::string last = model.stations.empty() ? "" : model.stations.back().name;
    int highest = 0;
    for (const document_speed_change& change : model.speed_changes) {
        highest = std::max(highest, change.kmh);
    }
    const sheet_header& box = model.header;
    return {
        "8",
        " ",
        "  ___________________                                                ______________",
        " |                   |                  SCHEDA                      |              |",
        " |" + centred_in("TRENO n. " + model.train, left_box_width) + "|" +
            left_in("da: " + first, centre_area_width, 16) + "|" +
            centred_in("V" + std::to_string(highest) + " " + box.rank, right_box_width) + "|",
        " |___________________|" + left_in("a: " + last, centre_area_width, 17) + "|" +
            centred_in(box.braked_percent + "%", right_box_width) + "|",
        "                                                                    |______________|",
        "  ___________________                ___________________ ",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
        " |" + centred_in(box.train_class, left_box_width) + "|              |" +
            left_in(box.mass_tonnes + "T", left_box_width, 6) + "|",
        " |___________________|              |___________________|  ",
        "",
        "  ________________________________________________________________________________",
        " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |",
        " | Lim.|Marc.|          | Rs  |                            |                |     |",
        rule,
    };
}

}  // namespace

std::string sheet_time(double seconds) {
    const long long minutes = std::llround(std::floor(seconds)) / seconds_per_minute;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld.%02lld", minutes / seconds_per_minute,
                  minutes % seconds_per_minute);
    return text;
}

std::vector<std::string> generated_train_sheet(const document_model& model) {
    std::vector<std::string> lines = header(model);
    const std::vector<sheet_row> rows = rows_of(model);
    std::vector<timetable_place> places;
    places.reserve(rows.size());
    for (const sheet_row& row : rows) {
        places.push_back({row.position, row.time});
    }
    const std::vector<place_timing> timings = time_places(model.cell_speeds, places, train_rates{});
    std::optional<std::size_t> last_timed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].time > 0) {
            last_timed = i;
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const sheet_row& row = rows[i];
        const std::optional<int> speed = speed_at(model, row.position);
        const std::int64_t km = progressive_metres(model.references, row.position);
        std::string time(time_width, ' ');
        std::string rec(rec_width, ' ');
        if (row.time > 0) {
            // The last station gives its arrival on the left, the others their departure.
            time = i == last_timed && i > 0 ? left_in(sheet_time(row.time), time_width, 1)
                                            : right_in(sheet_time(row.time), time_width, 1);
            if (timings[i].bound_margin) {
                rec = left_in(minutes_text(*timings[i].bound_margin), rec_width, 1);
            }
        } else if (const std::optional<double> passing = timings[i].earliest(places)) {
            time = left_in(sheet_time(*passing) + "*", time_width, 6);
        }
        lines.push_back(ruled_row({
            speed ? right_in(std::to_string(*speed), speed_width, 1)
                  : std::string(speed_width, ' '),
            std::string(speed_width, ' '),
            km == 0 ? right_in("0", kilometre_width, 5)
                    : right_in(kilometre_text(km), kilometre_width, 1),
            std::string(speed_width, ' '),
            left_in(row.place, place_width, 1),
            time,
            rec,
        }));
    }
    lines.push_back(rule);
    return lines;
}

}  // namespace scenario
