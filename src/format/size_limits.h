// The largest files the program reads, stated once, with the reasoning that sizes them. A file
// is measured before it is read, so that a huge or endless file costs neither memory nor time:
// anything larger is refused whole, naming the file, its size and the limit.
//
// The figures come from the longest line a compile accepts (lunghezza_massima, 1000000 m) and
// the layouts of the compiled files:
//
//   grid file    (1007000 / 50 + 1) cells x 15 bytes                      =    302,115 bytes
//   item file    87 entries x (34 bytes + a text of at most 65535 bytes)  =  5,704,503 bytes
//   line file    2 columns x (2 integers x 4 + 1006997 reals x 10 + 2 empty x 2)
//                                                                          = 20,139,964 bytes
//
// A source file has no such layout, but what it can usefully hold is bounded the same way: the
// longest plan has 1007001 metres and no two arcs share one, so at most about a million curve
// records; every other kind of record stands on one of 20141 cells. A million records of 30
// bytes, the built-in sources' own spacing, come to about 30 MB.
#pragma once

#include <cstdint>

#include "format/compiled_layouts.h"
#include "format/scenario_record.h"

namespace scenario {

namespace size_limit_reasons {

inline constexpr std::uint64_t longest_plan_rows = most_profile_rows;
inline constexpr std::uint64_t most_cells =
    (std::uint64_t{lunghezza_massima} + margine_oltre_linea) / cell_metres + 1;
inline constexpr std::uint64_t largest_grid_file = most_cells * grid_cell_bytes;
inline constexpr std::uint64_t largest_item_file =
    std::uint64_t{numero_voci} * (item_entry_fixed_bytes + item_testo_max_bytes);
// Rows 0 and 1 hold integers, the last two are empty, every other row holds a double.
inline constexpr std::uint64_t largest_line_file_column =
    2 * (profile_tag_bytes + profile_integer_bytes) +
    (longest_plan_rows - 4) * (profile_tag_bytes + profile_real_bytes) + 2 * profile_tag_bytes;
inline constexpr std::uint64_t largest_line_file = 2 * largest_line_file_column;
inline constexpr std::uint64_t largest_useful_source = 30'000'000;

static_assert(largest_grid_file == 302'115);
static_assert(largest_item_file == 5'704'503);
static_assert(largest_line_file == 20'139'964);

}  // namespace size_limit_reasons

// A compiled file larger than this is no compiled file: three times the largest one a compile
// makes (the line file of the longest line).
inline constexpr std::uint64_t largest_compiled_file_bytes = std::uint64_t{64} << 20;
static_assert(largest_compiled_file_bytes >= 3 * size_limit_reasons::largest_line_file);

// A source file larger than this is refused: four times the most that one can usefully hold,
// room for comments and for any spacing. Reading it stays well within the memory of a small
// machine (the text is held once while it is read).
inline constexpr std::uint64_t largest_source_bytes = std::uint64_t{128} << 20;
static_assert(largest_source_bytes >= 4 * size_limit_reasons::largest_useful_source);

}  // namespace scenario
