#include "compiler/compiled_files.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace scenario {
namespace {

// The widths of the fields, in the order of the layouts.
static_assert(1 + 3 * 4 + 1 + 2 + 5 * 2 + 4 * 1 + 4 == item_entry_fixed_bytes);
static_assert(1 + 4 * 2 + 6 * 1 == grid_cell_bytes);
static_assert(sizeof(double) == profile_real_bytes);

// Little-endian, one byte at a time, whatever the byte order of the machine.
void put_u8(std::string& out, std::uint8_t value) {
    out.push_back(static_cast<char>(value));
}

void put_u16(std::string& out, std::uint16_t value) {
    put_u8(out, static_cast<std::uint8_t>(value & 0xFF));
    put_u8(out, static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::string& out, std::uint32_t value) {
    put_u16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_u64(std::string& out, std::uint64_t value) {
    put_u32(out, static_cast<std::uint32_t>(value & 0xFFFFFFFF));
    put_u32(out, static_cast<std::uint32_t>(value >> 32));
}

void put_i16(std::string& out, std::int16_t value) {
    put_u16(out, static_cast<std::uint16_t>(value));
}

void put_i32(std::string& out, std::int32_t value) {
    put_u32(out, static_cast<std::uint32_t>(value));
}

void put_f64(std::string& out, double value) {
    put_u64(out, std::bit_cast<std::uint64_t>(value));
}

std::size_t testo_bytes(const voce& entry) {
    return std::min(entry.testo.size(), item_testo_max_bytes);
}

void put_voce(std::string& out, const voce& entry) {
    const std::size_t n = testo_bytes(entry);
    put_u8(out, entry.tipo);
    put_i32(out, entry.valore1);
    put_i32(out, entry.valore2);
    put_i32(out, entry.valore3);
    put_u8(out, entry.stato);
    put_u16(out, static_cast<std::uint16_t>(n));
    out.append(entry.testo, 0, n);
    put_i16(out, entry.numero1);
    put_i16(out, entry.numero2);
    put_i16(out, entry.numero3);
    put_i16(out, entry.numero4);
    put_i16(out, entry.numero5);
    put_u8(out, entry.extra1);
    put_u8(out, entry.extra2);
    put_u8(out, entry.extra3);
    put_u8(out, entry.extra4);
    put_i32(out, entry.valore4);
}

void put_cella(std::string& out, const cella& cell) {
    put_u8(out, cell.tipo);
    put_i16(out, cell.dato1);
    put_i16(out, cell.dato2);
    put_i16(out, cell.dato3);
    put_i16(out, cell.dato4);
    put_u8(out, cell.extra1);
    put_u8(out, cell.extra2);
    put_u8(out, cell.extra3);
    put_u8(out, cell.extra4);
    put_u8(out, cell.extra5);
    put_u8(out, cell.extra6);
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

void put_element(std::string& out, profile_tag tag, double value) {
    put_u16(out, static_cast<std::uint16_t>(tag));
    switch (tag) {
        case profile_tag::intero:
            // An integer element holds a 16-bit value exactly.
            put_i16(out, static_cast<std::int16_t>(value));
            break;
        case profile_tag::reale:
            put_f64(out, value);
            break;
        case profile_tag::vuoto:
            break;
    }
}

}  // namespace

std::string encode_item_file(const std::array<voce, numero_voci>& voci) {
    std::size_t size = 0;
    for (const voce& entry : voci) {
        size += item_entry_fixed_bytes + testo_bytes(entry);
    }
    std::string out;
    out.reserve(size);
    for (const voce& entry : voci) {
        put_voce(out, entry);
    }
    return out;
}

std::string encode_grid_file(const std::vector<cella>& celle) {
    std::string out;
    out.reserve(celle.size() * grid_cell_bytes);
    for (const cella& cell : celle) {
        put_cella(out, cell);
    }
    return out;
}

std::string encode_line_file(const profilo_linea& profilo) {
    const std::int32_t last_row = profilo.ultima_riga();
    std::size_t size = 0;
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga <= last_row; ++riga) {
            size += element_bytes(profilo.tag(riga, colonna));
        }
    }
    std::string out;
    out.reserve(size);
    // Column by column: every x, then every y.
    for (int colonna = 0; colonna < 2; ++colonna) {
        for (std::int32_t riga = 0; riga <= last_row; ++riga) {
            put_element(out, profilo.tag(riga, colonna), profilo.valore(riga, colonna));
        }
    }
    return out;
}

}  // namespace scenario
