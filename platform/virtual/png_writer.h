// Writes 8-bit RGB pictures as PNG with libpng. The files carry no time or
// other varying chunk, so the same picture always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// rgb: width * height packed RGB triples, rows top first. Returns false with *error set
// (naming the file and the reason) when the file cannot be written.
bool WriteRgbPng(const std::string& path, const std::uint8_t* rgb, int width, int height, std::string* error);

// Expands an R5G6B5 picture (pitch in pixels) to 8-bit RGB by bit replication and writes it.
bool WriteR5G6B5Png(const std::string& path, const std::uint16_t* pixels, int width, int height, int pitch,
                    std::string* error);

}  // namespace platform
