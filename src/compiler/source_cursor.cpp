#include "compiler/source_cursor.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "format/size_limits.h"
#include "source/file_access.h"

namespace scenario {
namespace {

constexpr expected_field text_field{"a field", ""};
constexpr expected_field int32_number{"a whole number", " from -2147483648 to 2147483647"};
constexpr expected_field int16_number{"a whole number", " from -32768 to 32767"};
constexpr expected_field uint8_number{"a whole number", " from 0 to 255"};

bool after(field_location a, field_location b) {
    return a.line > b.line || (a.line == b.line && a.column > b.column);
}

// A no-break space looks like a blank in an editor, but it is no blank to the reader: a
// number followed by one is no number. Named by its code, since it cannot be seen.
std::string no_break_space_note(std::string_view found) {
    if (found.find("\xC2\xA0") != std::string_view::npos) {
        return "; it holds a no-break space (U+00A0, the bytes C2 A0 in UTF-8), which looks like "
               "a blank but is none: write a blank in its place";
    }
    if (found.find('\xA0') != std::string_view::npos) {
        return "; it holds a no-break space (the byte A0 in Windows-1252), which looks like a "
               "blank but is none: write a blank in its place";
    }
    return "";
}

std::string count_of_values(int count) {
    return count == 1 ? "1 value" : std::to_string(count) + " values";
}

}  // namespace

source_cursor::source_cursor(compile_context& context, std::string path, std::string content,
                             source_file file)
    : source_cursor(context, std::move(path),
                    std::make_shared<const source_text>(std::move(content)), file) {}

source_cursor::source_cursor(compile_context& context, std::string path,
                             std::shared_ptr<const source_text> text, source_file file)
    : context_(context),
      path_(std::move(path)),
      file_(file),
      reader_(context.sources.keep(path_, std::move(text))) {
    context_.origins.set_path(file_, path_);
    if (context_.options.map_reading) {
        map_ = &context_.reading;
        first_field_ = map_->fields.size();
    }
    if (const compiled_reading* compiled = context_.options.scan_after; compiled != nullptr) {
        // A file that the compile never opened lies beyond it whole.
        scan_ = scan_mark::every_field;
        for (const reading_extent& extent : compiled->extents) {
            if (extent.path == path_) {
                scan_ = extent.read_to_end ? scan_mark::no_field : scan_mark::from_stop;
                compiled_until_ = extent.last_read;
            }
        }
    }
}

source_cursor::~source_cursor() {
    reading_extent extent{path_, reader_.at_end(), reader_.last_field()};
    for (reading_extent& kept : context_.extents) {
        if (kept.path == path_) {
            kept = std::move(extent);
            return;
        }
    }
    context_.extents.push_back(std::move(extent));
}

void source_cursor::mark_beyond() {
    bool beyond = false;
    bool at_stop = false;
    switch (scan_) {
        case scan_mark::every_field:
            beyond = true;
            break;
        case scan_mark::from_stop: {
            const field_location& last = reader_.last_field();
            beyond = after(last, compiled_until_);
            at_stop = last.line == compiled_until_.line && last.column == compiled_until_.column;
            break;
        }
        case scan_mark::no_field:
        case scan_mark::none:
            break;
    }
    context_.errors.marking_beyond_compiled_part = beyond;
    context_.errors.stand_at_compile_stop(at_stop);
}

recorded_warning& source_cursor::warn_at(const warning_code_entry& code, field_location where,
                                         std::string message) {
    return context_.errors.warn(code, point_at(where), std::move(message));
}

void source_cursor::note_value(std::int32_t value, bool number) {
    if (!in_record_) {
        return;
    }
    ++values_read_;
    if (values_read_ == 1 && number) {
        has_position_ = true;
        position_ = value;
    }
    const int line = reader_.last_field().line;
    if (line != record_key_.line && first_later_value_ == 0) {
        first_later_value_ = values_read_;
        first_later_place_ = reader_.last_field();
    }
    last_value_line_ = line;
    last_value_text_ = !number;
}

void source_cursor::map_field(bool number) {
    const field_location& at = reader_.last_field();
    mapped_field field{file_, at.line, at.column, 0, field_role::passed_over};
    if (number) {
        const std::string_view line = reader_.line_text(at.line);
        std::size_t end = static_cast<std::size_t>(at.column - 1);
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ',') {
            ++end;
        }
        field.length = static_cast<int>(end) - (at.column - 1);
    } else {
        field.length = static_cast<int>(context_.record.riga.size());
    }
    if (in_record_) {
        field.role = number ? field_role::number : field_role::text;
    } else if (contains(context_.record.riga, "-")) {
        field.role = field_role::comment;
    } else if (is_section_header(context_.record.riga)) {
        field.role = field_role::header;
    }
    // An empty field (an empty line) shows nothing to map.
    if (field.length > 0) {
        map_->fields.push_back(field);
    }
}

