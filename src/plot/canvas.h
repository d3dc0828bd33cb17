// A thin layer over a sheet of the drawing module for the plot: colours, strokes, fills and
// text in sheet units, so the panel drawers read as what they draw. Each operation is a call
// into the module (plot/drawing_module.h); text uses one face, DejaVu Sans.
#pragma once

#include <string>

#include "plot/drawing_module.h"
#include "plot/model.h"

namespace scenario::plot {

struct colour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;
};

// The colours of the sheet, one per kind of thing drawn, shared by the panels and the legend.
namespace palette {
inline constexpr colour ink{0.10, 0.10, 0.12};
inline constexpr colour faint{0.55, 0.55, 0.58};
inline constexpr colour grid{0.88, 0.88, 0.90};
inline constexpr colour frame{0.70, 0.70, 0.74};
inline constexpr colour track{0.15, 0.15, 0.20};
inline constexpr colour signal{0.85, 0.10, 0.10};
inline constexpr colour station{0.10, 0.30, 0.75};
inline constexpr colour station_area{0.55, 0.70, 0.95, 0.55};
inline constexpr colour rise{0.70, 0.35, 0.15, 0.80};
inline constexpr colour fall{0.20, 0.55, 0.30, 0.80};
inline constexpr colour speed{0.05, 0.20, 0.55};
inline constexpr colour speed_board{0.55, 0.15, 0.60};
inline constexpr colour slowdown{0.98, 0.60, 0.10, 0.75};
inline constexpr colour warning{0.85, 0.45, 0.00};
inline constexpr colour mountain{0.45, 0.40, 0.30, 0.55};
inline constexpr colour line_end{0.35, 0.35, 0.35};
inline constexpr colour cab_signals{0.10, 0.55, 0.55, 0.60};
inline constexpr colour indicator_board{0.15, 0.45, 0.20};
inline constexpr colour curve_left{0.30, 0.30, 0.80, 0.60};
inline constexpr colour curve_right{0.80, 0.30, 0.30, 0.60};
inline constexpr colour kilometre_reference{0.40, 0.25, 0.05};
}  // namespace palette

enum class anchor { left, centre, right };

class canvas {
  public:
    canvas(const scenario_drawing_functions& drawing, scenario_sheet* sheet)
        : drawing_(drawing), sheet_(sheet) {}

    void set_colour(const colour& c);
    void set_line_width(double width);
    void set_dash(double on, double off);
    void clear_dash();

    void line(point from, point to);
    void fill_rectangle(const rectangle& r);
    void stroke_rectangle(const rectangle& r);
    void fill_circle(point centre, double radius);
    void stroke_circle(point centre, double radius);
    void fill_triangle(point a, point b, point c);
    // The whole sheet in the current colour.
    void paint();

    // A polyline: the pen moves to a point, draws on to each next one, and the path is
    // stroked once at the end.
    void move_to(point at);
    void line_to(point at);
    void stroke();

    // Text with its baseline at `at.y`, anchored at `at.x`.
    void text(point at, const std::string& utf8, double size, anchor where = anchor::left,
              bool bold = false);
    // The same text over a white outline, readable where it crosses lines.
    void label(point at, const std::string& utf8, double size, anchor where = anchor::left,
               bool bold = false);
    double text_width(const std::string& utf8, double size, bool bold = false);

    void clip_to(const rectangle& r);
    void unclip();

  private:
    void select_font(double size, bool bold);
    double anchored_x(point at, const std::string& utf8, double size, anchor where, bool bold);

    const scenario_drawing_functions& drawing_;
    scenario_sheet* sheet_;
};

}  // namespace scenario::plot
