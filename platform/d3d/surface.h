// Surfaces of the software device: R5G6B5 pixel arrays in memory, lockable,
// lending their pixels to GDI through GetDC.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d/rasterizer.h"
#include "platform/d3d9.h"

namespace platform {

class SoftwareDevice;

class SoftwareSurface final : public IDirect3DSurface9 {
public:
    // How a surface's life is counted, as in Direct3D:
    // - Standalone (CreateOffscreenPlainSurface): created with one reference and destroyed when
    //   the count reaches 0; it holds a reference to its device for its whole life, so the device
    //   outlives every surface made from it.
    // - BackBuffer: owned by the device and destroyed with it; it starts with no reference, and
    //   while anyone holds one (GetBackBuffer), that holder keeps the device alive too.
    enum class Kind { Standalone, BackBuffer };

    // Zero-filled pixels. owner may be null for a surface on its own (then nothing is counted on
    // a device). Throws std::bad_alloc when the pixels cannot be had.
    SoftwareSurface(SoftwareDevice* owner, Kind kind, UINT width, UINT height, D3DPOOL pool, bool lockable);
    ~SoftwareSurface() override;

    SoftwareSurface(const SoftwareSurface&) = delete;
    SoftwareSurface& operator=(const SoftwareSurface&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;

    RasterTarget Target() { return {pixels_.data(), width_, height_, width_}; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    D3DPOOL Pool() const { return pool_; }
    SoftwareDevice* Owner() const { return owner_; }
    // Locked, or its DC is out: nobody else may touch the pixels now.
    bool Busy() const { return locked_ || dc_ != nullptr; }
    // References held outside the device (a back buffer's GetBackBuffer references).
    ULONG References() const { return refs_; }

private:
    SoftwareDevice* owner_;
    Kind kind_;
    int width_;
    int height_;
    D3DPOOL pool_;
    bool lockable_;
    ULONG refs_;
    bool locked_ = false;
    HDC dc_ = nullptr;
    std::vector<std::uint16_t> pixels_;
};

}  // namespace platform
