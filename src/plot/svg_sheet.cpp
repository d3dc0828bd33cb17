#include "plot/svg_sheet.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct svg_sheet {
    scenario_byte_sink sink;
    void* closure;
    const char* error;
    // The path being built, as the text of a `d` attribute.
    char* path;
    std::size_t path_size;
    std::size_t path_capacity;
    double red, green, blue, alpha;
    double line_width;
    char dash[96];  // a stroke-dasharray, empty for a solid line
    double font_size;
    bool bold;
    int clips;  // the clip groups open
    int next_clip_id;
};

namespace {

void put(svg_sheet* svg, const char* bytes, std::size_t size) {
    if (svg->error == nullptr &&
        svg->sink(svg->closure, reinterpret_cast<const unsigned char*>(bytes), size) != 0) {
        svg->error = "cannot write the picture";
    }
}

void put_text(svg_sheet* svg, const char* text) {
    put(svg, text, std::strlen(text));
}

__attribute__((format(printf, 2, 3))) void put_format(svg_sheet* svg, const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length > 0) {
        put(svg, buffer,
            static_cast<std::size_t>(length) < sizeof buffer ? static_cast<std::size_t>(length)
                                                             : sizeof buffer - 1);
    }
}

// A control character has no place in XML 1.0 (C0 but tab and line breaks), or none that a
// reader should see (C1, DEL): a name from a compiled file that holds one is drawn with a
// visible stand-in, the symbol of the control character (U+2400 + its code, U+2421 for DEL)
// or, for the C1 controls, U+FFFD. Returns the bytes of `utf8` that it took.
std::size_t put_control_stand_in(svg_sheet* svg, const char* utf8) {
    const auto byte = static_cast<unsigned char>(utf8[0]);
    if (byte < 0x20 || byte == 0x7F) {
        const unsigned symbol = byte == 0x7F ? 0x2421 : 0x2400 + byte;
        const char stand_in[] = {static_cast<char>(0xE0 | (symbol >> 12)),
                                 static_cast<char>(0x80 | ((symbol >> 6) & 0x3F)),
                                 static_cast<char>(0x80 | (symbol & 0x3F))};
        put(svg, stand_in, sizeof stand_in);
        return 1;
    }
    const auto next = static_cast<unsigned char>(utf8[1]);
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
        put_text(svg, "\xEF\xBF\xBD");
        return 2;
    }
    return 0;
}

// Text between tags or inside an attribute, with the five characters that XML reserves
// written as entities and the control characters replaced.
void put_escaped(svg_sheet* svg, const char* utf8) {
    for (const char* c = utf8; *c != '\0'; ++c) {
        if (const std::size_t taken = put_control_stand_in(svg, c); taken > 0) {
            c += taken - 1;
            continue;
        }
        switch (*c) {
            case '&':
                put_text(svg, "&amp;");
                break;
            case '<':
                put_text(svg, "&lt;");
                break;
            case '>':
                put_text(svg, "&gt;");
                break;
            case '"':
                put_text(svg, "&quot;");
                break;
            case '\'':
                put_text(svg, "&apos;");
                break;
            default:
                put(svg, c, 1);
        }
    }
}

__attribute__((format(printf, 2, 3))) void add_to_path(svg_sheet* svg, const char* format, ...) {
    char buffer[160];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length <= 0 || svg->error != nullptr) {
        return;
    }
    const auto size = static_cast<std::size_t>(length);
    if (svg->path_size + size + 1 > svg->path_capacity) {
        std::size_t capacity = svg->path_capacity * 2;
        while (capacity < svg->path_size + size + 1) {
            capacity *= 2;
        }
        auto* grown = static_cast<char*>(std::realloc(svg->path, capacity));
        if (grown == nullptr) {
            svg->error = "out of memory";
            return;
        }
        svg->path = grown;
        svg->path_capacity = capacity;
    }
    std::memcpy(svg->path + svg->path_size, buffer, size + 1);
    svg->path_size += size;
}

int channel(double value) {
    const double scaled = value * 255.0 + 0.5;
    return scaled < 0 ? 0 : (scaled > 255 ? 255 : static_cast<int>(scaled));
}

void put_paint(svg_sheet* svg, const char* attribute) {
    put_format(svg, " %s=\"#%02x%02x%02x\"", attribute, channel(svg->red), channel(svg->green),
               channel(svg->blue));
    if (svg->alpha < 1.0) {
        put_format(svg, " %s-opacity=\"%.3g\"", attribute, svg->alpha);
    }
}

void clear_path(svg_sheet* svg) {
    svg->path_size = 0;
    svg->path[0] = '\0';
}

}  // namespace

