// Chooses the backend once, by name, from OSTRIVAN_PLATFORM.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/core/backend.h"
#include "platform/entry.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/virtual/virtual_backend.h"

namespace platform {

namespace {

const Backend* g_backend = nullptr;

[[noreturn]] void StopWithSettingsError(const std::string& message) {
    std::fprintf(stderr, "ostrivan: %s\n", message.c_str());
    std::exit(2);
}

const Backend& ChooseBackend() {
    const char* name = std::getenv("OSTRIVAN_PLATFORM");
    if (name == nullptr || *name == '\0' || std::strcmp(name, "sdl") == 0) {
        return SdlBackend();
    }
    if (std::strcmp(name, "virtual") == 0) {
        return VirtualBackend();
    }
    StopWithSettingsError(std::string("OSTRIVAN_PLATFORM: unknown backend '") + name + "' (expected sdl or virtual)");
}

}  // namespace

void StartPlatform() {
    if (g_backend != nullptr) {
        return;
    }
    const Backend& backend = ChooseBackend();
    std::string error;
    if (!backend.Init(&error)) {
        StopWithSettingsError(error);
    }
    g_backend = &backend;
}

void StopPlatform() {
    if (g_backend != nullptr) {
        g_backend->Shutdown();
        g_backend = nullptr;
    }
}

const Backend& CurrentBackend() {
    StartPlatform();
    return *g_backend;
}

}  // namespace platform
