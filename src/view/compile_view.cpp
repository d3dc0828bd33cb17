#include "view/compile_view.h"

#include "inspect/compiled_scenario.h"
#include "view/view_data.h"
#include "view/view_json.h"

namespace scenario::view {

status view_data_of_compile(const compile_context& context,
                            const std::vector<diagnostic>& diagnostics, std::string& json) {
    const compiled_tables tables = tables_of_record(context.record);
    view_inputs inputs;
    inputs.tables = &tables;
    inputs.origins = &context.origins;
    inputs.line_source = file_name(context.line_source_path());
    inputs.train_source = file_name(context.train_source_path());
    inputs.diagnostics = &diagnostics;
    inputs.sources = &context.sources;
    return make_view_data(inputs, json);
}

std::string diagnostics_of_compile(const compile_context& context,
                                   const std::vector<diagnostic>& diagnostics) {
    view_inputs inputs;
    inputs.line_source = file_name(context.line_source_path());
    inputs.train_source = file_name(context.train_source_path());
    inputs.diagnostics = &diagnostics;
    inputs.sources = &context.sources;
    return diagnostics_json(inputs).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string stale_view_data(const std::string& earlier, const std::string& diagnostics,
                            const std::string& reason) {
    json data = json::parse(earlier, nullptr, false);
    if (data.is_discarded() || !data.is_object()) {
        return earlier;
    }
    data["diagnostics"] = json::parse(diagnostics, nullptr, false);
    data["stale"] = reason;
    return data.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace scenario::view
