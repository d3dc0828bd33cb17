#include "plot/simplify.h"

#include <cmath>
#include <utility>

namespace scenario::plot {
namespace {

// The square of the distance from p to the segment from a to b: the comparisons below need no
// square root.
double squared_distance_to_segment(point p, point a, point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length_squared = dx * dx + dy * dy;
    double t = 0.0;
    if (length_squared > 0.0) {
        t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    const double ex = p.x - (a.x + t * dx);
    const double ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

// The first pass, in one sweep: a point closer than `radius` to the last point kept adds
// nothing that the drawing can show. It leaves a few points per pixel of a long line instead
// of one per metre, so that the second pass, whose cost grows faster than the count of
// points, has little left to do. The last point is always kept.
std::vector<std::size_t> thin_by_radius(std::span<const point> points, double radius) {
    std::vector<std::size_t> kept;
    kept.push_back(0);
    const double radius_squared = radius * radius;
    point last = points.front();
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const double dx = points[i].x - last.x;
        const double dy = points[i].y - last.y;
        if (dx * dx + dy * dy >= radius_squared) {
            kept.push_back(i);
            last = points[i];
        }
    }
    if (points.size() > 1) {
        kept.push_back(points.size() - 1);
    }
    return kept;
}

}  // namespace

double distance_to_segment(point p, point a, point b) {
    return std::sqrt(squared_distance_to_segment(p, a, b));
}

// Two passes, each allowed half the tolerance. A point dropped by the first lies within half
// the tolerance of the last point kept before it, which lies within the span of the segment
// that the second pass puts in their place and within half the tolerance of it: so every
// dropped point stays within the tolerance. The second pass is Douglas-Peucker with an
// explicit stack: a line of a million metres would otherwise recurse as deep as its longest
// run of tight turns. The distance is to the segment, not to its infinite line, so a track
// that doubles back on itself is not cut short.
std::vector<std::size_t> simplify_polyline(std::span<const point> points, double tolerance) {
    if (points.empty()) {
        return {};
    }
    const std::vector<std::size_t> candidates = thin_by_radius(points, tolerance / 2);
    const double limit_squared = (tolerance / 2) * (tolerance / 2);
    std::vector<bool> kept(candidates.size(), false);
    kept.front() = true;
    kept.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> pending;
    if (candidates.size() > 2) {
        pending.emplace_back(0, candidates.size() - 1);
    }
    while (!pending.empty()) {
        const auto [first, last] = pending.back();
        pending.pop_back();
        const point a = points[candidates[first]];
        const point b = points[candidates[last]];
        double farthest = -1.0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double distance = squared_distance_to_segment(points[candidates[i]], a, b);
            if (distance > farthest) {
                farthest = distance;
                at = i;
            }
        }
        if (farthest > limit_squared) {
            kept[at] = true;
            if (at - first > 1) {
                pending.emplace_back(first, at);
            }
            if (last - at > 1) {
                pending.emplace_back(at, last);
            }
        }
    }
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (kept[i]) {
            indexes.push_back(candidates[i]);
        }
    }
    return indexes;
}

}  // namespace scenario::plot
