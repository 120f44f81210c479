// The process entry: starts the platform, runs WinMain and hands its exit code back.
#include "app/win_main.h"
#include "platform/entry.h"

int main() {
    platform::StartPlatform();
    char commandLine[] = "";
    const int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
    platform::StopPlatform();
    return exitCode;
}
