// The virtual backend: an in-memory display for tests and headless runs.
#pragma once

namespace platform {
struct Backend;
const Backend& VirtualBackend();
}  // namespace platform
