// The drawers of the sheet's parts, each given the canvas, its part of the model and the
// layout. Shared by the renderer of every format.
#pragma once

#include "plot/canvas.h"
#include "plot/model.h"

namespace scenario::plot {

void draw_plan_panel(canvas& sheet, const plan_view& plan, const sheet_layout& layout);
void draw_distance_panels(canvas& sheet, const distance_view& distance, const sheet_layout& layout);
void draw_legend(canvas& sheet, const std::vector<legend_entry>& legend,
                 const sheet_layout& layout);

}  // namespace scenario::plot
