// The line table writer: every text file that the system writes is held as an ordered
// table of lines ended by the end marker, and written by this one procedure. Each line is
// followed by CR LF; the marker only ends the table and is never written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "source/status.h"

namespace scenario {

inline constexpr std::string_view end_marker = "riferimento fine del file";

using line_table = std::vector<std::string_view>;

// The bytes of a table: every line up to the end marker, each followed by CR LF.
std::string compose_line_table(const line_table& table);

// Replaces the file at path with the table's lines.
status write_line_table(const std::string& path, const line_table& table);

}  // namespace scenario
