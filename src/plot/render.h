// Drawing a plot model onto a sheet and writing it as PNG, SVG or PDF. The three formats
// share every line of the drawing; only the surface that receives it differs, and that is
// the drawing module's (plot/drawing_module.h), which the caller has loaded.
#pragma once

#include <optional>
#include <string>

#include "plot/drawing_module.h"
#include "plot/model.h"
#include "source/status.h"

namespace scenario::plot {

enum class sheet_format { png, svg, pdf };

// The format that a file name asks for by its extension (any letter case), if any.
std::optional<sheet_format> format_from_path(const std::string& path);

// Draws the model with the module's functions and replaces the file at `path` with the result.
status render_plot(const scenario_drawing_functions& drawing, const plot_model& model,
                   const sheet_layout& layout, sheet_format format, const std::string& path);

}  // namespace scenario::plot
