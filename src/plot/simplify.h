// Thinning a long polyline for drawing. The plan of a line holds one point per metre, up to a
// million of them; at the scale of a sheet most of them fall within a fraction of a pixel of
// the chord between their neighbours. The simplified polyline keeps the first and the last
// point and only as many between as are needed for every dropped point to stay within the
// tolerance of the segment that replaces it.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "plot/model.h"

namespace scenario::plot {

// The indexes of the points to keep, in increasing order; empty for no points.
std::vector<std::size_t> simplify_polyline(std::span<const point> points, double tolerance);

// The distance from p to the segment from a to b.
double distance_to_segment(point p, point a, point b);

}  // namespace scenario::plot
