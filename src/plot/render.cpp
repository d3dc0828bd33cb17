#include "plot/render.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <utility>

#include "plot/panels.h"
#include "source/file_access.h"

namespace scenario::plot {
namespace {

std::string lower_case(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

scenario_sheet_format module_format(sheet_format format) {
    switch (format) {
        case sheet_format::svg:
            return scenario_sheet_svg;
        case sheet_format::pdf:
            return scenario_sheet_pdf;
        case sheet_format::png:
            break;
    }
    return scenario_sheet_png;
}

// The module hands the encoded sheet here; the file is then replaced whole. Nothing may be
// thrown back into the module: a failure to keep the bytes is an answer it reports.
int append_bytes(void* closure, const unsigned char* bytes, std::size_t size) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(bytes), size);
        return 0;
    } catch (const std::bad_alloc&) {
        return 1;
    }
}

void draw_title(canvas& sheet, const plot_model& model, const sheet_layout& layout) {
    sheet.set_colour(palette::ink);
    sheet.text({layout.title.left, layout.title.top + 24}, model.title, 22, anchor::left, true);
    sheet.set_colour(palette::faint);
    sheet.text({layout.title.left, layout.title.top + 48}, model.subtitle, 13);
}

void draw_sheet(canvas& sheet, const plot_model& model, const sheet_layout& layout) {
    sheet.set_colour({1.0, 1.0, 1.0});
    sheet.paint();
    draw_title(sheet, model, layout);
    draw_plan_panel(sheet, model.plan, layout);
    draw_distance_panels(sheet, model.distance, layout);
    draw_legend(sheet, model.legend, layout);
}

// Closes the sheet once: where the caller says, or when it is left by an exception.
class sheet_closer {
  public:
    sheet_closer(const scenario_drawing_functions& drawing, scenario_sheet* sheet)
        : drawing_(drawing), sheet_(sheet) {}
    sheet_closer(const sheet_closer&) = delete;
    sheet_closer& operator=(const sheet_closer&) = delete;
    ~sheet_closer() {
        if (sheet_ != nullptr) {
            drawing_.close_sheet(sheet_);
        }
    }

    const char* close() { return drawing_.close_sheet(std::exchange(sheet_, nullptr)); }

  private:
    const scenario_drawing_functions& drawing_;
    scenario_sheet* sheet_;
};

status drawing_failure(const std::string& path, const char* reason) {
    return status::input_output("cannot draw " + path + ": " + reason);
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

status render_plot(const scenario_drawing_functions& drawing, const plot_model& model,
                   const sheet_layout& layout, sheet_format format, const std::string& path) {
    std::string bytes;
    const char* error = nullptr;
    scenario_sheet* sheet = drawing.open_sheet(module_format(format), layout.width, layout.height,
                                               append_bytes, &bytes, &error);
    if (sheet == nullptr) {
        return drawing_failure(path, error);
    }
    // The module frees the sheet when it is closed, also when the drawing stops half-way.
    sheet_closer closer{drawing, sheet};
    canvas surface(drawing, sheet);
    draw_sheet(surface, model, layout);
    if (const char* reason = closer.close(); reason != nullptr) {
        return drawing_failure(path, reason);
    }
    return replace_file(path, bytes);
}

}  // namespace scenario::plot
