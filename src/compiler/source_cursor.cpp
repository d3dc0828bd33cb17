#include "compiler/source_cursor.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "source/file_access.h"

namespace scenario {
namespace {

constexpr expected_field text_field{"a field", ""};
constexpr expected_field int32_number{"a whole number", " from -2147483648 to 2147483647"};
constexpr expected_field int16_number{"a whole number", " from -32768 to 32767"};
constexpr expected_field uint8_number{"a whole number", " from 0 to 255"};

}  // namespace

source_cursor::source_cursor(compile_context& context, std::string path, std::string content)
    : context_(context),
      path_(std::move(path)),
      reader_(context.sources.keep(path_, std::move(content))) {}

source_point source_cursor::here() const {
    return {path_, reader_.last_field().line, reader_.last_field().column};
}

void source_cursor::warn_at(field_location where, std::string message) {
    context_.errors.warn(point_at(where), std::move(message));
}

bool source_cursor::read_field() {
    const read_result result = reader_.read_text(context_.record.riga);
    return result == read_result::ok || fail(result, text_field);
}

bool source_cursor::read_int32(std::int32_t& value) {
    const read_result result = reader_.read_number(value);
    return result == read_result::ok || fail(result, int32_number);
}

bool source_cursor::read_int16(std::int16_t& value) {
    std::int32_t wide = 0;
    if (!read_int32(wide)) {
        return false;
    }
    if (wide < std::numeric_limits<std::int16_t>::min() ||
        wide > std::numeric_limits<std::int16_t>::max()) {
        return fail(read_result::out_of_range, int16_number);
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
        return fail(read_result::out_of_range, uint8_number);
    }
    value = static_cast<std::uint8_t>(wide);
    return true;
}

void source_cursor::mark_record() {
    record_start_ = here();
    // A key is whatever field holds the keyword; a long one is cut for messages.
    constexpr std::size_t longest_key_shown = 40;
    record_key_ = context_.record.riga.substr(0, longest_key_shown);
    in_record_ = true;
}

// The malformed field as it stands in its line, for messages: from where it begins to the
// next comma.
std::string source_cursor::field_text_here() const {
    const field_location& field = reader_.last_field();
    const std::string_view line = reader_.line_text(field.line);
    const auto start = static_cast<std::size_t>(field.column - 1);
    if (field.column < 1 || start >= line.size()) {
        return "";
    }
    std::string_view text = line.substr(start, line.find(',', start) - start);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

bool source_cursor::fail(read_result result, const expected_field& expected) {
    const std::string record = "the \"" + record_key_ + "\" record";
    const std::string what(expected.what);
    std::string detail;
    source_point where = here();
    switch (result) {
        case read_result::past_end:
            if (in_record_) {
                // Nothing stands where the field was expected: point at the record instead.
                where = record_start_;
                detail = "the file ends inside " + record + ", where " + what + " was expected";
            } else {
                detail = "the file ends where " + what + " was expected";
            }
            break;
        case read_result::not_a_number:
            detail = (in_record_ ? record + ": " : std::string()) + "expected " + what +
                     ", found \"" + field_text_here() + "\"";
            break;
        case read_result::out_of_range:
            detail = (in_record_ ? record + ": " : std::string()) + field_text_here() +
                     " does not fit: expected " + what + std::string(expected.range);
            break;
        case read_result::ok:
            break;
    }
    record_runtime_failure(context_, std::move(where), std::move(detail));
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
