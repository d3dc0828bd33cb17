// The drawing module's side of plot/drawing_module.h: each function is the cairo calls of
// one canvas operation. It is built without exceptions and allocates with the C library,
// so that nothing of the C++ runtime is needed to load it.
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <numbers>

#include "plot/drawing_module.h"
#include "plot/png_stream.h"
#include "plot/svg_sheet.h"

struct scenario_sheet {
    scenario_sheet_format format;
    cairo_surface_t* surface;
    cairo_t* context;
    scenario_byte_sink sink;
    void* closure;
    // An SVG sheet is written by hand; its cairo context on a surface of one pixel only
    // measures texts.
    svg_sheet* svg;
};

namespace {

// The surfaces hand their bytes here, on their way to the program's sink.
cairo_status_t pass_bytes(void* closure, const unsigned char* data, unsigned int length) {
    const auto* sheet = static_cast<const scenario_sheet*>(closure);
    return sheet->sink(sheet->closure, data, length) == 0 ? CAIRO_STATUS_SUCCESS
                                                          : CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* make_surface(scenario_sheet* sheet, double width, double height) {
    switch (sheet->format) {
        case scenario_sheet_svg:
            return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        case scenario_sheet_pdf:
            return cairo_pdf_surface_create_for_stream(pass_bytes, sheet, width, height);
        case scenario_sheet_png:
            break;
    }
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                      static_cast<int>(height));
}

scenario_sheet* open_sheet(scenario_sheet_format format, double width, double height,
                           scenario_byte_sink sink, void* closure, const char** error) noexcept {
    auto* sheet = static_cast<scenario_sheet*>(std::malloc(sizeof(scenario_sheet)));
    if (sheet == nullptr) {
        *error = cairo_status_to_string(CAIRO_STATUS_NO_MEMORY);
        return nullptr;
    }
    *sheet = {format, nullptr, nullptr, sink, closure, nullptr};
    if (format == scenario_sheet_svg) {
        sheet->svg = svg_open(width, height, sink, closure);
        if (sheet->svg == nullptr) {
            *error = cairo_status_to_string(CAIRO_STATUS_NO_MEMORY);
            std::free(sheet);
            return nullptr;
        }
    }
    sheet->surface = make_surface(sheet, width, height);
    if (const cairo_status_t code = cairo_surface_status(sheet->surface); code) {
        *error = cairo_status_to_string(code);
        cairo_surface_destroy(sheet->surface);
        if (sheet->svg != nullptr) {
            svg_close(sheet->svg);
        }
        std::free(sheet);
        return nullptr;
    }
    sheet->context = cairo_create(sheet->surface);
    cairo_set_line_join(sheet->context, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(sheet->context, CAIRO_LINE_CAP_ROUND);
    return sheet;
}

// A context in error has drawn nothing since its first failure, which is the one reported.
const char* finish_sheet(scenario_sheet* sheet) {
    if (const cairo_status_t code = cairo_status(sheet->context); code) {
        return cairo_status_to_string(code);
    }
    cairo_destroy(sheet->context);
    sheet->context = nullptr;
    if (sheet->svg != nullptr) {
        svg_sheet* svg = sheet->svg;
        sheet->svg = nullptr;
        return svg_close(svg);
    }
    if (sheet->format == scenario_sheet_png) {
        if (const char* error = write_png_stream(sheet->surface, sheet->sink, sheet->closure)) {
            return error;
        }
    }
    // Vector surfaces write their last bytes when they are finished.
    cairo_surface_finish(sheet->surface);
    if (const cairo_status_t code = cairo_surface_status(sheet->surface); code) {
        return cairo_status_to_string(code);
    }
    return nullptr;
}

const char* close_sheet(scenario_sheet* sheet) noexcept {
    const char* error = finish_sheet(sheet);
    if (sheet->context != nullptr) {
        cairo_destroy(sheet->context);
    }
    if (sheet->svg != nullptr) {
        svg_close(sheet->svg);
    }
    cairo_surface_destroy(sheet->surface);
    std::free(sheet);
    return error;
}

void set_colour(scenario_sheet* sheet, double red, double green, double blue,
                double alpha) noexcept {
    if (sheet->svg != nullptr) {
        svg_set_colour(sheet->svg, red, green, blue, alpha);
        return;
    }
    cairo_set_source_rgba(sheet->context, red, green, blue, alpha);
}

void set_line_width(scenario_sheet* sheet, double width) noexcept {
    if (sheet->svg != nullptr) {
        svg_set_line_width(sheet->svg, width);
        return;
    }
    cairo_set_line_width(sheet->context, width);
}

void set_dash(scenario_sheet* sheet, const double* lengths, std::int32_t count) noexcept {
    if (sheet->svg != nullptr) {
        svg_set_dash(sheet->svg, lengths, count);
        return;
    }
    cairo_set_dash(sheet->context, lengths, count, 0.0);
}

void move_to(scenario_sheet* sheet, double x, double y) noexcept {
    if (sheet->svg != nullptr) {
        svg_move_to(sheet->svg, x, y);
        return;
    }
    cairo_move_to(sheet->context, x, y);
}

void line_to(scenario_sheet* sheet, double x, double y) noexcept {
    if (sheet->svg != nullptr) {
        svg_line_to(sheet->svg, x, y);
        return;
    }
    cairo_line_to(sheet->context, x, y);
}

void close_path(scenario_sheet* sheet) noexcept {
    if (sheet->svg != nullptr) {
        svg_close_path(sheet->svg);
        return;
    }
    cairo_close_path(sheet->context);
}

void add_rectangle(scenario_sheet* sheet, double left, double top, double width,
                   double height) noexcept {
    if (sheet->svg != nullptr) {
        svg_add_rectangle(sheet->svg, left, top, width, height);
        return;
    }
    cairo_rectangle(sheet->context, left, top, width, height);
}

void add_circle(scenario_sheet* sheet, double x, double y, double radius) noexcept {
    if (sheet->svg != nullptr) {
        svg_add_circle(sheet->svg, x, y, radius);
        return;
    }
    cairo_new_sub_path(sheet->context);
    cairo_arc(sheet->context, x, y, radius, 0.0, 2 * std::numbers::pi);
}

void stroke(scenario_sheet* sheet) noexcept {
    if (sheet->svg != nullptr) {
        svg_stroke(sheet->svg);
        return;
    }
    cairo_stroke(sheet->context);
}

void fill(scenario_sheet* sheet) noexcept {
    if (sheet->svg != nullptr) {
        svg_fill(sheet->svg);
        return;
    }
    cairo_fill(sheet->context);
}

void paint(scenario_sheet* sheet) noexcept {
    if (sheet->svg != nullptr) {
        svg_paint(sheet->svg);
        return;
    }
    cairo_paint(sheet->context);
}

void select_font(scenario_sheet* sheet, double size, std::int32_t bold) noexcept {
    if (sheet->svg != nullptr) {
        svg_select_font(sheet->svg, size, bold != 0);  // and measured below
    }
    cairo_select_font_face(sheet->context, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold != 0 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(sheet->context, size);
}

double text_advance(scenario_sheet* sheet, const char* utf8) noexcept {
    cairo_text_extents_t extents;
    cairo_text_extents(sheet->context, utf8, &extents);
    return extents.x_advance;
}

void show_text(scenario_sheet* sheet, double x, double y, const char* utf8) noexcept {
    if (sheet->svg != nullptr) {
        svg_show_text(sheet->svg, x, y, utf8, false);
        return;
    }
    cairo_move_to(sheet->context, x, y);
    cairo_show_text(sheet->context, utf8);
    cairo_new_path(sheet->context);
}

// The halo is white under the letters; the letters themselves are shown as text, so that a
// PDF keeps them as text.
void show_outlined_text(scenario_sheet* sheet, double x, double y, const char* utf8) noexcept {
    if (sheet->svg != nullptr) {
        svg_show_text(sheet->svg, x, y, utf8, true);
        return;
    }
    cairo_t* context = sheet->context;
    cairo_save(context);
    cairo_set_source_rgb(context, 1.0, 1.0, 1.0);
    if (sheet->format == scenario_sheet_png) {
        // On pixels the halo is the letters shown in white around their place, which cairo
        // draws from its cache of glyphs: stroking their outlines costs many times more.
        constexpr double reach = 1.5;
        constexpr double offsets[8][2] = {{-reach, -reach}, {0, -reach},   {reach, -reach},
                                          {-reach, 0},      {reach, 0},    {-reach, reach},
                                          {0, reach},       {reach, reach}};
        for (const auto& offset : offsets) {
            cairo_move_to(context, x + offset[0], y + offset[1]);
            cairo_show_text(context, utf8);
        }
    } else {
        cairo_move_to(context, x, y);
        cairo_text_path(context, utf8);
        cairo_set_line_width(context, 3.0);
        cairo_stroke(context);
    }
    cairo_restore(context);
    cairo_move_to(context, x, y);
    cairo_show_text(context, utf8);
    cairo_new_path(context);
}

void clip_to(scenario_sheet* sheet, double left, double top, double width, double height) noexcept {
    if (sheet->svg != nullptr) {
        svg_clip_to(sheet->svg, left, top, width, height);
        return;
    }
    cairo_save(sheet->context);
    cairo_rectangle(sheet->context, left, top, width, height);
    cairo_clip(sheet->context);
}

void unclip(scenario_sheet* sheet) noexcept {
    if (sheet->svg != nullptr) {
        svg_unclip(sheet->svg);
        return;
    }
    cairo_restore(sheet->context);
}

void release_caches() noexcept {
    // cairo's fonts hold fontconfig's patterns, so cairo lets go of them first.
    cairo_debug_reset_static_data();
    FcFini();
}

constexpr scenario_drawing_functions drawing_functions{
    open_sheet,
    close_sheet,
    set_colour,
    set_line_width,
    set_dash,
    move_to,
    line_to,
    close_path,
    add_rectangle,
    add_circle,
    stroke,
    fill,
    paint,
    select_font,
    text_advance,
    show_text,
    show_outlined_text,
    clip_to,
    unclip,
    release_caches,
};

}  // namespace

const scenario_drawing_functions* scenario_drawing_module(std::uint32_t interface_version) {
    return interface_version == scenario::plot::drawing_interface_version ? &drawing_functions
                                                                          : nullptr;
}
