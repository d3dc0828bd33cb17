#include "plot/render.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "plot/panels.h"
#include "source/file_access.h"

namespace scenario::plot {
namespace {

std::string lower_case(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The surfaces write their bytes here; the file is then replaced whole.
cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct surface_deleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct context_deleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using surface_handle = std::unique_ptr<cairo_surface_t, surface_deleter>;
using context_handle = std::unique_ptr<cairo_t, context_deleter>;

surface_handle make_surface(sheet_format format, const sheet_layout& layout, std::string& bytes) {
    switch (format) {
        case sheet_format::svg:
            return surface_handle(cairo_svg_surface_create_for_stream(append_bytes, &bytes,
                                                                      layout.width, layout.height));
        case sheet_format::pdf:
            return surface_handle(cairo_pdf_surface_create_for_stream(append_bytes, &bytes,
                                                                      layout.width, layout.height));
        case sheet_format::png:
            break;
    }
    return surface_handle(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(layout.width), static_cast<int>(layout.height)));
}

void draw_title(canvas& sheet, const plot_model& model, const sheet_layout& layout) {
    sheet.set_colour(palette::ink);
    sheet.text({layout.title.left, layout.title.top + 24}, model.title, 22, anchor::left, true);
    sheet.set_colour(palette::faint);
    sheet.text({layout.title.left, layout.title.top + 48}, model.subtitle, 13);
}

void draw_sheet(cairo_t* context, const plot_model& model, const sheet_layout& layout) {
    canvas sheet(context);
    sheet.set_colour({1.0, 1.0, 1.0});
    cairo_paint(context);
    cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    draw_title(sheet, model, layout);
    draw_plan_panel(sheet, model.plan, layout);
    draw_distance_panels(sheet, model.distance, layout);
    draw_legend(sheet, model.legend, layout);
}

status cairo_failure(const std::string& path, cairo_status_t code) {
    return status::input_output("cannot draw " + path + ": " + cairo_status_to_string(code));
}

}  // namespace

std::optional<sheet_format> format_from_path(const std::string& path) {
    const std::string name = lower_case(path);
    for (const auto& [ending, format] :
         {std::pair{".png", sheet_format::png}, std::pair{".svg", sheet_format::svg},
          std::pair{".pdf", sheet_format::pdf}}) {
        const std::string_view e = ending;
        if (name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

status render_plot(const plot_model& model, const sheet_layout& layout, sheet_format format,
                   const std::string& path) {
    std::string bytes;
    {
        const surface_handle surface = make_surface(format, layout, bytes);
        if (const cairo_status_t code = cairo_surface_status(surface.get()); code) {
            return cairo_failure(path, code);
        }
        {
            const context_handle context(cairo_create(surface.get()));
            draw_sheet(context.get(), model, layout);
            if (const cairo_status_t code = cairo_status(context.get()); code) {
                return cairo_failure(path, code);
            }
        }
        if (format == sheet_format::png) {
            cairo_surface_flush(surface.get());
            const cairo_status_t code =
                cairo_surface_write_to_png_stream(surface.get(), append_bytes, &bytes);
            if (code) {
                return cairo_failure(path, code);
            }
        }
        // Vector surfaces write their last bytes when they are finished.
        cairo_surface_finish(surface.get());
        if (const cairo_status_t code = cairo_surface_status(surface.get()); code) {
            return cairo_failure(path, code);
        }
    }
    return replace_file(path, bytes);
}

void release_drawing_caches() {
    // cairo's fonts hold fontconfig's patterns, so cairo lets go of them first.
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace scenario::plot
