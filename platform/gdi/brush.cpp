// FillRect: a solid brush over a rectangle, right and bottom edges exclusive,
// clipped to the surface.
#include "platform/core/pixels.h"
#include "platform/gdi/blend.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/wingdi.h"

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle) {
    platform::DeviceContext* dc = platform::FindDeviceContext(handle);
    platform::GdiObject* brush = platform::FindGdiObject(brushHandle);
    if (dc == nullptr || rect == nullptr || brush == nullptr || brush->kind != platform::GdiObject::Kind::Brush) {
        return 0;
    }
    const platform::ClipBox box{rect->left, rect->top, rect->right, rect->bottom};
    platform::FillBox(dc->target, platform::Intersect(box, platform::SurfaceBox(dc->target)),
                      platform::ColorRefToR5G6B5(brush->brushColour));
    return 1;
}
