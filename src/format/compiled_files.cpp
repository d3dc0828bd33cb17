#include "format/compiled_files.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "format/byte_coding.h"
#include "source/file_access.h"

namespace scenario {
namespace {

constexpr std::size_t largest_element_bytes = profile_tag_bytes + profile_real_bytes;
static_assert(line_file_piece_bytes >= largest_element_bytes);

std::size_t testo_bytes(const voce& entry) {
    return std::min(entry.testo.size(), item_testo_max_bytes);
}

// Stores the entry at `at` and returns the position after it; the caller has made room.
char* put_voce(char* at, const voce& entry) {
    namespace field = item_layout;
    const std::size_t n = testo_bytes(entry);
    put_u8(at + field::tipo, entry.tipo);
    put_i32(at + field::valore1, entry.valore1);
    put_i32(at + field::valore2, entry.valore2);
    put_i32(at + field::valore3, entry.valore3);
    put_u8(at + field::stato, entry.stato);
    put_u16(at + field::testo_length, static_cast<std::uint16_t>(n));
    put_text(at + field::testo, std::string_view(entry.testo).substr(0, n));
    char* const tail = at + field::testo + n;
    put_i16(tail + field::numero1, entry.numero1);
    put_i16(tail + field::numero2, entry.numero2);
    put_i16(tail + field::numero3, entry.numero3);
    put_i16(tail + field::numero4, entry.numero4);
    put_i16(tail + field::numero5, entry.numero5);
    put_u8(tail + field::extra1, entry.extra1);
    put_u8(tail + field::extra2, entry.extra2);
    put_u8(tail + field::extra3, entry.extra3);
    put_u8(tail + field::extra4, entry.extra4);
    put_i32(tail + field::valore4, entry.valore4);
    return tail + field::after_testo_bytes;
}

char* put_cella(char* at, const cella& cell) {
    namespace field = cell_layout;
    put_u8(at + field::tipo, cell.tipo);
    put_i16(at + field::dato1, cell.dato1);
    put_i16(at + field::dato2, cell.dato2);
    put_i16(at + field::dato3, cell.dato3);
    put_i16(at + field::dato4, cell.dato4);
    put_u8(at + field::extra1, cell.extra1);
    put_u8(at + field::extra2, cell.extra2);
    put_u8(at + field::extra3, cell.extra3);
    put_u8(at + field::extra4, cell.extra4);
    put_u8(at + field::extra5, cell.extra5);
    put_u8(at + field::extra6, cell.extra6);
    return at + grid_cell_bytes;
}

std::size_t element_bytes(profile_tag tag) {
    switch (tag) {
        case profile_tag::intero:
            return profile_tag_bytes + profile_integer_bytes;
        case profile_tag::reale:
            return profile_tag_bytes + profile_real_bytes;
        case profile_tag::vuoto:
            break;
    }
    return profile_tag_bytes;
}

char* put_tag(char* at, profile_tag tag) {
    put_u16(at, static_cast<std::uint16_t>(tag));
    return at + profile_tag_bytes;
}

char* put_real_element(char* at, double value) {
    at = put_tag(at, profile_tag::reale);
    put_f64(at, value);
    return at + profile_real_bytes;
}

char* put_element(char* at, profile_tag tag, double value) {
    switch (tag) {
        case profile_tag::intero:
            at = put_tag(at, tag);
            // An integer element holds a 16-bit value exactly.
            put_i16(at, static_cast<std::int16_t>(value));
            return at + profile_integer_bytes;
        case profile_tag::reale:
            return put_real_element(at, value);
        case profile_tag::vuoto:
            break;
    }
    return put_tag(at, tag);
}

// The bytes of one column of the compiler's plan, which has the same tags in both: the two
// starting points, the rows that the steps make, the empty rows after them.
std::uint64_t column_bytes_of(const profile_steps& plan) {
    const std::int64_t rows = std::int64_t{plan.ultima_riga()} + 1;
    const std::int64_t starting = std::min<std::int64_t>(rows, 2);
    std::uint64_t bytes = 0;
    for (std::int32_t riga = 0; riga < starting; ++riga) {
        bytes += element_bytes(plan.tag(riga, 0));
    }
    const std::int64_t stepped = std::max<std::int64_t>(0, plan.next_row() - 2);
    return bytes + static_cast<std::uint64_t>(stepped) * largest_element_bytes +
           static_cast<std::uint64_t>(rows - starting - stepped) * profile_tag_bytes;
}

}  // namespace

std::string encode_item_file(const std::array<voce, numero_voci>& voci) {
    std::size_t size = 0;
    for (const voce& entry : voci) {
        size += item_entry_fixed_bytes + testo_bytes(entry);
    }
    std::string file(size, '\0');
    char* out = file.data();
    for (const voce& entry : voci) {
        out = put_voce(out, entry);
    }
    return file;
}

std::string encode_grid_file(const std::vector<cella>& celle) {
    std::string file(celle.size() * grid_cell_bytes, '\0');
    char* out = file.data();
    for (const cella& cell : celle) {
        out = put_cella(out, cell);
    }
    return file;
}

std::string encode_line_file(const profilo_linea& profilo) {
    const std::int32_t last_row = profilo.ultima_riga();
    std::size_t size = 0;
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga <= last_row; ++riga) {
            size += element_bytes(profilo.tag(riga, colonna));
        }
    }
    std::string file(size, '\0');
    char* out = file.data();
    // Column by column: every x, then every y.
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga <= last_row; ++riga) {
            out = put_element(out, profilo.tag(riga, colonna), profilo.valore(riga, colonna));
        }
    }
    return file;
}

