#include "editor/outline.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "editor/record_lookup.h"
#include "source/code_page.h"

namespace scenario::editor {
namespace {

using namespace keywords;

struct group_of_kinds {
    const char* name;
    symbol_kind kind;
    std::array<const keyword*, 8> kinds;
};

// The groups in the order of the files, each with the kinds it gathers.
const std::array<group_of_kinds, 13> groups = {{
    {"general part",
     symbol_kind::setting,
     {&lunghezza_percorso, &progressiva_uno, &progressiva_due, &progressiva_tre, &sfondo_uno,
      &sfondo_due, &sfondo_tre, &ripetizione_segnali}},
    {"gradients", symbol_kind::series, {&pendenza}},
    {"curves", symbol_kind::curve, {&curva}},
    {"maximum-speed boards", symbol_kind::board, {&indicatori_vmax}},
    {"mountain-side stretches", symbol_kind::mountain, {&montagna}},
    {"indicator boards", symbol_kind::board, {&cartello_indicatore}},
    {"general values", symbol_kind::setting, {&massa_frenata, &vetture, &orologio, &sabbia}},
    {"adherence", symbol_kind::series, {&aderenza}},
    {"speed limits", symbol_kind::series, {&velocita}},
    {"stations", symbol_kind::station, {&stazione}},
    {"slowdowns", symbol_kind::slowdown, {&rallentamento}},
    {"signals", symbol_kind::signal, {&segnale}},
    {"abbattimento points", symbol_kind::point, {&abbattimento}},
}};

std::string km_text(std::int32_t metres) {
    char text[32];
    std::snprintf(text, sizeof text, "km %.3f", static_cast<double>(metres) / 1000.0);
    return text;
}

std::string field_text(std::string_view line, const mapped_field& field) {
    const auto start = static_cast<std::size_t>(field.column - 1);
    if (field.column < 1 || start > line.size()) {
        return "";
    }
    return std::string(line.substr(start, static_cast<std::size_t>(field.length)));
}

// Names and details are UTF-8: a source of single bytes is shown as Windows-1252.
std::string shown(const pair_compile& compiled, const std::string& text) {
    return compiled.context.options.utf8_texts ? text : windows_1252_to_utf8(text);
}

outline_symbol symbol_of(const pair_compile& compiled, const reading_index& index,
                         const mapped_record& record, symbol_kind kind, const source_text& text) {
    outline_symbol symbol;
    symbol.kind = kind;
    symbol.line = record.line;
    symbol.column = record.column;
    symbol.end_line = record.last_line;
    symbol.end_column = static_cast<int>(text.line(record.last_line).value_or("").size()) + 1;
    const std::string_view key_line = text.line(record.line).value_or("");
    const std::vector<const mapped_field*> values = index.values_of(record);
    symbol.key_end_column = record.column;
    if (const mapped_field* key = index.key_of(record)) {
        symbol.key_end_column = key->column + key->length;
        symbol.name = field_text(key_line, *key);
    }
    if (record.kind == &stazione && values.size() == 17) {
        symbol.name = field_text(text.line(values.back()->line).value_or(""), *values.back());
    }
    if (record.kind->positioned && record.position) {
        symbol.detail = std::to_string(*record.position) + " m, " + km_text(*record.position);
        if (record.kind != &stazione) {
            symbol.name += " " + std::to_string(*record.position);
        }
    } else if (!values.empty()) {
        for (const mapped_field* value : values) {
            symbol.detail += (symbol.detail.empty() ? "" : " ") +
                             field_text(text.line(value->line).value_or(""), *value);
        }
    }
    symbol.name = shown(compiled, symbol.name);
    symbol.detail = shown(compiled, symbol.detail);
    return symbol;
}

}  // namespace

std::vector<outline_symbol> outline_of(const pair_compile& compiled, source_file file) {
    std::vector<outline_symbol> outline;
    const source_text* text = compiled.context.sources.find(compiled.path_of(file));
    if (text == nullptr) {
        return outline;
    }
    const reading_index index(compiled.context.reading);
    for (const group_of_kinds& group : groups) {
        outline_symbol gathered;
        gathered.name = group.name;
        for (const mapped_record& record : compiled.context.reading.records) {
            const bool in_group =
                std::find(group.kinds.begin(), group.kinds.end(), record.kind) != group.kinds.end();
            if (record.file == file && in_group) {
                gathered.children.push_back(symbol_of(compiled, index, record, group.kind, *text));
            }
        }
        if (gathered.children.empty()) {
            continue;
        }
        const outline_symbol& first = gathered.children.front();
        const outline_symbol& last = gathered.children.back();
        gathered.line = first.line;
        gathered.column = first.column;
        gathered.key_end_column = first.key_end_column;
        gathered.end_line = last.end_line;
        gathered.end_column = last.end_column;
        gathered.detail = std::to_string(gathered.children.size());
        // A group's records out of file order would make its span hold others' lines: it
        // spans from its first to its last line either way.
        for (const outline_symbol& child : gathered.children) {
            if (child.line < gathered.line) {
                gathered.line = child.line;
                gathered.column = child.column;
                gathered.key_end_column = child.key_end_column;
            }
            if (child.end_line > gathered.end_line) {
                gathered.end_line = child.end_line;
                gathered.end_column = child.end_column;
            }
        }
        outline.push_back(std::move(gathered));
    }
    return outline;
}

}  // namespace scenario::editor
