// The settings dialog template, decoded with a reader of its own and checked
// field by field: the dialog manager parses these exact bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <iterator>

#include "platform/core/resource_data.h"
#include "resources/resource_ids.h"

namespace {

// Reads little-endian fields in order and fails the test instead of reading past the end.
class Reader {
public:
    explicit Reader(platform::resources::Bytes bytes) : bytes_(bytes) {}

    std::uint32_t Field(int width) {
        if (offset_ + width > bytes_.size) {
            ADD_FAILURE() << "read past the end at offset " << offset_;
            offset_ = bytes_.size;
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) {
            value = (value << 8) | bytes_.data[offset_ + i];
        }
        offset_ += width;
        return value;
    }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Field(2)); }
    std::uint32_t Dword() { return Field(4); }
    std::int16_t Short() { return static_cast<std::int16_t>(Field(2)); }
    // A zero-terminated UTF-16 string; every character here is ASCII.
    std::string Text() {
        std::string text;
        for (std::uint16_t c = Word(); c != 0 && offset_ < bytes_.size; c = Word()) {
            EXPECT_LT(c, 0x80);
            text += static_cast<char>(c);
        }
        return text;
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    std::size_t offset() const { return offset_; }

private:
    platform::resources::Bytes bytes_;
    std::size_t offset_ = 0;
};

struct Item {
    std::uint16_t atom;  // 0x0080 BUTTON, 0x0082 STATIC, 0x0083 LISTBOX
    std::uint32_t id;
    const char* text;
    int x, y, cx, cy;
    std::uint32_t style;
};

constexpr std::uint16_t kButton = 0x0080, kStatic = 0x0082, kListBox = 0x0083;

const Item kItems[] = {
    {kButton, 1, "Start", 162, 25, 54, 14, 0x50030001},
    {kButton, 2, "E&xit", 162, 44, 54, 14, 0x50010000},
    {kStatic, 0xFFFFFFFF, "&Resolution", 6, 7, 52, 10, 0x50020000},
    {kListBox, IDC_RESOLUTION_LIST, "", 6, 18, 66, 42, 0x50A30101},
    {kButton, IDC_LAYOUT_CLONE, "&Clone", 84, 18, 66, 12, 0x50020009},
    {kButton, IDC_LAYOUT_HSPAN, "&Horizontal span", 84, 30, 66, 13, 0x50000009},
    {kButton, IDC_LAYOUT_VSPAN, "&Vertical span", 84, 42, 66, 13, 0x50000009},
    {kStatic, IDC_VERSION_TEXT, "Version 0.0", 162, 6, 54, 14, 0x50020201},
    {kButton, 0xFFFFFFFF, "Display mode", 78, 6, 78, 54, 0x50000007},
};

struct Header {
    std::uint16_t version, signature;
    std::uint32_t helpId, exStyle, style;
    std::uint16_t count;
    int x, y, cx, cy;
    std::uint16_t menu, windowClass;
    std::string title;
    std::uint16_t points, weight;
    std::uint32_t italic, charset;
    std::string face;
};

Header ReadHeader(Reader& in) {
    Header h;
    h.version = in.Word();
    h.signature = in.Word();
    h.helpId = in.Dword();
    h.exStyle = in.Dword();
    h.style = in.Dword();
    h.count = in.Word();
    h.x = in.Short();
    h.y = in.Short();
    h.cx = in.Short();
    h.cy = in.Short();
    h.menu = in.Word();
    h.windowClass = in.Word();
    h.title = in.Text();
    // The font block is there because the style has DS_SETFONT.
    h.points = in.Word();
    h.weight = in.Word();
    h.italic = in.Field(1);
    h.charset = in.Field(1);
    h.face = in.Text();
    return h;
}

TEST(DialogTemplate, SettingsDialogHeaderAndFont) {
    platform::resources::Bytes bytes = platform::resources::FindDialogTemplate(IDD_SETTINGS);
    ASSERT_NE(bytes.data, nullptr);
    Reader in(bytes);
    Header h = ReadHeader(in);
    EXPECT_EQ(h.version, 1);
    EXPECT_EQ(h.signature, 0xFFFF);  // the extended template
    EXPECT_EQ(h.helpId, 0u);
    EXPECT_EQ(h.exStyle, 0u);
    EXPECT_EQ(h.style, 0x80C808C8u);
    EXPECT_EQ(h.count, 9);
    EXPECT_EQ(h.x, 0);
    EXPECT_EQ(h.y, 0);
    EXPECT_EQ(h.cx, 223);
    EXPECT_EQ(h.cy, 67);
    EXPECT_EQ(h.menu, 0);         // no menu
    EXPECT_EQ(h.windowClass, 0);  // the default dialog class
    EXPECT_EQ(h.title, "Ostrivan");
    EXPECT_EQ(h.points, 8);
    EXPECT_EQ(h.weight, 400);
    EXPECT_EQ(h.italic, 0u);
    EXPECT_EQ(h.charset, 1u);  // DEFAULT_CHARSET
    EXPECT_EQ(h.face, "MS Shell Dlg");
}

TEST(DialogTemplate, SettingsDialogControlsInTemplateOrder) {
    platform::resources::Bytes bytes = platform::resources::FindDialogTemplate(IDD_SETTINGS);
    ASSERT_NE(bytes.data, nullptr);
    Reader in(bytes);
    ASSERT_EQ(ReadHeader(in).count, std::size(kItems));
    for (const Item& expected : kItems) {
        SCOPED_TRACE(expected.text);
        in.AlignToDword();
        EXPECT_EQ(in.Dword(), 0u);  // helpID
        EXPECT_EQ(in.Dword(), 0u);  // exStyle
        EXPECT_EQ(in.Dword(), expected.style);
        EXPECT_EQ(in.Short(), expected.x);
        EXPECT_EQ(in.Short(), expected.y);
        EXPECT_EQ(in.Short(), expected.cx);
        EXPECT_EQ(in.Short(), expected.cy);
        EXPECT_EQ(in.Dword(), expected.id);
        EXPECT_EQ(in.Word(), 0xFFFF);  // the class is a predefined atom
        EXPECT_EQ(in.Word(), expected.atom);
        EXPECT_EQ(in.Text(), expected.text);
        EXPECT_EQ(in.Word(), 0);  // no creation data
    }
    EXPECT_EQ(in.offset(), bytes.size);  // nothing follows the last control
}

TEST(DialogTemplate, OnlyTheSettingsDialogExists) {
    for (unsigned id : {0u, 1u, 128u, 130u, static_cast<unsigned>(IDI_APP_ICON)}) {
        EXPECT_EQ(platform::resources::FindDialogTemplate(id).size, 0u) << id;
    }
}

}  // namespace
