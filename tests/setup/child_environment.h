// Runs a test body in a child process with its own environment, since the
// platform reads its settings once per process.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <utility>

// Sets the variables (nullptr unsets) before anything in the child starts the platform.
inline void SetEnvironment(std::initializer_list<std::pair<const char*, const char*>> variables) {
    for (const auto& [name, value] : variables) {
        if (value == nullptr) {
            unsetenv(name);
        } else {
            setenv(name, value, 1);
        }
    }
}

// The child's verdict: exit code 0 when every check held.
#define CHILD_CHECK(condition)                                            \
    do {                                                                  \
        if (!(condition)) {                                               \
            std::fprintf(stderr, "child check failed: %s\n", #condition); \
            std::_Exit(1);                                                \
        }                                                                 \
    } while (0)
