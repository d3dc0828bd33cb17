#include "plot/canvas.h"

#include <numbers>

namespace scenario::plot {

void canvas::set_colour(const colour& c) {
    cairo_set_source_rgba(context_, c.red, c.green, c.blue, c.alpha);
}

void canvas::set_line_width(double width) {
    cairo_set_line_width(context_, width);
}

void canvas::set_dash(double on, double off) {
    const double pattern[2] = {on, off};
    cairo_set_dash(context_, pattern, 2, 0.0);
}

void canvas::clear_dash() {
    cairo_set_dash(context_, nullptr, 0, 0.0);
}

void canvas::line(point from, point to) {
    cairo_move_to(context_, from.x, from.y);
    cairo_line_to(context_, to.x, to.y);
    cairo_stroke(context_);
}

void canvas::fill_rectangle(const rectangle& r) {
    cairo_rectangle(context_, r.left, r.top, r.width, r.height);
    cairo_fill(context_);
}

void canvas::stroke_rectangle(const rectangle& r) {
    cairo_rectangle(context_, r.left, r.top, r.width, r.height);
    cairo_stroke(context_);
}

void canvas::fill_circle(point centre, double radius) {
    cairo_new_sub_path(context_);
    cairo_arc(context_, centre.x, centre.y, radius, 0.0, 2 * std::numbers::pi);
    cairo_fill(context_);
}

void canvas::stroke_circle(point centre, double radius) {
    cairo_new_sub_path(context_);
    cairo_arc(context_, centre.x, centre.y, radius, 0.0, 2 * std::numbers::pi);
    cairo_stroke(context_);
}

void canvas::fill_triangle(point a, point b, point c) {
    cairo_move_to(context_, a.x, a.y);
    cairo_line_to(context_, b.x, b.y);
    cairo_line_to(context_, c.x, c.y);
    cairo_close_path(context_);
    cairo_fill(context_);
}

void canvas::select_font(double size, bool bold) {
    cairo_select_font_face(context_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context_, size);
}

double canvas::text_width(const std::string& utf8, double size, bool bold) {
    select_font(size, bold);
    cairo_text_extents_t extents;
    cairo_text_extents(context_, utf8.c_str(), &extents);
    return extents.x_advance;
}

double canvas::anchored_x(point at, const std::string& utf8, double size, anchor where, bool bold) {
    const double width = text_width(utf8, size, bold);
    if (where == anchor::centre) {
        return at.x - width / 2;
    }
    if (where == anchor::right) {
        return at.x - width;
    }
    return at.x;
}

void canvas::text(point at, const std::string& utf8, double size, anchor where, bool bold) {
    cairo_move_to(context_, anchored_x(at, utf8, size, where, bold), at.y);
    cairo_show_text(context_, utf8.c_str());
    cairo_new_path(context_);
}

void canvas::label(point at, const std::string& utf8, double size, anchor where, bool bold) {
    cairo_move_to(context_, anchored_x(at, utf8, size, where, bold), at.y);
    cairo_text_path(context_, utf8.c_str());
    cairo_save(context_);
    cairo_set_source_rgb(context_, 1.0, 1.0, 1.0);
    cairo_set_line_width(context_, 3.0);
    cairo_stroke_preserve(context_);
    cairo_restore(context_);
    cairo_fill(context_);
}

void canvas::clip_to(const rectangle& r) {
    cairo_save(context_);
    cairo_rectangle(context_, r.left, r.top, r.width, r.height);
    cairo_clip(context_);
}

void canvas::unclip() {
    cairo_restore(context_);
}

}  // namespace scenario::plot
