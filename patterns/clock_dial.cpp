// The clock dial: the ticks through Direct3D, then the text rows through GDI
// on the back buffer's device context, over the ticks.
#include "patterns/clock_dial.h"

#include <cmath>
#include <cstdio>

#include "app/run_state.h"
#include "patterns/back_buffer_dc.h"
#include "setup/graphics_handles.h"

namespace {

// The float nearest pi, widened: the angles are built from it.
constexpr double kPi = 3.1415927410125732;
constexpr float kTickHalfWidth = 0.02617994f;  // radians, about 1.5 degrees
constexpr float kOuterFactor = 0.9f;
constexpr float kTickLengthFactor = 0.05f;
constexpr D3DCOLOR kTickColour = 0xff000000;
constexpr D3DCOLOR kLitTickColour = 0xffffffff;
constexpr COLORREF kTextColour = 0x00ffffff;
constexpr COLORREF kWarningColour = 0x00000080;

// The dial's sine and cosine take a float angle, work in double and round
// the result back to float.
float DialSine(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }
float DialCosine(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }

// A point at angle theta (0 straight up, clockwise on screen) and radius R.
void PlaceVertex(ScreenVertex& vertex, const DialShape& dial, float theta, float radius) {
    vertex.x = static_cast<float>(dial.cx + DialSine(theta) * radius);
    vertex.y = static_cast<float>(dial.cy - DialCosine(theta) * radius);
}

}  // namespace

DialShape DialShapeOf(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    const std::int32_t m = width < height ? width : height;
    return DialShape{x + width / 2, y + height / 2, m / 2};
}

TickRadii TickRadiiOf(std::int32_t r, int i) {
    const float outer = r * kOuterFactor;
    float inner = outer - r * kTickLengthFactor;
    if (i % 5 == 0) {
        inner = inner - r * kTickLengthFactor;
    }
    return TickRadii{outer, inner};
}

void BuildDialTicks(const DialShape& dial, std::uint32_t litTick, ScreenVertex vertices[kDialVertices]) {
    for (int v = 0; v < kDialVertices; ++v) {
        vertices[v].z = 1.0f;
        vertices[v].rhw = 1.0f;
    }
    for (int i = 0; i < kDialTicks; ++i) {
        // Evaluated in this order: i / 60.0, doubled, times pi.
        const auto a = static_cast<float>(static_cast<double>(i) / 60.0 * 2.0 * kPi);
        const float hw = kTickHalfWidth;
        const TickRadii radii = TickRadiiOf(dial.r, i);
        const float aL = a - hw;
        const float aR = a + hw;

        ScreenVertex* tick = &vertices[i * kTickVertices];
        PlaceVertex(tick[0], dial, aL, radii.outer);
        PlaceVertex(tick[1], dial, aR, radii.outer);
        PlaceVertex(tick[2], dial, aL, radii.inner);
        PlaceVertex(tick[3], dial, aL, radii.inner);
        PlaceVertex(tick[4], dial, aR, radii.outer);
        PlaceVertex(tick[5], dial, aR, radii.inner);

        const D3DCOLOR colour = static_cast<std::uint32_t>(i) == litTick ? kLitTickColour : kTickColour;
        for (int k = 0; k < kTickVertices; ++k) {
            tick[k].diffuse = colour;
        }
    }
}

std::int32_t DialLineStep(std::int32_t r) {
    // Double precision matters here: wider intermediates would give 5 for r = 25, not 6.
    return static_cast<std::int32_t>(r * 1.2 / 5.0);
}

int DrawClockDial(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    IDirect3DDevice9* device = g_Graphics.device;
    const DialShape dial = DialShapeOf(x, y, width, height);

    ScreenVertex vertices[kDialVertices];
    BuildDialTicks(dial, g_RunState.TickIndex, vertices);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, kDialTicks * 2, vertices, sizeof(ScreenVertex));

    IDirect3DSurface9* backBuffer = nullptr;
    HDC dc = AcquireBackBufferDC(device, &backBuffer);
    if (dc == nullptr) {
        return 1;
    }

    HFONT font = CreateFontA(dial.r / 5, dial.r / 10, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                             nullptr);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);

    const std::int32_t s = DialLineStep(dial.r);
    const std::int32_t y0 = dial.cy - s / 2;
    const TimeCode time = TimeCodeFromElapsed(g_RunState.ElapsedMs);
    char text[256];

    wsprintfA(text, "%02d:%02d:%02d.%03d", time.Hours, time.Minutes, time.Seconds, time.Milliseconds);
    DrawCentredLine(dc, text, dial.cx, y0);

    wsprintfA(text, "%05d", g_RunState.FrameCounter);
    DrawCentredLine(dc, text, dial.cx, y0 - s);

    // Before the first rate window closes there is no rate to show; its row stays empty.
    if (g_RunState.Fps > 0.0f) {
        std::snprintf(text, sizeof text, "%.1ffps", static_cast<double>(g_RunState.Fps));
        DrawCentredLine(dc, text, dial.cx, y0 + s);
    }

    if (g_RunState.WarningCountdown != 0) {
        SetTextColor(dc, kWarningColour);
        lstrcpyA(text, "Warning");
    } else {
        wsprintfA(text, "%dx%d", width, height);
    }
    DrawCentredLine(dc, text, dial.cx, y0 + 2 * s);

    SelectObject(dc, previousFont);
    DeleteObject(font);
    ReleaseBackBufferDC(backBuffer, dc);
    return 1;
}
