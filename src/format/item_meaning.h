// What the entries of the item table hold beyond the fixed entries of scenario_record.h:
// which entries are stations and which hold the texts of indicator boards, and a station's
// time in the timetable.
//
// Stations fill the entries from 1 upward, in the order of the train file; the texts of the
// indicator boards fill them from 80 downward, in the order of the line file, and each board
// cell (kind 14) names the entry of its text in `dato1`. The train reader keeps the two runs
// apart. A board's entry holds its text and nothing else; the entry of a station that the
// reader accepts always holds more than its name (a type, or an area that ends beyond
// 100 m). Hence the rule:
//
//  - An entry holds a board's text when it holds a text and nothing else, and either it lies
//    in the run of such entries that starts at entry 80, or a board cell names it. Only the
//    grid tells a board of an empty text, whose entry holds nothing at all.
//  - The stations are the entries from 1 upward, up to the first entry that holds nothing
//    or a board's text.
//
// From the item file alone the rule finds the boards down to the first one without a text;
// with the grid it finds every board.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "format/scenario_record.h"

namespace scenario {

// The entries of the board texts, the first board's (80) first. `celle` empty: the grid is
// not known.
std::vector<std::size_t> board_text_entries(const std::array<voce, numero_voci>& voci,
                                            std::span<const cella> celle = {});
// The entries of the stations, the first station's (1) first.
std::vector<std::size_t> station_entries(const std::array<voce, numero_voci>& voci,
                                         std::span<const cella> celle = {});

// A station's time in the timetable, in seconds from midnight (`valore4`); 0, that is
// 00:00:00, means that the station has none (the train passes it without a stop).
std::optional<std::int32_t> timetabled_time(const voce& station);

// A time of day as "hh:mm:ss". A negative count of seconds, which is no time of day, is
// shown as it stands ("-60 s").
std::string clock_text(std::int32_t seconds);

}  // namespace scenario
