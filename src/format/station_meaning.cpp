#include "format/station_meaning.h"

#include "format/rounding.h"

namespace scenario {
namespace {

constexpr std::uint8_t first_type_without_end = 25;
constexpr std::int64_t reach_ahead_of_types_5_and_6 = 150;
constexpr std::int64_t mar_lengthening = 50;

}  // namespace

station_area_rule area_rule_of(std::uint8_t tipo) {
    if (tipo == 5 || tipo == 6) {
        return station_area_rule::behind_to_150_ahead;
    }
    if (tipo == 7 || tipo == 8) {
        return station_area_rule::length_either_side;
    }
    return station_area_rule::centred;
}

bool has_station_end(std::uint8_t tipo) {
    return tipo < first_type_without_end;
}

bool has_approach_markers(std::uint8_t tipo) {
    return has_station_end(tipo) && area_rule_of(tipo) != station_area_rule::behind_to_150_ahead;
}

bool keeps_station_mar(std::uint8_t tipo) {
    return area_rule_of(tipo) == station_area_rule::centred;
}

station_area area_of_station(std::uint8_t tipo, std::int64_t pos, std::int64_t lung, bool mar) {
    switch (area_rule_of(tipo)) {
        case station_area_rule::behind_to_150_ahead:
            return {pos - lung, pos + reach_ahead_of_types_5_and_6};
        case station_area_rule::length_either_side:
            return {pos - lung, pos + lung};
        case station_area_rule::centred:
            break;
    }
    return {pos - lung / 2, pos + lung / 2 + (mar ? mar_lengthening : 0)};
}

double station_end_point(std::int32_t fine) {
    return fine / static_cast<double>(cell_metres) - 1;
}

std::int64_t station_end_cell(std::int32_t fine) {
    return static_cast<std::int64_t>(nearest(station_end_point(fine)));
}

std::optional<station_length_as_written> station_length(const voce& station) {
    const std::int64_t pos = station.valore3;
    const std::int64_t behind = pos - station.valore1;
    station_length_as_written written;
    switch (area_rule_of(station.tipo)) {
        case station_area_rule::behind_to_150_ahead:
        case station_area_rule::length_either_side:
            written.lung = static_cast<std::int32_t>(behind);
            break;
        case station_area_rule::centred:
            written.lung = static_cast<std::int32_t>(2 * behind);
            written.lengthened_by_mar = station.valore2 - (pos + behind) == mar_lengthening;
            break;
    }
    const station_area area =
        area_of_station(station.tipo, pos, written.lung, written.lengthened_by_mar);
    if (area.inizio != station.valore1 || area.fine != station.valore2) {
        return std::nullopt;
    }
    return written;
}

}  // namespace scenario
