// The two kinds of board of the line: maximum-speed boards, whose two faces are packed into
// the cell, and indicator boards, whose text goes into the item table. A board needs a free
// cell (empty, or holding only a mountain marker, which it replaces).
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/compiled_texts.h"
#include "compiler/line_reader.h"
#include "compiler/line_reading.h"
#include "format/cell_meaning.h"
#include "format/rounding.h"

namespace scenario {
namespace {

// The left and right faces of a maximum-speed board: three speeds and a stripe count each.
struct speed_board {
    std::int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
    std::int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

std::string occupied(const keyword& kind, std::int32_t posizione, std::int64_t cell,
                     std::uint8_t tipo) {
    return kind.the_phrase_at(posizione) + ": cell " + std::to_string(cell) + " already holds " +
           describe_cell_object(tipo);
}

enum class placement { placed, refused, overflow };

placement memo_indicatori_v_max(line_reading& reading, std::int32_t posizione,
                                const speed_board& board) {
    const std::int64_t i = cella_di_punto(posizione);
    cella& cell = reading.record.celle[static_cast<std::size_t>(i)];
    if (!cell.libera()) {
        reading.errors.record(error_code::speed_board_cell_taken, posizione,
                              reading.cursor.record_start(),
                              occupied(keywords::indicatori_vmax, posizione, i, cell.tipo));
        relate_cell_holder(reading.context, i);
        return placement::refused;
    }
    cell.tipo = kind::indicatore_v_max;
    reading.context.origins.place(static_cast<std::size_t>(i), reading.origin(posizione));
    if (!pack_board_speeds(board.vas, board.vad, cell.dato1) ||
        !pack_board_speeds(board.vbs, board.vbd, cell.dato2) ||
        !pack_board_speeds(board.vcs, board.vcd, cell.dato3)) {
        return placement::overflow;
    }
    cell.dato4 = pack_board_stripes(board.strisces, board.strisced);
    return placement::placed;
}

// The nine numbers of the record, in file order, and where each stands.
constexpr std::array<std::string_view, 9> board_field_names = {
    "posizione", "vas", "vbs", "vcs", "strisces", "vad", "vbd", "vcd", "strisced"};
constexpr std::size_t first_stripes = 4;
constexpr std::size_t second_stripes = 8;

// The packing keeps the two faces apart only for speeds that are multiples of 5 below 500
// and stripe counts of one digit; anything else is stored, but reads back as other values.
void warn_about_board_values(line_reading& reading, const std::array<std::int32_t, 9>& values,
                             const std::array<field_location, 9>& places) {
    const std::string head = keywords::indicatori_vmax.the_phrase_at(values[0]) + ": ";
    for (std::size_t i = 1; i < values.size(); ++i) {
        const std::int32_t value = values[i];
        const std::string name(board_field_names[i]);
        if (i == first_stripes || i == second_stripes) {
            if (value < 0 || value > 9) {
                reading.cursor.warn_at(warning_code::board_stripes, places[i],
                                       head + name + " " + std::to_string(value) +
                                           " is not a stripe count from 0 to 9: "
                                           "the stripes are stored as left x 10 + "
                                           "right, which then mixes the two faces");
            }
        } else if (value % 5 != 0 || value < 0 || value >= 500) {
            reading.cursor.warn_at(warning_code::board_speed, places[i],
                                   head + name + " " + std::to_string(value) +
                                       " km/h is not a multiple of 5 from 0 to 495: "
                                       "the speeds are stored as left x 20 + right / "
                                       "5, which then mixes the two faces");
        }
    }
}

// A face that is not there has all four values 0: one with stripes and no speed is neither
// there nor missing.
void warn_about_board_faces(line_reading& reading, const std::array<std::int32_t, 9>& values,
                            const std::array<field_location, 9>& places) {
    for (const std::size_t first : {std::size_t{1}, std::size_t{5}}) {
        const std::size_t stripes = first + 3;
        if (values[first] != 0 || values[first + 1] != 0 || values[first + 2] != 0 ||
            values[stripes] == 0) {
            continue;
        }
        std::string message = keywords::indicatori_vmax.the_phrase_at(values[0]) + ": the " +
                              (first == 1 ? "left" : "right") + " face has " +
                              std::string(board_field_names[stripes]) + " " +
                              std::to_string(values[stripes]) +
                              " but no speed: a face that is not there has all four values 0, "
                              "one that is there its speeds";
        reading.cursor.warn_at(warning_code::board_face, places[stripes], std::move(message));
    }
}

// The fastest speed of the line's boards, which the train's speeds are compared with.
void note_board_speeds(line_reading& reading, const std::array<std::int32_t, 9>& values) {
    std::int32_t& fastest = reading.context.fastest_board_speed;
    for (const std::size_t i : {1, 2, 3, 5, 6, 7}) {
        if (values[i] % 5 == 0 && values[i] > 0 && values[i] < 500) {
            fastest = std::max(fastest, values[i]);
        }
    }
}

void warn_board_beyond_line_end(line_reading& reading, const keyword& kind,
                                std::int32_t posizione) {
    if (const std::optional<std::int32_t> length = line_end_passed(reading.context, posizione)) {
        reading.cursor.warn_at(warning_code::beyond_line_end, reading.cursor.record_key_place(),
                               kind.the_phrase_at(posizione) +
                                   " stands past the end of the line at " +
                                   std::to_string(*length) + " m (lunghezza percorso)");
    }
}

}  // namespace

record_outcome read_speed_board(line_reading& reading) {
    source_cursor& cursor = reading.cursor;
    std::array<std::int32_t, 9> values{};
    std::array<field_location, 9> places{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!cursor.read_int32(values[i])) {
            return record_outcome::returned;
        }
        places[i] = cursor.place();
    }
    const std::int32_t posizione = values[0];
    const speed_board board{values[1], values[2], values[3], values[4],
                            values[5], values[6], values[7], values[8]};
    if (beyond_placement_limit(reading.record, posizione, record_margin)) {
        return stop_line_beyond_grid(reading, keywords::indicatori_vmax, posizione);
    }
    if (posizione < 0) {
        return refuse_no_room(
            reading, posizione,
            keywords::indicatori_vmax.the_phrase_at(posizione) + ": the line starts at metre 0");
    }
    switch (memo_indicatori_v_max(reading, posizione, board)) {
        case placement::placed:
            warn_about_board_values(reading, values, places);
            warn_about_board_faces(reading, values, places);
            warn_board_beyond_line_end(reading, keywords::indicatori_vmax, posizione);
            note_board_speeds(reading, values);
            return record_outcome::next;
        case placement::refused:
            delete_source(reading.context, reading.context.line_source_path());
            return record_outcome::returned;
        case placement::overflow:
            record_runtime_failure(reading.context, cursor.record_start(),
                                   keywords::indicatori_vmax.the_phrase_at(posizione) +
                                       ": a speed does not fit the board's 16-bit field "
                                       "(left x 20 + right / 5 must lie within -32768 to 32767)");
            return record_outcome::returned;
    }
    return record_outcome::returned;
}

record_outcome read_indicator_board(line_reading& reading) {
    std::int32_t posizione = 0;
    if (!reading.cursor.read_int32(posizione) || !reading.cursor.read_field()) {
        return record_outcome::returned;
    }
    const field_location text_place = reading.cursor.place();
    if (beyond_placement_limit(reading.record, posizione, record_margin)) {
        return stop_line_beyond_grid(reading, keywords::cartello_indicatore, posizione);
    }
    if (posizione < 0) {
        return refuse_no_room(reading, posizione,
                              keywords::cartello_indicatore.the_phrase_at(posizione) +
                                  ": the line starts at metre 0");
    }
    std::int32_t& e = reading.context.prossima_voce_cartello;
    if (e < 1) {
        return refuse_no_room(reading, posizione,
                              keywords::cartello_indicatore.the_phrase_at(posizione) +
                                  ": the item table holds at most 80 indicator boards");
    }
    const std::int64_t i = cella_di_punto(posizione);
    cella& cell = reading.record.celle[static_cast<std::size_t>(i)];
    if (!cell.libera()) {
        return end_at_taken_cell(reading, error_code::indicator_board_cell_taken, posizione,
                                 occupied(keywords::cartello_indicatore, posizione, i, cell.tipo),
                                 i);
    }
    cell.tipo = kind::cartello_indicatore;
    cell.dato1 = static_cast<std::int16_t>(e);
    store_text(reading, reading.record.voci[static_cast<std::size_t>(e)].testo, text_place,
               "the text");
    reading.context.origins.place(static_cast<std::size_t>(i), reading.origin(posizione));
    reading.context.origins.fill(static_cast<std::size_t>(e), reading.origin(posizione));
    --e;
    warn_board_beyond_line_end(reading, keywords::cartello_indicatore, posizione);
    return record_outcome::next;
}

}  // namespace scenario
