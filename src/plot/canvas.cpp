#include "plot/canvas.h"

namespace scenario::plot {

void canvas::set_colour(const colour& c) {
    drawing_.set_colour(sheet_, c.red, c.green, c.blue, c.alpha);
}

void canvas::set_line_width(double width) {
    drawing_.set_line_width(sheet_, width);
}

void canvas::set_dash(double on, double off) {
    const double pattern[2] = {on, off};
    drawing_.set_dash(sheet_, pattern, 2);
}

void canvas::clear_dash() {
    drawing_.set_dash(sheet_, nullptr, 0);
}

void canvas::line(point from, point to) {
    drawing_.move_to(sheet_, from.x, from.y);
    drawing_.line_to(sheet_, to.x, to.y);
    drawing_.stroke(sheet_);
}

void canvas::fill_rectangle(const rectangle& r) {
    drawing_.add_rectangle(sheet_, r.left, r.top, r.width, r.height);
    drawing_.fill(sheet_);
}

void canvas::stroke_rectangle(const rectangle& r) {
    drawing_.add_rectangle(sheet_, r.left, r.top, r.width, r.height);
    drawing_.stroke(sheet_);
}

void canvas::fill_circle(point centre, double radius) {
    drawing_.add_circle(sheet_, centre.x, centre.y, radius);
    drawing_.fill(sheet_);
}

void canvas::stroke_circle(point centre, double radius) {
    drawing_.add_circle(sheet_, centre.x, centre.y, radius);
    drawing_.stroke(sheet_);
}

void canvas::fill_triangle(point a, point b, point c) {
    drawing_.move_to(sheet_, a.x, a.y);
    drawing_.line_to(sheet_, b.x, b.y);
    drawing_.line_to(sheet_, c.x, c.y);
    drawing_.close_path(sheet_);
    drawing_.fill(sheet_);
}

void canvas::paint() {
    drawing_.paint(sheet_);
}

void canvas::move_to(point at) {
    drawing_.move_to(sheet_, at.x, at.y);
}

void canvas::line_to(point at) {
    drawing_.line_to(sheet_, at.x, at.y);
}

void canvas::stroke() {
    drawing_.stroke(sheet_);
}

void canvas::select_font(double size, bool bold) {
    drawing_.select_font(sheet_, size, bold ? 1 : 0);
}

double canvas::text_width(const std::string& utf8, double size, bool bold) {
    select_font(size, bold);
    return drawing_.text_advance(sheet_, utf8.c_str());
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
    drawing_.show_text(sheet_, anchored_x(at, utf8, size, where, bold), at.y, utf8.c_str());
}

void canvas::label(point at, const std::string& utf8, double size, anchor where, bool bold) {
    drawing_.show_outlined_text(sheet_, anchored_x(at, utf8, size, where, bold), at.y,
                                utf8.c_str());
}

void canvas::clip_to(const rectangle& r) {
    drawing_.clip_to(sheet_, r.left, r.top, r.width, r.height);
}

void canvas::unclip() {
    drawing_.unclip(sheet_);
}

}  // namespace scenario::plot
