// The encoders of the three compiled files: the item table, the grid and the plan of the
// line, each turned into the bytes of its file as compiled_layouts.h lays them out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/compiled_layouts.h"
#include "format/scenario_record.h"
#include "source/file_access.h"
#include "source/status.h"

namespace scenario {

std::string encode_item_file(const std::array<voce, numero_voci>& voci);
std::string encode_grid_file(const std::vector<cella>& celle);
// A plan held as a table (one decoded from a file, a test's).
std::string encode_line_file(const profilo_linea& profilo);

// The line file of the compiler's plan is some 20 MB for the longest line. Its rows are
// computed and encoded a piece at a time into one small buffer that stays in the cache, and
// written piece by piece, so that the file is never held whole. One walk of the steps makes
// both columns: every piece of x has its piece of y, as long, one column further on in the
// file (the two columns have the same tags row by row).
inline constexpr std::size_t line_file_piece_bytes = std::size_t{128} * 1024;

class line_file_encoder {
  public:
    explicit line_file_encoder(const profile_steps& plan);

    // The size of the whole file.
    std::uint64_t file_bytes() const { return 2 * column_bytes_; }
    // The next piece of the file, without bytes once the file is complete. It stays valid
    // until the next call.
    file_piece next_piece();

  private:
    const profile_steps& plan_;
    std::uint64_t column_bytes_ = 0;
    std::int32_t riga_ = 0;          // the next row to encode
    std::uint64_t x_offset_ = 0;     // where the next piece of x goes
    std::size_t y_bytes_ready_ = 0;  // the piece of y that follows the piece of x just handed out
    profile_walk walk_;
    std::unique_ptr<char[]> x_buffer_;
    std::unique_ptr<char[]> y_buffer_;
};

std::string encode_line_file(const profile_steps& plan);
status write_line_file(const std::string& path, const profile_steps& plan);

}  // namespace scenario
