#include "lsp/diagnostics_json.h"

#include <string>

#include "compiler/warning_codes.h"

namespace scenario::lsp {
namespace {

// The protocol's severities and tags.
constexpr int severity_error = 1;
constexpr int severity_warning = 2;
constexpr int tag_unnecessary = 1;

json position_json(text_position position) {
    return {{"line", position.line}, {"character", position.character}};
}

source_file file_named(const compiled_pair& pair, const std::string& path) {
    if (path == pair.compile->line_path) {
        return source_file::line;
    }
    return path == pair.compile->train_path ? source_file::train : source_file::none;
}

}  // namespace

source_file file_of(const compiled_pair& pair, const diagnostic& told) {
    const source_file file = file_named(pair, told.file);
    return file == source_file::none ? source_file::train : file;
}

json range_json(const compiled_pair& pair, source_file file, const source_range& range,
                position_encoding encoding) {
    const compiler_text* text = pair.text_of(file);
    if (text == nullptr || range.line <= 0) {
        return {{"start", position_json({0, 0})}, {"end", position_json({0, 0})}};
    }
    return {{"start", position_json(text->position_of(range.line, range.column, encoding))},
            {"end", position_json(text->position_of(range.end_line, range.end_column, encoding))}};
}

json diagnostic_json(const compiled_pair& pair, const diagnostic& told,
                     position_encoding encoding) {
    const source_file file = file_of(pair, told);
    const compiler_text* text = pair.text_of(file);
    std::string message = told.message;
    if (told.posizione) {
        message = "at " + std::to_string(*told.posizione) + " m: " + message;
    }
    json item = {
        {"range",
         range_json(pair, file, told.file.empty() ? source_range{} : told.range, encoding)},
        {"severity", told.level == severity::error ? severity_error : severity_warning},
        {"source", "scenario-builder"},
        {"message", text != nullptr ? text->shown(message) : message},
    };
    if (told.codice != 0) {
        item["code"] = told.codice;
    } else {
        item["code"] = told.code;
    }
    if (told.code == warning_code::unread_key.code) {
        item["tags"] = json::array({tag_unnecessary});
    }
    if (!told.related.empty()) {
        json related = json::array();
        for (const diagnostic_note& note : told.related) {
            const source_file note_file = file_named(pair, note.file);
            if (note_file == source_file::none) {
                continue;
            }
            const compiler_text* note_text = pair.text_of(note_file);
            related.push_back({{"location",
                                {{"uri", pair.uri_of(note_file)},
                                 {"range", range_json(pair, note_file, note.range, encoding)}}},
                               {"message", note_text != nullptr ? note_text->shown(note.message)
                                                                : note.message}});
        }
        item["relatedInformation"] = std::move(related);
    }
    return item;
}

json published_diagnostics(const compiled_pair& pair, source_file file,
                           position_encoding encoding) {
    json items = json::array();
    for (const diagnostic& told : pair.compile->report.diagnostics) {
        if (file_of(pair, told) == file) {
            items.push_back(diagnostic_json(pair, told, encoding));
        }
    }
    json params = {{"uri", pair.uri_of(file)}, {"diagnostics", std::move(items)}};
    const std::int64_t version = file == source_file::line ? pair.line_version : pair.train_version;
    if (version >= 0) {
        params["version"] = version;
    }
    return params;
}

}  // namespace scenario::lsp
