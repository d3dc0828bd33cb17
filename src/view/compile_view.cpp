#include "view/compile_view.h"

#include <string_view>

#include "compiler/diagnostics.h"
#include "compiler/error_codes.h"
#include "view/view_data.h"

namespace scenario::view {
namespace {

// The file's name without its folder: the page names the two sources, wherever they lie.
std::string file_name(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string quoted_line(const source_texts& sources, const source_point& where) {
    if (where.file.empty() || where.line <= 0) {
        return "";
    }
    const source_text* text = sources.find(where.file);
    if (text == nullptr) {
        return "";
    }
    const std::optional<std::string_view> line = text->line(where.line);
    return line ? std::string(*line) : "";
}

page_diagnostic error_of(const recorded_error& error, const source_texts& sources) {
    page_diagnostic d;
    d.error = true;
    d.code = error.codice;
    d.file = file_name(error.where.file);
    d.line = error.where.line;
    d.column = error.where.column;
    d.message =
        error.detail.empty() ? std::string(error_code_meaning(error.codice)) : error.detail;
    d.source_line = quoted_line(sources, error.where);
    if (error.posizione) {
        d.metre = *error.posizione;
    }
    return d;
}

page_diagnostic warning_of(const recorded_warning& warning, const source_texts& sources) {
    page_diagnostic d;
    d.file = file_name(warning.where.file);
    d.line = warning.where.line;
    d.column = warning.where.column;
    d.message = warning.message;
    d.source_line = quoted_line(sources, warning.where);
    return d;
}

// In the order `compile` prints them.
std::vector<page_diagnostic> diagnostics_of(const error_state& errors,
                                            const source_texts& sources) {
    std::vector<page_diagnostic> list;
    for (const recorded_warning& w : errors.warnings()) {
        list.push_back(warning_of(w, sources));
    }
    for (const recorded_error& e : errors.text_errors()) {
        list.push_back(error_of(e, sources));
    }
    for (const recorded_error& e : errors.errors()) {
        list.push_back(error_of(e, sources));
    }
    for (const recorded_error& e : errors.errors_beyond()) {
        list.push_back(error_of(e, sources));
    }
    for (const recorded_warning& w : errors.warnings_beyond()) {
        list.push_back(warning_of(w, sources));
    }
    return list;
}

}  // namespace

status view_data_of_compile(const compile_context& context, std::string& json) {
    const scenario_record& record = context.record;
    compiled_tables tables;
    tables.voci = record.voci;
    tables.celle = record.celle;
    if (record.profilo) {
        tables.profilo = record.profilo->table();
    }
    view_inputs inputs;
    inputs.tables = &tables;
    inputs.origins = &context.origins;
    inputs.line_source = file_name(context.line_source_path());
    inputs.train_source = file_name(context.train_source_path());
    inputs.diagnostics = diagnostics_of(context.errors, context.sources);
    return make_view_data(inputs, json);
}

}  // namespace scenario::view
