#include "compiler/compiled_file_decoders.h"

#include <bit>
#include <cstdint>
#include <string>

#include "compiler/compiled_files.h"

namespace scenario {
namespace {

// Takes little-endian fields off the front of a byte string.
class byte_cursor {
  public:
    explicit byte_cursor(std::string_view bytes) : bytes_(bytes) {}

    bool has(std::size_t count) const { return bytes_.size() - offset_ >= count; }
    std::size_t offset() const { return offset_; }
    bool done() const { return offset_ == bytes_.size(); }

    std::uint64_t unsigned_value(std::size_t size) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= std::uint64_t{static_cast<unsigned char>(bytes_[offset_ + i])} << (8 * i);
        }
        offset_ += size;
        return value;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(unsigned_value(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(unsigned_value(2)); }
    std::int16_t i16() { return static_cast<std::int16_t>(unsigned_value(2)); }
    std::int32_t i32() { return static_cast<std::int32_t>(unsigned_value(4)); }
    double f64() { return std::bit_cast<double>(unsigned_value(8)); }
    std::string text(std::size_t size) {
        std::string value(bytes_.substr(offset_, size));
        offset_ += size;
        return value;
    }

  private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

// The longest line, 1000000 m, has a plan of rows 0 to 1000000 + 7000.
constexpr std::size_t most_profile_rows = 1007001;

status does_not_fit(const std::string& what, std::size_t offset) {
    return status::corrupt_file("not a compiled " + what + ": the layout stops fitting at byte " +
                                std::to_string(offset));
}

}  // namespace

status decode_item_file(std::string_view bytes, std::array<voce, numero_voci>& voci) {
    byte_cursor in(bytes);
    for (voce& entry : voci) {
        if (!in.has(16)) {
            return does_not_fit("item file", in.offset());
        }
        entry.tipo = in.u8();
        entry.valore1 = in.i32();
        entry.valore2 = in.i32();
        entry.valore3 = in.i32();
        entry.stato = in.u8();
        const std::uint16_t length = in.u16();
        if (!in.has(std::size_t{length} + item_entry_fixed_bytes - 16)) {
            return does_not_fit("item file", in.offset());
        }
        entry.testo = in.text(length);
        entry.numero1 = in.i16();
        entry.numero2 = in.i16();
        entry.numero3 = in.i16();
        entry.numero4 = in.i16();
        entry.numero5 = in.i16();
        entry.extra1 = in.u8();
        entry.extra2 = in.u8();
        entry.extra3 = in.u8();
        entry.extra4 = in.u8();
        entry.valore4 = in.i32();
    }
    if (!in.done()) {
        return status::corrupt_file(
            "not a compiled item file: " + std::to_string(bytes.size() - in.offset()) +
            " bytes follow the 87th entry");
    }
    return status::success();
}

status decode_grid_file(std::string_view bytes, std::vector<cella>& celle) {
    if (bytes.empty() || bytes.size() % grid_cell_bytes != 0) {
        return status::corrupt_file(
            "not a compiled grid file: its size, " + std::to_string(bytes.size()) +
            " bytes, is not a whole number of " + std::to_string(grid_cell_bytes) + "-byte cells");
    }
    celle.assign(bytes.size() / grid_cell_bytes, cella{});
    byte_cursor in(bytes);
    for (cella& cell : celle) {
        cell.tipo = in.u8();
        cell.dato1 = in.i16();
        cell.dato2 = in.i16();
        cell.dato3 = in.i16();
        cell.dato4 = in.i16();
        cell.extra1 = in.u8();
        cell.extra2 = in.u8();
        cell.extra3 = in.u8();
        cell.extra4 = in.u8();
        cell.extra5 = in.u8();
        cell.extra6 = in.u8();
    }
    return status::success();
}

status decode_line_file(std::string_view bytes, std::optional<profilo_linea>& profilo) {
    // The elements are counted first: the file holds no row count, and its two columns have
    // the same number of rows.
    struct element {
        profile_tag tag;
        double value;
    };
    std::vector<element> elements;
    byte_cursor in(bytes);
    while (!in.done()) {
        if (elements.size() >= 2 * most_profile_rows) {
            return status::corrupt_file("not a compiled line file: it holds more than the " +
                                        std::to_string(most_profile_rows) +
                                        " rows a column of the longest line has");
        }
        if (!in.has(2)) {
            return does_not_fit("line file", in.offset());
        }
        const std::size_t at = in.offset();
        const std::uint16_t tag = in.u16();
        if (tag == static_cast<std::uint16_t>(profile_tag::vuoto)) {
            elements.push_back({profile_tag::vuoto, 0.0});
        } else if (tag == static_cast<std::uint16_t>(profile_tag::intero) && in.has(2)) {
            elements.push_back({profile_tag::intero, static_cast<double>(in.i16())});
        } else if (tag == static_cast<std::uint16_t>(profile_tag::reale) && in.has(8)) {
            elements.push_back({profile_tag::reale, in.f64()});
        } else {
            return does_not_fit("line file", at);
        }
    }
    if (elements.size() < 2 || elements.size() % 2 != 0) {
        return status::corrupt_file("not a compiled line file: " + std::to_string(elements.size()) +
                                    " elements do not make two columns of equal length");
    }
    const auto rows = static_cast<std::int32_t>(elements.size() / 2);
    profilo.emplace(rows - 1);
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga < rows; ++riga) {
            const element& e = elements[static_cast<std::size_t>(colonna * rows + riga)];
            if (e.tag == profile_tag::intero) {
                profilo->set_intero(riga, colonna, static_cast<std::int16_t>(e.value));
            } else if (e.tag == profile_tag::reale) {
                profilo->set_reale(riga, colonna, e.value);
            }
        }
    }
    return status::success();
}

}  // namespace scenario
