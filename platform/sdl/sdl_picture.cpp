// R5G6B5 pictures into SDL textures. The expansion to 8-bit channels is done
// here by bit replication, not by SDL, whose conversion turns full green into
// 254: a test tool's white must be white.
#include <array>
#include <cstddef>

#include "platform/core/pixels.h"
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

namespace {

// Every R5G6B5 value expanded once to XRGB8888, so a frame costs one lookup a pixel.
using ExpansionTable = std::array<std::uint32_t, 65536>;

const ExpansionTable& Expansion() {
    static const ExpansionTable table = [] {
        ExpansionTable built{};
        for (std::size_t value = 0; value < built.size(); ++value) {
            const Rgb8 c = ExpandR5G6B5(static_cast<std::uint16_t>(value));
            built[value] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
        }
        return built;
    }();
    return table;
}

}  // namespace

bool EnsureStreamingTexture(SDL_Renderer* renderer, SDL_Texture** texture, int width, int height) {
    if (*texture != nullptr) {
        int w = 0, h = 0;
        if (SDL_QueryTexture(*texture, nullptr, nullptr, &w, &h) == 0 && w == width && h == height) {
            return true;
        }
        SDL_DestroyTexture(*texture);
        *texture = nullptr;
    }
    *texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    return *texture != nullptr;
}

bool UploadPicture(SDL_Texture* texture, const std::uint16_t* pixels, int width, int height, int pitch) {
    void* locked = nullptr;
    int lockedPitch = 0;
    if (SDL_LockTexture(texture, nullptr, &locked, &lockedPitch) != 0) {
        return false;
    }
    const ExpansionTable& expand = Expansion();
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* source = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        auto* target = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked) +
                                                        static_cast<std::ptrdiff_t>(y) * lockedPitch);
        for (int x = 0; x < width; ++x) {
            target[x] = expand[source[x]];
        }
    }
    SDL_UnlockTexture(texture);
    return true;
}

}  // namespace platform::sdl
