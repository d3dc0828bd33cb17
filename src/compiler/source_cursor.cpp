#include "compiler/source_cursor.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "source/file_access.h"

namespace scenario {

source_cursor::source_cursor(compile_context& context, std::string path, std::string content)
    : context_(context), path_(std::move(path)), reader_(std::move(content)) {}

source_point source_cursor::here() const {
    return {path_, reader_.last_field().line, reader_.last_field().column};
}

bool source_cursor::read_field() {
    const read_result result = reader_.read_text(context_.record.riga);
    return result == read_result::ok || fail(result, "a field");
}

bool source_cursor::read_int32(std::int32_t& value) {
    const read_result result = reader_.read_number(value);
    return result == read_result::ok || fail(result, "a whole number");
}

bool source_cursor::read_int16(std::int16_t& value) {
    std::int32_t wide = 0;
    if (!read_int32(wide)) {
        return false;
    }
    if (wide < std::numeric_limits<std::int16_t>::min() ||
        wide > std::numeric_limits<std::int16_t>::max()) {
        return fail(read_result::out_of_range, "a whole number from -32768 to 32767");
    }
    value = static_cast<std::int16_t>(wide);
    return true;
}

bool source_cursor::read_uint8(std::uint8_t& value) {
    std::int32_t wide = 0;
    if (!read_int32(wide)) {
        return false;
    }
    if (wide < 0 || wide > 255) {
        return fail(read_result::out_of_range, "a whole number from 0 to 255");
    }
    value = static_cast<std::uint8_t>(wide);
    return true;
}

bool source_cursor::fail(read_result result, std::string_view expected) {
    std::string detail;
    switch (result) {
        case read_result::past_end:
            detail = "the file ends where " + std::string(expected) + " was expected";
            break;
        case read_result::not_a_number:
            detail = "expected " + std::string(expected) + " here";
            break;
        case read_result::out_of_range:
            detail = "the number does not fit: expected " + std::string(expected);
            if (expected == "a whole number") {
                detail += " from -2147483648 to 2147483647";
            }
            break;
        case read_result::ok:
            break;
    }
    record_runtime_failure(context_, here(), std::move(detail));
    return false;
}

void record_runtime_failure(compile_context& context, source_point where, std::string detail) {
    context.errors.record(error_code::runtime_failure, std::nullopt, std::move(where),
                          std::move(detail));
    delete_source(context, context.line_source_path());
    delete_source(context, context.train_source_path());
}

void delete_source(const compile_context& context, const std::string& path) {
    if (context.options.delete_sources) {
        // A source that cannot be deleted stays behind; the compiled files do not depend on it.
        (void)remove_file(path);
    }
}

bool contains(std::string_view field, std::string_view word) {
    return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
    // Only the ASCII letters have a case, as for the C library in the locale the program
    // runs in (it never sets another); folded inline rather than with a call per character.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::search(field.begin(), field.end(), word.begin(), word.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != field.end();
}

}  // namespace scenario
