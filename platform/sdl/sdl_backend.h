// The SDL backend: real displays, input and message boxes through SDL2.
#pragma once

namespace platform {
struct Backend;
const Backend& SdlBackend();
}  // namespace platform
