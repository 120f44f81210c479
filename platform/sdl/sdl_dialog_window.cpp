// The modal dialog's window: an ordinary decorated window with the dialog's
// client size, centred on the main display, showing the pictures the dialog
// manager draws.
#include <algorithm>
#include <cstddef>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

namespace {

// The dialog's window; OpenDialogWindow fills it, CloseDialogWindow empties it. The last picture is
// kept so an expose or a reset renderer can show it again.
struct DialogWindow {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    std::vector<std::uint16_t> picture;  // rows without padding
    int width = 0;
    int height = 0;
};
DialogWindow g_dialog;

void DestroyRenderer() {
    if (g_dialog.texture != nullptr) {
        SDL_DestroyTexture(g_dialog.texture);
        g_dialog.texture = nullptr;
    }
    if (g_dialog.renderer != nullptr) {
        SDL_DestroyRenderer(g_dialog.renderer);
        g_dialog.renderer = nullptr;
    }
}

bool CreateRenderer() {
    // No vsync: a dialog picture is shown when it changes, not paced.
    g_dialog.renderer = SDL_CreateRenderer(g_dialog.window, -1, SDL_RENDERER_ACCELERATED);
    if (g_dialog.renderer == nullptr) {
        g_dialog.renderer = SDL_CreateRenderer(g_dialog.window, -1, SDL_RENDERER_SOFTWARE);
    }
    return g_dialog.renderer != nullptr;
}

}  // namespace

bool OpenDialogWindow(int width, int height, const char* title, std::string* error) {
    CloseDialogWindow();
    if (!DisplayAvailable()) {
        *error = NoDisplayReason();
        return false;
    }
    if (width <= 0 || height <= 0) {
        *error = "the dialog window needs a size";
        return false;
    }
    g_dialog.window = SDL_CreateWindow(title != nullptr ? title : "", SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                       SDL_WINDOWPOS_CENTERED_DISPLAY(0), width, height, SDL_WINDOW_SHOWN);
    if (g_dialog.window == nullptr || !CreateRenderer()) {
        *error = std::string("cannot create the dialog window: ") + SDL_GetError();
        CloseDialogWindow();
        return false;
    }
    SDL_SetRenderDrawColor(g_dialog.renderer, 0, 0, 0, 255);
    SDL_RenderClear(g_dialog.renderer);
    SDL_RaiseWindow(g_dialog.window);
    return true;
}

void ShowDialogPicture(const std::uint16_t* pixels, int width, int height, int pitch) {
    if (g_dialog.window == nullptr || pixels == nullptr || width <= 0 || height <= 0 || pitch < width) {
        return;
    }
    g_dialog.picture.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        std::copy(row, row + width, g_dialog.picture.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    g_dialog.width = width;
    g_dialog.height = height;
    RedrawDialog();
}

void CloseDialogWindow() {
    DestroyRenderer();
    if (g_dialog.window != nullptr) {
        SDL_DestroyWindow(g_dialog.window);
    }
    g_dialog = DialogWindow{};
}

std::uint32_t DialogWindowId() { return g_dialog.window != nullptr ? SDL_GetWindowID(g_dialog.window) : 0; }

void RedrawDialog() {
    if (g_dialog.window == nullptr || g_dialog.picture.empty()) {
        return;
    }
    // After a device reset the renderer is rebuilt here, for the picture kept above.
    if (g_dialog.renderer == nullptr && !CreateRenderer()) {
        return;
    }
    if (!EnsureStreamingTexture(g_dialog.renderer, &g_dialog.texture, g_dialog.width, g_dialog.height) ||
        !UploadPicture(g_dialog.texture, g_dialog.picture.data(), g_dialog.width, g_dialog.height, g_dialog.width)) {
        return;
    }
    SDL_RenderCopy(g_dialog.renderer, g_dialog.texture, nullptr, nullptr);
    SDL_RenderPresent(g_dialog.renderer);
}

void OnDialogRendererReset() { DestroyRenderer(); }

}  // namespace platform::sdl
