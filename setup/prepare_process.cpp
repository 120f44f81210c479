// PrepareProcess: the file version, pinning to one processor, the Direct3D
// object and the catalogue of 16-bit display modes, with one failure path.
#include "setup/prepare_process.h"

#include <cstdlib>
#include <set>

#include "setup/graphics_handles.h"
#include "setup/startup_failure.h"

std::vector<Resolution> g_ModeCatalogue;

void ReadFileVersion() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) {
        return;
    }
    void* buffer = std::malloc(size);
    if (buffer == nullptr) {
        return;
    }
    // A block that exists but cannot be read counts as no version at all.
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (GetFileVersionInfoA(path, handle, size, buffer) &&
        VerQueryValueA(buffer, "\\", reinterpret_cast<LPVOID*>(&info), &length) && info != nullptr &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const DWORD fileVersionMS = info->dwFileVersionMS;
        g_RunState.VersionMajor = fileVersionMS >> 16;
        g_RunState.VersionMinor = fileVersionMS & 0xFFFF;
    }
    std::free(buffer);
}

DWORD_PTR LowestProcessorMask(DWORD_PTR processMask) {
    for (int bit = 0; bit < 32; ++bit) {
        if ((processMask >> bit) & 1) {
            return DWORD_PTR{1} << bit;
        }
    }
    return processMask;
}

namespace {

void ReportMasks(DWORD_PTR processMask, DWORD_PTR systemMask) {
    char line[128];
    // The masks print as 32-bit numbers, one bit per processor.
    wsprintfA(line, "ProcessAffinityMask:%08X, SystemAffinityMask:%08X\r\n", static_cast<unsigned>(processMask),
              static_cast<unsigned>(systemMask));
    OutputDebugStringA(line);
}

}  // namespace

void PinToOneProcessor() {
    DWORD_PTR processMask = 0, systemMask = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask)) {
        throw StartupFailure{"Failed GetProcessAffinityMask"};
    }
    ReportMasks(processMask, systemMask);
    processMask = LowestProcessorMask(processMask);
    ReportMasks(processMask, systemMask);
    SetProcessAffinityMask(GetCurrentProcess(), processMask);
}

int PrepareProcess() {
    try {
        ReadFileVersion();
        PinToOneProcessor();

        g_Graphics.direct3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (g_Graphics.direct3d == nullptr) {
            throw StartupFailure{"Failed Direct3DCreate9"};
        }
        const UINT count = g_Graphics.direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5);
        if (count == 0) {
            throw StartupFailure{"Failed GetAdapterModeCount"};
        }
        D3DDISPLAYMODE mode{};
        if (FAILED(g_Graphics.direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
            throw StartupFailure{"Failed GetAdapterDisplayMode"};
        }
        g_RunState.Desktop = Resolution{mode.Width, mode.Height};

        // Modes that differ only in refresh rate give one entry; the set also fixes the order.
        std::set<Resolution> sizes;
        for (UINT j = 0; j < count; ++j) {
            if (FAILED(g_Graphics.direct3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5, j, &mode))) {
                throw StartupFailure{"Failed EnumAdapterModes"};
            }
            sizes.insert(Resolution{mode.Width, mode.Height});
        }
        g_ModeCatalogue.clear();
        g_ModeCatalogue.assign(sizes.begin(), sizes.end());
        return 1;
    } catch (const StartupFailure& failure) {
        MessageBoxA(nullptr, failure.message, "Error", MB_ICONERROR);
        if (g_Graphics.direct3d != nullptr) {
            g_Graphics.direct3d->Release();
            g_Graphics.direct3d = nullptr;
        }
        return 0;
    }
}
