#include "view/view_data.h"

#include "inspect/scenario_description.h"
#include "plot/model.h"
#include "view/view_json.h"

namespace scenario::view {

status make_view_data(const view_inputs& inputs, std::string& text) {
    if (inputs.tables == nullptr || inputs.tables->celle.size() < 2) {
        return status::invalid_input("the compile made no grid of cells: there is no line to show");
    }
    const compiled_tables& tables = *inputs.tables;
    const scenario_description description = describe_scenario(tables);
    plot::plot_model model;
    if (const status built =
            plot::build_plot_model(description, tables.profilo, {}, plot::sheet_layout{}, model);
        !built.ok()) {
        return built;
    }
    const json data = {{"title", model.title},
                       {"subtitle", model.subtitle},
                       {"route", description.general.route},
                       {"train", description.general.train},
                       {"length", description.general.lunghezza_percorso},
                       {"cell_metres", cell_metres},
                       {"sources", {inputs.line_source, inputs.train_source}},
                       {"distance", distance_json(model.distance)},
                       {"plan", plan_json(model.plan, tables)},
                       {"adherence", adherence_json(description)},
                       {"objects", objects_json(description, inputs)},
                       {"diagnostics", diagnostics_json(inputs)}};
    // Every text is UTF-8 already; a byte that is not would be shown as a replacement
    // character rather than end the page.
    text = data.dump(-1, ' ', false, json::error_handler_t::replace);
    return status::success();
}

}  // namespace scenario::view
