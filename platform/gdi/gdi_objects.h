// The records behind GDI handles: logical fonts, solid brushes and device
// contexts on pixels. Handles are numbers from one counter, never reused and
// never dereferenced, so a stale or made-up handle is simply not found.
#pragma once

#include <memory>
#include <string>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace platform::gdi {

// All 14 arguments of CreateFontA.
struct LogicalFont {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    DWORD italic = 0;
    DWORD underline = 0;
    DWORD strikeOut = 0;
    DWORD charSet = 0;
    DWORD outPrecision = 0;
    DWORD clipPrecision = 0;
    DWORD quality = 0;
    DWORD pitchAndFamily = 0;
    std::string faceName;
};

struct GdiObject {
    enum class Kind { Font, Brush };
    Kind kind = Kind::Font;
    bool stock = false;   // made by the platform; never freed
    int selections = 0;   // how many live DCs have it selected
    LogicalFont font;
    COLORREF brushColour = 0;
    // The font at its size, found on first measure or draw; a failure is remembered.
    std::shared_ptr<FontInstance> instance;
    bool resolved = false;
    std::string failure;
};

struct DeviceContext {
    PixelTarget target{};
    HGDIOBJ font = nullptr;
    HGDIOBJ brush = nullptr;
    COLORREF textColour = 0;
    COLORREF bkColour = 0x00FFFFFF;
    int bkMode = OPAQUE;
};

// Null for a handle that is not a live object or DC.
GdiObject* FindGdiObject(HGDIOBJ handle);
DeviceContext* FindDeviceContext(HDC handle);

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object);
// Frees a non-stock object; the caller has checked it is not selected anywhere.
void RemoveGdiObject(HGDIOBJ handle);
HDC AddDeviceContext(const DeviceContext& dc);
void RemoveDeviceContext(HDC handle);

// The stock objects a new DC starts with.
HGDIOBJ DefaultFont();
HGDIOBJ DefaultBrush();

// The font of a DC at its size; null when no face can be had for it.
FontInstance* SelectedFontInstance(DeviceContext& dc);

}  // namespace platform::gdi
