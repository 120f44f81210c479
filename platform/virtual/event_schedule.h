// When the script's events reach the program. Two queues: dialog events go out
// in order while the dialog is open; output events fall due by frame count or
// virtual time once the output has opened. Waiting for input never blocks: the
// dialog gets Return and the output gets Close when nothing else is left.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/core/backend.h"
#include "platform/virtual/script.h"
#include "platform/virtual/virtual_clock.h"

namespace platform::virtual_display {

class EventSchedule {
public:
    EventSchedule() = default;
    // frameLimit: after this many presented frames the output gets one Close.
    EventSchedule(Script script, std::uint64_t frameLimit);

    // The output has opened; the first opening starts the script's output events.
    void OnOutputOpened(std::uint64_t now);
    // Called after each present with the number of frames presented so far.
    void OnFramePresented(std::uint64_t presentedFrames);

    // Applies every output event that has fallen due by `now` and the frame count: input events
    // join the ready queue, stalls and device changes take effect.
    void Advance(std::uint64_t now);
    // Takes the next ready event: dialog events while the dialog is open, then output events.
    bool Poll(std::uint64_t now, bool dialogOpen, InputEvent* event);
    // Makes sure Poll has something to give, moving the clock forward where the script waits.
    void Wait(VirtualClock* clock, bool dialogOpen);

    // The stall time the script has set for the next present, in microseconds; resets it.
    std::uint64_t TakeStallMicroseconds();

    OutputStatus Status() const { return status_; }
    void SetStatus(OutputStatus status) { status_ = status; }

private:
    bool HasReady(bool dialogOpen) const;
    bool IsDue(const OutputAction& action, std::uint64_t now) const;
    void Apply(const OutputAction& action, std::uint64_t now);
    void ExpandDialogAction(const DialogAction& action);

    Script script_;
    std::uint64_t frameLimit_ = 0;
    std::size_t nextDialog_ = 0;
    std::size_t nextOutput_ = 0;
    std::deque<InputEvent> dialogReady_;
    std::deque<InputEvent> outputReady_;
    bool outputOpened_ = false;
    std::uint64_t lastDelivered_ = 0;  // when the previous output event went out: `wait` counts from here
    std::uint64_t presentedFrames_ = 0;
    bool frameLimitReached_ = false;
    std::uint64_t stall_ = 0;
    OutputStatus status_ = OutputStatus::Ok;
};

}  // namespace platform::virtual_display
