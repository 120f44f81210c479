// The exception a failing start-up step raises; caught by the same operation,
// which shows the text in an "Error" box. It never crosses an operation's boundary.
#pragma once

struct StartupFailure {
    const char* message;  // "Failed " and the name of the failing call
};
