#include "compiler/diagnostic_list.h"

#include <algorithm>
#include <string>

#include "compiler/error_codes.h"

namespace scenario {
namespace {

// The mark of what a scan found past the compile's stop: it changed nothing compiled.
constexpr std::string_view beyond_mark = "beyond the compiled part: ";

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<diagnostic_note> notes_of(const std::vector<related_place>& related,
                                      const source_texts& sources) {
    std::vector<diagnostic_note> notes;
    notes.reserve(related.size());
    for (const related_place& place : related) {
        notes.push_back({place.where.file, field_range(sources, place.where), place.message});
    }
    return notes;
}

}  // namespace

source_range field_range_in_line(std::string_view line, int line_number, int column) {
    if (line_number <= 0) {
        return {};
    }
    const std::size_t start = static_cast<std::size_t>(std::max(column, 1) - 1);
    if (start >= line.size()) {
        const int at = static_cast<int>(start) + 1;
        return {line_number, at, line_number, at};
    }
    std::size_t end = start;
    const bool number = is_digit(line[start]) || (line[start] == '-' && start + 1 < line.size() &&
                                                  is_digit(line[start + 1]));
    if (number) {
        ++end;
        while (end < line.size() && !is_blank(line[end]) && line[end] != ',') {
            ++end;
        }
    } else {
        end = std::min(line.find(',', start), line.size());
        while (end > start + 1 && is_blank(line[end - 1])) {
            --end;
        }
        end = std::max(end, start + 1);
    }
    return {line_number, static_cast<int>(start) + 1, line_number, static_cast<int>(end) + 1};
}

source_range field_range(const source_texts& sources, const source_point& where) {
    if (where.file.empty() || where.line <= 0) {
        return {};
    }
    const source_text* text = sources.find(where.file);
    const std::optional<std::string_view> line =
        text != nullptr ? text->line(where.line) : std::nullopt;
    if (!line) {
        // A line the compile never read: the point alone.
        return {where.line, where.column, where.line, where.column};
    }
    return field_range_in_line(*line, where.line, where.column);
}

diagnostic diagnostic_of(const recorded_error& error, const source_texts& sources) {
    diagnostic told;
    told.level = severity::error;
    told.codice = error.codice;
    told.code = error.codice != 0 ? std::to_string(error.codice) : std::string(text_error_code);
    told.posizione = error.posizione;
    told.file = error.where.file;
    told.range = field_range(sources, error.where);
    told.beyond_compiled_part = error.beyond_compiled_part;
    told.message = error.beyond_compiled_part ? std::string(beyond_mark) : std::string();
    told.message +=
        error.detail.empty() ? std::string(error_code_meaning(error.codice)) : error.detail;
    told.related = notes_of(error.related, sources);
    return told;
}

diagnostic diagnostic_of(const recorded_warning& warning, const source_texts& sources) {
    diagnostic told;
    told.level = warning.loses_a_part ? severity::error : severity::warning;
    told.code = warning.code;
    told.file = warning.where.file;
    told.range = field_range(sources, warning.where);
    told.beyond_compiled_part = warning.beyond_compiled_part;
    told.message = warning.beyond_compiled_part ? std::string(beyond_mark) : std::string();
    told.message += warning.message;
    told.related = notes_of(warning.related, sources);
    if (warning.fix) {
        const text_fix& fix = *warning.fix;
        told.fix =
            diagnostic_fix{{fix.where.line, fix.where.column, fix.where.line, fix.end_column},
                           fix.replacement,
                           fix.title};
    }
    return told;
}

std::vector<diagnostic> list_diagnostics(const error_state& errors, const source_texts& sources) {
    std::vector<diagnostic> list;
    list.reserve(errors.warnings().size() + errors.text_errors().size() + errors.errors().size() +
                 errors.errors_beyond().size() + errors.warnings_beyond().size());
    for (const recorded_warning& warning : errors.warnings()) {
        list.push_back(diagnostic_of(warning, sources));
    }
    for (const recorded_error& error : errors.text_errors()) {
        list.push_back(diagnostic_of(error, sources));
    }
    for (const recorded_error& error : errors.errors()) {
        list.push_back(diagnostic_of(error, sources));
    }
    // What lies beyond the compiled part, in the order in which the scan found it: the line
    // file first, each file from its start.
    const std::vector<recorded_warning>& warnings = errors.warnings_beyond();
    std::size_t w = 0;
    for (const recorded_error& error : errors.errors_beyond()) {
        while (w < warnings.size() && warnings[w].found < error.found) {
            list.push_back(diagnostic_of(warnings[w++], sources));
        }
        list.push_back(diagnostic_of(error, sources));
    }
    while (w < warnings.size()) {
        list.push_back(diagnostic_of(warnings[w++], sources));
    }
    return list;
}

}  // namespace scenario
