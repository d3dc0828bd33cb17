// A generated scenario of any line length, for measuring how the build grows with the
// line. The line is laid out in blocks of 10 km that repeat the same pattern of objects, so
// that every length compiles without error: gradients every 500 m, two curves, a
// maximum-speed board and a mountain-side stretch in every block; signals every 2 km, a
// slowdown, an "abbattimento" point and a speed change in every block; stations and
// indicator boards spread evenly over the whole line, within the 78 shared entries.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::bench {

inline constexpr std::int32_t block_metres = 10000;
inline constexpr const char* long_route = "Lunga";
inline constexpr const char* long_train = "9000";

// The line source file (route_linea.txt) and the train source file (route_train-.txt).
std::string generate_long_line(std::int32_t length);
std::string generate_long_train(std::int32_t length);

// Writes both source files for route "Lunga", train "9000" into folder. False when a file
// cannot be written.
bool write_long_scenario(const std::string& folder, std::int32_t length);

}  // namespace scenario::bench
