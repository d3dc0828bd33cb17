#include "compiler/series_order.h"

namespace scenario {

std::string series_order_warning(const keyword& kind, std::string_view value, std::int32_t position,
                                 std::int64_t cell, std::int64_t fill_point,
                                 const series_history& history) {
    if (!history.started || cell > fill_point) {
        return "";
    }
    const std::string head = kind.the_phrase_at(position);
    const std::string previous = std::to_string(history.last_position) + " m";
    // A record in a cell that the fill point has reached still fills one cell with the value
    // before it; a record in cell 0 fills none.
    const std::int64_t effective = cell > 0 ? fill_point + 1 : fill_point;
    if (effective == cell) {
        return head + " falls in cell " + std::to_string(cell) + " like the one at " + previous +
               ", which it replaces before that one fills any cell";
    }
    const std::string outcome = ": the cells are filled in file order, so " + std::string(value) +
                                " takes effect only from cell " + std::to_string(effective) + " (" +
                                std::to_string(effective * 50) + " m), not cell " +
                                std::to_string(cell);
    if (position < history.last_position) {
        return head + " comes after the one at " + previous + outcome +
               "; list the records in increasing order of position";
    }
    return head + " falls in cell " + std::to_string(cell) +
           ", which the records before it have already filled" + outcome +
           "; give each record a 50 m cell of its own";
}

}  // namespace scenario
