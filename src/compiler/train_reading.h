// The state that the train file reader keeps while it reads one train source file, and the
// ways out of a record that every record kind shares. Private to the train reader: each kind
// of record is read by its own function, which tells the record loop how to go on.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/series_order.h"
#include "compiler/source_cursor.h"

namespace scenario {

// How the record loop goes on after a record.
enum class after_record {
    next_record,  // read the next keyword field
    end_of_file,  // stop reading records: the end of the train file follows (tails, checks)
    returned,     // the file is already deleted and the error recorded: return at once
};

struct timed_station {
    std::int32_t seconds = 0;
    std::int32_t position = 0;
    std::string name;
};

struct train_reading {
    compile_context& context;
    source_cursor& cursor;
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
    // The last station with a timetabled time, for the order of the timetable.
    std::optional<timed_station> last_timed{};

    scenario_record& record() { return context.record; }
    error_state& errors() { return context.errors; }
};

// A station shorter than this keeps no tab flag.
inline constexpr std::int32_t shortest_with_tab = 600;
// mar only lengthens a centred area: stations of types 5 to 8 do not keep it.
inline bool keeps_mar(std::uint8_t tipo) {
    return tipo < 5 || tipo > 8;
}

// Placement margins: a record needs 100 m of grid after its position, a station 800 m.
inline constexpr int record_margin = 100;
inline constexpr int station_margin = 800;

// Reads whole numbers into the targets in order; false (code 25 recorded) at the first failure.
[[nodiscard]] bool read_numbers(source_cursor& cursor,
                                std::initializer_list<std::int32_t*> targets);

// True when a record at p lies beyond the placement limit: (p + margin) / 50 > ultima_cella.
bool beyond_placement_limit(const scenario_record& record, std::int32_t p, int margin);

// Code 15 for a record beyond the placement limit: reading stops and the end processing runs.
after_record stop_beyond_grid(train_reading& reading, std::string_view what, std::int32_t p,
                              int margin);

// A data error that ends the reading: delete the train file, record the error at the record's
// source line, return.
after_record end_with_error(train_reading& reading, std::int32_t codice,
                            std::optional<std::int32_t> posizione, std::string detail);

// Input that the record has no room for (code 200 at the record's position): nothing has been
// written for it, and the reading ends as for a data error.
after_record refuse_no_room(train_reading& reading, std::int32_t posizione, std::string detail);

// After a signal or a slowdown has been placed, a code already set (15 left by the line file)
// still ends the reading there, with the record's position.
after_record stop_after_placed_record(train_reading& reading, std::string_view what,
                                      std::int32_t posizione);

// What occupies a cell, for messages ("a signal", "a station end", ...).
std::string describe_cell(const cella& cell);

// One record kind each; the keyword field has been read and examined.
after_record read_braked_mass(train_reading& reading);
after_record read_coaches(train_reading& reading);
after_record read_clock(train_reading& reading);
after_record read_sand(train_reading& reading);
after_record read_speed_limit(train_reading& reading);
after_record read_adherence(train_reading& reading);
after_record read_signal(train_reading& reading);
after_record read_slowdown(train_reading& reading);
after_record read_abbattimento(train_reading& reading);
after_record read_station(train_reading& reading);

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
};

// Notes what in a station record will not be compiled as written (flags that are cleared, a
// time that is not a time of day, stations or times out of order), and keeps the station's
// time for the next one. Changes nothing that is compiled.
void warn_about_station(train_reading& reading, const voce& station, const station_as_read& read);

// The tails of the two series at the end of the train file.
void fill_speed_tail(train_reading& reading);
void fill_adherence_tail(train_reading& reading);

}  // namespace scenario
