// The panels on the shared distance axis: gradient, speed limit and the lanes of bands, with
// the kilometre axis under them and the end of the line across them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "plot/panels.h"

namespace scenario::plot {
namespace {

// Maps metres along the line onto the sheet's x for every panel alike.
struct axis {
    double from = 0.0;
    double to = 1.0;
    double left = 0.0;
    double width = 1.0;

    double x(double metre) const { return left + (metre - from) / (to - from) * width; }
};

// Keeps labels in a few rows from overlapping: a label goes to the first row where it fits,
// or is left out.
class label_rows {
  public:
    explicit label_rows(int rows) : ends_(static_cast<std::size_t>(rows), -1e9) {}
    std::optional<int> place(double left, double right) {
        for (std::size_t row = 0; row < ends_.size(); ++row) {
            if (left > ends_[row] + 4) {
                ends_[row] = right;
                return static_cast<int>(row);
            }
        }
        return std::nullopt;
    }

  private:
    std::vector<double> ends_;
};

// The left edge of a label centred on x, kept inside the panel.
double label_left(double x, double width, const rectangle& panel) {
    return std::clamp(x - width / 2, panel.left + 2,
                      std::max(panel.left + 2, panel.right() - 2 - width));
}

std::string number_text(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// The first of a ladder of round values that is not below `value`.
int round_up(int value, std::initializer_list<int> ladder) {
    for (const int step : ladder) {
        if (value <= step) {
            return step;
        }
    }
    return (value + 99) / 100 * 100;
}

void draw_frame(canvas& sheet, const rectangle& panel, const axis& along,
                const distance_view& distance, const std::string& heading) {
    sheet.set_colour(palette::grid);
    sheet.set_line_width(1.0);
    for (const double tick : distance.ticks) {
        sheet.line({along.x(tick), panel.top}, {along.x(tick), panel.bottom()});
    }
    sheet.set_colour(palette::frame);
    sheet.stroke_rectangle(panel);
    sheet.set_colour(palette::ink);
    sheet.text({panel.left, panel.top - 6}, heading, 13, anchor::left, true);
}

void draw_gradient(canvas& sheet, const rectangle& panel, const axis& along,
                   const distance_view& distance) {
    draw_frame(sheet, panel, along, distance, "Gradient (per mille)");
    int largest = 0;
    for (const step& s : distance.gradient) {
        largest = std::max(largest, std::abs(s.value));
    }
    const int limit = round_up(largest, {5, 10, 15, 20, 25, 30, 40, 50, 60, 80, 100, 150, 200});
    const double zero = panel.top + panel.height / 2;
    const double per_unit = (panel.height / 2 - 6) / limit;
    sheet.clip_to(panel);
    for (const step& s : distance.gradient) {
        const double top = zero - std::max(s.value, 0) * per_unit;
        const double height = std::abs(s.value) * per_unit;
        sheet.set_colour(s.value >= 0 ? palette::rise : palette::fall);
        sheet.fill_rectangle(
            {along.x(s.from_metre), top, along.x(s.to_metre) - along.x(s.from_metre), height});
    }
    sheet.set_colour(palette::faint);
    sheet.line({panel.left, zero}, {panel.right(), zero});
    sheet.unclip();
    sheet.set_colour(palette::ink);
    sheet.text({panel.left - 8, zero - limit * per_unit + 4}, "+" + std::to_string(limit), 10,
               anchor::right);
    sheet.text({panel.left - 8, zero + 4}, "0", 10, anchor::right);
    sheet.text({panel.left - 8, zero + limit * per_unit + 4}, "-" + std::to_string(limit), 10,
               anchor::right);
}

void draw_speed(canvas& sheet, const rectangle& panel, const axis& along,
                const distance_view& distance) {
    draw_frame(sheet, panel, along, distance, "Speed limit (km/h) and maximum-speed boards");
    int fastest = 0;
    for (const step& s : distance.speed) {
        fastest = std::max(fastest, s.value);
    }
    for (const speed_board& board : distance.boards) {
        fastest = std::max(fastest, board.speed);
    }
    const int top_speed = std::max(40, (fastest + 30) / 20 * 20);
    const int grid_step = top_speed > 200 ? 40 : 20;
    const auto y = [&](double speed) { return panel.bottom() - speed / top_speed * panel.height; };
    for (int v = 0; v <= top_speed; v += grid_step) {
        sheet.set_colour(palette::grid);
        sheet.line({panel.left, y(v)}, {panel.right(), y(v)});
        sheet.set_colour(palette::ink);
        sheet.text({panel.left - 8, y(v) + 4}, std::to_string(v), 10, anchor::right);
    }
    sheet.clip_to(panel);
    sheet.set_colour(palette::speed);
    sheet.set_line_width(2.0);
    double pen = -1e300;
    for (const step& s : distance.speed) {
        if (s.from_metre != pen) {
            sheet.move_to({along.x(s.from_metre), y(s.value)});
        } else {
            sheet.line_to({along.x(s.from_metre), y(s.value)});
        }
        sheet.line_to({along.x(s.to_metre), y(s.value)});
        pen = s.to_metre;
    }
    sheet.stroke();
    label_rows rows(2);
    for (const speed_board& board : distance.boards) {
        const double x = along.x(board.metre);
        sheet.set_colour(palette::speed_board);
        sheet.fill_triangle({x, y(board.speed) - 1}, {x - 5, y(board.speed) - 10},
                            {x + 5, y(board.speed) - 10});
        const double width = sheet.text_width(board.text, 9);
        const double left = label_left(x, width, panel);
        if (const auto row = rows.place(left, left + width)) {
            sheet.label({left, panel.top + 14 + 12.0 * *row}, board.text, 9);
        }
    }
    sheet.unclip();
}

// The lanes of the bands panel, from its top: stations with up to three rows of names,
// slowdowns with their warning boards, mountain side, signals, the cab-signal stretch,
// indicator boards with up to two rows of texts, curves (to the left above the middle, to
// the right below) with their radii, kilometre references with the posts' reading.
constexpr double station_band_top = 8;
constexpr double station_name_top = 42;
constexpr int station_name_rows = 3;
constexpr double slowdown_band_top = 96;
constexpr double mountain_band_top = 146;
constexpr double signal_top = 182;
constexpr double cab_signal_top = 214;
constexpr double indicator_top = 238;
constexpr int indicator_text_rows = 2;
constexpr double curve_middle = 300;
constexpr double kilometre_reference_top = 328;

void draw_station_lane(canvas& sheet, const rectangle& panel, const axis& along,
                       const distance_view& distance) {
    label_rows rows(station_name_rows);
    for (const station_band& station : distance.stations) {
        const double left = along.x(station.from_metre);
        const double right = along.x(station.to_metre);
        sheet.set_colour(palette::station_area);
        sheet.fill_rectangle({left, panel.top + station_band_top, std::max(right - left, 1.5), 18});
        if (!station.position_in_range) {
            continue;
        }
        const double x = along.x(station.position_metre);
        sheet.set_colour(palette::station);
        sheet.set_line_width(2.0);
        sheet.line({x, panel.top + station_band_top - 2}, {x, panel.top + station_band_top + 20});
        const std::string text =
            station.time.empty() ? station.name : station.name + " " + station.time;
        const double width = sheet.text_width(text, 10);
        const double text_left = label_left(x, width, panel);
        if (const auto row = rows.place(text_left, text_left + width)) {
            sheet.label({text_left, panel.top + station_name_top + 13.0 * *row}, text, 10);
        }
    }
}

void draw_slowdown_lane(canvas& sheet, const rectangle& panel, const axis& along,
                        const distance_view& distance) {
    const double top = panel.top + slowdown_band_top;
    for (const slowdown_band& slowdown : distance.slowdowns) {
        const double left = along.x(slowdown.from_metre);
        const double right = along.x(slowdown.to_metre);
        sheet.set_colour(palette::slowdown);
        sheet.fill_rectangle({left, top, std::max(right - left, 2.0), 16});
        sheet.set_colour(palette::ink);
        sheet.label({(left + right) / 2, top - 4}, std::to_string(slowdown.speed), 10,
                    anchor::centre, true);
    }
    for (const warning_board& warning : distance.warnings) {
        const double x = along.x(warning.metre);
        sheet.set_colour(palette::warning);
        sheet.fill_triangle({x, top + 18}, {x - 6, top + 30}, {x + 6, top + 30});
        sheet.set_colour(palette::ink);
        sheet.label({x + 8, top + 30}, std::to_string(warning.speed), 9);
    }
}

void draw_mountain_and_signal_lanes(canvas& sheet, const rectangle& panel, const axis& along,
                                    const distance_view& distance) {
    for (const mountain_band& side : distance.mountains) {
        const double left = along.x(side.from_metre);
        const double right = along.x(side.to_metre);
        sheet.set_colour(palette::mountain);
        sheet.fill_rectangle(
            {left, panel.top + mountain_band_top, std::max(right - left, 1.5), 16});
        if (right - left > 40) {
            sheet.set_colour(palette::ink);
            sheet.text({(left + right) / 2, panel.top + mountain_band_top + 12},
                       "side " + std::to_string(side.side), 9, anchor::centre);
        }
    }
    sheet.set_colour(palette::signal);
    sheet.set_line_width(1.5);
    for (const double signal : distance.signals) {
        sheet.line({along.x(signal), panel.top + signal_top},
                   {along.x(signal), panel.top + signal_top + 22});
    }
}

void draw_cab_signal_and_indicator_lanes(canvas& sheet, const rectangle& panel, const axis& along,
                                         const distance_view& distance) {
    if (distance.cab_signals) {
        const cab_signal_band& cab = *distance.cab_signals;
        const double left = along.x(cab.from_metre);
        const double right = along.x(cab.to_metre);
        sheet.set_colour(palette::cab_signals);
        sheet.fill_rectangle({left, panel.top + cab_signal_top, std::max(right - left, 1.5), 12});
        sheet.set_colour(palette::ink);
        sheet.text({(left + right) / 2, panel.top + cab_signal_top + 10},
                   std::to_string(cab.codes) + " codes", 9, anchor::centre);
    }
    label_rows rows(indicator_text_rows);
    for (const indicator_board& board : distance.indicator_boards) {
        const double x = along.x(board.metre);
        const double top = panel.top + indicator_top;
        sheet.set_colour(palette::indicator_board);
        sheet.fill_rectangle({x - 4, top, 8, 7});
        sheet.set_line_width(1.5);
        sheet.line({x, top + 7}, {x, top + 14});
        if (board.text.empty()) {
            continue;
        }
        const double width = sheet.text_width(board.text, 9);
        const double text_left = label_left(x, width, panel);
        if (const auto row = rows.place(text_left, text_left + width)) {
            sheet.set_colour(palette::ink);
            sheet.label({text_left, top + 25 + 11.0 * *row}, board.text, 9);
        }
    }
}

std::string radius_text(const curve_band& curve) {
    char text[32];
    std::snprintf(text, sizeof text, "R %.0f%s", curve.radius, curve.left ? " s" : "");
    return text;
}

void draw_curve_and_reference_lanes(canvas& sheet, const rectangle& panel, const axis& along,
                                    const distance_view& distance) {
    const double middle = panel.top + curve_middle;
    sheet.set_colour(palette::faint);
    sheet.set_line_width(1.0);
    sheet.line({panel.left, middle}, {panel.right(), middle});
    label_rows rows(1);
    for (const curve_band& curve : distance.curves) {
        const double left = along.x(curve.from_metre);
        const double right = along.x(curve.to_metre);
        // The band is taller the tighter the curve: its height grows with the curvature's
        // digit, 1 (10000 m) to 6 (about 333 m).
        const double height = 3.0 + 2.0 * std::clamp(curve.digit, 1, 6);
        sheet.set_colour(curve.left ? palette::curve_left : palette::curve_right);
        sheet.fill_rectangle(
            {left, curve.left ? middle - height : middle, std::max(right - left, 1.0), height});
        const std::string text = radius_text(curve);
        const double width = sheet.text_width(text, 8);
        const double text_left = (left + right - width) / 2;
        if (rows.place(text_left, text_left + width)) {
            sheet.set_colour(palette::ink);
            sheet.label({text_left, curve.left ? middle + 10 : middle - 4}, text, 8);
        }
    }
    for (const kilometre_mark& mark : distance.kilometre_references) {
        const double x = along.x(mark.metre);
        const double top = panel.top + kilometre_reference_top;
        sheet.set_colour(palette::kilometre_reference);
        sheet.fill_triangle({x, top + 10}, {x - 5, top}, {x + 5, top});
        sheet.set_colour(palette::ink);
        sheet.label({x + 7, top + 10}, number_text("km %.3f", mark.reading / 1000.0), 9);
    }
}

void draw_bands(canvas& sheet, const rectangle& panel, const axis& along,
                const distance_view& distance) {
    draw_frame(sheet, panel, along, distance,
               "Stations, slowdowns, mountain side, signals, cab signals, indicator boards, "
               "curves, kilometre references");
    sheet.set_colour(palette::ink);
    sheet.text({panel.left - 8, panel.top + station_band_top + 14}, "stations", 10, anchor::right);
    sheet.text({panel.left - 8, panel.top + slowdown_band_top + 12}, "slowdowns", 10,
               anchor::right);
    sheet.text({panel.left - 8, panel.top + mountain_band_top + 12}, "mountain side", 10,
               anchor::right);
    sheet.text({panel.left - 8, panel.top + signal_top + 15}, "signals", 10, anchor::right);
    sheet.text({panel.left - 8, panel.top + cab_signal_top + 10}, "cab signals", 10, anchor::right);
    sheet.text({panel.left - 8, panel.top + indicator_top + 10}, "boards", 10, anchor::right);
    sheet.text({panel.left - 8, panel.top + curve_middle + 4}, "curves", 10, anchor::right);
    sheet.text({panel.left - 8, panel.top + kilometre_reference_top + 10}, "km references", 10,
               anchor::right);
    sheet.clip_to(panel);
    draw_station_lane(sheet, panel, along, distance);
    draw_slowdown_lane(sheet, panel, along, distance);
    draw_mountain_and_signal_lanes(sheet, panel, along, distance);
    draw_cab_signal_and_indicator_lanes(sheet, panel, along, distance);
    draw_curve_and_reference_lanes(sheet, panel, along, distance);
    sheet.unclip();
}

void draw_axis_and_line_end(canvas& sheet, const sheet_layout& layout, const axis& along,
                            const distance_view& distance) {
    const rectangle& bottom = layout.bands;
    const char* pattern = distance.tick_step_metres >= 1000.0 ? "%.0f" : "%.1f";
    sheet.set_colour(palette::ink);
    for (const double tick : distance.ticks) {
        sheet.line({along.x(tick), bottom.bottom()}, {along.x(tick), bottom.bottom() + 5});
        sheet.text({along.x(tick), bottom.bottom() + 18}, number_text(pattern, tick / 1000.0), 10,
                   anchor::centre);
    }
    sheet.text({bottom.right(), bottom.bottom() + 34}, "distance from the origin (km)", 11,
               anchor::right);
    if (distance.line_end_metre) {
        const double x = along.x(*distance.line_end_metre);
        sheet.set_colour(palette::line_end);
        sheet.set_line_width(1.2);
        sheet.set_dash(6, 4);
        sheet.line({x, layout.gradient.top}, {x, bottom.bottom()});
        sheet.clear_dash();
        sheet.text({x, layout.gradient.top - 6}, "end of line", 10, anchor::centre);
    }
}

}  // namespace

void draw_distance_panels(canvas& sheet, const distance_view& distance,
                          const sheet_layout& layout) {
    const axis along{distance.from_metre, distance.to_metre, layout.gradient.left,
                     layout.gradient.width};
    draw_gradient(sheet, layout.gradient, along, distance);
    draw_speed(sheet, layout.speed, along, distance);
    draw_bands(sheet, layout.bands, along, distance);
    draw_axis_and_line_end(sheet, layout, along, distance);
}

}  // namespace scenario::plot
