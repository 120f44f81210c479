// The virtual backend's record: settings from the environment, a virtual clock,
// scripted input, captured pictures and injected failures, all in memory.
#include "platform/virtual/virtual_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/backend.h"
#include "platform/user32.h"
#include "platform/virtual/capture.h"
#include "platform/virtual/event_schedule.h"
#include "platform/virtual/failure_injection.h"
#include "platform/virtual/png_writer.h"
#include "platform/virtual/script.h"
#include "platform/virtual/settings.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_observe.h"

namespace platform {

namespace {

using namespace virtual_display;

constexpr unsigned kDefaultRefreshHz = 60;

// The whole virtual display; Init rebuilds it from the environment, Shutdown empties it.
struct VirtualDisplay {
    Settings settings;
    VirtualClock clock;
    EventSchedule schedule;
    FailureInjection failures;
    Observed observed;
    std::vector<std::uint16_t> dialogPicture;  // the latest dialog picture, packed rows
    int dialogPictureWidth = 0;
    int dialogPictureHeight = 0;
    bool captureErrorReported = false;
};

VirtualDisplay g_display;

void ReportCaptureError(const std::string& error) {
    // One line, once: a full disk should not bury the run's own output.
    if (!g_display.captureErrorReported) {
        g_display.captureErrorReported = true;
        std::fprintf(stderr, "ostrivan: OSTRIVAN_CAPTURE: %s\n", error.c_str());
    }
}

bool Init(std::string* error) {
    Settings settings;
    if (!ReadSettings([](const char* name) { return std::getenv(name); }, &settings, error)) {
        return false;
    }
    Script script;
    if (!settings.scriptPath.empty() && !LoadScript(settings.scriptPath, &script, error)) {
        return false;
    }
    if (!settings.captureDir.empty() && !PrepareCaptureDirectory(settings.captureDir, error)) {
        return false;
    }
    g_display = VirtualDisplay{};
    g_display.clock = VirtualClock(std::uint64_t{settings.clockStartMs} * 1000);
    g_display.schedule = EventSchedule(std::move(script), settings.frameLimit);
    g_display.failures = FailureInjection(settings.failures);
    g_display.settings = std::move(settings);
    return true;
}

void Shutdown() { g_display = VirtualDisplay{}; }

std::uint64_t NowMicroseconds() { return g_display.clock.Now(); }

bool HasDisplay() { return true; }

std::vector<DisplayMode> ListModes() { return g_display.settings.modes; }

bool GetDesktopMode(DisplayMode* mode) {
    *mode = g_display.settings.desktop;
    return true;
}

bool OpenOutput(const DisplayMode& mode, std::string* error) {
    if (mode.width == 0 || mode.height == 0) {
        *error = "the output needs a size";
        return false;
    }
    // A lost display cannot be taken by a new output either, only once it is restorable.
    g_display.schedule.Advance(g_display.clock.Now());
    if (g_display.schedule.Status() == OutputStatus::Lost) {
        *error = "the display is lost";
        return false;
    }
    g_display.observed.outputOpen = true;
    g_display.observed.outputMode = mode;
    if (g_display.observed.outputMode.refreshHz == 0) {
        g_display.observed.outputMode.refreshHz = kDefaultRefreshHz;
    }
    g_display.schedule.SetStatus(OutputStatus::Ok);
    g_display.schedule.OnOutputOpened(g_display.clock.Now());
    return true;
}

void CloseOutput() {
    g_display.observed.outputOpen = false;
    g_display.observed.outputMode = DisplayMode{0, 0, 0};
}

bool PresentOutput(const std::uint16_t* pixels, int width, int height, int pitch) {
    // Events due before this frame (a stall, a lost device) take effect before it is shown.
    g_display.schedule.Advance(g_display.clock.Now());
    const std::uint64_t frame = g_display.observed.presentedFrames;
    const Settings& settings = g_display.settings;
    if (pixels != nullptr && !settings.captureDir.empty() && settings.captureFrames.Contains(frame)) {
        std::string error;
        if (!WriteR5G6B5Png(CaptureFramePath(settings.captureDir, frame), pixels, width, height, pitch, &error)) {
            ReportCaptureError(error);
        }
    }
    const unsigned refreshHz =
        g_display.observed.outputOpen ? g_display.observed.outputMode.refreshHz : kDefaultRefreshHz;
    g_display.clock.AdvanceOneRefresh(refreshHz);
    g_display.clock.AdvanceMicroseconds(g_display.schedule.TakeStallMicroseconds());
    g_display.observed.presentedFrames = frame + 1;
    g_display.schedule.OnFramePresented(frame + 1);
    return g_display.schedule.Status() == OutputStatus::Ok;
}

OutputStatus QueryOutput() {
    g_display.schedule.Advance(g_display.clock.Now());
    return g_display.schedule.Status();
}

bool ReopenOutput() {
    g_display.schedule.Advance(g_display.clock.Now());
    if (g_display.schedule.Status() == OutputStatus::Lost) {
        return false;
    }
    g_display.schedule.SetStatus(OutputStatus::Ok);
    return true;
}

bool OpenDialogWindow(int width, int height, const char* title, std::string* error) {
    if (width <= 0 || height <= 0) {
        *error = "the dialog window needs a size";
        return false;
    }
    g_display.observed.dialogOpen = true;
    g_display.observed.dialogWidth = width;
    g_display.observed.dialogHeight = height;
    g_display.observed.dialogTitle = title != nullptr ? title : "";
    g_display.dialogPicture.clear();
    return true;
}

void ShowDialogPicture(const std::uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return;
    }
    std::vector<std::uint16_t>& picture = g_display.dialogPicture;
    picture.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        std::copy(row, row + width, picture.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    g_display.dialogPictureWidth = width;
    g_display.dialogPictureHeight = height;
}

void CloseDialogWindow() {
    const std::string& directory = g_display.settings.captureDir;
    if (g_display.observed.dialogOpen && !directory.empty() && !g_display.dialogPicture.empty()) {
        std::string error;
        if (!WriteR5G6B5Png(CaptureDialogPath(directory), g_display.dialogPicture.data(), g_display.dialogPictureWidth,
                            g_display.dialogPictureHeight, g_display.dialogPictureWidth, &error)) {
            ReportCaptureError(error);
        }
    }
    g_display.observed.dialogOpen = false;
    g_display.dialogPicture.clear();
}

bool PollEvent(InputEvent* event) {
    return g_display.schedule.Poll(g_display.clock.Now(), g_display.observed.dialogOpen, event);
}

void WaitForEvent() { g_display.schedule.Wait(&g_display.clock, g_display.observed.dialogOpen); }

int ShowMessageBox(const char* caption, const char* text, unsigned /*type*/) {
    // A null caption reads "Error", as a message box titles itself when given none.
    std::string line = std::string(caption != nullptr ? caption : "Error") + ": " + (text != nullptr ? text : "");
    // The box is one line on standard error: line breaks in its text become spaces.
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    return IDOK;
}

void SetCursorVisible(bool visible) { g_display.observed.cursorVisible = visible; }

void SetScreensaverInhibited(bool inhibited) { g_display.observed.screensaverInhibited = inhibited; }

void SetTextInputEnabled(bool enabled) { g_display.observed.textInputEnabled = enabled; }

bool ShouldFail(const char* callName) { return g_display.failures.ShouldFail(callName != nullptr ? callName : ""); }

const Backend kVirtualBackend = {
    .name = "virtual",
    .Init = Init,
    .Shutdown = Shutdown,
    .NowMicroseconds = NowMicroseconds,
    .HasDisplay = HasDisplay,
    .ListModes = ListModes,
    .GetDesktopMode = GetDesktopMode,
    .OpenOutput = OpenOutput,
    .CloseOutput = CloseOutput,
    .PresentOutput = PresentOutput,
    .QueryOutput = QueryOutput,
    .ReopenOutput = ReopenOutput,
    .OpenDialogWindow = OpenDialogWindow,
    .ShowDialogPicture = ShowDialogPicture,
    .CloseDialogWindow = CloseDialogWindow,
    .PollEvent = PollEvent,
    .WaitForEvent = WaitForEvent,
    .ShowMessageBox = ShowMessageBox,
    .SetCursorVisible = SetCursorVisible,
    .SetScreensaverInhibited = SetScreensaverInhibited,
    .SetTextInputEnabled = SetTextInputEnabled,
    .ShouldFail = ShouldFail,
};

}  // namespace

const Backend& VirtualBackend() { return kVirtualBackend; }

namespace virtual_display {

Observed Observe() { return g_display.observed; }

}  // namespace virtual_display

}  // namespace platform
