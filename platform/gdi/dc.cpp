// Device contexts on pixels, the objects selected into them and their text
// state: CreateSurfaceDC, CreateFontA, CreateSolidBrush, SelectObject,
// DeleteObject, SetBkMode, SetBkColor, SetTextColor.
#include <cstring>

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/surface_dc.h"
#include "platform/wingdi.h"

namespace platform {

using namespace gdi;

HDC CreateSurfaceDC(const PixelTarget& target) {
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 || target.pitch < target.width) {
        return nullptr;
    }
    DeviceContext dc;
    dc.target = target;
    dc.font = DefaultFont();
    dc.brush = DefaultBrush();
    FindGdiObject(dc.font)->selections++;
    FindGdiObject(dc.brush)->selections++;
    return AddDeviceContext(dc);
}

void DeleteSurfaceDC(HDC handle) {
    DeviceContext* dc = FindDeviceContext(handle);
    if (dc == nullptr) {
        return;
    }
    for (HGDIOBJ selected : {dc->font, dc->brush}) {
        if (GdiObject* object = FindGdiObject(selected)) {
            object->selections--;
        }
    }
    RemoveDeviceContext(handle);
}

}  // namespace platform

using platform::gdi::DeviceContext;
using platform::gdi::FindDeviceContext;
using platform::gdi::FindGdiObject;
using platform::gdi::GdiObject;

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiObject::Kind::Font;
    platform::gdi::LogicalFont& font = object->font;
    font.height = height;
    font.width = width;
    font.escapement = escapement;
    font.orientation = orientation;
    font.weight = weight;
    font.italic = italic;
    font.underline = underline;
    font.strikeOut = strikeOut;
    font.charSet = charSet;
    font.outPrecision = outPrecision;
    font.clipPrecision = clipPrecision;
    font.quality = quality;
    font.pitchAndFamily = pitchAndFamily;
    if (faceName != nullptr) {
        // A face name holds at most 31 characters, as in a LOGFONT.
        font.faceName.assign(faceName, strnlen(faceName, 31));
    }
    return platform::gdi::AddGdiObject(std::move(object));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiObject::Kind::Brush;
    object->brushColour = colour & 0x00FFFFFFu;
    return platform::gdi::AddGdiObject(std::move(object));
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ objectHandle) {
    DeviceContext* dc = FindDeviceContext(handle);
    GdiObject* object = FindGdiObject(objectHandle);
    if (dc == nullptr || object == nullptr) {
        return nullptr;
    }
    HGDIOBJ& slot = object->kind == GdiObject::Kind::Font ? dc->font : dc->brush;
    HGDIOBJ previous = slot;
    if (previous != objectHandle) {
        if (GdiObject* old = FindGdiObject(previous)) {
            old->selections--;
        }
        object->selections++;
        slot = objectHandle;
    }
    return previous;
}

BOOL DeleteObject(HGDIOBJ handle) {
    GdiObject* object = FindGdiObject(handle);
    if (object == nullptr || object->selections > 0) {
        return FALSE;
    }
    if (!object->stock) {
        platform::gdi::RemoveGdiObject(handle);
    }
    return TRUE;
}

int SetBkMode(HDC handle, int mode) {
    DeviceContext* dc = FindDeviceContext(handle);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

COLORREF SetBkColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = FindDeviceContext(handle);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->bkColour;
    dc->bkColour = colour & 0x00FFFFFFu;
    return previous;
}

COLORREF SetTextColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = FindDeviceContext(handle);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0x00FFFFFFu;
    return previous;
}
