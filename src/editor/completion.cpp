#include "editor/completion.h"

#include <algorithm>

#include "compiler/record_fields.h"

namespace scenario::editor {
namespace {

// A snippet's placeholder text may not hold "$", "}" or "\" unescaped.
std::string placeholder_text(std::string_view name) {
    std::string text;
    for (const char c : name) {
        if (c == '$' || c == '}' || c == '\\') {
            text += '\\';
        }
        text += c;
    }
    return text;
}

std::string snippet_of(const record_reference& reference) {
    std::string snippet;
    int next = 1;
    const auto placeholder = [&](std::string_view name) {
        return "${" + std::to_string(next++) + ":" + placeholder_text(name) + "}";
    };
    if (reference.kind == &keywords::curva) {
        // The side and the digit are part of the key.
        snippet = "curva${1|s,d|}${2|1,2,3,4,5,6|}";
        next = 3;
    } else {
        snippet = std::string(reference.written);
    }
    for (std::size_t i = 0; i < reference.fields.size(); ++i) {
        // The clock's three numbers stand apart by blanks, as the built-in file writes them.
        const bool clock_after_first = reference.kind == &keywords::orologio && i > 0;
        snippet += (clock_after_first ? " " : ", ") + placeholder(reference.fields[i].name);
    }
    return snippet;
}

std::string documentation_of(const record_reference& reference) {
    std::string text = std::string(reference.what) + "\n";
    for (const field_reference& field : reference.fields) {
        text += "\n- " + std::string(field.name) + ": " + std::string(field.meaning);
    }
    return text;
}

// The line of the section header that ends the line file's general part; 0 when the reading
// found none.
int general_part_end(const pair_compile& compiled) {
    bool general_found = false;
    for (const mapped_field& field : compiled.context.reading.fields) {
        if (field.file != source_file::line || field.role != field_role::header) {
            continue;
        }
        if (general_found) {
            return field.line;
        }
        general_found = true;
    }
    return 0;
}

}  // namespace

std::vector<completion_item> completions_at(const pair_compile& compiled, source_file file,
                                            int line, std::string_view line_text, int column) {
    std::vector<completion_item> items;
    const std::size_t before = static_cast<std::size_t>(std::max(column - 1, 0));
    if (line_text.substr(0, std::min(before, line_text.size())).find(',') !=
        std::string_view::npos) {
        return items;
    }
    source_part part = source_part::train_records;
    if (file == source_file::line) {
        const int end = general_part_end(compiled);
        part = end == 0 || line < end ? source_part::line_general : source_part::line_records;
    }
    for (const record_reference& reference : record_references()) {
        if (reference.part == part) {
            items.push_back({std::string(reference.written), snippet_of(reference),
                             std::string(reference.what), documentation_of(reference)});
        }
    }
    return items;
}

}  // namespace scenario::editor
