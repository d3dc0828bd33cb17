#include "editor/source_layout.h"

#include <string_view>
#include <vector>

#include "editor/record_lookup.h"

namespace scenario::editor {
namespace {

using namespace keywords;

std::string right(std::string_view value, std::size_t width) {
    return value.size() >= width ? std::string(value)
                                 : std::string(width - value.size(), ' ') + std::string(value);
}

std::string left(std::string_view value, std::size_t width) {
    return value.size() >= width ? std::string(value)
                                 : std::string(value) + std::string(width - value.size(), ' ');
}

// Values after ", " from the first one on.
std::string listed(const std::vector<std::string>& values, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < values.size(); ++i) {
        text += ", " + values[i];
    }
    return text;
}

// One record in the columns the built-in files give its kind.
std::string laid_out(const keyword* kind, const std::string& key,
                     const std::vector<std::string>& v) {
    if (kind->setting || kind == &massa_frenata || kind == &vetture || kind == &sabbia) {
        std::string text = key;
        for (const std::string& value : v) {
            text += ",    " + value;
        }
        return text;
    }
    if (kind == &orologio) {
        return key + "," + right(v[0], 6) + right(v[1], 16) + right(v[2], 14);
    }
    if (kind == &pendenza) {
        return left(key, 10) + ", " + left(v[0], 7) + ", " + v[1];
    }
    if (kind == &curva) {
        return key + "," + right(v[0], 6) + "," + right(v[1], 5);
    }
    if (kind == &indicatori_vmax) {
        std::string text = key + "," + right(v[0], 6);
        for (std::size_t i = 1; i < v.size(); ++i) {
            const bool stripes = i == 4 || i == 8;
            text += "," + right(v[i], stripes ? 2 : 4);
        }
        return text;
    }
    if (kind == &montagna) {
        return key + "," + right(v[0], 6) + "," + v[1] + "," + v[2];
    }
    if (kind == &cartello_indicatore) {
        return key + "," + right(v[0], 7) + ",    " + v[1];
    }
    if (kind == &velocita) {
        return key + " ," + right(v[0], 6) + "    ," + right(v[1], 5);
    }
    if (kind == &aderenza) {
        return key + "," + right(v[0], 3) + "," + right(v[1], 4);
    }
    if (kind == &segnale) {
        return key + "," + right(v[0], 7) + listed({v.begin(), v.begin() + 6}, 1) + ",     " +
               v[6] + listed(v, 7);
    }
    if (kind == &rallentamento || kind == &abbattimento) {
        return key + "," + right(v[0], 8) + listed(v, 1);
    }
    if (kind == &stazione) {
        // pos. tipo lung. tps tab mar, d2 d3 rap, d1 d2 d3, ac, oro orm ors, nome
        constexpr std::size_t widths[16] = {7, 3, 4, 3, 2, 2, 4, 1, 1, 3, 1, 1, 3, 3, 2, 2};
        std::string text = key;
        for (std::size_t i = 0; i < 16; ++i) {
            text += "," + right(v[i], widths[i]);
        }
        return text + ", " + v[16];
    }
    return "";
}

struct line_span {
    std::size_t start = 0;  // of its text
    std::size_t end = 0;    // of its text, before the line end
};

// Every line of the text, its line end excluded: CR LF, a lone LF or a lone CR.
std::vector<line_span> lines_of(std::string_view text) {
    std::vector<line_span> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back({start, i});
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back({start, text.size()});
    return lines;
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::string lay_out(const pair_compile& compiled, source_file file) {
    const std::string_view text = compiled.text_of(file);
    const std::vector<line_span> lines = lines_of(text);
    std::vector<std::string> replaced(lines.size());
    std::vector<bool> changed(lines.size(), false);
    std::vector<int> fields_on_line(lines.size() + 1, 0);
    for (const mapped_field& field : compiled.context.reading.fields) {
        if (field.file == file && field.line >= 1 &&
            static_cast<std::size_t>(field.line) <= lines.size()) {
            ++fields_on_line[static_cast<std::size_t>(field.line)];
        }
    }
    const reading_index index(compiled.context.reading);
    for (const mapped_record& record : compiled.context.reading.records) {
        if (record.file != file || !record.complete || record.last_line != record.line ||
            record.line < 1 || static_cast<std::size_t>(record.line) > lines.size()) {
            continue;
        }
        const auto n = static_cast<std::size_t>(record.line);
        const std::string_view line =
            text.substr(lines[n - 1].start, lines[n - 1].end - lines[n - 1].start);
        const mapped_field* key = index.key_of(record);
        const std::vector<const mapped_field*> values = index.values_of(record);
        if (key == nullptr || values.size() != static_cast<std::size_t>(record.kind->values) ||
            fields_on_line[n] != record.kind->values + 1 || changed[n - 1]) {
            continue;  // another field on the line, or a key that names two kinds
        }
        const auto text_of = [&](const mapped_field& field) {
            return std::string(line.substr(static_cast<std::size_t>(field.column - 1),
                                           static_cast<std::size_t>(field.length)));
        };
        const mapped_field& last = *values.back();
        if (!blank(line.substr(0, static_cast<std::size_t>(key->column - 1))) ||
            !blank(line.substr(static_cast<std::size_t>(last.column - 1) +
                               static_cast<std::size_t>(last.length)))) {
            continue;
        }
        std::vector<std::string> written;
        written.reserve(values.size());
        for (const mapped_field* value : values) {
            written.push_back(text_of(*value));
        }
        std::string layout = laid_out(record.kind, text_of(*key), written);
        if (!layout.empty() && layout != line) {
            replaced[n - 1] = std::move(layout);
            changed[n - 1] = true;
        }
    }
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (changed[i]) {
            result.append(text.substr(copied, lines[i].start - copied));
            result += replaced[i];
            copied = lines[i].end;
        }
    }
    result.append(text.substr(copied));
    return result;
}

namespace {

bool same_diagnostics(const std::vector<diagnostic>& a, const std::vector<diagnostic>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].code != b[i].code || a[i].message != b[i].message || a[i].file != b[i].file ||
            a[i].range.line != b[i].range.line) {
            return false;
        }
    }
    return true;
}

}  // namespace

layout_result checked_layout(const pair_compile& compiled, source_file file) {
    std::string text = lay_out(compiled, file);
    if (text == compiled.text_of(file)) {
        return {std::move(text), ""};
    }
    const source_file other = file == source_file::line ? source_file::train : source_file::line;
    std::vector<held_text> texts = {{compiled.path_of(file), text}};
    if (const source_text* read = compiled.context.sources.find(compiled.path_of(other))) {
        texts.emplace_back(compiled.path_of(other), std::string(read->content()));
    }
    const auto again = compile_pair(compiled.pair, texts, compiled.context.options.utf8_texts);
    const scenario_record& before = compiled.context.record;
    const scenario_record& after = again->context.record;
    const bool same =
        before.voci == after.voci && before.celle == after.celle &&
        before.profilo == after.profilo &&
        compiled.context.errors.codice_errore == again->context.errors.codice_errore &&
        compiled.context.errors.posizione_errore == again->context.errors.posizione_errore &&
        same_diagnostics(compiled.report.diagnostics, again->report.diagnostics);
    if (!same) {
        return {std::nullopt,
                "laid out, the file would compile to something else; it is left as it is"};
    }
    return {std::move(text), ""};
}

}  // namespace scenario::editor
