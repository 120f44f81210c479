// The three pattern dispatchers: each prepares the device for its pattern,
// splits the screen into one or two viewports by the display layout and draws
// one copy of the pattern in each. Called inside the frame's scene.
#pragma once

int DrawClockPattern();
int DrawLogPattern();
int DrawBarsPattern();
