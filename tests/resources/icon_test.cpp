// The icon groups: the eight images each group must carry, every one decodable
// by a reader of the test's own, and the picture in them (the dark-blue dial
// with its one lit tick at twelve o'clock, the right way up). Then LoadIconA and
// the 32-bit decoder the display backend uses for the window icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/core/icons.h"
#include "platform/core/resource_data.h"
#include "platform/user32.h"
#include "resources/resource_ids.h"

namespace {

using platform::resources::Bytes;
using platform::resources::FindIconGroup;

constexpr std::uint32_t kNavy = 0xFF004080;  // the dial face, (0, 64, 128)
constexpr std::uint32_t kWhite = 0xFFFFFFFF;  // the lit tick

std::uint32_t Read(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// One image of an .ico file: its directory entry and the DIB it points at, checked for consistency.
struct Image {
    int size = 0;
    int bits = 0;
    const std::uint8_t* dib = nullptr;

    int RowBytes(int bitsPerPixel) const { return (size * bitsPerPixel + 31) / 32 * 4; }
    const std::uint8_t* Palette() const { return dib + 40; }
    const std::uint8_t* Colours() const { return Palette() + (bits < 32 ? 4 << bits : 0); }
    const std::uint8_t* Mask() const { return Colours() + RowBytes(bits) * size; }

    // 0xAARRGGBB as a viewer shows it: alpha from the 32-bit channel, or from the AND mask when paletted.
    std::uint32_t Pixel(int x, int y) const {
        int row = size - 1 - y;  // rows are stored bottom-up
        bool masked = (Mask()[row * RowBytes(1) + x / 8] >> (7 - x % 8)) & 1;
        const std::uint8_t* line = Colours() + row * RowBytes(bits);
        if (bits == 32) {
            return Read(line + 4 * x, 4);
        }
        int index = bits == 8 ? line[x] : (line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
        return masked ? 0u : 0xFF000000u | (Read(Palette() + 4 * index, 4) & 0x00FFFFFF);
    }
};

std::vector<Image> ReadGroup(Bytes group) {
    std::vector<Image> images;
    if (group.size < 6 || Read(group.data, 2) != 0 || Read(group.data + 2, 2) != 1) {
        ADD_FAILURE() << "not an icon file";
        return images;
    }
    std::size_t count = Read(group.data + 4, 2);
    if (group.size < 6 + 16 * count) {
        ADD_FAILURE() << "directory cut short";
        return images;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = group.data + 6 + 16 * i;
        Image image;
        image.size = entry[0];
        image.bits = static_cast<int>(Read(entry + 6, 2));
        std::uint32_t length = Read(entry + 8, 4);
        std::uint32_t offset = Read(entry + 12, 4);
        SCOPED_TRACE(testing::Message() << image.size << " px, " << image.bits << " bpp");
        EXPECT_EQ(entry[1], entry[0]);
        EXPECT_EQ(entry[2], image.bits == 4 ? 16 : 0);  // colour count
        EXPECT_EQ(Read(entry + 4, 2), 1u);            // planes
        if (offset > group.size || length > group.size - offset || length < 40) {
            ADD_FAILURE() << "image outside the file";
            continue;
        }
        image.dib = group.data + offset;
        EXPECT_EQ(Read(image.dib, 4), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(Read(image.dib + 4, 4), static_cast<std::uint32_t>(image.size));
        EXPECT_EQ(Read(image.dib + 8, 4), 2u * image.size);  // colour rows and mask rows
        EXPECT_EQ(Read(image.dib + 12, 2), 1u);
        EXPECT_EQ(Read(image.dib + 14, 2), static_cast<std::uint32_t>(image.bits));
        EXPECT_EQ(Read(image.dib + 16, 4), 0u);  // BI_RGB
        std::size_t expected = static_cast<std::size_t>(image.Mask() - image.dib) + image.RowBytes(1) * image.size;
        if (length != expected) {
            ADD_FAILURE() << "header, palette, colours and mask should fill the image exactly";
            continue;
        }
        images.push_back(image);
    }
    return images;
}

TEST(Icons, EachGroupHoldsTheEightImages) {
    const std::vector<std::pair<int, int>> expected = {{32, 4}, {16, 4}, {48, 8}, {32, 8},
                                                       {16, 8}, {48, 32}, {32, 32}, {16, 32}};
    for (unsigned id : {IDI_APP_ICON, IDI_APP_ICON_SMALL}) {
        SCOPED_TRACE(id);
        std::vector<std::pair<int, int>> found;
        for (const Image& image : ReadGroup(FindIconGroup(id))) {
            found.emplace_back(image.size, image.bits);
        }
        EXPECT_EQ(found, expected);
    }
    for (unsigned id : {0u, 1u, 103u, 109u, 129u, 32512u}) {
        EXPECT_EQ(FindIconGroup(id).size, 0u) << id;
    }
}

// Every image shows the same dial: navy centre, white tick near the top, no white near the
// bottom (a flipped image would have it there), transparent corners.
TEST(Icons, EveryImageShowsTheDialTheRightWayUp) {
    for (const Image& image : ReadGroup(FindIconGroup(IDI_APP_ICON))) {
        SCOPED_TRACE(testing::Message() << image.size << " px, " << image.bits << " bpp");
        int s = image.size;
        EXPECT_EQ(image.Pixel(s / 2, s / 2), kNavy);
        EXPECT_EQ(image.Pixel(s / 2, s / 4), kWhite);
        EXPECT_EQ(image.Pixel(s / 2 - 1, s / 4), kWhite);
        EXPECT_NE(image.Pixel(s / 2, s - 1 - s / 4), kWhite);
        for (auto [x, y] : {std::pair{0, 0}, {s - 1, 0}, {0, s - 1}, {s - 1, s - 1}}) {
            EXPECT_EQ(image.Pixel(x, y) >> 24, 0u) << x << "," << y;
        }
    }
}

TEST(Icons, LoadIconKnowsOnlyTheProgramIcons) {
    HICON large = LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON));
    HICON small = LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON_SMALL));
    EXPECT_NE(large, nullptr);
    EXPECT_NE(small, nullptr);
    EXPECT_NE(large, small);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON)), large);  // the same record every time
    for (unsigned id : {0u, 1u, 103u, 109u, 129u, 32512u}) {
        EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(id)), nullptr) << id;
    }
    EXPECT_EQ(LoadIconA(nullptr, "APP_ICON"), nullptr);
}

