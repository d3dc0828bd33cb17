// The drawing module: a sheet drawn with cairo and written as PNG or PDF, or written as SVG by
// hand (plot/svg_sheet.h) so that its texts stay text. It lives in a module of its own beside
// the program (`scenario-plot.so`), which only `plot` loads: cairo and the font, image and X
// libraries under it cost every other run more than its work.
//
// What crosses is the drawing, not the model. The program keeps the model and the panel
// drawers (plot/panels.h) and draws through a canvas (plot/canvas.h) whose every operation is
// one call into this table: plain numbers, a `const char*` that the module reads during the
// call and does not keep, and a handle that the module made and alone frees. No C++ object,
// no allocation of one side freed by the other, and no exception passes: the module is built
// without anything that throws, and the byte sink that the program hands it catches what its
// own side throws. This keeps the two apart however each is linked (the program carries its
// C++ runtime inside), and the model free to change without a second description of it.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// One sheet being drawn; only the module knows what is inside.
struct scenario_sheet;

enum scenario_sheet_format : std::int32_t {
    scenario_sheet_png = 0,
    scenario_sheet_svg = 1,
    scenario_sheet_pdf = 2,
};

// Receives the encoded sheet, a piece at a time; returns 0 when it took the bytes.
using scenario_byte_sink = int (*)(void* closure, const unsigned char* bytes, std::size_t size);

struct scenario_drawing_functions {
    // Starts a white sheet of `width` x `height` sheet units (pixels of a PNG, points of an
    // SVG or PDF) whose bytes go to `sink`. On failure returns null and sets `*error` to a
    // text that stays valid for the run.
    scenario_sheet* (*open_sheet)(scenario_sheet_format format, double width, double height,
                                  scenario_byte_sink sink, void* closure, const char** error);
    // Finishes the drawing, hands every byte to the sink and frees the sheet. Returns null,
    // or a text that says why the sheet could not be drawn and stays valid for the run.
    const char* (*close_sheet)(scenario_sheet* sheet);

    // The pen: colour with opacity, width, and a dash pattern of `count` lengths (0: solid).
    void (*set_colour)(scenario_sheet* sheet, double red, double green, double blue, double alpha);
    void (*set_line_width)(scenario_sheet* sheet, double width);
    void (*set_dash)(scenario_sheet* sheet, const double* lengths, std::int32_t count);

    // The path, then what to do with it.
    void (*move_to)(scenario_sheet* sheet, double x, double y);
    void (*line_to)(scenario_sheet* sheet, double x, double y);
    void (*close_path)(scenario_sheet* sheet);
    void (*add_rectangle)(scenario_sheet* sheet, double left, double top, double width,
                          double height);
    void (*add_circle)(scenario_sheet* sheet, double x, double y, double radius);
    void (*stroke)(scenario_sheet* sheet);
    void (*fill)(scenario_sheet* sheet);
    // The whole sheet in the current colour.
    void (*paint)(scenario_sheet* sheet);

    // Text in DejaVu Sans: the face and size for what follows, the advance of a text in it,
    // a text with its baseline's start at x, y, and the same over a white outline.
    void (*select_font)(scenario_sheet* sheet, double size, std::int32_t bold);
    double (*text_advance)(scenario_sheet* sheet, const char* utf8);
    void (*show_text)(scenario_sheet* sheet, double x, double y, const char* utf8);
    void (*show_outlined_text)(scenario_sheet* sheet, double x, double y, const char* utf8);

    // Draws only inside the rectangle until the matching unclip.
    void (*clip_to)(scenario_sheet* sheet, double left, double top, double width, double height);
    void (*unclip)(scenario_sheet* sheet);

    // Frees the fonts and caches that the drawing libraries keep for the life of the
    // process; no sheet may be open, and none may be drawn afterwards.
    void (*release_caches)();
};

// The module's entry point: its table of functions when it was built for `interface_version`,
// otherwise null.
const scenario_drawing_functions* scenario_drawing_module(std::uint32_t interface_version);

}  // extern "C"

namespace scenario::plot {

inline constexpr const char* drawing_module_name = "scenario-plot.so";
inline constexpr const char* drawing_entry_name = "scenario_drawing_module";
// Changes whenever the table above changes, so that a module left from another build is
// refused rather than called the wrong way.
inline constexpr std::uint32_t drawing_interface_version = 1;

}  // namespace scenario::plot
