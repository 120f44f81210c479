// Runs the built program headless (OSTRIVAN_PLATFORM=virtual) in a fresh
// temporary directory, with an optional input script and a capture directory,
// and collects its exit code, standard error and captured pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/png_reader.h"

namespace ostrivan_test {

struct RunOptions {
    // Extra environment variables (name, value), set after the defaults, so they may replace
    // OSTRIVAN_CAPTURE or any other. Other OSTRIVAN_* variables of the test's own environment
    // are not passed on, so a stray setting cannot change a run.
    std::vector<std::pair<std::string, std::string>> environment;
    // Written to a file that OSTRIVAN_SCRIPT names; no script when hasScript is false.
    bool hasScript = false;
    std::string script;
    std::vector<std::string> arguments;
    int timeoutSeconds = 60;
    std::string program = OSTRIVAN_BINARY;
};

// One finished run. Owns its temporary directory and removes it when destroyed (kept when the
// environment variable OSTRIVAN_TEST_KEEP is set, for looking at the pictures).
class ProgramRun {
public:
    ProgramRun() = default;
    ProgramRun(ProgramRun&& other) noexcept;
    ProgramRun& operator=(ProgramRun&& other) noexcept;
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    bool started = false;      // false: the program could not be started (see error)
    bool timedOut = false;     // killed after RunOptions::timeoutSeconds
    int exitCode = -1;         // the exit status, or 128 + signal when a signal ended it
    std::string standardError;
    std::string standardOutput;
    std::string error;         // why the run could not be started
    std::string directory;     // the temporary directory (the program's working directory)
    std::string captureDirectory;

    std::string FramePath(std::uint64_t frame) const;
    std::string DialogPath() const;
    // Reads frame-NNNNNN.png / dialog.png from the capture directory.
    testing::AssertionResult ReadFrame(std::uint64_t frame, Picture* picture) const;
    testing::AssertionResult ReadDialog(Picture* picture) const;
    // The names of the captured files, sorted.
    std::vector<std::string> CapturedFiles() const;

private:
    void RemoveDirectory();
};

// Runs the program to its end (or the timeout) and returns what happened.
ProgramRun RunProgram(const RunOptions& options = {});

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace ostrivan_test
