#include "tests/support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace ostrivan_test {

namespace {

namespace fs = std::filesystem;

std::string MakeTemporaryDirectory(std::string* error) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/ostrivan-run-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        *error = "cannot create a temporary directory: " + std::string(std::strerror(errno));
        return "";
    }
    return pattern;
}

// The test's own environment without OSTRIVAN_* variables, then the run's own settings.
std::vector<std::string> BuildEnvironment(const std::vector<std::pair<std::string, std::string>>& settings) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "OSTRIVAN_", 9) != 0) {
            entries.emplace_back(*entry);
        }
    }
    for (const auto& [name, value] : settings) {
        const std::string prefix = name + "=";
        std::erase_if(entries, [&prefix](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        entries.push_back(prefix + value);
    }
    return entries;
}

enum class PipeState { Data, Empty, Ended };

// Reads what is ready on a non-blocking pipe.
PipeState Drain(int fd, std::string* text) {
    char buffer[4096];
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0) {
        text->append(buffer, static_cast<std::size_t>(count));
        return PipeState::Data;
    }
    return count < 0 && (errno == EINTR || errno == EAGAIN) ? PipeState::Empty : PipeState::Ended;
}

int DecodeStatus(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace

ProgramRun::ProgramRun(ProgramRun&& other) noexcept { *this = std::move(other); }

ProgramRun& ProgramRun::operator=(ProgramRun&& other) noexcept {
    if (this != &other) {
        RemoveDirectory();
        started = other.started;
        timedOut = other.timedOut;
        exitCode = other.exitCode;
        standardError = std::move(other.standardError);
        standardOutput = std::move(other.standardOutput);
        error = std::move(other.error);
        directory = std::move(other.directory);
        captureDirectory = std::move(other.captureDirectory);
        other.directory.clear();
    }
    return *this;
}

ProgramRun::~ProgramRun() { RemoveDirectory(); }

void ProgramRun::RemoveDirectory() {
    if (directory.empty()) {
        return;
    }
    if (std::getenv("OSTRIVAN_TEST_KEEP") == nullptr) {
        std::error_code ignored;
        fs::remove_all(directory, ignored);
    }
    directory.clear();
}

std::string ProgramRun::FramePath(std::uint64_t frame) const {
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06llu.png", static_cast<unsigned long long>(frame));
    return (fs::path(captureDirectory) / name).string();
}

std::string ProgramRun::DialogPath() const { return (fs::path(captureDirectory) / "dialog.png").string(); }

testing::AssertionResult ProgramRun::ReadFrame(std::uint64_t frame, Picture* picture) const {
    return ReadPng(FramePath(frame), picture);
}

testing::AssertionResult ProgramRun::ReadDialog(Picture* picture) const { return ReadPng(DialogPath(), picture); }

std::vector<std::string> ProgramRun::CapturedFiles() const {
    std::vector<std::string> names;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(captureDirectory, code)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

ProgramRun RunProgram(const RunOptions& options) {
    ProgramRun run;
    run.directory = MakeTemporaryDirectory(&run.error);
    if (run.directory.empty()) {
        return run;
    }
    run.captureDirectory = run.directory + "/capture";
    fs::create_directory(run.captureDirectory);

    std::vector<std::pair<std::string, std::string>> settings = {{"OSTRIVAN_PLATFORM", "virtual"},
                                                                 {"OSTRIVAN_CAPTURE", run.captureDirectory}};
    if (options.hasScript) {
        const std::string scriptPath = run.directory + "/script.txt";
        std::ofstream(scriptPath, std::ios::binary) << options.script;
        settings.emplace_back("OSTRIVAN_SCRIPT", scriptPath);
    }
    settings.insert(settings.end(), options.environment.begin(), options.environment.end());
    std::vector<std::string> environment = BuildEnvironment(settings);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> arguments = {options.program};
    arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        run.error = "pipe: " + std::string(std::strerror(errno));
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addchdir_np(&actions, run.directory.c_str());
    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, options.program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawnError != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        run.error = "cannot start '" + options.program + "': " + std::strerror(spawnError);
        return run;
    }
    run.started = true;
    fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(errPipe[0], F_SETFL, O_NONBLOCK);

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(options.timeoutSeconds);
    auto remainingMs = [&deadline] {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        return static_cast<int>(std::clamp<long long>(left, 0, 1000));
    };
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* texts[2] = {&run.standardOutput, &run.standardError};
    int status = 0;
    bool exited = false;
    // Read both pipes until they close and the program has ended, or until the deadline.
    while (!exited) {
        if (Clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            run.timedOut = true;
            break;
        }
        const bool open = fds[0].fd >= 0 || fds[1].fd >= 0;
        if (open) {
            if (poll(fds, 2, remainingMs()) > 0) {
                for (int i = 0; i < 2; ++i) {
                    if (fds[i].fd >= 0 && fds[i].revents != 0 && Drain(fds[i].fd, texts[i]) == PipeState::Ended) {
                        close(fds[i].fd);
                        fds[i].fd = -1;
                    }
                }
            }
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        exited = waitpid(pid, &status, WNOHANG) == pid;
    }
    // Collect what the program wrote just before it ended.
    for (int i = 0; i < 2; ++i) {
        if (fds[i].fd >= 0) {
            if (!run.timedOut) {
                while (Drain(fds[i].fd, texts[i]) == PipeState::Data) {
                }
            }
            close(fds[i].fd);
        }
    }
    run.exitCode = DecodeStatus(status);
    return run;
}

}  // namespace ostrivan_test
