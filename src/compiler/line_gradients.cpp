// Gradients: each record sets the gradient from its cell onward, and the cells before it
// receive the gradient in force until then. Cells are filled in file order from a fill
// point, so a record at or behind the fill point still fills one cell.
#include <string>
#include <utility>

#include "compiler/line_reading.h"
#include "format/rounding.h"

namespace scenario {
namespace {

// The gradient, in per mille, is kept as gradient + 100 in one byte.
void fill_one_cell(line_reading& reading) {
    reading.record.celle[static_cast<std::size_t>(reading.fill_point)].extra5 =
        low_8_bits(std::int64_t{reading.current_gradient} + 100);
    ++reading.fill_point;
}

constexpr std::int32_t lowest_gradient = -100;
constexpr std::int32_t highest_gradient = 155;

// A gradient outside the byte's range wraps; one listed out of order starts late.
void warn_about_gradient(line_reading& reading, std::int32_t posizione, std::int32_t gradient,
                         std::int64_t first_cell, field_location position_place,
                         field_location gradient_place) {
    if (gradient < lowest_gradient || gradient > highest_gradient) {
        const int stored = low_8_bits(std::int64_t{gradient} + 100) - 100;
        reading.cursor.warn_at(warning_code::gradient_range, gradient_place,
                               keywords::pendenza.the_phrase_at(posizione) + ": gradient " +
                                   std::to_string(gradient) +
                                   " lies outside -100 to 155 per mille; it is "
                                   "stored as " +
                                   std::to_string(stored));
    }
    std::string order =
        series_order_warning(keywords::pendenza, "gradient " + std::to_string(gradient), posizione,
                             first_cell, reading.fill_point, reading.gradients);
    if (!order.empty()) {
        reading.cursor.warn_at(warning_code::series_order, position_place, std::move(order));
    }
}

}  // namespace

record_outcome read_gradient(line_reading& reading) {
    std::int32_t posizione = 0;
    std::int32_t gradient = 0;
    if (!reading.cursor.read_int32(posizione)) {
        return record_outcome::returned;
    }
    const field_location position_place = reading.cursor.place();
    if (!reading.cursor.read_int32(gradient)) {
        return record_outcome::returned;
    }
    const field_location gradient_place = reading.cursor.place();
    if (beyond_placement_limit(reading.record, posizione, record_margin)) {
        return stop_line_beyond_grid(reading, keywords::pendenza, posizione);
    }
    if (posizione < 0) {
        return refuse_no_room(
            reading, posizione,
            keywords::pendenza.the_phrase_at(posizione) + ": the line starts at metre 0");
    }
    // Records out of order push the fill point one cell each; past the last cell neither the
    // record nor the gradient tail would have a cell to fill.
    if (reading.fill_point >= reading.record.ultima_cella) {
        return refuse_no_room(
            reading, posizione,
            keywords::pendenza.the_phrase_at(posizione) +
                ": the gradients before it already fill the grid to its last cell, " +
                std::to_string(reading.record.ultima_cella) +
                ": list the gradients in increasing order of position");
    }
    const std::int64_t first_cell = cella_di_inizio(posizione);
    warn_about_gradient(reading, posizione, gradient, first_cell, position_place, gradient_place);
    reading.gradients.note(posizione);
    if (first_cell > 0) {
        do {
            fill_one_cell(reading);
        } while (reading.fill_point < first_cell);
    }
    reading.current_gradient = gradient;
    return record_outcome::next;
}

void finish_gradients(line_reading& reading) {
    // The last two cells (and the one before them) are left at 0.
    do {
        fill_one_cell(reading);
    } while (reading.fill_point < std::int64_t{reading.record.ultima_cella} - 2);
}

}  // namespace scenario
