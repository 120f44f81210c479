// What the SDL backend's files give each other: the video state Init found,
// the monotonic clock, and the hooks through which events reach the output and
// the dialog window. Internal to platform/sdl; SDL types stay in this folder.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/backend.h"

namespace platform::sdl {

// ---- sdl_backend.cpp ----

// Whether SDL reached a real display, and if not, why (kept for error messages).
bool DisplayAvailable();
const std::string& NoDisplayReason();
// CLOCK_MONOTONIC in nanoseconds.
std::uint64_t MonotonicNs();

// ---- sdl_modes.cpp ----

std::vector<DisplayMode> ListModes();
bool GetDesktopMode(DisplayMode* mode);
// The bounds of the whole desktop (the union of every display); false when SDL cannot tell.
bool DesktopBounds(SDL_Rect* bounds);

// ---- sdl_output.cpp ----

bool OpenOutput(const DisplayMode& mode, std::string* error);
void CloseOutput();
bool PresentOutput(const std::uint16_t* pixels, int width, int height, int pitch);
OutputStatus QueryOutput();
bool ReopenOutput();
// The output's window id, 0 when no output is open.
std::uint32_t OutputWindowId();
// For diagnosis: the output's renderer, whether it waits for a real retrace, and the pacing rate.
std::string DescribeOutput();
// Event hooks: the output window was minimised, lost or gained focus; the renderer lost its
// textures or its device; a display was removed or added.
void OnOutputMinimised();
void OnOutputFocus(bool gained);
void OnRendererReset();
void OnDisplaysChanged(bool removed);

// ---- sdl_dialog_window.cpp ----

bool OpenDialogWindow(int width, int height, const char* title, std::string* error);
void ShowDialogPicture(const std::uint16_t* pixels, int width, int height, int pitch);
void CloseDialogWindow();
// The dialog's window id, 0 when no dialog window is open.
std::uint32_t DialogWindowId();
// Shows the dialog's last picture again (after an expose or a renderer reset).
void RedrawDialog();
// The renderer's device was reset: the dialog builds a new renderer when it next draws.
void OnDialogRendererReset();

// ---- sdl_events.cpp ----

bool PollEvent(InputEvent* event);
void WaitForEvent();
// Makes SIGHUP end the program as SIGINT and SIGTERM do: as an SDL_QUIT.
void InstallHangupHandler();
// Forgets undelivered events and a pending quit (at shutdown).
void ResetEvents();

// ---- sdl_message_box.cpp ----

int ShowMessageBox(const char* caption, const char* text, unsigned type);

// ---- sdl_picture.cpp ----

// Creates or resizes *texture to a streaming XRGB texture of the given size; false on failure.
bool EnsureStreamingTexture(SDL_Renderer* renderer, SDL_Texture** texture, int width, int height);
// Uploads an R5G6B5 picture (pitch in pixels) into the texture, expanding each channel by bit
// replication; false when the texture cannot be locked.
bool UploadPicture(SDL_Texture* texture, const std::uint16_t* pixels, int width, int height, int pitch);

}  // namespace platform::sdl
