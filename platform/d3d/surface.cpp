#include "platform/d3d/surface.h"

#include "platform/core/backend.h"
#include "platform/d3d/device.h"
#include "platform/gdi/surface_dc.h"

namespace platform {

SoftwareSurface::SoftwareSurface(SoftwareDevice* owner, Kind kind, UINT width, UINT height, D3DPOOL pool, bool lockable)
    : owner_(owner),
      kind_(kind),
      width_(static_cast<int>(width)),
      height_(static_cast<int>(height)),
      pool_(pool),
      lockable_(lockable),
      refs_(kind == Kind::Standalone ? 1 : 0),
      pixels_(static_cast<std::size_t>(width) * height, 0) {
    if (owner_ != nullptr && kind_ == Kind::Standalone) {
        owner_->AddRef();
        owner_->SurfaceCreated(this);
    }
}

SoftwareSurface::~SoftwareSurface() {
    if (dc_ != nullptr) {
        DeleteSurfaceDC(dc_);  // released without ReleaseDC: the DC must not outlive the pixels
    }
}

ULONG SoftwareSurface::AddRef() {
    if (++refs_ == 1 && kind_ == Kind::BackBuffer && owner_ != nullptr) {
        owner_->AddRef();
    }
    return refs_;
}

ULONG SoftwareSurface::Release() {
    if (refs_ == 0) {
        return 0;  // one Release too many: ignored rather than freeing memory twice
    }
    const ULONG left = --refs_;
    if (left != 0) {
        return left;
    }
    SoftwareDevice* owner = owner_;
    if (kind_ == Kind::Standalone) {
        if (owner != nullptr) {
            owner->SurfaceDestroyed(this);
        }
        delete this;
    }
    // The last reference may have been all that kept the device alive; the device may then take
    // its back buffers (this one too) with it, so nothing of `this` is touched after.
    if (owner != nullptr) {
        owner->Release();
    }
    return 0;
}

HRESULT SoftwareSurface::GetDesc(D3DSURFACE_DESC* desc) {
    if (desc == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *desc = D3DSURFACE_DESC{D3DFMT_R5G6B5, pool_, static_cast<UINT>(width_), static_cast<UINT>(height_)};
    return D3D_OK;
}

HRESULT SoftwareSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD /*flags*/) {
    if (locked == nullptr || !lockable_ || Busy()) {
        return D3DERR_INVALIDCALL;
    }
    RECT whole{0, 0, width_, height_};
    const RECT r = rect != nullptr ? *rect : whole;
    if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom || r.right > width_ || r.bottom > height_) {
        return D3DERR_INVALIDCALL;
    }
    locked->Pitch = static_cast<INT_PTR>(width_) * static_cast<INT_PTR>(sizeof(std::uint16_t));
    locked->pBits = pixels_.data() + static_cast<std::size_t>(r.top) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(r.left);
    locked_ = true;
    return D3D_OK;
}

HRESULT SoftwareSurface::UnlockRect() {
    if (!locked_) {
        return D3DERR_INVALIDCALL;
    }
    locked_ = false;
    return D3D_OK;
}

HRESULT SoftwareSurface::GetDC(HDC* dc) {
    if (CurrentBackend().ShouldFail("GetDC")) {
        return D3DERR_INVALIDCALL;
    }
    if (dc == nullptr || !lockable_ || Busy()) {
        return D3DERR_INVALIDCALL;
    }
    dc_ = CreateSurfaceDC(PixelTarget{pixels_.data(), width_, height_, width_});
    *dc = dc_;
    return dc_ != nullptr ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT SoftwareSurface::ReleaseDC(HDC dc) {
    if (dc_ == nullptr || dc != dc_) {
        return D3DERR_INVALIDCALL;
    }
    DeleteSurfaceDC(dc_);
    dc_ = nullptr;
    return D3D_OK;
}

}  // namespace platform
