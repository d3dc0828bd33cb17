#include <algorithm>
#include <cmath>

#include "format/item_meaning.h"
#include "inspect/scenario_description.h"
#include "source/code_page.h"

namespace scenario {

line_place point_place(std::int64_t cell) {
    return {object_position(static_cast<std::size_t>(cell)), cell};
}

line_place start_place(std::int64_t cell) {
    return {cell_start_position(static_cast<std::size_t>(cell)), cell};
}

void describe_general(const compiled_tables& tables, scenario_description& description) {
    const auto& voci = tables.voci;
    const voce& length_and_train = voci[entry::length_and_train];
    const voce& route = voci[entry::route];
    const voce& train = voci[entry::train];
    general_values& general = description.general;
    general.route = single_byte_to_utf8(route.testo);
    general.train = single_byte_to_utf8(train.testo);
    general.lunghezza_percorso = length_and_train.valore2;
    general.percentuale_massa_frenata = length_and_train.valore1;
    general.numero_vetture = length_and_train.valore3;
    general.sabbia = train.numero1;
    general.orologio = {train.numero3, train.numero4, train.numero5};
    // The item file keeps "sfondo due" in valore3 and "sfondo tre" in valore2.
    general.sfondo = {route.valore1, route.valore3, route.valore2};

    const std::size_t ordered[3] = {entry::smallest_reference, entry::middle_reference,
                                    entry::greatest_reference};
    for (std::size_t k = 0; k < 3; ++k) {
        const voce& reference = voci[ordered[k]];
        description.references[k] = {reference.valore1, reference.valore2, reference.valore3};
    }
    description.cab_signals = {train.valore1, train.valore2, train.valore3};

    description.stamps.item_format = route.numero1;
    description.stamps.weighted_code = route.valore4;
    if (tables.celle.size() > 1) {
        description.stamps.grid_format = tables.celle[1].dato1;
        description.stamps.plain_code = tables.celle[1].dato2;
    }
    const auto cell_count = static_cast<std::int64_t>(tables.celle.size());
    description.grid = {cell_count, static_cast<std::int64_t>(series_cells(tables.celle.size()))};
}

void describe_stations(const compiled_tables& tables, scenario_description& description) {
    const std::vector<std::size_t> entries = station_entries(tables.voci, tables.celle);
    for (const std::size_t k : entries) {
        const voce& entry = tables.voci[k];
        station_description station;
        station.entry = k;
        station.nome = single_byte_to_utf8(entry.testo);
        station.pos = entry.valore3;
        station.tipo = entry.tipo;
        station.lung = station_length(entry);
        station.area_start = entry.valore1;
        station.area_end = entry.valore2;
        station.tps = entry.stato;
        station.tab = entry.extra4;
        station.mar = entry.extra3;
        station.first_d2 = entry.numero1;
        station.first_d3 = entry.numero2;
        station.rap = entry.extra1;
        station.second_d1 = entry.numero3;
        station.second_d2 = entry.numero4;
        station.second_d3 = entry.numero5;
        station.ac = entry.extra2;
        station.time = entry.valore4;
        station.approach_markers = has_approach_markers(entry.tipo);
        description.stations.push_back(std::move(station));
    }
    // The end cell names its station's entry; a later station's end written over an earlier
    // one's leaves only the later.
    for (std::size_t i = 0; i < tables.celle.size(); ++i) {
        const cella& cell = tables.celle[i];
        if (cell.tipo != kind::fine_stazione) {
            continue;
        }
        for (station_description& station : description.stations) {
            if (static_cast<std::int64_t>(station.entry) == cell.dato1 && !station.end_cell) {
                station.end_cell = static_cast<std::int64_t>(i);
            }
        }
    }
}

scenario_description describe_scenario(const compiled_tables& tables) {
    scenario_description description;
    describe_general(tables, description);
    describe_stations(tables, description);
    // The grid's objects leave to the stations and the mountain stretches the cells that
    // belong to them.
    describe_series(tables, description);
    describe_grid_objects(tables, description);
    if (tables.profilo) {
        description.plan = describe_plan(*tables.profilo, description.general.lunghezza_percorso);
    }
    return description;
}

namespace {

std::int64_t cell_under(std::int64_t metre) {
    return static_cast<std::int64_t>(std::floor(static_cast<double>(metre) / cell_metres));
}

// The cells that a stretch from `from` to `to` metres covers: at least the cell of its start.
std::int64_t last_cell_under(std::int64_t from, std::int64_t to) {
    return std::max(cell_under(from), cell_under(to - 1));
}

template <typename object, typename keep>
std::vector<object> kept(const std::vector<object>& objects, keep keeps) {
    std::vector<object> result;
    std::copy_if(objects.begin(), objects.end(), std::back_inserter(result), keeps);
    return result;
}

bool range_within(const line_window& window, std::int64_t first_cell, std::int64_t last_cell) {
    return window.overlaps(start_place(first_cell).metre, start_place(last_cell + 1).metre,
                           first_cell, last_cell);
}

}  // namespace

bool line_window::holds(const line_place& place) const {
    const std::int64_t cell = place.cell.value_or(cell_under(place.metre));
    if (first_cell && cell < *first_cell) {
        return false;
    }
    if (last_cell && cell > *last_cell) {
        return false;
    }
    const auto metre = static_cast<double>(place.metre);
    return (!from_metre || metre >= *from_metre) && (!to_metre || metre <= *to_metre);
}

bool line_window::overlaps(std::int64_t from, std::int64_t to, std::int64_t from_cell,
                           std::int64_t to_cell) const {
    if ((first_cell && to_cell < *first_cell) || (last_cell && from_cell > *last_cell)) {
        return false;
    }
    return (!from_metre || static_cast<double>(to) >= *from_metre) &&
           (!to_metre || static_cast<double>(from) <= *to_metre);
}

scenario_description within(const scenario_description& description, const line_window& window) {
    scenario_description part = description;
    const auto holds = [&](const auto& object) { return window.holds(object.at); };
    part.stations = kept(description.stations, [&](const station_description& station) {
        return window.overlaps(station.area_start, station.area_end, cell_under(station.area_start),
                               last_cell_under(station.area_start, station.area_end));
    });
    part.signals = kept(description.signals, holds);
    part.speed_boards = kept(description.speed_boards, holds);
    part.indicator_boards = kept(description.indicator_boards, holds);
    part.points = kept(description.points, holds);
    part.other_objects = kept(description.other_objects, holds);
    part.slowdowns = kept(description.slowdowns, [&](const slowdown_description& slowdown) {
        const line_place end = slowdown.end.value_or(slowdown.start);
        return window.overlaps(slowdown.start.metre, end.metre, *slowdown.start.cell, *end.cell);
    });
    const auto range_kept = [&](const auto& range) {
        return range_within(window, range.first_cell, range.last_cell);
    };
    part.gradients = kept(description.gradients, range_kept);
    part.speed_limits = kept(description.speed_limits, range_kept);
    part.adherence = kept(description.adherence, range_kept);
    part.mountains = kept(description.mountains, range_kept);
    if (part.plan) {
        part.plan->curves = kept(description.plan->curves, [&](const curve_description& curve) {
            const std::int64_t end = curve.inizio + curve.length;
            return window.overlaps(curve.inizio, end, cell_under(curve.inizio),
                                   last_cell_under(curve.inizio, end));
        });
    }
    return part;
}

}  // namespace scenario