// The buffers are not cleared: every byte of a piece is written before it is handed out.
line_file_encoder::line_file_encoder(const profile_steps& plan)
    : plan_(plan),
      column_bytes_(column_bytes_of(plan)),
      walk_(plan),
      x_buffer_(new char[line_file_piece_bytes]),
      y_buffer_(new char[line_file_piece_bytes]) {}

file_piece line_file_encoder::next_piece() {
    if (y_bytes_ready_ > 0) {
        const std::size_t bytes = std::exchange(y_bytes_ready_, 0);
        return {column_bytes_ + x_offset_ - bytes, {y_buffer_.get(), bytes}};
    }
    const std::int32_t last_row = plan_.ultima_riga();
    if (riga_ > last_row) {
        return {};
    }
    // The rows that surely fit: the two starting points, the rows that the steps make, then
    // the empty rows.
    constexpr auto rows_in_a_piece =
        static_cast<std::int32_t>(line_file_piece_bytes / largest_element_bytes);
    const std::int32_t until = std::min(last_row, riga_ + rows_in_a_piece - 1);
    char* x = x_buffer_.get();
    char* y = y_buffer_.get();
    for (; riga_ <= until && riga_ < 2; ++riga_) {
        const profile_tag tag = plan_.tag(riga_, 0);
        x = put_element(x, tag, plan_.start(riga_, 0));
        y = put_element(y, tag, plan_.start(riga_, 1));
    }
    const std::int32_t last_step = std::min(until, plan_.next_row() - 1);
    if (riga_ <= last_step) {
        walk_.compute(last_step, [&x, &y](double row_x, double row_y) {
            x = put_real_element(x, row_x);
            y = put_real_element(y, row_y);
        });
        riga_ = last_step + 1;
    }
    for (; riga_ <= until; ++riga_) {
        x = put_tag(x, profile_tag::vuoto);
        y = put_tag(y, profile_tag::vuoto);
    }
    const auto bytes = static_cast<std::size_t>(x - x_buffer_.get());
    const file_piece piece{x_offset_, {x_buffer_.get(), bytes}};
    x_offset_ += bytes;
    y_bytes_ready_ = bytes;
    return piece;
}

std::string encode_line_file(const profile_steps& plan) {
    line_file_encoder encoder(plan);
    std::string file(encoder.file_bytes(), '\0');
    for (file_piece piece = encoder.next_piece(); !piece.bytes.empty();
         piece = encoder.next_piece()) {
        std::copy(piece.bytes.begin(), piece.bytes.end(),
                  file.begin() + static_cast<std::ptrdiff_t>(piece.offset));
    }
    return file;
}

status write_line_file(const std::string& path, const profile_steps& plan) {
    line_file_encoder encoder(plan);
    return replace_file_in_pieces(path, [&encoder] { return encoder.next_piece(); });
}

}  // namespace scenario
