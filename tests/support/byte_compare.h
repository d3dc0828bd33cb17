// Whole-file comparison for byte-exact outputs: on a mismatch the message names the first
// differing offset and both bytes, or the sizes when one file is a prefix of the other.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace scenario::testing_support {

inline ::testing::AssertionResult same_bytes(std::string_view actual, std::string_view expected) {
    const std::size_t common = std::min(actual.size(), expected.size());
    for (std::size_t offset = 0; offset < common; ++offset) {
        if (actual[offset] != expected[offset]) {
            char text[128];
            std::snprintf(text, sizeof text,
                          "first difference at offset %zu: 0x%02X, expected 0x%02X", offset,
                          static_cast<unsigned char>(actual[offset]),
                          static_cast<unsigned char>(expected[offset]));
            return ::testing::AssertionFailure() << text;
        }
    }
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "size " << actual.size() << ", expected " << expected.size();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace scenario::testing_support
