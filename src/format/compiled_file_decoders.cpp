#include "format/compiled_file_decoders.h"

#include <cstdint>
#include <string>

#include "format/byte_coding.h"
#include "format/compiled_layouts.h"

namespace scenario {
namespace {

// The bytes of a file not yet decoded; every field is read only once they are known to hold
// it.
class unread_bytes {
  public:
    explicit unread_bytes(std::string_view bytes) : bytes_(bytes) {}

    bool has(std::size_t count) const { return bytes_.size() - offset_ >= count; }
    bool done() const { return offset_ == bytes_.size(); }
    std::size_t offset() const { return offset_; }
    // The next `count` bytes, which the caller has checked are there.
    const char* take(std::size_t count) {
        const char* at = bytes_.data() + offset_;
        offset_ += count;
        return at;
    }

  private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

status does_not_fit(const std::string& what, std::size_t offset) {
    return status::corrupt_file("not a compiled " + what + ": the layout stops fitting at byte " +
                                std::to_string(offset));
}

}  // namespace

status decode_item_file(std::string_view bytes, std::array<voce, numero_voci>& voci) {
    namespace field = item_layout;
    unread_bytes in(bytes);
    for (voce& entry : voci) {
        if (!in.has(field::testo)) {
            return does_not_fit("item file", in.offset());
        }
        const char* at = in.take(field::testo);
        entry.tipo = get_u8(at + field::tipo);
        entry.valore1 = get_i32(at + field::valore1);
        entry.valore2 = get_i32(at + field::valore2);
        entry.valore3 = get_i32(at + field::valore3);
        entry.stato = get_u8(at + field::stato);
        const std::uint16_t length = get_u16(at + field::testo_length);
        if (!in.has(std::size_t{length} + field::after_testo_bytes)) {
            return does_not_fit("item file", in.offset());
        }
        entry.testo = get_text(in.take(length), length);
        const char* tail = in.take(field::after_testo_bytes);
        entry.numero1 = get_i16(tail + field::numero1);
        entry.numero2 = get_i16(tail + field::numero2);
        entry.numero3 = get_i16(tail + field::numero3);
        entry.numero4 = get_i16(tail + field::numero4);
        entry.numero5 = get_i16(tail + field::numero5);
        entry.extra1 = get_u8(tail + field::extra1);
        entry.extra2 = get_u8(tail + field::extra2);
        entry.extra3 = get_u8(tail + field::extra3);
        entry.extra4 = get_u8(tail + field::extra4);
        entry.valore4 = get_i32(tail + field::valore4);
    }
    if (!in.done()) {
        return status::corrupt_file(
            "not a compiled item file: " + std::to_string(bytes.size() - in.offset()) +
            " bytes follow the " + std::to_string(numero_voci) + "th entry");
    }
    return status::success();
}

status decode_grid_file(std::string_view bytes, std::vector<cella>& celle) {
    namespace field = cell_layout;
    if (bytes.empty() || bytes.size() % grid_cell_bytes != 0) {
        return status::corrupt_file(
            "not a compiled grid file: its size, " + std::to_string(bytes.size()) +
            " bytes, is not a whole number of " + std::to_string(grid_cell_bytes) + "-byte cells");
    }
    celle.assign(bytes.size() / grid_cell_bytes, cella{});
    unread_bytes in(bytes);
    for (cella& cell : celle) {
        const char* at = in.take(grid_cell_bytes);
        cell.tipo = get_u8(at + field::tipo);
        cell.dato1 = get_i16(at + field::dato1);
        cell.dato2 = get_i16(at + field::dato2);
        cell.dato3 = get_i16(at + field::dato3);
        cell.dato4 = get_i16(at + field::dato4);
        cell.extra1 = get_u8(at + field::extra1);
        cell.extra2 = get_u8(at + field::extra2);
        cell.extra3 = get_u8(at + field::extra3);
        cell.extra4 = get_u8(at + field::extra4);
        cell.extra5 = get_u8(at + field::extra5);
        cell.extra6 = get_u8(at + field::extra6);
    }
    return status::success();
}

status decode_line_file(std::string_view bytes, std::optional<profilo_linea>& profilo) {
    // The file holds no row count, and its two columns have the same number of rows: a first
    // pass checks every element and counts them, the second puts them in their places. The
    // elements are not held between the passes: a line of a million metres has two million.
    std::size_t elements = 0;
    unread_bytes in(bytes);
    while (!in.done()) {
        if (elements >= 2 * most_profile_rows) {
            return status::corrupt_file("not a compiled line file: it holds more than the " +
                                        std::to_string(most_profile_rows) +
                                        " rows a column of the longest line has");
        }
        if (!in.has(profile_tag_bytes)) {
            return does_not_fit("line file", in.offset());
        }
        const std::size_t at = in.offset();
        const std::uint16_t tag = get_u16(in.take(profile_tag_bytes));
        std::size_t payload = 0;  // an empty element has none
        if (tag == static_cast<std::uint16_t>(profile_tag::intero)) {
            payload = profile_integer_bytes;
        } else if (tag == static_cast<std::uint16_t>(profile_tag::reale)) {
            payload = profile_real_bytes;
        } else if (tag != static_cast<std::uint16_t>(profile_tag::vuoto)) {
            return does_not_fit("line file", at);
        }
        if (!in.has(payload)) {
            return does_not_fit("line file", at);
        }
        in.take(payload);
        ++elements;
    }
    if (elements < 2 || elements % 2 != 0) {
        return status::corrupt_file("not a compiled line file: " + std::to_string(elements) +
                                    " elements do not make two columns of equal length");
    }
    const auto rows = static_cast<std::int32_t>(elements / 2);
    profilo.emplace(rows - 1);
    unread_bytes again(bytes);
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga < rows; ++riga) {
            const std::uint16_t tag = get_u16(again.take(profile_tag_bytes));
            if (tag == static_cast<std::uint16_t>(profile_tag::intero)) {
                profilo->set_intero(riga, colonna, get_i16(again.take(profile_integer_bytes)));
            } else if (tag == static_cast<std::uint16_t>(profile_tag::reale)) {
                profilo->set_reale(riga, colonna, get_f64(again.take(profile_real_bytes)));
            }
        }
    }
    return status::success();
}

}  // namespace scenario
