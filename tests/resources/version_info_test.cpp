// The VERSION service reading the test program's own file, which carries the
// version block because it links the resources; then copies of that file with
// the block removed, cut short or corrupted, which must all read as "no version"
// without reading outside the file.
#include <elf.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "platform/kernel32.h"
#include "platform/version.h"

namespace {

namespace fs = std::filesystem;

std::string OwnPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_GT(length, 0u);
    return std::string(path, length);
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadVersionBlock(const std::string& path) {
    DWORD handle = 123;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<std::uint8_t> block(size);
    if (size > 0) {
        EXPECT_TRUE(GetFileVersionInfoA(path.c_str(), handle, size, block.data()));
    }
    return block;
}

std::uint32_t Read(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The value of a node of a version block found by its path of keys, by a walker of the test's own:
// each node is wLength, wValueLength, wType, a UTF-16 key, then DWORD-aligned value and children.
std::vector<std::uint8_t> FindValue(const std::uint8_t* node, std::size_t available,
                                    std::vector<std::string> path) {
    std::size_t length = Read(node, 2);
    if (length < 6 || length > available) {
        ADD_FAILURE() << "node length " << length << " outside its parent";
        return {};
    }
    std::size_t valueBytes = Read(node + 2, 2) * (Read(node + 4, 2) == 1 ? 2 : 1);  // text counts characters
    std::string key;
    std::size_t at = 6;
    for (; at + 2 <= length && Read(node + at, 2) != 0; at += 2) {
        key += static_cast<char>(Read(node + at, 2));
    }
    at = (at + 2 + 3) & ~std::size_t{3};
    if (key != path.front()) {
        return {};
    }
    path.erase(path.begin());
    if (path.empty()) {
        EXPECT_LE(at + valueBytes, length);
        return {node + at, node + std::min(at + valueBytes, length)};
    }
    at = (at + valueBytes + 3) & ~std::size_t{3};
    for (std::size_t child = at; child + 6 <= length; child = (child + Read(node + child, 2) + 3) & ~std::size_t{3}) {
        if (Read(node + child, 2) == 0) {
            break;
        }
        std::vector<std::uint8_t> value = FindValue(node + child, length - child, path);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

std::string Utf16Text(const std::vector<std::uint8_t>& value) {
    std::string text;
    for (std::size_t i = 0; i + 1 < value.size() && Read(&value[i], 2) != 0; i += 2) {
        text += static_cast<char>(Read(&value[i], 2));
    }
    return text;
}

TEST(ModuleFileName, GivesThisProgramAndTruncatesLikeWindows) {
    std::string path = OwnPath();
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));

    char small[6];
    std::memset(small, 'x', sizeof(small));
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), sizeof(small));
    EXPECT_EQ(std::string(small), path.substr(0, sizeof(small) - 1));

    char buffer[MAX_PATH] = "untouched";
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 0), 0u);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(buffer), buffer, MAX_PATH), 0u);
    EXPECT_STREQ(buffer, "");  // a caller that ignores the failure reads an empty path
}

TEST(VersionInfo, OwnFileCarriesTheCommittedBlock) {
    std::vector<std::uint8_t> block = ReadVersionBlock(OwnPath());
    EXPECT_EQ(block, ReadFile(fs::path(OSTRIVAN_SOURCE_DIR) / "resources" / "version_block.bin"));
    ASSERT_FALSE(block.empty());

    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwStrucVersion, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010004u);  // 1.4
    EXPECT_EQ(fixed.dwFileVersionLS, 0x07D900D7u);  // 2009.215
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x07D900D7u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x17u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, 4u);    // VOS__WINDOWS32
    EXPECT_EQ(fixed.dwFileType, 1u);  // VFT_APP
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    // The rest of the block, as a Windows version reader would find it.
    const std::string table = "041104b0";
    EXPECT_EQ(Utf16Text(FindValue(block.data(), block.size(), {"VS_VERSION_INFO", "StringFileInfo", table,
                                                               "FileVersion"})),
              "1, 4, 2009, 215");
    EXPECT_EQ(Utf16Text(FindValue(block.data(), block.size(), {"VS_VERSION_INFO", "StringFileInfo", table,
                                                               "ProductVersion"})),
              "1, 4, 2009, 215");
    std::vector<std::uint8_t> translation =
        FindValue(block.data(), block.size(), {"VS_VERSION_INFO", "VarFileInfo", "Translation"});
    ASSERT_EQ(translation.size(), 4u);
    EXPECT_EQ(Read(translation.data(), 4), 0x04B00411u);  // language 0x0411, code page 1200
}

