// The moving bars: ten quads through Direct3D, then two centred text rows
// through GDI on the back buffer's device context, over the bars.
#include "patterns/moving_bars.h"

#include <cstdio>

#include "app/run_state.h"
#include "patterns/back_buffer_dc.h"
#include "patterns/viewport.h"
#include "setup/graphics_handles.h"

namespace {

constexpr D3DCOLOR kBarColours[3] = {0xffff0000, 0xff00ff00, 0xff0000ff};
constexpr COLORREF kTextColour = 0x00000000;
constexpr COLORREF kWarningColour = 0x00000080;
constexpr std::int32_t kRowGap = 4;

void SetCorner(ScreenVertex& vertex, float x, float y) {
    vertex.x = x;
    vertex.y = y;
}

}  // namespace

int BarPosition(std::uint32_t frameCounter, int j) {
    const auto p = static_cast<int>(frameCounter % kBarPositions);
    return (p + j) % kBarPositions;
}

BarEdges BarEdgesOf(std::int32_t x, std::int32_t width, int d) {
    // Multiplying before dividing spreads the remainder over the positions.
    return BarEdges{x + (d * width) / kBarPositions, x + ((d + 1) * width) / kBarPositions};
}

D3DCOLOR BarColour(std::uint32_t frameCounter, int j) {
    return kBarColours[(frameCounter + static_cast<std::uint32_t>(j)) % 3];
}

int DrawMovingBars(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    IDirect3DDevice9* device = g_Graphics.device;

    // Vertex order left-top, left-bottom, right-top, right-bottom: a strip of two triangles.
    ScreenVertex quad[4];
    for (ScreenVertex& vertex : quad) {
        vertex.z = 1.0f;
        vertex.rhw = 1.0f;
    }
    const std::uint32_t frameCounter = g_RunState.FrameCounter;
    for (int j = 0; j < kBarsInBand; ++j) {
        const BarEdges edges = BarEdgesOf(x, width, BarPosition(frameCounter, j));
        const auto left = static_cast<float>(edges.left);
        const auto right = static_cast<float>(edges.right);
        const auto top = static_cast<float>(y);
        const auto bottom = static_cast<float>(y + height);
        SetCorner(quad[0], left, top);
        SetCorner(quad[1], left, bottom);
        SetCorner(quad[2], right, top);
        SetCorner(quad[3], right, bottom);
        const D3DCOLOR colour = BarColour(frameCounter, j);
        for (ScreenVertex& vertex : quad) {
            vertex.diffuse = colour;
        }
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
    }

    const std::int32_t cx = x + width / 2;
    IDirect3DSurface9* backBuffer = nullptr;
    HDC dc = AcquireBackBufferDC(device, &backBuffer);
    if (dc == nullptr) {
        return 1;
    }

    HFONT font = CreateFontA(height / 16, width / 30, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                             nullptr);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);

    const TimeCode time = TimeCodeFromElapsed(g_RunState.ElapsedMs);
    char text[256];
    std::snprintf(text, sizeof text, "%05d %02d:%02d:%02d.%03d %.1ffps", static_cast<int>(frameCounter),
                  static_cast<int>(time.Hours), static_cast<int>(time.Minutes), static_cast<int>(time.Seconds),
                  static_cast<int>(time.Milliseconds), static_cast<double>(g_RunState.Fps));
    const int th1 = DrawCentredLine(dc, text, cx, y);

    const std::int32_t top2 = y + th1 + kRowGap;
    if (g_RunState.WarningCountdown != 0) {
        SetTextColor(dc, kWarningColour);
        lstrcpyA(text, "Warning");
    } else {
        wsprintfA(text, "%dx%d", width, height);
    }
    DrawCentredLine(dc, text, cx, top2);

    SelectObject(dc, previousFont);
    DeleteObject(font);
    ReleaseBackBufferDC(backBuffer, dc);
    return 1;
}
