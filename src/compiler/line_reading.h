// The line reader's working state, shared by its parts: the general settings, the plan of
// the line, and the point objects and series of the record part. Private to the line reader;
// what it shares with the train reader is in source_reading.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/series_order.h"
#include "compiler/source_reading.h"
#include "format/cell_words.h"

namespace scenario {

// Mountain-side stretches are kept at indices 1 to 80; index 0 stays unused.
inline constexpr std::int32_t massimo_montagne = 80;
// The plan metre counter may not pass this metre.
inline constexpr std::int64_t ultimo_metro_del_piano = 1000000;

// The settings of the general part, in the order in which a key is tested for them.
inline constexpr std::size_t setting_count = 8;
enum class setting_index : std::size_t {
    length,
    reference_tre,
    reference_due,
    reference_uno,
    background_uno,
    background_due,
    background_tre,
    cab_signalling,
};

struct line_reading : source_reading {
    line_reading(compile_context& ctx, source_cursor& src)
        : source_reading(ctx, src, source_part::line_preamble) {}

    // Where each setting's key stands (line 0: not given), for settings given twice and the
    // checks after the general part.
    std::array<field_location, setting_count> setting_places{};

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

// Code 15 for a record of the line file beyond the grid: the rest of the line file is not
// read, and the train file is read next.
record_outcome stop_line_beyond_grid(line_reading& reading, const keyword& kind,
                                     std::int32_t position);

// The general part: every setting that the key names, from the same key.
record_outcome read_settings(line_reading& reading);
// Notes where a setting is given; one given before is told as replaced.
void note_setting(line_reading& reading, setting_index which, const keyword& kind);
// After the general part: kilometre references that their ordering loses, and a cab-signal
// span that ends before it starts or past the end of the line.
void check_general_settings(line_reading& reading);

// The record part, one handler per record kind.
record_outcome read_gradient(line_reading& reading);
record_outcome read_curve(line_reading& reading);
// A curve read otherwise than it says: a key that holds more than the keyword (`digit`, from
// 0, and `left` as the key was read), a length that is negative or looks like an end.
void warn_about_curve(line_reading& reading, std::int32_t inizio, std::int32_t length,
                      std::size_t digit, bool left, field_location length_place);
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
