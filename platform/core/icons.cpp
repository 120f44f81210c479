// LoadIconA and the decoding of icon images from the embedded .ico groups.
//
// An icon handle points at one of the static records below, never at anything
// allocated, so it needs no destroying and a stray handle is recognised by
// address before anything is read through it.
#include "platform/core/icons.h"

#include "platform/core/resource_data.h"
#include "platform/user32.h"
#include "resources/resource_ids.h"

namespace {

struct IconRecord {
    unsigned id;
};

const IconRecord kIcons[] = {{IDI_APP_ICON}, {IDI_APP_ICON_SMALL}};

const IconRecord* RecordOf(HICON icon) {
    for (const IconRecord& record : kIcons) {
        if (reinterpret_cast<const void*>(icon) == &record) {
            return &record;
        }
    }
    return nullptr;
}

std::uint32_t Read(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

constexpr std::size_t kDirectoryHeader = 6;  // reserved, type (1 = icon), image count
constexpr std::size_t kDirectoryEntry = 16;
constexpr std::size_t kInfoHeader = 40;  // BITMAPINFOHEADER

// The [offset, offset + length) of the 32-bit image of this size in an .ico file; false when absent.
bool FindImage(const platform::resources::Bytes& group, int size, std::size_t* offset, std::size_t* length) {
    if (group.size < kDirectoryHeader || Read(group.data, 2) != 0 || Read(group.data + 2, 2) != 1) {
        return false;
    }
    std::size_t count = Read(group.data + 4, 2);
    if (count > (group.size - kDirectoryHeader) / kDirectoryEntry) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = group.data + kDirectoryHeader + i * kDirectoryEntry;
        int width = entry[0] == 0 ? 256 : entry[0];
        int height = entry[1] == 0 ? 256 : entry[1];
        std::size_t bytes = Read(entry + 8, 4);
        std::size_t start = Read(entry + 12, 4);
        if (width == size && height == size && Read(entry + 6, 2) == 32 && start <= group.size &&
            bytes <= group.size - start) {
            *offset = start;
            *length = bytes;
            return true;
        }
    }
    return false;
}

}  // namespace

HICON LoadIconA(HINSTANCE, LPCSTR name) {
    // The program has one module, so the instance does not narrow the search; it has no named icons.
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    unsigned id = static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
    for (const IconRecord& record : kIcons) {
        if (record.id == id && platform::resources::FindIconGroup(id).size > 0) {
            return reinterpret_cast<HICON>(const_cast<IconRecord*>(&record));
        }
    }
    return nullptr;
}

namespace platform {

bool DecodeIconImage32(HICON icon, int size, std::vector<std::uint32_t>* argb) {
    const IconRecord* record = RecordOf(icon);
    if (record == nullptr || argb == nullptr || size <= 0 || size > 256) {
        return false;
    }
    resources::Bytes group = resources::FindIconGroup(record->id);
    std::size_t offset = 0;
    std::size_t length = 0;
    if (group.data == nullptr || !FindImage(group, size, &offset, &length) || length < kInfoHeader) {
        return false;
    }
    // The DIB: its header, any colour table, then the colour rows bottom-up (the AND mask follows).
    const std::uint8_t* dib = group.data + offset;
    std::size_t headerSize = Read(dib, 4);
    std::size_t colours = Read(dib + 32, 4);
    std::size_t pixelCount = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    if (headerSize < kInfoHeader || headerSize > length || Read(dib + 4, 4) != static_cast<std::uint32_t>(size) ||
        Read(dib + 8, 4) != 2u * static_cast<std::uint32_t>(size) || Read(dib + 14, 2) != 32 ||
        Read(dib + 16, 4) != 0 || colours > (length - headerSize) / 4 ||
        pixelCount > (length - headerSize - 4 * colours) / 4) {
        return false;
    }
    const std::uint8_t* rows = dib + headerSize + 4 * colours;
    argb->assign(pixelCount, 0);
    for (int y = 0; y < size; ++y) {
        const std::uint8_t* source = rows + static_cast<std::size_t>(size - 1 - y) * size * 4;
        for (int x = 0; x < size; ++x, source += 4) {
            // BGRA in the file.
            (*argb)[static_cast<std::size_t>(y) * size + x] =
                (std::uint32_t{source[3]} << 24) | (std::uint32_t{source[2]} << 16) |
                (std::uint32_t{source[1]} << 8) | source[0];
        }
    }
    return true;
}

}  // namespace platform
