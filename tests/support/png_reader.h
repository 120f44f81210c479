// Reads PNG files (captured frames, the dialog picture) into 8-bit RGB for pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace ostrivan_test {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Prints as (r, g, b) in failure messages.
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // packed RGB, rows top first

    // The pixel at (x, y); throws std::out_of_range outside the picture, so a bad coordinate
    // fails the test instead of reading past the buffer.
    Rgb at(int x, int y) const;
};

// Reads any PNG (palette, grey, alpha and 16-bit pictures are converted to 8-bit RGB).
// Use as ASSERT_TRUE(ReadPng(path, &picture)): a failure names the file and the reason.
testing::AssertionResult ReadPng(const std::string& path, Picture* picture);

}  // namespace ostrivan_test
