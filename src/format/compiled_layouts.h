// The layouts of the three compiled files, as the offsets of their fields. Every file is the
// plain sequence of its table's elements, each field little-endian (byte_coding.h), with no
// header, no count and no padding. The encoders and the decoders both place every field by
// these names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "format/scenario_record.h"

namespace scenario {

// Item file (route_train.sim): the 87 entries of `voci`, entry 0 first. One entry, where n
// is the length of its `testo`:
//
//   0     1         5         9         13      14     16        16+n
//   | tipo | valore1 | valore2 | valore3 | stato | n:2 | testo:n | ...
//
//   16+n      18+n      20+n      22+n      24+n      26+n     27+n     28+n     29+n     30+n
//   | numero1 | numero2 | numero3 | numero4 | numero5 | extra1 | extra2 | extra3 | extra4 |
//   valore4 |  34+n
namespace item_layout {
inline constexpr std::size_t tipo = 0;
inline constexpr std::size_t valore1 = 1;
inline constexpr std::size_t valore2 = 5;
inline constexpr std::size_t valore3 = 9;
inline constexpr std::size_t stato = 13;
inline constexpr std::size_t testo_length = 14;
inline constexpr std::size_t testo = 16;
// The fields after the text, counted from its end.
inline constexpr std::size_t numero1 = 0;
inline constexpr std::size_t numero2 = 2;
inline constexpr std::size_t numero3 = 4;
inline constexpr std::size_t numero4 = 6;
inline constexpr std::size_t numero5 = 8;
inline constexpr std::size_t extra1 = 10;
inline constexpr std::size_t extra2 = 11;
inline constexpr std::size_t extra3 = 12;
inline constexpr std::size_t extra4 = 13;
inline constexpr std::size_t valore4 = 14;
inline constexpr std::size_t after_testo_bytes = 18;
}  // namespace item_layout

// An entry without its text.
inline constexpr std::size_t item_entry_fixed_bytes =
    item_layout::testo + item_layout::after_testo_bytes;
// The text length field has 16 bits: a longer `testo` keeps its first 65535 bytes.
inline constexpr std::size_t item_testo_max_bytes = std::numeric_limits<std::uint16_t>::max();

// Grid file (route_train.dat): the cells of `celle`, cell 0 first, 15 bytes each:
//
//   0      1       3       5       7       9        10       11       12       13       14
//   | tipo | dato1 | dato2 | dato3 | dato4 | extra1 | extra2 | extra3 | extra4 | extra5 |
//   extra6 |  15
namespace cell_layout {
inline constexpr std::size_t tipo = 0;
inline constexpr std::size_t dato1 = 1;
inline constexpr std::size_t dato2 = 3;
inline constexpr std::size_t dato3 = 5;
inline constexpr std::size_t dato4 = 7;
inline constexpr std::size_t extra1 = 9;
inline constexpr std::size_t extra2 = 10;
inline constexpr std::size_t extra3 = 11;
inline constexpr std::size_t extra4 = 12;
inline constexpr std::size_t extra5 = 13;
inline constexpr std::size_t extra6 = 14;
}  // namespace cell_layout

inline constexpr std::size_t grid_cell_bytes = 15;

// Line file (route_linea.dat): column 0 (x) for rows 0..limite_profilo, then column 1 (y).
// Each element is its tag (profile_tag) followed by its value: nothing, a 16-bit integer or
// an IEEE double.
//
//   | tag:2 |   | tag:2 | int16 |   | tag:2 | double:8 |
inline constexpr std::size_t profile_tag_bytes = 2;
inline constexpr std::size_t profile_integer_bytes = 2;
inline constexpr std::size_t profile_real_bytes = 8;
// The plan of the longest line has rows 0 to lunghezza_massima + margine_oltre_linea.
inline constexpr std::size_t most_profile_rows =
    std::size_t{lunghezza_massima} + margine_oltre_linea + 1;

// Each field starts where the one before it ends, and has the width of its field in the
// record: the layouts above are the record's fields, in order, back to back.
namespace layout_checks {
static_assert(item_layout::valore1 == item_layout::tipo + sizeof(voce::tipo));
static_assert(item_layout::valore2 == item_layout::valore1 + sizeof(voce::valore1));
static_assert(item_layout::valore3 == item_layout::valore2 + sizeof(voce::valore2));
static_assert(item_layout::stato == item_layout::valore3 + sizeof(voce::valore3));
static_assert(item_layout::testo_length == item_layout::stato + sizeof(voce::stato));
static_assert(item_layout::testo == item_layout::testo_length + sizeof(std::uint16_t));
static_assert(item_layout::numero1 == 0);
static_assert(item_layout::numero2 == item_layout::numero1 + sizeof(voce::numero1));
static_assert(item_layout::numero3 == item_layout::numero2 + sizeof(voce::numero2));
static_assert(item_layout::numero4 == item_layout::numero3 + sizeof(voce::numero3));
static_assert(item_layout::numero5 == item_layout::numero4 + sizeof(voce::numero4));
static_assert(item_layout::extra1 == item_layout::numero5 + sizeof(voce::numero5));
static_assert(item_layout::extra2 == item_layout::extra1 + sizeof(voce::extra1));
static_assert(item_layout::extra3 == item_layout::extra2 + sizeof(voce::extra2));
static_assert(item_layout::extra4 == item_layout::extra3 + sizeof(voce::extra3));
static_assert(item_layout::valore4 == item_layout::extra4 + sizeof(voce::extra4));
static_assert(item_layout::after_testo_bytes == item_layout::valore4 + sizeof(voce::valore4));
static_assert(item_entry_fixed_bytes == 34);

static_assert(cell_layout::tipo == 0);
static_assert(cell_layout::dato1 == cell_layout::tipo + sizeof(cella::tipo));
static_assert(cell_layout::dato2 == cell_layout::dato1 + sizeof(cella::dato1));
static_assert(cell_layout::dato3 == cell_layout::dato2 + sizeof(cella::dato2));
static_assert(cell_layout::dato4 == cell_layout::dato3 + sizeof(cella::dato3));
static_assert(cell_layout::extra1 == cell_layout::dato4 + sizeof(cella::dato4));
static_assert(cell_layout::extra2 == cell_layout::extra1 + sizeof(cella::extra1));
static_assert(cell_layout::extra3 == cell_layout::extra2 + sizeof(cella::extra2));
static_assert(cell_layout::extra4 == cell_layout::extra3 + sizeof(cella::extra3));
static_assert(cell_layout::extra5 == cell_layout::extra4 + sizeof(cella::extra4));
static_assert(cell_layout::extra6 == cell_layout::extra5 + sizeof(cella::extra5));
static_assert(grid_cell_bytes == cell_layout::extra6 + sizeof(cella::extra6));

static_assert(profile_tag_bytes == sizeof(profile_tag));
static_assert(profile_integer_bytes == sizeof(std::int16_t));
static_assert(profile_real_bytes == sizeof(double));
}  // namespace layout_checks

}  // namespace scenario
