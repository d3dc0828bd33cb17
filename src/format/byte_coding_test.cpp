// Each put has its get: a field reads back as it was written, whatever its value, and its
// bytes stand least significant first.
#include "format/byte_coding.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace scenario {
namespace {

template <typename Value>
void expect_round_trip(void (*put)(char*, Value), Value (*get)(const char*),
                       std::initializer_list<Value> values) {
    for (const Value value : values) {
        std::array<char, 8> bytes{};
        put(bytes.data(), value);
        EXPECT_EQ(get(bytes.data()), value);
    }
}

TEST(ByteCoding, EveryFieldReadsBackAsWritten) {
    expect_round_trip<std::uint8_t>(put_u8, get_u8, {0, 1, 0x7F, 0x80, 0xFF});
    expect_round_trip<std::uint16_t>(put_u16, get_u16, {0, 0x0102, 0x8000, 0xFFFF});
    expect_round_trip<std::int16_t>(put_i16, get_i16, {0, 5121, -1, -32768, 32767});
    expect_round_trip<std::uint32_t>(put_u32, get_u32, {0, 0x01020304, 0xFFFFFFFF});
    expect_round_trip<std::int32_t>(put_i32, get_i32,
                                    {0, -35495, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()});
    expect_round_trip<double>(put_f64, get_f64, {0.0, -0.0002, 1e300, -1e-300});
}

TEST(ByteCoding, LeastSignificantByteComesFirst) {
    std::array<char, 8> bytes{};
    put_i32(bytes.data(), 0x04030201);
    EXPECT_EQ(std::string(bytes.data(), 4), std::string("\x01\x02\x03\x04", 4));
    put_i16(bytes.data(), -2);
    EXPECT_EQ(std::string(bytes.data(), 2), std::string("\xFE\xFF", 2));
    put_f64(bytes.data(), 1.5);  // 0x3FF8000000000000
    EXPECT_EQ(std::string(bytes.data(), 8), std::string("\0\0\0\0\0\0\xF8\x3F", 8));
}

TEST(ByteCoding, DoubleKeepsItsSignAndEveryBit) {
    std::array<char, 8> bytes{};
    put_f64(bytes.data(), -0.0);
    EXPECT_TRUE(std::signbit(get_f64(bytes.data())));
    put_f64(bytes.data(), std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(get_f64(bytes.data())));
}

TEST(ByteCoding, TextIsItsBytesWithoutTerminator) {
    std::array<char, 8> bytes{};
    bytes.fill('#');
    put_text(bytes.data(), "ab\xE8");
    EXPECT_EQ(std::string(bytes.data(), 4), "ab\xE8#");
    EXPECT_EQ(get_text(bytes.data(), 3), "ab\xE8");
}

}  // namespace
}  // namespace scenario