svg_sheet* svg_open(double width, double height, scenario_byte_sink sink, void* closure) {
    auto* svg = static_cast<svg_sheet*>(std::calloc(1, sizeof(svg_sheet)));
    if (svg == nullptr) {
        return nullptr;
    }
    svg->path_capacity = 4096;
    svg->path = static_cast<char*>(std::malloc(svg->path_capacity));
    if (svg->path == nullptr) {
        std::free(svg);
        return nullptr;
    }
    svg->sink = sink;
    svg->closure = closure;
    svg->alpha = 1.0;
    svg->line_width = 2.0;
    svg->font_size = 10.0;
    clear_path(svg);
    put_format(svg,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%gpt\" height=\"%gpt\" "
               "viewBox=\"0 0 %g %g\" font-family=\"DejaVu Sans, sans-serif\">\n",
               width, height, width, height);
    return svg;
}

const char* svg_close(svg_sheet* svg) {
    while (svg->clips > 0) {
        svg_unclip(svg);
    }
    put_text(svg, "</svg>\n");
    const char* error = svg->error;
    std::free(svg->path);
    std::free(svg);
    return error;
}

void svg_set_colour(svg_sheet* svg, double red, double green, double blue, double alpha) {
    svg->red = red;
    svg->green = green;
    svg->blue = blue;
    svg->alpha = alpha;
}

void svg_set_line_width(svg_sheet* svg, double width) {
    svg->line_width = width;
}

void svg_set_dash(svg_sheet* svg, const double* lengths, std::int32_t count) {
    svg->dash[0] = '\0';
    std::size_t used = 0;
    for (std::int32_t i = 0; i < count && used + 24 < sizeof svg->dash; ++i) {
        const int written = std::snprintf(svg->dash + used, sizeof svg->dash - used,
                                          i == 0 ? "%g" : ",%g", lengths[i]);
        used += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
}

void svg_move_to(svg_sheet* svg, double x, double y) {
    add_to_path(svg, "M%.2f %.2f", x, y);
}

void svg_line_to(svg_sheet* svg, double x, double y) {
    add_to_path(svg, "L%.2f %.2f", x, y);
}

void svg_close_path(svg_sheet* svg) {
    add_to_path(svg, "Z");
}

void svg_add_rectangle(svg_sheet* svg, double left, double top, double width, double height) {
    add_to_path(svg, "M%.2f %.2fh%.2fv%.2fh%.2fZ", left, top, width, height, -width);
}

void svg_add_circle(svg_sheet* svg, double x, double y, double radius) {
    add_to_path(svg, "M%.2f %.2fA%.2f %.2f 0 1 0 %.2f %.2fA%.2f %.2f 0 1 0 %.2f %.2fZ", x + radius,
                y, radius, radius, x - radius, y, radius, radius, x + radius, y);
}

void svg_stroke(svg_sheet* svg) {
    if (svg->path_size > 0) {
        put_text(svg, "<path d=\"");
        put(svg, svg->path, svg->path_size);
        put_text(svg, "\" fill=\"none\"");
        put_paint(svg, "stroke");
        put_format(svg, " stroke-width=\"%g\" stroke-linejoin=\"round\" stroke-linecap=\"round\"",
                   svg->line_width);
        if (svg->dash[0] != '\0') {
            put_format(svg, " stroke-dasharray=\"%s\"", svg->dash);
        }
        put_text(svg, "/>\n");
    }
    clear_path(svg);
}

void svg_fill(svg_sheet* svg) {
    if (svg->path_size > 0) {
        put_text(svg, "<path d=\"");
        put(svg, svg->path, svg->path_size);
        put_text(svg, "\"");
        put_paint(svg, "fill");
        put_text(svg, "/>\n");
    }
    clear_path(svg);
}

void svg_paint(svg_sheet* svg) {
    put_text(svg, "<rect width=\"100%\" height=\"100%\"");
    put_paint(svg, "fill");
    put_text(svg, "/>\n");
}

void svg_select_font(svg_sheet* svg, double size, bool bold) {
    svg->font_size = size;
    svg->bold = bold;
}

void svg_show_text(svg_sheet* svg, double x, double y, const char* utf8, bool outlined) {
    put_format(svg, "<text x=\"%.2f\" y=\"%.2f\" font-size=\"%g\"", x, y, svg->font_size);
    if (svg->bold) {
        put_text(svg, " font-weight=\"bold\"");
    }
    put_paint(svg, "fill");
    if (outlined) {
        put_text(svg,
                 " stroke=\"#ffffff\" stroke-width=\"3\" stroke-linejoin=\"round\" "
                 "paint-order=\"stroke\"");
    }
    put_text(svg, ">");
    put_escaped(svg, utf8);
    put_text(svg, "</text>\n");
    clear_path(svg);
}

void svg_clip_to(svg_sheet* svg, double left, double top, double width, double height) {
    const int id = svg->next_clip_id++;
    put_format(svg,
               "<clipPath id=\"clip%d\"><rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" "
               "height=\"%.2f\"/></clipPath>\n<g clip-path=\"url(#clip%d)\">\n",
               id, left, top, width, height, id);
    ++svg->clips;
}

void svg_unclip(svg_sheet* svg) {
    if (svg->clips > 0) {
        put_text(svg, "</g>\n");
        --svg->clips;
    }
}