TEST(VersionInfo, RefusesBadArgumentsAndOtherQueries) {
    std::string path = OwnPath();
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);  // the handle is optional
    ASSERT_GT(size, 0u);
    std::vector<std::uint8_t> block(size);
    EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, size - 1, block.data()));
    EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, size, nullptr));
    EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("/nonexistent/ostrivan", nullptr), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("/proc/self", nullptr), 0u);  // a directory
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    LPVOID value = nullptr;
    UINT length = 0;
    for (const char* query : {"", "\\\\", "\\StringFileInfo\\041104b0\\FileVersion", "\\VarFileInfo\\Translation"}) {
        EXPECT_FALSE(VerQueryValueA(block.data(), query, &value, &length)) << query;
    }
    EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, &length));
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\", nullptr, &length));
    block[40] ^= 1;  // the signature, after the block was read
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\", &value, &length));
}

// Where the block and the section headers sit in the test program's file.
struct Layout {
    std::uint64_t fileSize;
    std::uint64_t sectionTable;      // e_shoff
    std::uint64_t entrySize;         // e_shentsize
    std::uint64_t versionHeader;     // file offset of the .ostrivan_version section header
    std::uint64_t namesHeader;       // file offset of the section-name table's header
    std::uint64_t block;             // file offset of the version block
};

Layout FindLayout(const std::vector<std::uint8_t>& file) {
    Layout layout{};
    layout.fileSize = file.size();
    Elf64_Ehdr header;
    std::memcpy(&header, file.data(), sizeof(header));
    layout.sectionTable = header.e_shoff;
    layout.entrySize = header.e_shentsize;
    auto section = [&](std::size_t i) {
        Elf64_Shdr s;
        std::memcpy(&s, file.data() + header.e_shoff + i * header.e_shentsize, sizeof(s));
        return s;
    };
    layout.namesHeader = header.e_shoff + header.e_shstrndx * header.e_shentsize;
    Elf64_Shdr names = section(header.e_shstrndx);
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        if (std::strcmp(reinterpret_cast<const char*>(file.data() + names.sh_offset + section(i).sh_name),
                        ".ostrivan_version") == 0) {
            layout.versionHeader = header.e_shoff + i * header.e_shentsize;
            layout.block = section(i).sh_offset;
        }
    }
    return layout;
}

class DamagedCopies : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ostrivan-version-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        original_ = OwnPath();
        file_ = ReadFile(original_);
        layout_ = FindLayout(file_);
        ASSERT_NE(layout_.block, 0u) << "the test program has no .ostrivan_version section";
    }
    void TearDown() override {
        if (!dir_.empty()) {
            fs::remove_all(dir_);
        }
    }

    // A copy of the test program with bytes overwritten at offset.
    std::string PatchedCopy(std::uint64_t offset, const void* bytes, std::size_t length) {
        std::vector<std::uint8_t> copy = file_;
        std::memcpy(copy.data() + offset, bytes, length);
        return Write(copy);
    }
    template <typename T>
    std::string PatchedCopy(std::uint64_t offset, T value) {
        return PatchedCopy(offset, &value, sizeof(value));
    }
    std::string Write(const std::vector<std::uint8_t>& bytes) {
        fs::path path = dir_ / ("copy" + std::to_string(copies_++));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path dir_;
    std::string original_;
    std::vector<std::uint8_t> file_;
    Layout layout_{};
    int copies_ = 0;
};

void ExpectNoVersion(const std::string& path) {
    EXPECT_EQ(GetFileVersionInfoSizeA(path.c_str(), nullptr), 0u);
    std::vector<std::uint8_t> buffer(0x10000);
    EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(buffer.size()), buffer.data()));
}

TEST_F(DamagedCopies, WithoutTheSectionThereIsNoVersion) {
    std::string stripped = (dir_ / "stripped").string();
    std::string command = "objcopy --remove-section .ostrivan_version '" + original_ + "' '" + stripped + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ExpectNoVersion(stripped);
}

