#include "compiler/diagnostics.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "compiler/error_codes.h"

namespace scenario {
namespace {

// Control characters from a source would act on the terminal: each shows as one "?", so that
// a caret below keeps its column. Tabs stay.
bool is_control(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

std::string printable(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        if (is_control(static_cast<unsigned char>(c))) {
            c = '?';
        }
    }
    return shown;
}

std::string location(const source_point& where) {
    if (where.file.empty()) {
        return "";
    }
    // Line 0: the whole file is at fault, not one of its lines.
    if (where.line <= 0) {
        return where.file + ": ";
    }
    return where.file + ":" + std::to_string(where.line) + ": ";
}

constexpr std::string_view indent = "    ";
// The mark of what a scan found past the compile's stop: it changed nothing compiled.
constexpr std::string_view beyond_mark = "beyond the compiled part: ";
constexpr std::string_view cut_mark = "...";
// How much of a cut line stands before the field, so that the record's key and the fields
// before this one usually stay in sight.
constexpr std::size_t shown_before_field = 40;

// The part of a line that is shown: from `start` to `end`, with a cut mark on each cut side.
struct shown_part {
    std::size_t start = 0;
    std::size_t end = 0;
};

shown_part part_around(std::size_t length, std::size_t field) {
    const std::size_t room = widest_quoted_line - indent.size();
    if (length <= room) {
        return {0, length};
    }
    // Cut before the field only when the field stands too far in to show it otherwise.
    std::size_t start = field > shown_before_field ? field - shown_before_field : 0;
    const std::size_t marks_before = start > 0 ? cut_mark.size() : 0;
    std::size_t end = start + room - marks_before - cut_mark.size();
    if (end >= length) {
        // The line's end is in reach: show it whole and cut at the start alone.
        end = length;
        start = length - (room - cut_mark.size());
    }
    return {start, end};
}

}  // namespace

std::string quote_line(std::string_view line, int column) {
    const std::size_t field =
        std::min(static_cast<std::size_t>(std::max(column, 1) - 1), line.size());
    const shown_part part = part_around(line.size(), field);
    std::string shown(indent);
    std::string under(indent);
    if (part.start > 0) {
        shown += cut_mark;
        under += std::string(cut_mark.size(), ' ');
    }
    shown += printable(line.substr(part.start, part.end - part.start));
    if (part.end < line.size()) {
        shown += cut_mark;
    }
    // Tabs stay tabs below, so that the caret lines up however wide the terminal shows them.
    for (std::size_t i = part.start; i < field; ++i) {
        under += line[i] == '\t' ? '\t' : ' ';
    }
    return shown + "\n" + under + "^\n";
}

std::string format_error(const recorded_error& error) {
    // Code 0 is no error of the compiled scenario (a text that cannot be converted).
    std::string text = location(error.where) + "error";
    if (error.codice != 0) {
        text += " " + std::to_string(error.codice);
    }
    if (error.posizione) {
        text += " at " + std::to_string(*error.posizione) + " m";
    }
    text += ": ";
    if (error.beyond_compiled_part) {
        text += beyond_mark;
    }
    text += error.detail.empty() ? std::string(error_code_meaning(error.codice)) : error.detail;
    return printable(text);
}

std::string format_warning(const recorded_warning& warning) {
    return printable(location(warning.where) + "warning: " +
                     (warning.beyond_compiled_part ? std::string(beyond_mark) : std::string()) +
                     warning.message);
}

namespace {

// The source line under a message, from the text as the compile read it; nothing when the
// message points at no line, or at a text that was never read or has no such line.
std::string quote(const source_texts& sources, const source_point& where) {
    if (where.file.empty() || where.line <= 0) {
        return "";
    }
    const source_text* text = sources.find(where.file);
    if (text == nullptr) {
        return "";
    }
    const std::optional<std::string_view> line = text->line(where.line);
    return line ? quote_line(*line, where.column) : "";
}

}  // namespace

void print_diagnostics(std::FILE* out, const error_state& errors, const source_texts& sources) {
    const auto print_warning = [&](const recorded_warning& warning) {
        std::fprintf(out, "%s\n%s", format_warning(warning).c_str(),
                     quote(sources, warning.where).c_str());
    };
    const auto print_error = [&](const recorded_error& error) {
        std::fprintf(out, "%s\n%s", format_error(error).c_str(),
                     quote(sources, error.where).c_str());
    };
    for (const recorded_warning& warning : errors.warnings()) {
        print_warning(warning);
    }
    for (const recorded_error& error : errors.text_errors()) {
        print_error(error);
    }
    for (const recorded_error& error : errors.errors()) {
        print_error(error);
    }
    // What lies beyond the compiled part, in the order in which the scan found it: the line
    // file first, each file from its start.
    const std::vector<recorded_warning>& warnings = errors.warnings_beyond();
    std::size_t w = 0;
    for (const recorded_error& error : errors.errors_beyond()) {
        while (w < warnings.size() && warnings[w].found < error.found) {
            print_warning(warnings[w++]);
        }
        print_error(error);
    }
    while (w < warnings.size()) {
        print_warning(warnings[w++]);
    }
}

}  // namespace scenario
