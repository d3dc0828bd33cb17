// Little-endian fields of the compiled files, one byte at a time whatever the byte order of
// the machine. Each put_ stores a field at `at`, each get_ reads it back from there; a pair
// of the same name is one field's coding both ways. The caller keeps inside its buffer: the
// encoders size their buffer from the layout first, the decoders check what is left first.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

inline void put_u8(char* at, std::uint8_t value) {
    at[0] = static_cast<char>(value);
}
inline std::uint8_t get_u8(const char* at) {
    return static_cast<std::uint8_t>(at[0]);
}

inline void put_u16(char* at, std::uint16_t value) {
    at[0] = static_cast<char>(value & 0xFF);
    at[1] = static_cast<char>(value >> 8);
}
inline std::uint16_t get_u16(const char* at) {
    return static_cast<std::uint16_t>(get_u8(at) | get_u8(at + 1) << 8);
}

inline void put_i16(char* at, std::int16_t value) {
    put_u16(at, static_cast<std::uint16_t>(value));
}
inline std::int16_t get_i16(const char* at) {
    return static_cast<std::int16_t>(get_u16(at));
}

inline void put_u32(char* at, std::uint32_t value) {
    put_u16(at, static_cast<std::uint16_t>(value & 0xFFFF));
    put_u16(at + 2, static_cast<std::uint16_t>(value >> 16));
}
inline std::uint32_t get_u32(const char* at) {
    return std::uint32_t{get_u16(at)} | std::uint32_t{get_u16(at + 2)} << 16;
}

inline void put_i32(char* at, std::int32_t value) {
    put_u32(at, static_cast<std::uint32_t>(value));
}
inline std::int32_t get_i32(const char* at) {
    return static_cast<std::int32_t>(get_u32(at));
}

inline void put_u64(char* at, std::uint64_t value) {
    put_u32(at, static_cast<std::uint32_t>(value & 0xFFFFFFFF));
    put_u32(at + 4, static_cast<std::uint32_t>(value >> 32));
}
inline std::uint64_t get_u64(const char* at) {
    return std::uint64_t{get_u32(at)} | std::uint64_t{get_u32(at + 4)} << 32;
}

// An IEEE 754 double, its bits as a 64-bit number.
inline void put_f64(char* at, double value) {
    put_u64(at, std::bit_cast<std::uint64_t>(value));
}
inline double get_f64(const char* at) {
    return std::bit_cast<double>(get_u64(at));
}

// Single-byte characters, no terminator: the length is a field of its own.
inline void put_text(char* at, std::string_view text) {
    std::copy(text.begin(), text.end(), at);
}
inline std::string get_text(const char* at, std::size_t size) {
    return std::string(at, size);
}

}  // namespace scenario
