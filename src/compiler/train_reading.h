// The state that the train file reader keeps while it reads one train source file, and the
// ways out of a record that every record kind shares. Private to the train reader: each kind
// of record is read by its own function, which tells the record loop how to go on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compile_context.h"
#include "compiler/series_order.h"
#include "compiler/source_reading.h"

namespace scenario {

struct timed_station {
    std::int32_t seconds = 0;
    std::int32_t position = 0;
    std::string name;
    field_location time_place;  // the station record's hours
};

// The train's general values, each set by its own record.
enum class general_value { braked_mass, coaches, clock, sand };
inline constexpr std::size_t general_value_count = 4;

// A slowdown as read, for the check of slowdowns that begin inside another.
struct slowdown_read {
    std::int64_t start_cell = 0;
    std::int64_t end_cell = 0;
    std::int32_t x = 0;
    std::int64_t end = 0;  // x + l, which need not fit 32 bits
    field_location place;
};

struct train_reading : source_reading {
    train_reading(compile_context& ctx, source_cursor& src)
        : source_reading(ctx, src, source_part::train_preamble) {}

    std::int32_t k = 1;  // entry of the next station
    // The next cell to receive a speed limit, and an adherence value.
    std::int64_t speed_fill = 0;
    std::int64_t adherence_fill = 0;
    // The values in force before the next record of each series; a series that does not
    // start at position 0 shows these in its first cells.
    std::int32_t current_speed = 0;
    std::int32_t current_adherence = 0;
    series_history speeds{};
    series_history adherences{};
    // The last station with a timetabled time, for the order of the timetable, and every
    // station with one, for the check that the timetable can be kept.
    std::optional<timed_station> last_timed{};
    std::vector<timed_station> timetable{};
    // Where each general value was set (line 0: not set), for values set twice or never.
    std::array<field_location, general_value_count> general_values{};
    std::vector<slowdown_read> slowdowns{};
};

// Notes that the record just named sets a general value: a value set before is told as
// replaced.
void note_general_value(train_reading& reading, general_value which);
// At the end of a train file that sets some of its general values or has a station: the
// general values it never set, which are compiled as 0, told once.
void tell_general_values_not_set(train_reading& reading, source_point header);

// A speed of 0, or far above every speed that the line's boards show: "speed limit at 1500 m"
// is `what`; `length` is the slowdown's, for the hint that speed and length are swapped.
void warn_about_speed(train_reading& reading, std::string_view what, std::int32_t speed,
                      field_location place, std::optional<std::int32_t> length = std::nullopt);

// An object or area of the train that reaches past the end of the line.
void warn_beyond_line_end(train_reading& reading, std::string_view what, std::int64_t end,
                          field_location place);

// Code 15 for a record of the train file beyond its placement limit (a station has a wider
// margin than the other records): reading stops and the end of the train file follows.
record_outcome stop_train_beyond_grid(train_reading& reading, const keyword& kind, std::int32_t p,
                                      int margin);

// After a signal or a slowdown has been placed, a code already set (15 left by the line file)
// still ends the reading there, with the record's position.
record_outcome stop_after_placed_record(train_reading& reading, const keyword& kind,
                                        std::int32_t posizione);

// What occupies a cell, for messages ("a signal", "a station end", ...).
std::string describe_cell(const cella& cell);

// One record kind each; the keyword field has been read and examined.
record_outcome read_braked_mass(train_reading& reading);
record_outcome read_coaches(train_reading& reading);
record_outcome read_clock(train_reading& reading);
record_outcome read_sand(train_reading& reading);
record_outcome read_speed_limit(train_reading& reading);
record_outcome read_adherence(train_reading& reading);
record_outcome read_signal(train_reading& reading);
record_outcome read_slowdown(train_reading& reading);
record_outcome read_abbattimento(train_reading& reading);
record_outcome read_station(train_reading& reading);

// A station record as read, before its area and flags are settled: the values that the
// warnings about it look at, and where they stand.
struct station_as_read {
    std::int32_t pos = 0;
    std::int32_t lung = 0;
    std::int32_t oro = 0;
    std::int32_t orm = 0;
    std::int32_t ors = 0;
    field_location pos_place;
    field_location tab_place;
    field_location mar_place;
    field_location time_place;
    field_location name_place;
};

// Notes what in a station record will not be compiled as written (flags that are cleared, a
// time that is not a time of day, stations or times out of order), and keeps the station's
// time for the next one. Changes nothing that is compiled.
void warn_about_station(train_reading& reading, const voce& station, const station_as_read& read);

// At the end of the train file: a start clock after the first timetabled time, and a time
// that the fastest run cannot keep (timetable_runs.h), each told at the station record.
void warn_about_timetable(train_reading& reading);

// The tails of the two series at the end of the train file.
void fill_speed_tail(train_reading& reading);
void fill_adherence_tail(train_reading& reading);

}  // namespace scenario
