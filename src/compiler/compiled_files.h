// The three compiled files and their layouts. Every file is the plain sequence of its
// table's elements, each field little-endian, with no header, no count and no padding.
//
// Item file (route_train.sim), one entry per `voce`, n = length of `testo`:
//   0 tipo:1 | 1 valore1:4 | 5 valore2:4 | 9 valore3:4 | 13 stato:1 | 14 n:2 | 16 testo:n |
//   16+n numero1..numero5:2 each | 26+n extra1..extra4:1 each | 30+n valore4:4   (34 + n bytes)
// Grid file (route_train.dat), one cell per `cella`:
//   0 tipo:1 | 1 dato1..dato4:2 each | 9 extra1..extra6:1 each                    (15 bytes)
// Line file (route_linea.dat): column 0 for rows 0..limite_profilo, then column 1; each
//   element a 2-byte tag (0 empty, 2 int16, 5 double) followed by its value (0, 2 or 8 bytes).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "compiler/scenario_record.h"

namespace scenario {

inline constexpr std::size_t item_entry_fixed_bytes = 34;
// The text length field has 16 bits: a longer `testo` keeps its first 65535 bytes.
inline constexpr std::size_t item_testo_max_bytes = 0xFFFF;
inline constexpr std::size_t grid_cell_bytes = 15;
inline constexpr std::size_t profile_tag_bytes = 2;
inline constexpr std::size_t profile_integer_bytes = 2;
inline constexpr std::size_t profile_real_bytes = 8;

std::string encode_item_file(const std::array<voce, numero_voci>& voci);
std::string encode_grid_file(const std::vector<cella>& celle);
std::string encode_line_file(const profilo_linea& profilo);

}  // namespace scenario
