// The frame driver: one full-screen frame per call of RenderFrame.
#pragma once

// Stamps the time, draws the current pattern and the overlay inside a scene, presents, resets a
// lost device once it can be reset, and advances the frame statistics. Always returns 1.
int RenderFrame();

// The version at the bottom-right corner and the exit hint at the bottom-left, in red.
void DrawOverlay();
