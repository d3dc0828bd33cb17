#include "app/diagnostics.h"

#include "compiler/error_messages.h"
#include "source/field_reader.h"
#include "source/file_access.h"

namespace scenario {
namespace {

std::string location(const source_point& where) {
    return where.file.empty() ? "" : where.file + ":" + std::to_string(where.line) + ": ";
}

// The source line and a caret under the column, when the file can still be read.
std::string quoted_line(const source_point& where) {
    std::string content;
    if (where.file.empty() || where.line <= 0 || !read_whole_file(where.file, content).ok()) {
        return "";
    }
    const field_reader reader(std::move(content));
    const std::string_view line = reader.line_text(where.line);
    std::string quote = "    " + std::string(line) + "\n    ";
    for (int column = 1; column < where.column && column <= static_cast<int>(line.size());
         ++column) {
        quote += line[static_cast<std::size_t>(column - 1)] == '\t' ? '\t' : ' ';
    }
    return quote + "^\n";
}

}  // namespace

std::string format_error(const recorded_error& error) {
    std::string text = location(error.where) + "error " + std::to_string(error.codice);
    if (error.posizione) {
        text += " at " + std::to_string(*error.posizione) + " m";
    }
    text += ": " + (error.detail.empty() ? error_code_meaning(error.codice) : error.detail);
    return text;
}

std::string format_warning(const recorded_warning& warning) {
    return location(warning.where) + "warning: " + warning.message;
}

void print_diagnostics(std::FILE* out, const error_state& errors) {
    for (const recorded_warning& warning : errors.warnings()) {
        std::fprintf(out, "%s\n%s", format_warning(warning).c_str(),
                     quoted_line(warning.where).c_str());
    }
    for (const recorded_error& error : errors.errors()) {
        std::fprintf(out, "%s\n%s", format_error(error).c_str(), quoted_line(error.where).c_str());
    }
}

}  // namespace scenario
