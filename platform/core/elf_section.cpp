// Finding a section by name in an ELF64 file with bounds-checked reads.
#include "platform/core/elf_section.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cstring>

namespace platform {

namespace {

static_assert(std::endian::native == std::endian::little, "the reader takes ELF fields in host order");

// Names longer than this are never ours; a cap also bounds what a corrupt header can make us allocate.
constexpr std::uint64_t kMaxStringTable = 1 << 20;

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const char* path) : fd_(open(path, O_RDONLY | O_CLOEXEC)) {
        struct stat info {};
        if (fd_ >= 0 && fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
            size_ = static_cast<std::uint64_t>(info.st_size);
            valid_ = true;
        }
    }
    ~ReadOnlyFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool valid() const { return valid_; }

    // True when [offset, offset + length) lies inside the file; written so it cannot overflow.
    bool Contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    bool Read(std::uint64_t offset, std::size_t length, void* out) const {
        if (!Contains(offset, length)) {
            return false;
        }
        auto* bytes = static_cast<char*>(out);
        while (length > 0) {
            ssize_t got = pread(fd_, bytes, length, static_cast<off_t>(offset));
            if (got <= 0) {
                return false;  // the file shrank under us, or an I/O error
            }
            bytes += got;
            offset += static_cast<std::uint64_t>(got);
            length -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_;
    std::uint64_t size_ = 0;
    bool valid_ = false;
};

bool ReadHeader(const ReadOnlyFile& file, Elf64_Ehdr* header) {
    if (!file.Read(0, sizeof(*header), header)) {
        return false;
    }
    return std::memcmp(header->e_ident, ELFMAG, SELFMAG) == 0 && header->e_ident[EI_CLASS] == ELFCLASS64 &&
           header->e_ident[EI_DATA] == ELFDATA2LSB && header->e_shentsize >= sizeof(Elf64_Shdr) &&
           header->e_shnum > 0 && header->e_shstrndx < header->e_shnum;
}

// The section headers, each copied out of the table at its stated entry size.
bool ReadSectionHeaders(const ReadOnlyFile& file, const Elf64_Ehdr& header, std::vector<Elf64_Shdr>* sections) {
    std::uint64_t tableSize = std::uint64_t{header.e_shnum} * header.e_shentsize;
    if (!file.Contains(header.e_shoff, tableSize)) {
        return false;
    }
    std::vector<std::uint8_t> table(static_cast<std::size_t>(tableSize));
    if (!file.Read(header.e_shoff, table.size(), table.data())) {
        return false;
    }
    sections->resize(header.e_shnum);
    for (std::size_t i = 0; i < sections->size(); ++i) {
        std::memcpy(&(*sections)[i], table.data() + i * header.e_shentsize, sizeof(Elf64_Shdr));
    }
    return true;
}

bool ReadSectionBytes(const ReadOnlyFile& file, const Elf64_Shdr& section, std::uint64_t maxBytes,
                      std::vector<std::uint8_t>* out) {
    if (section.sh_type == SHT_NOBITS || section.sh_size > maxBytes ||
        !file.Contains(section.sh_offset, section.sh_size)) {
        return false;
    }
    out->resize(static_cast<std::size_t>(section.sh_size));
    return file.Read(section.sh_offset, out->size(), out->data());
}

// The name at offset in the section-name table, or null when it does not end inside the table.
const char* NameAt(const std::vector<std::uint8_t>& names, std::uint32_t offset) {
    if (offset >= names.size() || std::memchr(names.data() + offset, '\0', names.size() - offset) == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(names.data() + offset);
}

}  // namespace

bool ReadElfSection(const char* path, const char* name, std::size_t maxBytes, std::vector<std::uint8_t>* contents) {
    if (path == nullptr || name == nullptr || contents == nullptr) {
        return false;
    }
    ReadOnlyFile file(path);
    Elf64_Ehdr header;
    std::vector<Elf64_Shdr> sections;
    std::vector<std::uint8_t> names;
    if (!file.valid() || !ReadHeader(file, &header) || !ReadSectionHeaders(file, header, &sections) ||
        !ReadSectionBytes(file, sections[header.e_shstrndx], kMaxStringTable, &names)) {
        return false;
    }
    for (const Elf64_Shdr& section : sections) {
        const char* sectionName = NameAt(names, section.sh_name);
        if (sectionName != nullptr && std::strcmp(sectionName, name) == 0) {
            return ReadSectionBytes(file, section, maxBytes, contents);
        }
    }
    return false;
}

}  // namespace platform
