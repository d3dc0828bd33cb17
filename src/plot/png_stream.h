// Writing the sheet's pixels as a PNG. cairo's own PNG writer compresses at zlib's default
// level and tries every row filter on every row: on a 1600 x 1500 sheet of line art that was
// most of a plot's time. This one compresses at zlib's fastest level without row filters,
// which on line art (long runs of one colour) gives a file of about the same size, written
// about five times faster. It belongs to the drawing module: no exceptions, no
// C++ runtime.
#pragma once

#include <cairo.h>

#include "plot/drawing_module.h"

// Writes the image surface (ARGB32) to `sink`; null when done, or what went wrong.
const char* write_png_stream(cairo_surface_t* image, scenario_byte_sink sink, void* closure);
