#include "compiler/diagnostics.h"

#include <algorithm>
#include <optional>
#include <vector>

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

std::string location(const std::string& file, int line) {
    if (file.empty()) {
        return "";
    }
    // Line 0: the whole file is at fault, not one of its lines.
    if (line <= 0) {
        return file + ": ";
    }
    return file + ":" + std::to_string(line) + ": ";
}

constexpr std::string_view indent = "    ";
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

std::string format_head(const diagnostic& told) {
    std::string text = location(told.file, told.range.line);
    if (told.level == severity::warning) {
        text += "warning: " + told.message + " [" + told.code + "]";
        return printable(text);
    }
    // Code 0 is no error of the compiled scenario (a text that cannot be converted).
    text += "error";
    if (told.codice != 0) {
        text += " " + std::to_string(told.codice);
    }
    if (told.posizione) {
        text += " at " + std::to_string(*told.posizione) + " m";
    }
    text += ": " + told.message;
    // A kind of warning that loses a part of the scenario is an error by its severity: it
    // keeps its code, as every warning does.
    if (told.codice == 0 && told.code != text_error_code) {
        text += " [" + told.code + "]";
    }
    return printable(text);
}

namespace {

// The source line under a message, from the text as the compile read it; nothing when the
// message points at no line, or at a text that was never read or has no such line.
std::string quote(const source_texts& sources, const std::string& file, const source_range& at) {
    if (file.empty() || at.line <= 0) {
        return "";
    }
    const source_text* text = sources.find(file);
    if (text == nullptr) {
        return "";
    }
    const std::optional<std::string_view> line = text->line(at.line);
    return line ? quote_line(*line, at.column) : "";
}

}  // namespace

std::string format_diagnostics(const std::vector<diagnostic>& list, const source_texts& sources) {
    std::string text;
    for (const diagnostic& told : list) {
        text += format_head(told) + "\n" + quote(sources, told.file, told.range);
        for (const diagnostic_note& note : told.related) {
            text += printable(location(note.file, note.range.line) + "note: " + note.message) +
                    "\n" + quote(sources, note.file, note.range);
        }
    }
    return text;
}

void print_diagnostics(std::FILE* out, const std::vector<diagnostic>& list,
                       const source_texts& sources) {
    const std::string text = format_diagnostics(list, sources);
    std::fwrite(text.data(), 1, text.size(), out);
}

void print_diagnostics(std::FILE* out, const error_state& errors, const source_texts& sources) {
    print_diagnostics(out, list_diagnostics(errors, sources), sources);
}

}  // namespace scenario
