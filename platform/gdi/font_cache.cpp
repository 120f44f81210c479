#include "platform/gdi/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <utility>

#include "platform/gdi/face_entry.h"
#include "platform/gdi/glyph_rasterizer.h"

namespace platform::gdi {

namespace {

// Windows-1252 positions 0x80 to 0x9F; 0 where the code page leaves a hole. The rest of the
// single-byte range is Latin-1, the same number in Unicode.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t AnsiToUnicode(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c; }

// Everything here lives for the whole process and stays reachable from these statics, so the
// leak checker sees no loss; the tool's frames keep coming back to the same few fonts.
struct FontStore {
    FT_Library library = nullptr;
    bool libraryFailed = false;
    std::map<std::pair<std::string, int>, std::unique_ptr<FaceEntry>> faces;
    struct Sized {
        FaceEntry* face;
        int height;
        int width;
        bool emboldened;
        std::shared_ptr<FontInstance> instance;
        std::uint64_t lastUse;
    };
    std::vector<Sized> sizes;
    std::uint64_t useClock = 0;
    std::uint64_t nextSerial = 1;
};

FontStore& Store() {
    static FontStore* store = new FontStore();
    return *store;
}

// Sizes kept after their fonts are gone; the tool uses a handful per frame.
constexpr std::size_t kKeptSizes = 32;

void ReadTables(FaceEntry& entry) {
    FT_Face face = entry.face;
    FaceTables& t = entry.tables;
    t.unitsPerEm = face->units_per_EM;
    t.underlinePosition = face->underline_position;
    t.underlineThickness = face->underline_thickness;
    t.maxAdvance = face->max_advance_width;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        t.winAscent = os2->usWinAscent;
        t.winDescent = os2->usWinDescent;
        t.avgCharWidth = os2->xAvgCharWidth;
        t.strikeoutPosition = os2->yStrikeoutPosition;
        t.strikeoutSize = os2->yStrikeoutSize;
        entry.weightClass = os2->usWeightClass;
    } else {
        t.winAscent = face->ascender;
        t.winDescent = -face->descender;
    }
    if (hhea != nullptr) {
        t.maxAdvance = hhea->advance_Width_Max;
        const int lineUnits = hhea->Ascender - hhea->Descender + hhea->Line_Gap;
        t.lineGapExtra = std::max(0, lineUnits - (t.winAscent + t.winDescent));
    }
    if (t.strikeoutPosition <= 0) {
        t.strikeoutPosition = t.unitsPerEm / 4;
    }
    if (t.strikeoutSize <= 0) {
        t.strikeoutSize = t.underlineThickness > 0 ? t.underlineThickness : t.unitsPerEm / 20;
    }

    for (int c = 0; c < 256; ++c) {
        const auto ch = static_cast<unsigned char>(c);
        entry.control[ch] = ch < 0x20 || ch == 0x7F;
        const char32_t code = AnsiToUnicode(ch);
        entry.glyphIndex[ch] = code != 0 ? FT_Get_Char_Index(face, code) : 0;
        FT_Fixed advance = 0;
        if (!entry.control[ch] && FT_Get_Advance(face, entry.glyphIndex[ch], FT_LOAD_NO_SCALE, &advance) == 0) {
            entry.advanceUnits[ch] = static_cast<int>(advance);
        }
    }
    if (t.avgCharWidth <= 0) {
        t.avgCharWidth = entry.advanceUnits['x'] > 0 ? entry.advanceUnits['x'] : t.maxAdvance;
    }
}

FaceEntry* LoadFace(FontStore& store, const FaceChoice& choice, std::string& reason) {
    const auto key = std::make_pair(choice.file, choice.index);
    if (auto found = store.faces.find(key); found != store.faces.end()) {
        return found->second.get();
    }
    if (store.library == nullptr) {
        if (store.libraryFailed || FT_Init_FreeType(&store.library) != 0) {
            store.libraryFailed = true;
            store.library = nullptr;
            reason = "FreeType: FT_Init_FreeType failed";
            return nullptr;
        }
    }
    auto entry = std::make_unique<FaceEntry>();
    if (FT_New_Face(store.library, choice.file.c_str(), choice.index, &entry->face) != 0) {
        reason = "FreeType: cannot open face " + choice.file;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(entry->face)) {
        FT_Done_Face(entry->face);
        reason = "FreeType: not an outline face: " + choice.file;
        return nullptr;
    }
    entry->file = choice.file;
    entry->index = choice.index;
    ReadTables(*entry);
    FaceEntry* raw = entry.get();
    store.faces.emplace(key, std::move(entry));
    return raw;
}

}  // namespace

FontInstance::FontInstance(FaceEntry* face, const SizeMetrics& metrics, bool emboldened)
    : face_(face), metrics_(metrics), serial_(Store().nextSerial++), emboldened_(emboldened) {
    for (int c = 0; c < 256; ++c) {
        advance_[c] = face_->control[c] ? 0 : ScaleAdvance(face_->advanceUnits[c], face_->tables, metrics_);
    }
}

long long FontInstance::MeasureWidth(std::string_view text) const {
    long long width = 0;
    for (char c : text) {
        width += advance_[static_cast<unsigned char>(c)];
    }
    return width;
}

const GlyphBitmap& FontInstance::Glyph(unsigned char c) {
    if (!loaded_[c]) {
        loaded_[c] = true;
        if (!face_->control[c]) {
            RasterizeGlyph(*face_, serial_, metrics_, emboldened_, face_->glyphIndex[c], glyphs_[c]);
        }
    }
    return glyphs_[c];
}

int FontInstance::FaceWeight() const { return emboldened_ ? 700 : face_->weightClass; }

const std::string& FontInstance::FaceFile() const { return face_->file; }

std::shared_ptr<FontInstance> AcquireFontInstance(const FontRequest& request, int height, int width,
                                                  std::string& reason) {
    FaceChoice choice;
    if (!MapFont(request, choice, reason)) {
        return nullptr;
    }
    FontStore& store = Store();
    FaceEntry* face = LoadFace(store, choice, reason);
    if (face == nullptr) {
        return nullptr;
    }
    const bool emboldened = request.weight >= 600 && face->weightClass < 600;
    ++store.useClock;
    for (auto& sized : store.sizes) {
        if (sized.face == face && sized.height == height && sized.width == width && sized.emboldened == emboldened) {
            sized.lastUse = store.useClock;
            return sized.instance;
        }
    }
    if (store.sizes.size() >= kKeptSizes) {
        // Forget the least recently used size; fonts still holding it keep it alive.
        auto oldest = std::min_element(store.sizes.begin(), store.sizes.end(),
                                       [](const auto& a, const auto& b) { return a.lastUse < b.lastUse; });
        store.sizes.erase(oldest);
    }
    auto instance = std::make_shared<FontInstance>(face, ComputeSizeMetrics(face->tables, height, width), emboldened);
    store.sizes.push_back({face, height, width, emboldened, instance, store.useClock});
    return instance;
}

}  // namespace platform::gdi
