#include "platform/virtual/capture.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace platform::virtual_display {

bool PrepareCaptureDirectory(const std::string& directory, std::string* error) {
    std::error_code code;
    if (std::filesystem::exists(directory, code) && !std::filesystem::is_directory(directory, code)) {
        *error = "OSTRIVAN_CAPTURE: '" + directory + "' is not a directory";
        return false;
    }
    std::filesystem::create_directories(directory, code);
    if (code) {
        *error = "OSTRIVAN_CAPTURE: cannot create directory '" + directory + "': " + code.message();
        return false;
    }
    return true;
}

std::string CaptureFramePath(const std::string& directory, std::uint64_t frame) {
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06" PRIu64 ".png", frame);
    return (std::filesystem::path(directory) / name).string();
}

std::string CaptureDialogPath(const std::string& directory) {
    return (std::filesystem::path(directory) / "dialog.png").string();
}

}  // namespace platform::virtual_display
