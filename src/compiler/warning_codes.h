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
inline constexpr warning_code_entry text_control{
    "text-control", "a station name or board text holds a control character"};

// The order of records along the line.
inline constexpr warning_code_entry series_start{
    "series-start", "a speed-limit or adherence series that does not start at position 0"};
inline constexpr warning_code_entry series_order{
    "series-order", "a series record out of order or in a cell already filled"};
inline constexpr warning_code_entry station_order{
    "station-order", "a station listed before one at a lower position"};
inline constexpr warning_code_entry timetable_order{
    "timetable-order", "a station time earlier than the one before it"};
inline constexpr warning_code_entry clock_after_departure{
    "clock-after-departure", "a start clock later than the first timetabled time"};
inline constexpr warning_code_entry time_cannot_be_kept{
    "time-cannot-be-kept",
    "a station time that even the fastest run at the speeds in force cannot keep"};
inline constexpr warning_code_entry mountain_order{"mountain-order",
                                                   "a mountain-side stretch listed out of order"};
inline constexpr warning_code_entry curve_order{"curve-order",
                                                "a curve out of order or within the arc before it"};

// Whole files that yield nothing, or less than they hold.
inline constexpr warning_code_entry utf16_source{
    "utf16-source", "a source saved as UTF-16, in which no keyword can be found", true};
inline constexpr warning_code_entry byte_order_mark{
    "byte-order-mark", "a source saved as UTF-8 with a byte-order mark"};
inline constexpr warning_code_entry no_general_header{
    "no-general-header", "a train file without its \"[generale]\" header: nothing in it is read",
    true};
inline constexpr warning_code_entry no_train_records{
    "no-train-records", "a train file that holds no record after its header", true};
inline constexpr warning_code_entry no_record_part{
    "no-record-part",
    "a line file whose general part runs to its end, so that none of its records is read", true};
inline constexpr warning_code_entry unclosed_header{
    "unclosed-header", "a section header without its closing or opening bracket"};

// General values missing or given twice.
inline constexpr warning_code_entry value_not_set{
    "value-not-set", "a general value of the train that the file never sets: it is compiled as 0"};
inline constexpr warning_code_entry setting_repeated{
    "setting-repeated", "a setting or general value given twice: the later one replaces the first"};
inline constexpr warning_code_entry reference_position{
    "reference-position", "kilometre references at one position, which their ordering loses"};

// Values that no line or train can have.
inline constexpr warning_code_entry clock_time{"clock-time",
                                               "a start clock that is not a time of day"};
inline constexpr warning_code_entry speed_value{
    "speed-value", "a speed of 0, or far above every speed that the line's boards show"};
inline constexpr warning_code_entry station_name{
    "station-name", "a station name that is empty or the same as another station's"};
inline constexpr warning_code_entry beyond_line_end{
    "beyond-line-end", "an object or stretch that reaches past the end of the line"};
inline constexpr warning_code_entry mountain_kind{
    "mountain-kind", "a mountain-side kind other than 1 to 3 or 11 to 13"};
inline constexpr warning_code_entry board_face{"board-face",
                                               "a board face with stripes but no speed"};
inline constexpr warning_code_entry end_before_start{
    "end-before-start", "a stretch, span or length whose end comes before its start"};
inline constexpr warning_code_entry length_unit{
    "length-unit", "a line length far shorter than its records, as if written in kilometres"};

// Records that overlap or vanish.
inline constexpr warning_code_entry slowdown_overlap{"slowdown-overlap",
                                                     "a slowdown that begins inside another"};
inline constexpr warning_code_entry length_like_position{
    "length-like-position", "a length that looks like the position where the record ends"};
inline constexpr warning_code_entry overwritten{
    "overwritten", "an object that a later record or the grid pass overwrites"};

// Keywords that match by surprise.
inline constexpr warning_code_entry keyword_match{
    "keyword-match", "a keyword field whose other text changes how the record is read"};

}  // namespace warning_code

// Every code above, in the order in which the authors' guide lists them.
inline constexpr std::array warning_code_table = {
    warning_code::unread_key,
    warning_code::key_before_header,
    warning_code::comment_with_comma,
    warning_code::comment_read_as_record,
    warning_code::values_on_later_line,
    warning_code::surplus_values,
    warning_code::split_number,
    warning_code::board_speed,
    warning_code::board_stripes,
    warning_code::speed_not_multiple_of_5,
    warning_code::gradient_range,
    warning_code::adherence_range,
    warning_code::signal_value_range,
    warning_code::signal_tempo,
    warning_code::station_flag,
    warning_code::station_time,
    warning_code::text_bytes,
    warning_code::text_control,
    warning_code::series_start,
    warning_code::series_order,
    warning_code::station_order,
    warning_code::timetable_order,
    warning_code::clock_after_departure,
    warning_code::time_cannot_be_kept,
    warning_code::mountain_order,
    warning_code::curve_order,
    warning_code::utf16_source,
    warning_code::byte_order_mark,
    warning_code::no_general_header,
    warning_code::no_train_records,
    warning_code::no_record_part,
    warning_code::unclosed_header,
    warning_code::value_not_set,
    warning_code::setting_repeated,
    warning_code::reference_position,
    warning_code::clock_time,
    warning_code::speed_value,
    warning_code::station_name,
    warning_code::beyond_line_end,
    warning_code::mountain_kind,
    warning_code::board_face,
    warning_code::end_before_start,
    warning_code::length_unit,
    warning_code::slowdown_overlap,
    warning_code::length_like_position,
    warning_code::overwritten,
    warning_code::keyword_match,
};

}  // namespace scenario