void source_cursor::note_record_read() {
    if (map_ == nullptr || record_kind_ == nullptr) {
        return;
    }
    if (key_field_ < map_->fields.size()) {
        map_->fields[key_field_].role = field_role::key;
    }
    map_->records.push_back({record_kind_, file_, record_key_.line, record_key_.column,
                             has_position_ ? std::optional<std::int32_t>(position_) : std::nullopt,
                             last_value_line_, values_read_ >= record_kind_->values});
}

void source_cursor::note_general_header() {
    if (map_ == nullptr || map_->fields.size() <= first_field_) {
        return;
    }
    for (std::size_t i = first_field_; i + 1 < map_->fields.size(); ++i) {
        map_->fields[i].role = field_role::preamble;
    }
    map_->fields.back().role = field_role::header;
}

bool source_cursor::read_field() {
    const read_result result = reader_.read_text(context_.record.riga);
    after_read();
    if (result != read_result::ok) {
        return fail(result, text_field);
    }
    if (map_ != nullptr) {
        map_field(false);
    }
    note_value(0, false);
    return true;
}

bool source_cursor::read_int32(std::int32_t& value) {
    const read_result result = reader_.read_number(value);
    after_read();
    if (result != read_result::ok) {
        return fail(result, int32_number);
    }
    if (map_ != nullptr) {
        map_field(true);
    }
    note_value(value, true);
    return true;
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
    if (map_ != nullptr) {
        // An empty key is not in the map: no entry to mark.
        key_field_ = context_.record.riga.empty() ? map_->fields.size() : map_->fields.size() - 1;
    }
    record_key_ = reader_.last_field();
    record_kind_ = nullptr;
    in_record_ = true;
    values_read_ = 0;
    first_later_value_ = 0;
    first_later_place_ = {};
    last_value_line_ = record_key_.line;
    last_value_text_ = false;
    has_position_ = false;
    position_ = 0;
}

std::string source_cursor::record_phrase() const {
    if (record_kind_ == nullptr) {
        return "the record";
    }
    return record_kind_->positioned && has_position_ ? record_kind_->the_phrase_at(position_)
                                                     : record_kind_->the_phrase();
}

