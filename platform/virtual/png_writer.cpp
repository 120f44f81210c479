#include "platform/virtual/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/core/pixels.h"

namespace platform {

namespace {

struct PngErrorState {
    std::string message;
};

void OnPngError(png_structp png, png_const_charp message) {
    static_cast<PngErrorState*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// The libpng part lives in its own function with no C++ objects of its own, since libpng
// reports errors by longjmp.
bool EncodePng(std::FILE* file, const std::uint8_t* rgb, int width, int height, PngErrorState* state) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
    if (png == nullptr) {
        state->message = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        state->message = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rgb + stride * static_cast<std::size_t>(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WriteRgbPng(const std::string& path, const std::uint8_t* rgb, int width, int height, std::string* error) {
    if (width <= 0 || height <= 0) {
        *error = "cannot write '" + path + "': empty picture";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    PngErrorState state;
    const bool encoded = EncodePng(file, rgb, width, height, &state);
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed) {
        *error = "cannot write '" + path + "': " + (encoded ? std::string(std::strerror(errno)) : state.message);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

bool WriteR5G6B5Png(const std::string& path, const std::uint16_t* pixels, int width, int height, int pitch,
                    std::string* error) {
    if (width <= 0 || height <= 0) {
        *error = "cannot write '" + path + "': empty picture";
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    ExpandPictureToRgb(pixels, width, height, pitch, rgb.data());
    return WriteRgbPng(path, rgb.data(), width, height, error);
}

}  // namespace platform
