#include "setup/graphics_handles.h"

GraphicsHandles g_Graphics;
