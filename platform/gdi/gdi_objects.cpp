#include "platform/gdi/gdi_objects.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <unordered_map>

namespace platform::gdi {

namespace {

// One thread draws (the tool's), as with every other platform record.
struct Registry {
    std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects;
    std::unordered_map<std::uintptr_t, std::unique_ptr<DeviceContext>> dcs;
    std::uintptr_t nextHandle = 0x10000;
    HGDIOBJ defaultFont = nullptr;
    HGDIOBJ defaultBrush = nullptr;
};

// Kept for the whole process and reachable from here, like the font store.
Registry& Objects() {
    static Registry* registry = new Registry();
    return *registry;
}

std::uintptr_t NextHandle() {
    Registry& registry = Objects();
    registry.nextHandle += 4;
    return registry.nextHandle;
}

}  // namespace

GdiObject* FindGdiObject(HGDIOBJ handle) {
    auto& objects = Objects().objects;
    const auto found = objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found != objects.end() ? found->second.get() : nullptr;
}

DeviceContext* FindDeviceContext(HDC handle) {
    auto& dcs = Objects().dcs;
    const auto found = dcs.find(reinterpret_cast<std::uintptr_t>(handle));
    return found != dcs.end() ? found->second.get() : nullptr;
}

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object) {
    const std::uintptr_t id = NextHandle();
    Objects().objects.emplace(id, std::move(object));
    return reinterpret_cast<HGDIOBJ>(id);
}

void RemoveGdiObject(HGDIOBJ handle) { Objects().objects.erase(reinterpret_cast<std::uintptr_t>(handle)); }

HDC AddDeviceContext(const DeviceContext& dc) {
    const std::uintptr_t id = NextHandle();
    Objects().dcs.emplace(id, std::make_unique<DeviceContext>(dc));
    return reinterpret_cast<HDC>(id);
}

void RemoveDeviceContext(HDC handle) { Objects().dcs.erase(reinterpret_cast<std::uintptr_t>(handle)); }

HGDIOBJ DefaultFont() {
    Registry& registry = Objects();
    if (registry.defaultFont == nullptr) {
        // A proportional sans face with a 16-pixel cell, as a system font would be.
        auto font = std::make_unique<GdiObject>();
        font->kind = GdiObject::Kind::Font;
        font->stock = true;
        font->font.height = 16;
        font->font.weight = FW_NORMAL;
        font->font.quality = ANTIALIASED_QUALITY;
        font->font.pitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        registry.defaultFont = AddGdiObject(std::move(font));
    }
    return registry.defaultFont;
}

HGDIOBJ DefaultBrush() {
    Registry& registry = Objects();
    if (registry.defaultBrush == nullptr) {
        auto brush = std::make_unique<GdiObject>();
        brush->kind = GdiObject::Kind::Brush;
        brush->stock = true;
        brush->brushColour = 0x00FFFFFF;
        registry.defaultBrush = AddGdiObject(std::move(brush));
    }
    return registry.defaultBrush;
}

FontInstance* SelectedFontInstance(DeviceContext& dc) {
    GdiObject* font = FindGdiObject(dc.font);
    if (font == nullptr || font->kind != GdiObject::Kind::Font) {
        return nullptr;
    }
    if (!font->resolved) {
        font->resolved = true;
        const LogicalFont& logical = font->font;
        const FontRequest request{logical.faceName, logical.weight, logical.italic != 0, logical.pitchAndFamily};
        font->instance = AcquireFontInstance(request, logical.height, logical.width, font->failure);
        // Each distinct failure is said once: the tool makes its fonts anew every frame.
        static std::set<std::string>* said = new std::set<std::string>();
        if (font->instance == nullptr && said->insert(font->failure).second) {
            std::fprintf(stderr, "GDI: no face for font \"%s\": %s\n", logical.faceName.c_str(), font->failure.c_str());
        }
    }
    return font->instance.get();
}

}  // namespace platform::gdi
