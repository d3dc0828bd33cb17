// Every kind of warning that the compiler gives, each named once by a stable code, as errors
// have their numbers: the code stands after the message on the command line
// ("... [unread-key]"), an editor shows it beside the diagnostic, and the authors' guide lists
// every code with an example. A code, once given, keeps its meaning; a new kind of warning
// gets a new code.
//
// A few kinds tell that a whole part of the scenario is lost: a source file that yields
// nothing of what it holds (saved as UTF-16, without its "[generale]" header). They change no
// compiled byte and no error code of the compiled scenario either, but the list gives them as
// errors and the compile ends with exit status 1: the files are written as always, and the
// author is not told that all went well.
#pragma once

#include <array>
#include <string_view>

namespace scenario {

struct warning_code_entry {
    std::string_view code;
    std::string_view meaning;  // what the warning is about, in plain English
    // A part of the scenario is lost: listed as an error, and the exit status is not 0.
    bool loses_a_part = false;
};

namespace warning_code {

// Fields that a reader passes over.
inline constexpr warning_code_entry unread_key{
    "unread-key", "a key names no setting or record read where it stands"};
inline constexpr warning_code_entry key_before_header{
    "key-before-header",
    "a keyword stands before the \"[generale]\" header, where nothing is read"};
inline constexpr warning_code_entry comment_with_comma{
    "comment-with-comma", "a comma in a comment leaves the rest of its line to be read"};
inline constexpr warning_code_entry comment_read_as_record{
    "comment-read-as-record", "a third comment line in a row is read as a record"};

// The shape of a record on its line.
inline constexpr warning_code_entry values_on_later_line{
    "values-on-later-line", "a record takes values from the lines after its own"};
inline constexpr warning_code_entry surplus_values{
    "surplus-values", "a record's line holds more values than the record takes"};
inline constexpr warning_code_entry split_number{"split-number", "a comma splits a number in two"};

// Values stored otherwise than written.
inline constexpr warning_code_entry board_speed{
    "board-speed", "a board speed that its packing cannot keep apart from the other face"};
inline constexpr warning_code_entry board_stripes{
    "board-stripes", "a board stripe count that its packing cannot keep apart"};
inline constexpr warning_code_entry speed_not_multiple_of_5{
    "speed-step", "a speed limit that is not a multiple of 5 km/h"};
inline constexpr warning_code_entry gradient_range{"gradient-range",
                                                   "a gradient outside -100 to 155 per mille"};
inline constexpr warning_code_entry adherence_range{"adherence-range",
                                                    "an adherence value outside 0 to 255"};
inline constexpr warning_code_entry signal_value_range{
    "signal-range", "a signal value outside the range of its field"};
inline constexpr warning_code_entry signal_tempo{
    "signal-tempo", "a signal's waiting time that is stored otherwise than written"};
inline constexpr warning_code_entry station_flag{"station-flag",
                                                 "a station flag that is stored as 0"};
inline constexpr warning_code_entry station_time{"station-time",
                                                 "a station time that is not a time of day"};
inline constexpr warning_code_entry text_bytes{"text-bytes",
                                               "a text holds bytes beyond 7-bit ASCII"};

// The order of records along the line.
inline constexpr warning_code_entry series_start{
    "series-start", "a speed-limit or adherence series that does not start at position 0"};
inline constexpr warning_code_entry series_order{
    "series-order", "a series record out of order or in a cell already filled"};
inline constexpr warning_code_entry station_order{
    "station-order", "a station listed before one at a lower position"};
inline constexpr warning_code_entry timetable_order{
    "timetable-order", "a station time earlier than the one before it"};
inline constexpr warning_code_entry mountain_order{"mountain-order",
                                                   "a mountain-side stretch listed out of order"};
inline constexpr warning_code_entry curve_order{"curve-order",
                                                "a curve out of order or within the arc before it"};

}  // namespace warning_code

// Every code above, in the order in which the authors' guide lists them.
inline constexpr std::array warning_code_table = {
    warning_code::unread_key,           warning_code::key_before_header,
    warning_code::comment_with_comma,   warning_code::comment_read_as_record,
    warning_code::values_on_later_line, warning_code::surplus_values,
    warning_code::split_number,         warning_code::board_speed,
    warning_code::board_stripes,        warning_code::speed_not_multiple_of_5,
    warning_code::gradient_range,       warning_code::adherence_range,
    warning_code::signal_value_range,   warning_code::signal_tempo,
    warning_code::station_flag,         warning_code::station_time,
    warning_code::text_bytes,           warning_code::series_start,
    warning_code::series_order,         warning_code::station_order,
    warning_code::timetable_order,      warning_code::mountain_order,
    warning_code::curve_order,
};

}  // namespace scenario
