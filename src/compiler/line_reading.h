// The line reader's working state, shared by its parts: the general settings, the plan of
// the line, and the point objects and series of the record part. Private to the line reader.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/cell_words.h"
#include "compiler/compile_context.h"
#include "compiler/series_order.h"
#include "compiler/source_cursor.h"

namespace scenario {

// Mountain-side stretches are kept at indices 1 to 80; index 0 stays unused.
inline constexpr std::int32_t massimo_montagne = 80;
// The plan metre counter may not pass this metre.
inline constexpr std::int64_t ultimo_metro_del_piano = 1000000;

// What a record handler asks of the reading loop.
enum class record_outcome {
    next,            // go on with the next field
    end_of_reading,  // a record beyond the grid (code 15): the line file is done with
    returned,        // a data or run-time error: reading ends and the train file is not read
};

struct line_reading {
    line_reading(compile_context& ctx, source_cursor& src)
        : context(ctx), record(ctx.record), cursor(src) {}

    compile_context& context;
    scenario_record& record;
    source_cursor& cursor;

    // State of the record part.
    std::int64_t fill_point = 0;  // the next cell to receive a gradient
    std::int32_t current_gradient = 0;
    series_history gradients;
    std::int64_t next_metre = 2;  // the next metre of the plan
    bool curve_read = false;
    std::int32_t previous_curve = 0;  // where the last curve read begins
    std::int32_t numero_montagne = 0;
    std::array<std::int32_t, massimo_montagne + 1> montagne_inizio{};
    std::array<std::int32_t, massimo_montagne + 1> montagne_fine{};
};

// Closes the reading with a data error: the line file is deleted and the error logged at the
// record being read.
record_outcome fail_with(line_reading& reading, std::int32_t codice,
                         std::optional<std::int32_t> posizione, std::string detail);

// A record is accepted only where the grid keeps two cells of margin beyond it.
bool beyond_placement_limit(const scenario_record& record, std::int32_t position);
// Code 15 for a record beyond the grid: the reading of the line file stops there.
record_outcome stop_beyond_grid(line_reading& reading, std::string_view record_name,
                                std::int32_t position);
// Code 200 for input that the record has no room for, refused before anything is written.
record_outcome refuse_no_room(line_reading& reading, std::string_view record_name,
                              std::int32_t position, std::string_view what);

// Reads the next whole number into target; a failed read leaves target as it was.
[[nodiscard]] bool read_into(source_cursor& cursor, std::int32_t& target);

// The general part: examines one field for every setting it names. Returns false when the
// reading has ended (a data error or a run-time failure).
[[nodiscard]] bool read_settings(line_reading& reading, const std::string& key);

// The record part, one handler per record kind.
record_outcome read_gradient(line_reading& reading);
record_outcome read_curve(line_reading& reading, const std::string& key);
record_outcome read_mountain(line_reading& reading);
record_outcome read_speed_board(line_reading& reading);
record_outcome read_indicator_board(line_reading& reading);

// The plan of the line: its first two points, and its straight tail to metre
// limite_profilo - 2.
void start_plan(line_reading& reading);
void finish_plan(line_reading& reading);
// The gradient tail: the gradient in force fills the cells up to ultima_cella - 3.
void finish_gradients(line_reading& reading);

}  // namespace scenario
