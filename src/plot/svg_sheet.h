// A sheet written as SVG by hand, element by element, so that its texts stay text: names
// that a reader can search and select (cairo's SVG surface draws every glyph as an outline).
// The drawing module keeps a cairo context beside it only to measure texts. It belongs to the
// drawing module: no exceptions, no C++ runtime; memory comes from the C library.
#pragma once

#include <cstdint>

#include "plot/drawing_module.h"

struct svg_sheet;

// Null when out of memory. The header goes out with the first bytes written.
svg_sheet* svg_open(double width, double height, scenario_byte_sink sink, void* closure);
// Writes what is left and frees the sheet; null when every byte was taken, else the error.
const char* svg_close(svg_sheet* svg);

void svg_set_colour(svg_sheet* svg, double red, double green, double blue, double alpha);
void svg_set_line_width(svg_sheet* svg, double width);
void svg_set_dash(svg_sheet* svg, const double* lengths, std::int32_t count);
void svg_move_to(svg_sheet* svg, double x, double y);
void svg_line_to(svg_sheet* svg, double x, double y);
void svg_close_path(svg_sheet* svg);
void svg_add_rectangle(svg_sheet* svg, double left, double top, double width, double height);
void svg_add_circle(svg_sheet* svg, double x, double y, double radius);
void svg_stroke(svg_sheet* svg);
void svg_fill(svg_sheet* svg);
void svg_paint(svg_sheet* svg);
void svg_select_font(svg_sheet* svg, double size, bool bold);
// `outlined`: with a white halo under the letters, for a label over lines.
void svg_show_text(svg_sheet* svg, double x, double y, const char* utf8, bool outlined);
void svg_clip_to(svg_sheet* svg, double left, double top, double width, double height);
void svg_unclip(svg_sheet* svg);
