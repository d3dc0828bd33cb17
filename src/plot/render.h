// Drawing a plot model onto a sheet and writing it as PNG, SVG or PDF. The three formats
// share every line of the drawing; only the surface that receives it differs.
#pragma once

#include <optional>
#include <string>

#include "plot/model.h"
#include "source/status.h"

namespace scenario::plot {

enum class sheet_format { png, svg, pdf };

// The format that a file name asks for by its extension (any letter case), if any.
std::optional<sheet_format> format_from_path(const std::string& path);

// Draws the model and replaces the file at `path` with the result.
status render_plot(const plot_model& model, const sheet_layout& sheet, sheet_format format,
                   const std::string& path);

// Frees the fonts and caches that cairo and the font configuration keep for the life of the
// process, once no drawing is left; a run that ends after drawing then leaves nothing
// allocated behind it. Nothing may be drawn afterwards.
void release_drawing_caches();

}  // namespace scenario::plot
