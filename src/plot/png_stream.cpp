#include "plot/png_stream.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>

namespace {

struct png_target {
    scenario_byte_sink sink;
    void* closure;
    const char* error;
};

void write_bytes(png_structp png, png_bytep data, png_size_t length) {
    auto* target = static_cast<png_target*>(png_get_io_ptr(png));
    if (target->error == nullptr &&
        target->sink(target->closure, data, static_cast<unsigned int>(length)) != 0) {
        target->error = "cannot write the picture";
    }
    if (target->error != nullptr) {
        png_longjmp(png, 1);
    }
}

void flush_nothing(png_structp) {}

void fail(png_structp png, png_const_charp) {
    auto* target = static_cast<png_target*>(png_get_error_ptr(png));
    if (target->error == nullptr) {
        target->error = "the PNG encoder failed";
    }
    png_longjmp(png, 1);
}

void ignore_warning(png_structp, png_const_charp) {}

// cairo's pixel: a native 32-bit word 0xAARRGGBB, its colour premultiplied by its alpha.
std::uint8_t unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    return static_cast<std::uint8_t>(alpha == 0 ? 0 : (channel * 255 + alpha / 2) / alpha);
}

bool opaque(const unsigned char* pixels, int width, int height, int stride) {
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            pixels + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                return false;
            }
        }
    }
    return true;
}

void convert_row(const std::uint32_t* in, unsigned char* out, int width, bool with_alpha) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t pixel = in[x];
        const std::uint32_t alpha = pixel >> 24;
        const std::uint32_t red = (pixel >> 16) & 0xFF;
        const std::uint32_t green = (pixel >> 8) & 0xFF;
        const std::uint32_t blue = pixel & 0xFF;
        if (with_alpha) {
            *out++ = unpremultiply(red, alpha);
            *out++ = unpremultiply(green, alpha);
            *out++ = unpremultiply(blue, alpha);
            *out++ = static_cast<unsigned char>(alpha);
        } else {
            *out++ = static_cast<unsigned char>(red);
            *out++ = static_cast<unsigned char>(green);
            *out++ = static_cast<unsigned char>(blue);
        }
    }
}

// Everything that libpng may jump out of lives in this frame and holds only plain values,
// so that the jump skips no destructor.
const char* encode(png_structp png, png_infop info, png_target& target, const unsigned char* pixels,
                   int width, int height, int stride, unsigned char* row) {
    const bool with_alpha = !opaque(pixels, width, height, stride);
    if (setjmp(png_jmpbuf(png)) != 0) {
        return target.error != nullptr ? target.error : "the PNG encoder failed";
    }
    png_set_write_fn(png, &target, write_bytes, flush_nothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 with_alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        convert_row(reinterpret_cast<const std::uint32_t*>(pixels +
                                                           static_cast<std::ptrdiff_t>(y) * stride),
                    row, width, with_alpha);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return target.error;
}

}  // namespace

const char* write_png_stream(cairo_surface_t* image, scenario_byte_sink sink, void* closure) {
    cairo_surface_flush(image);
    const unsigned char* pixels = cairo_image_surface_get_data(image);
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return "the picture has no pixels";
    }
    png_target target{sink, closure, nullptr};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, fail, ignore_warning);
    if (png == nullptr) {
        return "out of memory";
    }
    png_infop info = png_create_info_struct(png);
    auto* row = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * 4));
    const char* error = info == nullptr || row == nullptr
                            ? "out of memory"
                            : encode(png, info, target, pixels, width, height, stride, row);
    std::free(row);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return error;
}
