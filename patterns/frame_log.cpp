// The frame log: each call writes this frame's line into the ring, empties
// the line 30 places on, and paints the whole ring into the viewport's part
// of the offscreen surface (copied to the back buffer by the dispatcher).
#include "patterns/frame_log.h"

#include <cstdio>

#include "app/run_state.h"
#include "patterns/viewport.h"
#include "setup/graphics_handles.h"

char g_LogRing[kLogLines][kLogLineLength];

namespace {

constexpr int kLogRows = kLogLines / 2;
constexpr COLORREF kBackgroundColour = 0x00ffffff;
constexpr COLORREF kTextColour = 0x00000000;
constexpr COLORREF kWarningColour = 0x00000080;

HFONT CreateLogFont(int height, int width) {
    return CreateFontA(height, width, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_ONLY_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

// "Warning" centred on the viewport by halves on both sides of the centre,
// so an odd measured size loses a pixel to clipping.
void DrawLogWarning(HDC dc, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    HFONT font = CreateLogFont(height / 15, 0);
    HGDIOBJ previousFont = SelectObject(dc, font);

    const char* text = "Warning";
    RECT rect{0, 0, 0, 0};
    const int th = DrawTextA(dc, text, lstrlenA(text), &rect, DT_CALCRECT | DT_SINGLELINE);
    const int tw = rect.right - rect.left;
    const std::int32_t cx = x + width / 2;
    const std::int32_t cy = y + height / 2;
    SetRect(&rect, cx - tw / 2, cy - th / 2, cx + tw / 2, cy + th / 2);
    SetTextColor(dc, kWarningColour);
    DrawTextA(dc, text, lstrlenA(text), &rect, DT_SINGLELINE);

    SelectObject(dc, previousFont);
    DeleteObject(font);
}

}  // namespace

int DrawFrameLog(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    const TimeCode time = TimeCodeFromElapsed(g_RunState.ElapsedMs);
    const std::uint32_t t = g_RunState.TickIndex % kLogLines;
    std::snprintf(g_LogRing[t], kLogLineLength, "%05d %02d:%02d:%02d.%03d fps:%.1f",
                  static_cast<int>(g_RunState.FrameCounter), static_cast<int>(time.Hours),
                  static_cast<int>(time.Minutes), static_cast<int>(time.Seconds),
                  static_cast<int>(time.Milliseconds), static_cast<double>(g_RunState.Fps));
    // The ring always holds the 30 newest lines followed by 30 empty ones.
    lstrcpyA(g_LogRing[(t + kLogRows) % kLogLines], "");

    HDC dc = nullptr;
    if (FAILED(g_Graphics.offscreenSurface->GetDC(&dc))) {
        return 1;
    }

    HBRUSH brush = CreateSolidBrush(kBackgroundColour);
    RECT area;
    SetRect(&area, x, y, x + width, y + height);
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    const std::int32_t rh = height / kLogRows;
    const std::int32_t cw = width / kLogLines;
    HFONT font = CreateLogFont(rh, cw);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    for (int i = 0; i < kLogLines; ++i) {
        const std::int32_t column = i < kLogRows ? 0 : width / 2;
        TextOutA(dc, x + column + cw, y + (i % kLogRows) * rh, g_LogRing[i], lstrlenA(g_LogRing[i]));
    }
    SelectObject(dc, previousFont);
    DeleteObject(font);

    if (g_RunState.WarningCountdown != 0) {
        DrawLogWarning(dc, x, y, width, height);
    }

    g_Graphics.offscreenSurface->ReleaseDC(dc);
    return 1;
}
