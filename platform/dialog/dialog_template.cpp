#include "platform/dialog/dialog_template.h"

#include "platform/user32.h"

namespace platform::dialog {

namespace {

// A cursor over the template bytes that refuses to move past the end.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Word(std::uint16_t* value) {
        if (size_ - pos_ < 2) {
            return false;
        }
        *value = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool Short(std::int16_t* value) {
        std::uint16_t w;
        return Word(&w) && (*value = static_cast<std::int16_t>(w), true);
    }
    bool Dword(std::uint32_t* value) {
        std::uint16_t low, high;
        if (!Word(&low) || !Word(&high)) {
            return false;
        }
        *value = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    bool Byte(std::uint8_t* value) {
        if (pos_ >= size_) {
            return false;
        }
        *value = data_[pos_++];
        return true;
    }
    bool Bytes(std::size_t count, std::vector<std::uint8_t>* out) {
        if (size_ - pos_ < count) {
            return false;
        }
        out->assign(data_ + pos_, data_ + pos_ + count);
        pos_ += count;
        return true;
    }
    // A NUL-terminated UTF-16 string, narrowed to single bytes.
    bool String(std::string* out) {
        out->clear();
        for (;;) {
            std::uint16_t unit;
            if (!Word(&unit)) {
                return false;
            }
            if (unit == 0) {
                return true;
            }
            out->push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
        }
    }
    // 0x0000: empty; 0xFFFF: an ordinal follows; anything else starts a string.
    bool NameOrOrd(NameOrOrdinal* out) {
        *out = NameOrOrdinal{};
        if (size_ - pos_ < 2) {
            return false;
        }
        const std::uint16_t first = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        if (first == 0xFFFF) {
            pos_ += 2;
            out->isOrdinal = true;
            return Word(&out->ordinal);
        }
        return String(&out->name);
    }
    // Items start on a DWORD boundary, counted from the start of the template.
    bool AlignDword() {
        const std::size_t aligned = (pos_ + 3) & ~static_cast<std::size_t>(3);
        if (aligned > size_) {
            return false;
        }
        pos_ = aligned;
        return true;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool ParseItem(Reader& r, DialogItemTemplate* item) {
    std::uint32_t id;
    std::uint16_t extraCount;
    if (!r.AlignDword() || !r.Dword(&item->helpId) || !r.Dword(&item->exStyle) || !r.Dword(&item->style) ||
        !r.Short(&item->x) || !r.Short(&item->y) || !r.Short(&item->cx) || !r.Short(&item->cy) || !r.Dword(&id) ||
        !r.NameOrOrd(&item->windowClass) || !r.NameOrOrd(&item->title) || !r.Word(&extraCount)) {
        return false;
    }
    item->id = static_cast<std::int32_t>(id);
    return r.Bytes(extraCount, &item->creationData);
}

}  // namespace

bool ParseDialogTemplate(const std::uint8_t* data, std::size_t size, DialogTemplate* out) {
    if (data == nullptr || out == nullptr) {
        return false;
    }
    Reader r(data, size);
    std::uint16_t version, signature, count;
    if (!r.Word(&version) || !r.Word(&signature) || version != 1 || signature != 0xFFFF) {
        return false;
    }
    DialogTemplate& t = *out;
    t = DialogTemplate{};
    if (!r.Dword(&t.helpId) || !r.Dword(&t.exStyle) || !r.Dword(&t.style) || !r.Word(&count) || !r.Short(&t.x) ||
        !r.Short(&t.y) || !r.Short(&t.cx) || !r.Short(&t.cy) || !r.NameOrOrd(&t.menu) ||
        !r.NameOrOrd(&t.windowClass) || !r.String(&t.title)) {
        return false;
    }
    if ((t.style & DS_SETFONT) != 0) {
        t.hasFont = true;
        if (!r.Word(&t.pointSize) || !r.Word(&t.weight) || !r.Byte(&t.italic) || !r.Byte(&t.charset) ||
            !r.String(&t.typeface)) {
            return false;
        }
    }
    t.items.resize(count);
    for (DialogItemTemplate& item : t.items) {
        if (!ParseItem(r, &item)) {
            return false;
        }
    }
    return true;
}

}  // namespace platform::dialog
