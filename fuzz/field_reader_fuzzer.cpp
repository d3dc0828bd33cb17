// Feeds arbitrary bytes to the field reader, reading text and number fields in an order that
// the input itself chooses, until the end of the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "source/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte is the pattern of reads: bit i set means read i is a number.
    const std::uint8_t pattern = data[0];
    scenario::field_reader reader(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    std::string text;
    std::int32_t number = 0;
    for (int i = 0; !reader.at_end(); ++i) {
        const bool wants_number = (pattern >> (i % 8)) & 1;
        const int line_before = reader.last_field().line;
        const scenario::read_result result =
            wants_number ? reader.read_number(number) : reader.read_text(text);
        if (result == scenario::read_result::past_end || reader.last_field().line < line_before) {
            __builtin_trap();  // a read before the end failed, or the line count went back
        }
    }
    (void)reader.line_text(reader.last_field().line);
    return 0;
}
