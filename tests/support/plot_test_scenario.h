// A compiled scenario made in memory for the tests of `plot`: a line of any length up to the
// longest, with arcs in its plan, changing gradients and speed limits, stations, signals, a
// slowdown, maximum-speed boards, mountain-side stretches and an indicator board, laid out
// as the compiler lays them out. Tests only: nothing in the program includes it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/cell_meaning.h"
#include "format/rounding.h"
#include "format/scenario_codes.h"
#include "plot/model.h"

namespace scenario::plot_testing {

struct arc {
    std::int32_t inizio = 0;
    std::int32_t length = 0;
    double curvature = 0.0;
};

// The plan as the line reader steps it: rows 0 and 1 fixed, then a straight or an arc step
// per metre up to limite_profilo - 2; an arc covers the metres after inizio up to
// inizio + length.
inline profilo_linea make_plan(std::int32_t limite_profilo, const std::vector<arc>& arcs) {
    profilo_linea plan(limite_profilo);
    plan.set_intero(0, 0, 0);
    plan.set_intero(0, 1, 0);
    plan.set_intero(1, 0, 0);
    plan.set_intero(1, 1, 1);
    double x2 = 0.0, y2 = 0.0, x1 = 0.0, y1 = 1.0;
    std::size_t next = 0;
    for (std::int32_t m = 2; m <= limite_profilo - 2; ++m) {
        while (next < arcs.size() && m > arcs[next].inizio + arcs[next].length) {
            ++next;
        }
        const bool on_arc = next < arcs.size() && m > arcs[next].inizio;
        const double k = on_arc ? arcs[next].curvature : 0.0;
        const double dx = x1 - x2;
        const double dy = y1 - y2;
        const double x = x1 + (dx + k * dy);
        const double y = y1 + (dy - k * dx);
        plan.set_reale(m, 0, x);
        plan.set_reale(m, 1, y);
        x2 = x1;
        y2 = y1;
        x1 = x;
        y1 = y;
    }
    return plan;
}

// An arc every 2 km, of every curvature the line file knows, to the left and to the right.
inline std::vector<arc> sample_arcs(std::int32_t length) {
    const double curvatures[] = {-0.0002, 0.001, -0.002, 0.0004, 0.003, -0.001, 0.0001};
    std::vector<arc> arcs;
    int n = 0;
    for (std::int32_t start = 700; start + 900 < length; start += 2000, ++n) {
        arcs.push_back({start, 300 + 100 * (n % 6), curvatures[n % 7]});
    }
    return arcs;
}

struct sample_station {
    std::int32_t position;
    const char* name;
    std::int32_t seconds;
};

// Positions of the sample's objects, in metres; cells as the readers compute them.
inline std::int32_t round_to_cell(double metres) {
    return static_cast<std::int32_t>(nearest(metres / 50.0)) * 50;
}

inline void place(std::vector<cella>& celle, double position, std::uint8_t tipo,
                  std::int16_t dato1) {
    cella& cell = celle[static_cast<std::size_t>(cella_di_punto(position))];
    if (cell.libera()) {
        cell.tipo = tipo;
        cell.dato1 = dato1;
    }
}

inline void add_stations(plot::compiled_scenario& record, std::int32_t length) {
    const sample_station stations[] = {
        {0, "ALPHA S.M.", 48300},
        {round_to_cell(length * 0.3), "Bravo", 49200},
        {round_to_cell(length * 0.6), "Charlie Bivio", 0},  // passed without a stop
        {length, "DELTA C.le", 52260},
    };
    int k = 1;
    for (const sample_station& s : stations) {
        voce& entry = record.voci[k];
        entry.tipo = 2;
        entry.valore3 = s.position;
        entry.valore1 = s.position - (k == 1 ? 400 : 300);
        entry.valore2 = s.position + (k == 1 ? 400 : 300);
        entry.testo = s.name;
        entry.valore4 = s.seconds;
        cella& end = record.celle[static_cast<std::size_t>(nearest(entry.valore2 / 50.0 - 1))];
        end.tipo = kind::fine_stazione;
        end.dato1 = static_cast<std::int16_t>(k);
        ++k;
    }
}

inline void add_slowdown(std::vector<cella>& celle, std::int32_t x, std::int32_t l, int v) {
    place(celle, x - 1200, kind::avviso_rallentamento, static_cast<std::int16_t>(v));
    place(celle, x, kind::inizio_rallentamento, static_cast<std::int16_t>(v));
    place(celle, x + l, kind::fine_rallentamento, static_cast<std::int16_t>(v));
}

inline void add_series(std::vector<cella>& celle) {
    const int gradients[] = {0, 4, 8, -3, -12, 6, 0, 15};
    const int speeds[] = {60, 80, 100, 120, 90, 130};
    // The reader fills the series up to three cells before the last one.
    for (std::size_t i = 0; i + 3 < celle.size(); ++i) {
        celle[i].extra5 = static_cast<std::uint8_t>(gradients[i / 37 % 8] + gradient_offset);
        celle[i].extra4 = static_cast<std::uint8_t>(speeds[i / 53 % 6] / speed_limit_unit);
        celle[i].extra6 = 100;
    }
}

inline void add_mountain(std::vector<cella>& celle, std::int32_t from, std::int32_t to,
                         std::uint8_t side) {
    for (auto i = static_cast<std::size_t>(from / 50); i < static_cast<std::size_t>(to / 50); ++i) {
        celle[i].extra3 = side;
    }
}

// A scenario of `length` metres (a multiple of 100, at least 10000); the plan only when
// `with_line`.
inline plot::compiled_scenario make_sample_record(std::int32_t length, bool with_line) {
    plot::compiled_scenario record;
    const std::int32_t limite_profilo = length + margine_oltre_linea;
    const std::int32_t ultima_cella = limite_profilo / cell_metres;
    record.celle.assign(static_cast<std::size_t>(ultima_cella) + 1, cella{});
    record.voci[entry::length_and_train].valore2 = length;
    record.voci[entry::route].testo = "Sample_Route";
    record.voci[entry::train].testo = "4321";
    add_series(record.celle);
    add_stations(record, length);
    add_slowdown(record.celle, round_to_cell(length * 0.45), 600, 60);
    add_mountain(record.celle, 2000, 2600, 1);
    add_mountain(record.celle, round_to_cell(length * 0.5), round_to_cell(length * 0.5) + 1000, 2);
    // The first indicator board's text sits in entry 80.
    place(record.celle, 1200, kind::cartello_indicatore, entry::first_board_text);
    record.voci[entry::first_board_text].testo = "(  Km. ) (1.200)";
    // Maximum-speed boards of 100, 110 and 120 km/h on both faces.
    for (std::int32_t p = 800; p < length; p += 5000) {
        cella& board = record.celle[static_cast<std::size_t>(cella_di_punto(p))];
        if (board.libera()) {
            board.tipo = kind::indicatore_v_max;
            if (!pack_board_speeds(100, 100, board.dato1) ||
                !pack_board_speeds(110, 110, board.dato2) ||
                !pack_board_speeds(120, 120, board.dato3)) {
                std::abort();  // these speeds fit the field with room to spare
            }
        }
    }
    for (std::int32_t p = 1000; p < length; p += 1500) {
        place(record.celle, p, kind::segnale, 40);
    }
    if (with_line) {
        record.profilo = make_plan(limite_profilo, sample_arcs(length));
    }
    // The stamps of a compile, so that the files written from the record are read as one
    // compile's.
    record.voci[entry::route].numero1 = 610;
    record.celle[1].dato1 = 5121;
    record.voci[entry::route].valore4 = codice_gara_st(record.voci);
    record.celle[1].dato2 = codice_gara_og(record.voci);
    return record;
}

}  // namespace scenario::plot_testing
