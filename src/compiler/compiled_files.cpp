#include "compiler/compiled_files.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "source/file_access.h"

namespace scenario {
namespace {

// The widths of the fields, in the order of the layouts.
static_assert(1 + 3 * 4 + 1 + 2 + 5 * 2 + 4 * 1 + 4 == item_entry_fixed_bytes);
static_assert(1 + 4 * 2 + 6 * 1 == grid_cell_bytes);
static_assert(sizeof(double) == profile_real_bytes);

constexpr std::size_t largest_element_bytes = profile_tag_bytes + profile_real_bytes;
static_assert(line_file_piece_bytes >= largest_element_bytes);

// Little-endian, one byte at a time, whatever the byte order of the machine. Each helper
// stores at `out` and returns the position after the field; the caller has made room.
char* put_u8(char* out, std::uint8_t value) {
    *out = static_cast<char>(value);
    return out + 1;
}

char* put_u16(char* out, std::uint16_t value) {
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>(value >> 8);
    return out + 2;
}

char* put_u32(char* out, std::uint32_t value) {
    return put_u16(put_u16(out, static_cast<std::uint16_t>(value & 0xFFFF)),
                   static_cast<std::uint16_t>(value >> 16));
}

char* put_u64(char* out, std::uint64_t value) {
    return put_u32(put_u32(out, static_cast<std::uint32_t>(value & 0xFFFFFFFF)),
                   static_cast<std::uint32_t>(value >> 32));
}

char* put_i16(char* out, std::int16_t value) {
    return put_u16(out, static_cast<std::uint16_t>(value));
}

char* put_i32(char* out, std::int32_t value) {
    return put_u32(out, static_cast<std::uint32_t>(value));
}

char* put_f64(char* out, double value) {
    return put_u64(out, std::bit_cast<std::uint64_t>(value));
}

std::size_t testo_bytes(const voce& entry) {
    return std::min(entry.testo.size(), item_testo_max_bytes);
}

char* put_voce(char* out, const voce& entry) {
    const std::size_t n = testo_bytes(entry);
    out = put_u8(out, entry.tipo);
    out = put_i32(out, entry.valore1);
    out = put_i32(out, entry.valore2);
    out = put_i32(out, entry.valore3);
    out = put_u8(out, entry.stato);
    out = put_u16(out, static_cast<std::uint16_t>(n));
    out = std::copy_n(entry.testo.data(), n, out);
    out = put_i16(out, entry.numero1);
    out = put_i16(out, entry.numero2);
    out = put_i16(out, entry.numero3);
    out = put_i16(out, entry.numero4);
    out = put_i16(out, entry.numero5);
    out = put_u8(out, entry.extra1);
    out = put_u8(out, entry.extra2);
    out = put_u8(out, entry.extra3);
    out = put_u8(out, entry.extra4);
    return put_i32(out, entry.valore4);
}

char* put_cella(char* out, const cella& cell) {
    out = put_u8(out, cell.tipo);
    out = put_i16(out, cell.dato1);
    out = put_i16(out, cell.dato2);
    out = put_i16(out, cell.dato3);
    out = put_i16(out, cell.dato4);
    out = put_u8(out, cell.extra1);
    out = put_u8(out, cell.extra2);
    out = put_u8(out, cell.extra3);
    out = put_u8(out, cell.extra4);
    out = put_u8(out, cell.extra5);
    return put_u8(out, cell.extra6);
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

char* put_real_element(char* out, double value) {
    return put_f64(put_u16(out, static_cast<std::uint16_t>(profile_tag::reale)), value);
}

char* put_element(char* out, profile_tag tag, double value) {
    out = put_u16(out, static_cast<std::uint16_t>(tag));
    switch (tag) {
        case profile_tag::intero:
            // An integer element holds a 16-bit value exactly.
            return put_i16(out, static_cast<std::int16_t>(value));
        case profile_tag::reale:
            return put_f64(out, value);
        case profile_tag::vuoto:
            break;
    }
    return out;
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
        x = put_u16(x, static_cast<std::uint16_t>(profile_tag::vuoto));
        y = put_u16(y, static_cast<std::uint16_t>(profile_tag::vuoto));
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
