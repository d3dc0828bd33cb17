#include "plot/simplify.h"

#include <cmath>
#include <utility>

namespace scenario::plot {

double distance_to_segment(point p, point a, point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length_squared = dx * dx + dy * dy;
    double t = 0.0;
    if (length_squared > 0.0) {
        t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length_squared;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Douglas-Peucker with an explicit stack: a line of a million metres would otherwise recurse
// as deep as its longest run of tight turns. The distance is to the segment, not to its
// infinite line, so a track that doubles back on itself is not cut short.
std::vector<std::size_t> simplify_polyline(std::span<const point> points, double tolerance) {
    if (points.empty()) {
        return {};
    }
    std::vector<bool> kept(points.size(), false);
    kept.front() = true;
    kept.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> pending;
    if (points.size() > 2) {
        pending.emplace_back(0, points.size() - 1);
    }
    while (!pending.empty()) {
        const auto [first, last] = pending.back();
        pending.pop_back();
        double farthest = -1.0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double distance = distance_to_segment(points[i], points[first], points[last]);
            if (distance > farthest) {
                farthest = distance;
                at = i;
            }
        }
        if (farthest > tolerance) {
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
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (kept[i]) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

}  // namespace scenario::plot
