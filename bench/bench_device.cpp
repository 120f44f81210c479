// The software device's cost for one 1920 x 1080 frame (Clear, one quad over the whole target,
// Present into the virtual backend), beside the memory floor: setting and copying the same
// frame's bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/d3d9.h"

namespace {

constexpr UINT kWidth = 1920, kHeight = 1080;
constexpr std::size_t kFrameBytes = std::size_t{kWidth} * kHeight * sizeof(std::uint16_t);

struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
};

// One device for the whole program, on the virtual backend with no capture and no frame limit
// that matters.
struct BenchDevice {
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;

    BenchDevice() {
        setenv("OSTRIVAN_PLATFORM", "virtual", 1);
        setenv("OSTRIVAN_VIRTUAL_FRAMES", "2000000000", 1);
        unsetenv("OSTRIVAN_CAPTURE");
        unsetenv("OSTRIVAN_SCRIPT");
        unsetenv("OSTRIVAN_VIRTUAL_FAIL");
        d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (d3d == nullptr) {
            return;
        }
        D3DPRESENT_PARAMETERS p{};
        p.BackBufferWidth = kWidth;
        p.BackBufferHeight = kHeight;
        p.BackBufferFormat = D3DFMT_R5G6B5;
        p.BackBufferCount = 1;
        p.SwapEffect = D3DSWAPEFFECT_DISCARD;
        p.hDeviceWindow = reinterpret_cast<HWND>(0x4242);
        p.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
        p.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
        if (d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, p.hDeviceWindow, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p,
                              &device) < 0) {
            device = nullptr;
        }
    }
    ~BenchDevice() {
        if (device != nullptr) {
            device->Release();
        }
        if (d3d != nullptr) {
            d3d->Release();
        }
    }
};

BenchDevice& Device() {
    static BenchDevice bench;
    return bench;
}

void DeviceFrame(benchmark::State& state, D3DCOLOR left, D3DCOLOR right) {
    IDirect3DDevice9* device = Device().device;
    if (device == nullptr) {
        state.SkipWithError("no device on the virtual backend");
        return;
    }
    const float w = static_cast<float>(kWidth), h = static_cast<float>(kHeight);
    const Vertex quad[4] = {{0, 0, 1, 1, left}, {w, 0, 1, 1, right}, {0, h, 1, 1, left}, {w, h, 1, 1, right}};
    for (auto _ : state) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xffffffff, 1.0f, 0);
        device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->BeginScene();
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex));
        device->EndScene();
        benchmark::DoNotOptimize(device->Present(nullptr, nullptr, nullptr, nullptr));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

void BM_DeviceFrameSolidQuad(benchmark::State& state) { DeviceFrame(state, 0xff004080, 0xff004080); }
void BM_DeviceFrameGouraudQuad(benchmark::State& state) { DeviceFrame(state, 0xffff0000, 0xff0000ff); }

void BM_MemsetFrame(benchmark::State& state) {
    std::vector<std::uint16_t> frame(std::size_t{kWidth} * kHeight);
    for (auto _ : state) {
        std::memset(frame.data(), 0xff, kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

void BM_MemcpyFrame(benchmark::State& state) {
    std::vector<std::uint16_t> from(std::size_t{kWidth} * kHeight, 0x0210), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kFrameBytes));
}

}  // namespace

BENCHMARK(BM_MemsetFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceFrameSolidQuad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeviceFrameGouraudQuad)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
