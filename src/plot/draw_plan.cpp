// The plan panel: the track to scale and north up, with its kilometre ticks, stations and
// signals, the origin and the end of the line, a scale bar and the north arrow.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "plot/panels.h"

namespace scenario::plot {
namespace {

std::string distance_text(double metres) {
    char text[32];
    if (metres >= 1000.0) {
        std::snprintf(text, sizeof text, "%g km", metres / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "%g m", metres);
    }
    return text;
}

std::string kilometre_text(std::int64_t metre, double step) {
    char text[32];
    std::snprintf(text, sizeof text, step >= 1000.0 ? "%.0f" : "%.1f",
                  static_cast<double>(metre) / 1000.0);
    return text;
}

void draw_track(canvas& sheet, const plan_view& plan) {
    sheet.set_colour(palette::track);
    sheet.set_line_width(2.0);
    bool first = true;
    for (const point& metres : plan.track) {
        const point at = plan.transform.to_sheet(metres);
        if (first) {
            sheet.move_to(at);
            first = false;
        } else {
            sheet.line_to(at);
        }
    }
    sheet.stroke();
}

void draw_ticks(canvas& sheet, const plan_view& plan) {
    const auto label_step = static_cast<std::int64_t>(plan.tick_label_step_metres);
    for (const plan_tick& tick : plan.ticks) {
        const point at = plan.transform.to_sheet(tick.at);
        // The sheet's y grows downwards: the vector square to the track flips its y.
        const point across{tick.across.x, -tick.across.y};
        sheet.set_colour(palette::faint);
        sheet.set_line_width(1.2);
        sheet.line({at.x - 6 * across.x, at.y - 6 * across.y},
                   {at.x + 6 * across.x, at.y + 6 * across.y});
        if (tick.metre % label_step == 0) {
            sheet.label({at.x + 16 * across.x, at.y + 16 * across.y + 4},
                        kilometre_text(tick.metre, plan.tick_label_step_metres), 10,
                        anchor::centre);
        }
    }
}

bool overlaps(const rectangle& a, const rectangle& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Station names go beside their dot, on the first side where they cover no earlier name;
// where every side is taken, to the right.
void draw_station_names(canvas& sheet, const plan_view& plan) {
    constexpr double size = 11;
    const point offsets[] = {{8, -6}, {8, 14}, {-8, -6}, {-8, 14}};
    std::vector<rectangle> taken;
    for (const plan_label& station : plan.stations) {
        const point at = plan.transform.to_sheet(station.at);
        sheet.set_colour(palette::station);
        sheet.fill_circle(at, 4.5);
        const double width = sheet.text_width(station.text, size, true);
        const auto box_at = [&](point offset) {
            const double left = offset.x > 0 ? at.x + offset.x : at.x + offset.x - width;
            return rectangle{left, at.y + offset.y - size, width, size + 3};
        };
        point chosen = offsets[0];
        for (const point& offset : offsets) {
            const rectangle box = box_at(offset);
            if (std::none_of(taken.begin(), taken.end(),
                             [&](const rectangle& other) { return overlaps(box, other); })) {
                chosen = offset;
                break;
            }
        }
        taken.push_back(box_at(chosen));
        sheet.label({at.x + chosen.x, at.y + chosen.y}, station.text, size,
                    chosen.x > 0 ? anchor::left : anchor::right, true);
    }
}

void draw_objects(canvas& sheet, const plan_view& plan) {
    sheet.set_colour(palette::signal);
    for (const plan_mark& signal : plan.signals) {
        sheet.fill_circle(plan.transform.to_sheet(signal.at), 3.0);
    }
    draw_station_names(sheet, plan);
    sheet.set_colour(palette::ink);
    sheet.set_line_width(2.0);
    if (plan.origin) {
        const point at = plan.transform.to_sheet(*plan.origin);
        sheet.stroke_circle(at, 8.0);
        sheet.label({at.x + 10, at.y + 18}, "origin", 11);
    }
    if (plan.line_end) {
        const point at = plan.transform.to_sheet(*plan.line_end);
        sheet.stroke_rectangle({at.x - 6, at.y - 6, 12, 12});
        sheet.label({at.x + 10, at.y + 18}, "end of line", 11);
    }
}

void draw_scale_and_north(canvas& sheet, const plan_view& plan, const rectangle& panel) {
    const double length = plan.scale_bar_metres * plan.transform.scale;
    const point start{panel.left + 20, panel.bottom() - 18};
    sheet.set_colour(palette::ink);
    sheet.set_line_width(2.0);
    sheet.line(start, {start.x + length, start.y});
    sheet.line({start.x, start.y - 5}, {start.x, start.y + 5});
    sheet.line({start.x + length, start.y - 5}, {start.x + length, start.y + 5});
    sheet.text({start.x + length / 2, start.y - 8}, distance_text(plan.scale_bar_metres), 11,
               anchor::centre);

    const point base{panel.right() - 30, panel.top + 62};
    sheet.line(base, {base.x, base.y - 34});
    sheet.fill_triangle({base.x, base.y - 40}, {base.x - 6, base.y - 28},
                        {base.x + 6, base.y - 28});
    sheet.text({base.x, base.y + 16}, "N", 13, anchor::centre, true);
}

}  // namespace

void draw_plan_panel(canvas& sheet, const plan_view& plan, const sheet_layout& layout) {
    const rectangle& panel = layout.plan;
    sheet.set_colour(palette::frame);
    sheet.set_line_width(1.0);
    sheet.stroke_rectangle(panel);
    sheet.set_colour(palette::ink);
    sheet.text({panel.left + 10, panel.top + 20}, "Plan", 14, anchor::left, true);
    if (!plan.has_line) {
        sheet.set_colour(palette::faint);
        sheet.text({panel.left + panel.width / 2, panel.top + panel.height / 2}, plan.missing_text,
                   18, anchor::centre);
        return;
    }
    sheet.clip_to(panel);
    draw_track(sheet, plan);
    draw_ticks(sheet, plan);
    draw_objects(sheet, plan);
    sheet.unclip();
    draw_scale_and_north(sheet, plan, panel);
}

}  // namespace scenario::plot
