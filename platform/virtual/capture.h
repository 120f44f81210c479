// Where captured pictures go: the capture directory and the names of its files.
#pragma once

#include <cstdint>
#include <string>

namespace platform::virtual_display {

// Creates the directory (with its parents) when missing. False with *error set when it cannot,
// or when the path names something that is not a directory.
bool PrepareCaptureDirectory(const std::string& directory, std::string* error);

// "<directory>/frame-NNNNNN.png" for the frame-th present (0-based, at least six digits).
std::string CaptureFramePath(const std::string& directory, std::uint64_t frame);

// "<directory>/dialog.png": the dialog's last picture.
std::string CaptureDialogPath(const std::string& directory);

}  // namespace platform::virtual_display
