// VERSION: the program's file version, read back from the version block that
// resources/version_block.S embeds in the executable's .ostrivan_version
// section. Also the module file name, which is how callers find that file.
//
// The block is a VS_VERSIONINFO structure: WORD wLength, WORD wValueLength,
// WORD wType, the UTF-16 key "VS_VERSION_INFO", padding to a DWORD boundary,
// then VS_FIXEDFILEINFO, then the string and variable children. Only the
// fixed information is offered by VerQueryValueA.
#include <unistd.h>

#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/core/elf_section.h"
#include "platform/kernel32.h"
#include "platform/version.h"

namespace {

constexpr char kSectionName[] = ".ostrivan_version";
constexpr char16_t kRootKey[] = u"VS_VERSION_INFO";   // 16 UTF-16 units with its terminator
constexpr std::size_t kKeyOffset = 6;                 // after wLength, wValueLength, wType
constexpr std::size_t kFixedInfoOffset = 40;          // 6 + 32 bytes of key, padded to a DWORD
constexpr std::size_t kMinimumBlock = kFixedInfoOffset + sizeof(VS_FIXEDFILEINFO);
constexpr std::size_t kMaxBlock = 0xFFFF;              // wLength is a WORD

std::uint32_t ReadLittleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The block's length when the first available bytes hold a sound VS_VERSIONINFO
// header with its fixed information inside them; 0 otherwise.
std::size_t CheckedBlockLength(const std::uint8_t* block, std::size_t available) {
    if (available < kMinimumBlock) {
        return 0;
    }
    std::size_t length = ReadLittleEndian(block, 2);
    std::size_t valueLength = ReadLittleEndian(block + 2, 2);
    if (length < kMinimumBlock || length > available || valueLength != sizeof(VS_FIXEDFILEINFO)) {
        return 0;
    }
    for (std::size_t i = 0; i < sizeof(kRootKey) / sizeof(kRootKey[0]); ++i) {
        if (ReadLittleEndian(block + kKeyOffset + 2 * i, 2) != kRootKey[i]) {
            return 0;
        }
    }
    if (ReadLittleEndian(block + kFixedInfoOffset, 4) != VS_FFI_SIGNATURE) {
        return 0;
    }
    return length;
}

// The file's version block, exactly wLength bytes; false when it has none or it is unsound.
bool ReadVersionBlock(LPCSTR path, std::vector<std::uint8_t>* block) {
    // The section may carry up to three bytes of alignment after the block, never more.
    std::vector<std::uint8_t> section;
    if (!platform::ReadElfSection(path, kSectionName, kMaxBlock + 3, &section)) {
        return false;
    }
    std::size_t length = CheckedBlockLength(section.data(), section.size());
    if (length == 0) {
        return false;
    }
    section.resize(length);
    *block = std::move(section);
    return true;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    // On failure the buffer holds an empty string, so a caller that does not test the result
    // reads no leftover bytes.
    buffer[0] = '\0';
    if (module != nullptr) {
        return 0;
    }
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof(path)) {
        return 0;  // unreadable, or the link may have been cut short
    }
    // Like Windows: a buffer too small gets the path's start, still terminated, and the result is size.
    DWORD copied = static_cast<DWORD>(length) < size ? static_cast<DWORD>(length) : size - 1;
    std::memcpy(buffer, path, copied);
    buffer[copied] = '\0';
    return static_cast<DWORD>(length) < size ? copied : size;
}

DWORD GetFileVersionInfoSizeA(LPCSTR path, DWORD* handle) {
    if (handle != nullptr) {
        *handle = 0;
    }
    std::vector<std::uint8_t> block;
    return ReadVersionBlock(path, &block) ? static_cast<DWORD>(block.size()) : 0;
}

BOOL GetFileVersionInfoA(LPCSTR path, DWORD, DWORD size, LPVOID data) {
    std::vector<std::uint8_t> block;
    if (data == nullptr || !ReadVersionBlock(path, &block) || block.size() > size) {
        return FALSE;
    }
    std::memcpy(data, block.data(), block.size());
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID data, LPCSTR subBlock, LPVOID* value, UINT* length) {
    if (data == nullptr || subBlock == nullptr || value == nullptr || length == nullptr ||
        std::strcmp(subBlock, "\\") != 0) {
        return FALSE;
    }
    // The buffer came from GetFileVersionInfoA, so its own wLength says how much of it there is.
    auto* block = static_cast<const std::uint8_t*>(data);
    if (CheckedBlockLength(block, ReadLittleEndian(block, 2)) == 0) {
        return FALSE;
    }
    *value = const_cast<std::uint8_t*>(block + kFixedInfoOffset);
    *length = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
}
