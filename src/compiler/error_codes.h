// Every code that the compiler reports, each named once with its number, whether a position
// in metres goes with it, and what it means, in plain English for scenario authors. The
// numbers are those that the compiled scenario has always reported in its error state; 1250
// and 1251 are not recorded but end the build through the fatal error box.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scenario {

struct error_code_entry {
    std::int32_t codice;
    bool has_position;  // `posizione_errore` is set with the code
    std::string_view meaning;
};

namespace error_code {

inline constexpr error_code_entry line_too_long{1, false, "the line length is above 1000000 m"};
inline constexpr error_code_entry reference_off_cell{
    2, false, "a kilometre reference point is not a multiple of 50 m"};
inline constexpr error_code_entry cab_signalling_start_off_cell{
    3, false, "the start of the cab-signal repetition is not a multiple of 50 m"};
inline constexpr error_code_entry cab_signalling_end_off_cell{
    4, false, "the end of the cab-signal repetition is not a multiple of 50 m"};
inline constexpr error_code_entry cab_signalling_key{
    5, false, "the cab-signal repetition key holds neither \"4\" nor \"9\""};
inline constexpr error_code_entry indicator_board_cell_taken{
    6, true, "an indicator board stands on a cell that is not free"};
inline constexpr error_code_entry abbattimento_cell_taken{
    7, true, "an \"abbattimento\" point stands on a cell that is not free"};
inline constexpr error_code_entry station_position_off_cell{
    8, true, "a station position is not a multiple of 50 m"};
inline constexpr error_code_entry station_length_off_100{
    9, true, "a station length is not a multiple of 100 m"};
inline constexpr error_code_entry item_table_full{
    10, false,
    "the stations and the indicator boards together need more than the 78 entries of the item "
    "table"};
inline constexpr error_code_entry no_cell_ahead_of_signal{
    11, true, "no cell is left for the point ahead of a signal before a slowdown warning board"};
inline constexpr error_code_entry no_cell_ahead_of_slowdown{
    12, true, "no cell is left for a point ahead of a slowdown start"};
inline constexpr error_code_entry no_cell_in_slowdown{
    13, true, "no cell is left for a point inside a slowdown or after its end"};
inline constexpr error_code_entry beyond_grid{15, true,
                                              "a record stands beyond the end of the cell grid"};
inline constexpr error_code_entry signal_cell_taken{16, true,
                                                    "a signal stands on a cell that is not free"};
inline constexpr error_code_entry warning_board_cell_taken{
    17, true, "a slowdown warning board falls on a cell that is not free"};
inline constexpr error_code_entry slowdown_start_cell_taken{
    18, true, "a slowdown start falls on a cell that is not free"};
inline constexpr error_code_entry slowdown_end_cell_taken{
    19, true, "a slowdown end falls on a cell that is not free"};
inline constexpr error_code_entry cells_before_warning_board_taken{
    20, true, "one of the four cells before a slowdown warning board is not free"};
inline constexpr error_code_entry speed_board_cell_taken{
    21, true, "a maximum-speed board stands on a cell that is not free"};
inline constexpr error_code_entry stations_too_close{
    22, true, "a station area begins less than 350 m after the end of the previous one"};
inline constexpr error_code_entry station_ends_too_early{24, false,
                                                         "a station area ends at or before 100 m"};
// The one recovery path for a reading that cannot go on.
inline constexpr error_code_entry runtime_failure{
    25, false,
    "a source file could not be read: it is missing, it ends inside a record, or a number is "
    "not a whole number or does not fit its field"};
inline constexpr error_code_entry no_line_file{101, false, "the line source file is missing"};
inline constexpr error_code_entry no_general_header{
    102, false, "the line source file has no \"[generale]\" header"};
inline constexpr error_code_entry bad_curve{
    103, false,
    "a curve key holds no digit 1 to 6, or the plan of the line runs past metre 1000000"};
// Not one of the compiled scenario's own codes: input that the record has no room for, which
// is refused before anything is written for it.
inline constexpr error_code_entry no_room{
    200, true,
    "the scenario's tables have no room for the record (a negative position, an object beyond "
    "the grid, too many stretches or boards)"};
inline constexpr error_code_entry format_stamp_slot_taken{
    1250, false, "cell 1 holds a value where the grid's format stamp goes"};
inline constexpr error_code_entry scenario_code_slot_taken{
    1251, false, "cell 1 holds a value where the scenario code goes"};

}  // namespace error_code

// Every code above, for looking one up by its number.
inline constexpr std::array error_code_table = {
    error_code::line_too_long,
    error_code::reference_off_cell,
    error_code::cab_signalling_start_off_cell,
    error_code::cab_signalling_end_off_cell,
    error_code::cab_signalling_key,
    error_code::indicator_board_cell_taken,
    error_code::abbattimento_cell_taken,
    error_code::station_position_off_cell,
    error_code::station_length_off_100,
    error_code::item_table_full,
    error_code::no_cell_ahead_of_signal,
    error_code::no_cell_ahead_of_slowdown,
    error_code::no_cell_in_slowdown,
    error_code::beyond_grid,
    error_code::signal_cell_taken,
    error_code::warning_board_cell_taken,
    error_code::slowdown_start_cell_taken,
    error_code::slowdown_end_cell_taken,
    error_code::cells_before_warning_board_taken,
    error_code::speed_board_cell_taken,
    error_code::stations_too_close,
    error_code::station_ends_too_early,
    error_code::runtime_failure,
    error_code::no_line_file,
    error_code::no_general_header,
    error_code::bad_curve,
    error_code::no_room,
    error_code::format_stamp_slot_taken,
    error_code::scenario_code_slot_taken,
};

// The entry of a code by its number; null for a number that is no code of the compiler.
const error_code_entry* find_error_code(std::int32_t codice);

// The code's meaning, or "error" for a number that is no code of the compiler.
std::string_view error_code_meaning(std::int32_t codice);

}  // namespace scenario
