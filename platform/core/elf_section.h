// Reads one named section from an executable's file on disk (ELF64,
// little-endian), the way the VERSION service finds the embedded version block.
// Internal to the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Reads the whole of the first section called name into *contents. Every offset
// and size taken from the file is checked against the file's real size, so a
// truncated or corrupted file never makes it read outside what it holds.
// Returns false when the file cannot be opened, is not a 64-bit little-endian
// ELF file, is truncated or malformed, has no such section, or the section is
// larger than maxBytes.
bool ReadElfSection(const char* path, const char* name, std::size_t maxBytes, std::vector<std::uint8_t>* contents);

}  // namespace platform
