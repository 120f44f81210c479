// The test-support runner, driven with the shell in place of the program.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>

#include "tests/support/run_program.h"

namespace ostrivan_test {
namespace {

RunOptions Shell(const std::string& command) {
    RunOptions options;
    options.program = "/bin/sh";
    options.arguments = {"-c", command};
    return options;
}

TEST(RunProgram, CollectsExitCodeAndOutputs) {
    const ProgramRun run = RunProgram(Shell("echo out; echo 'Error: Failed CreateDevice' >&2; echo more >&2; exit 3"));
    ASSERT_TRUE(run.started) << run.error;
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.standardOutput, "out\n");
    EXPECT_EQ(Lines(run.standardError), (std::vector<std::string>{"Error: Failed CreateDevice", "more"}));
}

TEST(RunProgram, GivesTheVirtualSettingsAndDropsStrayOnes) {
    setenv("OSTRIVAN_VIRTUAL_FRAMES", "7", 1);
    RunOptions options = Shell(
        "echo \"$OSTRIVAN_PLATFORM|$OSTRIVAN_VIRTUAL_FRAMES|$OSTRIVAN_VIRTUAL_MODES|$PWD\";"
        "echo \"$OSTRIVAN_CAPTURE\"; cat \"$OSTRIVAN_SCRIPT\"; touch \"$OSTRIVAN_CAPTURE/frame-000000.png\"");
    options.hasScript = true;
    options.script = "dialog key Return\n";
    options.environment = {{"OSTRIVAN_VIRTUAL_MODES", "640x480"}};
    const ProgramRun run = RunProgram(options);
    unsetenv("OSTRIVAN_VIRTUAL_FRAMES");
    ASSERT_TRUE(run.started) << run.error;
    const std::vector<std::string> lines = Lines(run.standardOutput);
    ASSERT_EQ(lines.size(), 3u) << run.standardOutput;
    EXPECT_EQ(lines[0], "virtual||640x480|" + run.directory);
    EXPECT_EQ(lines[1], run.captureDirectory);
    EXPECT_EQ(lines[2], "dialog key Return");
    EXPECT_EQ(run.CapturedFiles(), std::vector<std::string>{"frame-000000.png"});
    EXPECT_EQ(run.FramePath(12), run.captureDirectory + "/frame-000012.png");
}

TEST(RunProgram, KillsAHangingProgramAtTheTimeout) {
    RunOptions options = Shell("exec sleep 30");
    options.timeoutSeconds = 1;
    const ProgramRun run = RunProgram(options);
    ASSERT_TRUE(run.started) << run.error;
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(run.exitCode, 128 + 9);
}

TEST(RunProgram, ReportsAProgramThatCannotStart) {
    RunOptions options;
    options.program = "/nonexistent/ostrivan";
    const ProgramRun run = RunProgram(options);
    EXPECT_FALSE(run.started);
    EXPECT_EQ(run.error, "cannot start '/nonexistent/ostrivan': No such file or directory");
}

TEST(RunProgram, RemovesItsDirectoryWhenDone) {
    std::string directory;
    {
        ProgramRun run = RunProgram(Shell("exit 0"));
        directory = run.directory;
        ASSERT_TRUE(std::filesystem::is_directory(directory));
        ProgramRun moved = std::move(run);
        EXPECT_TRUE(std::filesystem::is_directory(directory));
    }
    EXPECT_FALSE(std::filesystem::exists(directory));
}

}  // namespace
}  // namespace ostrivan_test
