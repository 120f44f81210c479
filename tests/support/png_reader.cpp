#include "tests/support/png_reader.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace ostrivan_test {

namespace {

struct ReadState {
    std::string message;
};

void OnError(png_structp png, png_const_charp message) {
    static_cast<ReadState*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, so the decoding keeps no C++ objects of its own alive
// across it: the rows go straight into the caller's picture.
bool Decode(std::FILE* file, Picture* picture, ReadState* state) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state, OnError, OnWarning);
    if (png == nullptr) {
        state->message = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        state->message = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (static_cast<std::uint64_t>(width) * height > (std::uint64_t{1} << 26)) {
        png_error(png, "picture larger than any test needs");
    }
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 3) {
        png_error(png, "unexpected row size after conversion to RGB");
    }
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    picture->rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, picture->rgb.data() + static_cast<std::size_t>(y) * width * 3, nullptr);
        }
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << int{colour.r} << ", " << int{colour.g} << ", " << int{colour.b} << ")";
}

Rgb Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a " +
                                std::to_string(width) + "x" + std::to_string(height) + " picture");
    }
    const std::size_t offset = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return Rgb{rgb[offset], rgb[offset + 1], rgb[offset + 2]};
}

testing::AssertionResult ReadPng(const std::string& path, Picture* picture) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return testing::AssertionFailure() << "cannot open '" << path << "': " << std::strerror(errno);
    }
    unsigned char signature[8] = {};
    const bool isPng = std::fread(signature, 1, sizeof signature, file) == sizeof signature &&
                       png_sig_cmp(signature, 0, sizeof signature) == 0;
    if (!isPng) {
        std::fclose(file);
        return testing::AssertionFailure() << "'" << path << "' is not a PNG file";
    }
    std::rewind(file);
    ReadState state;
    *picture = Picture{};
    const bool decoded = Decode(file, picture, &state);
    std::fclose(file);
    if (!decoded) {
        *picture = Picture{};
        return testing::AssertionFailure() << "cannot decode '" << path << "': " << state.message;
    }
    return testing::AssertionSuccess();
}

}  // namespace ostrivan_test