TEST(Icons, DecodeImage32MatchesTheFileTopRowFirst) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON_SMALL));
    std::vector<Image> images = ReadGroup(FindIconGroup(IDI_APP_ICON_SMALL));
    for (int size : {48, 32, 16}) {
        SCOPED_TRACE(size);
        auto image = std::find_if(images.begin(), images.end(),
                                  [&](const Image& i) { return i.size == size && i.bits == 32; });
        ASSERT_NE(image, images.end());
        std::vector<std::uint32_t> argb;
        ASSERT_TRUE(platform::DecodeIconImage32(icon, size, &argb));
        ASSERT_EQ(argb.size(), static_cast<std::size_t>(size * size));
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                ASSERT_EQ(argb[y * size + x], image->Pixel(x, y)) << x << "," << y;
            }
        }
    }
    // The 32-pixel image by its own numbers: centre, the lit tick, an unlit tick at three o'clock.
    std::vector<std::uint32_t> argb;
    ASSERT_TRUE(platform::DecodeIconImage32(icon, 32, &argb));
    EXPECT_EQ(argb[16 * 32 + 16], kNavy);
    EXPECT_EQ(argb[5 * 32 + 16], kWhite);
    EXPECT_EQ(argb[16 * 32 + 27], 0xFF78A0CDu);  // unlit tick (120, 160, 205)
    EXPECT_EQ(argb[26 * 32 + 16], 0xFF78A0CDu);  // six o'clock is unlit
}

TEST(Icons, DecodeImage32RefusesWhatItCannotDecode) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON));
    int notAnIcon = 0;
    std::vector<std::uint32_t> argb = {7};
    EXPECT_FALSE(platform::DecodeIconImage32(nullptr, 32, &argb));
    EXPECT_FALSE(platform::DecodeIconImage32(reinterpret_cast<HICON>(&notAnIcon), 32, &argb));
    for (int size : {0, -32, 24, 64, 256, 1000}) {
        EXPECT_FALSE(platform::DecodeIconImage32(icon, size, &argb)) << size;
    }
    EXPECT_EQ(argb, std::vector<std::uint32_t>{7});  // left alone on failure
}

}  // namespace
