// FillRect: a solid brush over a rectangle, right and bottom edges exclusive,
// clipped to the surface.
#include "platform/core/pixels.h"
#include "platform/gdi/blend.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/wingdi.h"

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle) {
    platform::gdi::DeviceContext* dc = platform::gdi::FindDeviceContext(handle);
    platform::gdi::GdiObject* brush = platform::gdi::FindGdiObject(brushHandle);
    if (dc == nullptr || rect == nullptr || brush == nullptr || brush->kind != platform::gdi::GdiObject::Kind::Brush) {
        return 0;
    }
    const platform::gdi::ClipBox box{rect->left, rect->top, rect->right, rect->bottom};
    platform::gdi::FillBox(dc->target, platform::gdi::Intersect(box, platform::gdi::SurfaceBox(dc->target)),
                      platform::ColorRefToR5G6B5(brush->brushColour));
    return 1;
}