record_origin source_cursor::origin(std::int32_t position) const {
    return {record_kind_, file_, false, record_key_.line, record_key_.column, position};
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

// A record whose line ends before its values do takes the next from the line after: the
// message stands at the record and names that line.
std::string source_cursor::taken_from_later_line(std::string_view what_is_there) const {
    const int on_own_line = first_later_value_ == 0 ? values_read_ : first_later_value_ - 1;
    const int wanted = record_kind_ != nullptr ? record_kind_->values : 0;
    std::string own;
    if (on_own_line == 0) {
        own = "its line holds none of its " + count_of_values(wanted);
    } else {
        own = "its line holds only " + std::to_string(on_own_line) + " of its " +
              count_of_values(wanted);
    }
    return record_phrase() + ": " + own + ", and value " + std::to_string(values_read_ + 1) +
           " is taken from line " + std::to_string(reader_.last_field().line) + ", " +
           std::string(what_is_there);
}

bool source_cursor::fail(read_result result, const expected_field& expected) {
    const std::string what(expected.what);
    std::string detail;
    source_point where = here();
    const bool later_line = in_record_ && reader_.last_field().line > record_key_.line;
    const std::string found = field_text_here();
    switch (result) {
        case read_result::past_end:
            if (in_record_) {
                // Nothing stands where the field was expected: point at the record instead.
                where = record_start();
                detail =
                    "the file ends inside " + record_phrase() + ", where " + what + " was expected";
            } else {
                detail = "the file ends where " + what + " was expected";
            }
            break;
        case read_result::not_a_number:
            if (later_line) {
                where = record_start();
                detail = taken_from_later_line("which holds \"" + found + "\" where " + what +
                                               " is expected");
            } else if (found.empty()) {
                const std::string_view line = reader_.line_text(reader_.last_field().line);
                const bool at_line_end =
                    line.find_first_not_of(" \t", static_cast<std::size_t>(std::max(
                                                      reader_.last_field().column - 1, 0))) ==
                    std::string_view::npos;
                detail = (in_record_ ? record_phrase() + ": " : std::string()) + "expected " +
                         what +
                         (at_line_end ? ", found nothing: the line ends with a comma, which "
                                        "leaves an empty field before its end"
                                      : ", found an empty field");
            } else {
                detail = (in_record_ ? record_phrase() + ": " : std::string()) + "expected " +
                         what + ", found \"" + found + "\"" + no_break_space_note(found);
            }
            break;
        case read_result::out_of_range:
            if (later_line) {
                where = record_start();
                detail = taken_from_later_line("where " + found + " does not fit: expected " +
                                               what + std::string(expected.range));
            } else {
                detail = (in_record_ ? record_phrase() + ": " : std::string()) + found +
                         " does not fit: expected " + what + std::string(expected.range);
            }
            break;
        case read_result::ok:
            break;
    }
    record_runtime_failure(context_, std::move(where), std::move(detail));
    if (later_line && result != read_result::past_end) {
        context_.errors.relate_latest(point_at(reader_.last_field()),
                                      "the value that " + record_phrase() + " took from this line");
    }
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

namespace {

const source_text* text_in_memory(const compile_context& context, const std::string& path) {
    if (const compiled_reading* compiled = context.options.scan_after;
        compiled != nullptr && compiled->texts != nullptr) {
        if (const source_text* text = compiled->texts->find(path); text != nullptr) {
            return text;
        }
    }
    return context.options.texts != nullptr ? context.options.texts->find(path) : nullptr;
}

}  // namespace

bool source_held_in_memory(const compile_context& context, const std::string& path) {
    return text_in_memory(context, path) != nullptr;
}

status read_source_content(const compile_context& context, const std::string& path,
                           std::shared_ptr<const source_text>& text) {
    if (const compiled_reading* compiled = context.options.scan_after;
        compiled != nullptr && compiled->texts != nullptr) {
        if ((text = compiled->texts->find_shared(path)) != nullptr) {
            return status::success();
        }
    }
    if (context.options.texts != nullptr &&
        (text = context.options.texts->find_shared(path)) != nullptr) {
        return status::success();
    }
    std::string content;
    if (const status read = read_whole_file(path, content, {largest_source_bytes, "a source file"});
        !read.ok()) {
        return read;
    }
    text = std::make_shared<const source_text>(std::move(content));
    return status::success();
}

bool contains(std::string_view field, std::string_view word) {
    return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
    // Only the ASCII letters have a case, as for the C library in the locale the program
    // runs in (it never sets another); folded inline rather than with a call per character.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (word.empty()) {
        return true;
    }
    if (word.size() > field.size()) {
        return false;
    }
    // A field is tried against every keyword: the places where the word's first letter stands
    // are found with find (memchr) in either case, and only there is the word compared. Each
    // case's next place is looked for again only once passed, so a long field costs two
    // passes, not one per place.
    const char first_lower = lower(word.front());
    const char first_upper = first_lower >= 'a' && first_lower <= 'z'
                                 ? static_cast<char>(first_lower - 32)
                                 : first_lower;
    const std::size_t last_start = field.size() - word.size();
    std::size_t next_lower = field.find(first_lower);
    std::size_t next_upper =
        first_upper == first_lower ? std::string_view::npos : field.find(first_upper);
    while (true) {
        const std::size_t at = std::min(next_lower, next_upper);
        if (at == std::string_view::npos || at > last_start) {
            return false;
        }
        if (std::equal(word.begin() + 1, word.end(),
                       field.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                       [&](char a, char b) { return lower(a) == lower(b); })) {
            return true;
        }
        if (at == next_lower) {
            next_lower = field.find(first_lower, at + 1);
        }
        if (at == next_upper) {
            next_upper = field.find(first_upper, at + 1);
        }
    }
}

}  // namespace scenario