TEST_F(DamagedCopies, TruncatedCopiesHaveNoVersion) {
    const Layout& l = layout_;
    for (std::uint64_t size : {std::uint64_t{0}, std::uint64_t{10}, std::uint64_t{63}, l.block + 20, l.block + 100,
                               l.sectionTable + 8, l.versionHeader + 30, l.fileSize - 1}) {
        SCOPED_TRACE(size);
        ExpectNoVersion(Write({file_.begin(), file_.begin() + static_cast<std::ptrdiff_t>(size)}));
    }
}

TEST_F(DamagedCopies, CorruptedCopiesHaveNoVersion) {
    const Layout& l = layout_;
    constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max() - 8;
    const std::uint64_t nameOffset = offsetof(Elf64_Shdr, sh_name);
    const std::uint64_t typeOffset = offsetof(Elf64_Shdr, sh_type);
    const std::uint64_t offsetOffset = offsetof(Elf64_Shdr, sh_offset);
    const std::uint64_t sizeOffset = offsetof(Elf64_Shdr, sh_size);
    struct Case {
        const char* what;
        std::function<std::string()> make;
    };
    const Case cases[] = {
        {"bad ELF magic", [&] { return PatchedCopy(1, 'X'); }},
        {"32-bit class", [&] { return PatchedCopy<std::uint8_t>(EI_CLASS, ELFCLASS32); }},
        {"big-endian data", [&] { return PatchedCopy<std::uint8_t>(EI_DATA, ELFDATA2MSB); }},
        {"section table past EOF", [&] { return PatchedCopy(offsetof(Elf64_Ehdr, e_shoff), l.fileSize); }},
        {"section table offset overflows", [&] { return PatchedCopy(offsetof(Elf64_Ehdr, e_shoff), kHuge); }},
        {"entry size too small", [&] { return PatchedCopy<std::uint16_t>(offsetof(Elf64_Ehdr, e_shentsize), 10); }},
        {"entry count past EOF", [&] { return PatchedCopy<std::uint16_t>(offsetof(Elf64_Ehdr, e_shnum), 0xFFFF); }},
        {"name table index out of range",
         [&] { return PatchedCopy<std::uint16_t>(offsetof(Elf64_Ehdr, e_shstrndx), 0xFFFE); }},
        {"name table past EOF", [&] { return PatchedCopy(l.namesHeader + sizeOffset, l.fileSize); }},
        {"section name outside the name table",
         [&] { return PatchedCopy<std::uint32_t>(l.versionHeader + nameOffset, 0xFFFFFFF0u); }},
        {"section without file data", [&] { return PatchedCopy<std::uint32_t>(l.versionHeader + typeOffset, SHT_NOBITS); }},
        {"section offset at EOF", [&] { return PatchedCopy(l.versionHeader + offsetOffset, l.fileSize); }},
        {"section runs past EOF", [&] { return PatchedCopy(l.versionHeader + offsetOffset, l.fileSize - 100); }},
        {"section offset overflows", [&] { return PatchedCopy(l.versionHeader + offsetOffset, kHuge); }},
        {"section size overflows", [&] { return PatchedCopy(l.versionHeader + sizeOffset, kHuge); }},
        {"section shorter than the block", [&] { return PatchedCopy<std::uint64_t>(l.versionHeader + sizeOffset, 60); }},
        {"block length beyond the section", [&] { return PatchedCopy<std::uint16_t>(l.block, 0xFFFF); }},
        {"block length shorter than its header", [&] { return PatchedCopy<std::uint16_t>(l.block, 40); }},
        {"fixed information of the wrong size", [&] { return PatchedCopy<std::uint16_t>(l.block + 2, 0); }},
        {"wrong key", [&] { return PatchedCopy<char16_t>(l.block + 6, u'X'); }},
        {"bad signature", [&] { return PatchedCopy<std::uint32_t>(l.block + 40, 0xFEEF04BCu); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectNoVersion(c.make());
    }
}

TEST_F(DamagedCopies, MinorNumber65535ReadsBackUnnarrowed) {
    // dwFileVersionMS sits 8 bytes into the fixed information, which starts 40 bytes into the block.
    std::string path = PatchedCopy<std::uint32_t>(layout_.block + 48, 0x0001FFFFu);
    std::vector<std::uint8_t> block = ReadVersionBlock(path);
    ASSERT_FALSE(block.empty());
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS >> 16, 1u);
    EXPECT_EQ(fixed->dwFileVersionMS & 0xFFFF, 65535u);
}

}  // namespace
