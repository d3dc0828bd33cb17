// Which source record placed each object of the scenario record: for every cell of the grid,
// the record whose object the cell holds, and for the entries of the item table, the record
// or setting that filled them. Messages use it to point at the author's line ("the
// rallentamento record at 19000 m", not the cell's 19050 m), and a view that points from a compiled
// object back to its source can use it too. It stands beside the scenario record in the compile
// context and is never written to a compiled file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/error_state.h"
#include "compiler/keywords.h"
#include "format/scenario_record.h"

namespace scenario {

enum class source_file : std::uint8_t { none, line, train };

struct record_origin {
    const keyword* kind = nullptr;  // none: no source record placed the object
    source_file file = source_file::none;
    // A point that the grid pass added for the record (a slowdown, or the signal before one).
    bool added_by_grid_pass = false;
    std::int32_t line = 0;      // of the record's key
    std::int32_t column = 0;    // of the record's key
    std::int32_t position = 0;  // the record's first value, as written

    bool known() const { return kind != nullptr; }
};

class record_origins {
  public:
    // Every cell of a grid of `cells` cells without origin, as the grid is created afresh.
    void size_grid(std::size_t cells) { cells_.assign(cells, record_origin{}); }
    void clear();

    // The source files, by the path they were read from.
    void set_path(source_file file, std::string path);

    void place(std::size_t cell, const record_origin& origin) {
        if (cell < cells_.size()) {
            cells_[cell] = origin;
        }
    }
    // No origin for a cell outside the grid.
    const record_origin& cell(std::size_t cell) const {
        return cell < cells_.size() ? cells_[cell] : none_;
    }

    void fill(std::size_t entry, const record_origin& origin) {
        if (entry < entries_.size()) {
            entries_[entry] = origin;
        }
    }
    const record_origin& entry(std::size_t entry) const {
        return entry < entries_.size() ? entries_[entry] : none_;
    }

    // Where the record's key stands; no place for an unknown origin.
    source_point point_of(const record_origin& origin) const;
    // "the segnale record at 3000 m", "the progressiva chilometrica uno setting"; empty for an
    // unknown origin.
    static std::string name_of(const record_origin& origin);
    // The name and the record's line, with its file when that is not `seen_from`: "the
    // rallentamento record at 4650 m on line 6", "... on line 6 of d/R_T-.txt".
    std::string name_with_line(const record_origin& origin, source_file seen_from) const;

  private:
    std::vector<record_origin> cells_;
    std::array<record_origin, numero_voci> entries_{};
    std::array<std::string, 3> paths_;
    static constexpr record_origin none_{};
};

}  // namespace scenario
