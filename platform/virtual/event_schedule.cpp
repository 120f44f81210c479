#include "platform/virtual/event_schedule.h"

#include "platform/user32.h"

namespace platform::virtual_display {

namespace {

constexpr std::uint64_t kMicrosecondsPerMs = 1000;

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return b > UINT64_MAX - a ? UINT64_MAX : a + b; }

InputEvent Make(EventKind kind, EventTarget target) {
    InputEvent event;
    event.kind = kind;
    event.target = target;
    return event;
}

void PushKey(std::deque<InputEvent>* queue, EventTarget target, const ScriptKey& key) {
    InputEvent event = Make(EventKind::KeyDown, target);
    event.vk = key.vk;
    event.alt = key.alt;
    event.shift = key.shift;
    queue->push_back(event);
    event.kind = EventKind::KeyUp;
    queue->push_back(event);
}

void PushClick(std::deque<InputEvent>* queue, EventTarget target, int button, int clicks, int x, int y) {
    InputEvent event = Make(EventKind::MouseDown, target);
    event.button = button;
    event.clicks = clicks;
    event.x = x;
    event.y = y;
    queue->push_back(event);
    event.kind = EventKind::MouseUp;
    event.clicks = 1;
    queue->push_back(event);
}

}  // namespace

EventSchedule::EventSchedule(Script script, std::uint64_t frameLimit)
    : script_(std::move(script)), frameLimit_(frameLimit) {}

void EventSchedule::OnOutputOpened(std::uint64_t now) {
    if (!outputOpened_) {
        outputOpened_ = true;
        lastDelivered_ = now;
    }
}

void EventSchedule::OnFramePresented(std::uint64_t presentedFrames) {
    presentedFrames_ = presentedFrames;
    if (!frameLimitReached_ && presentedFrames_ >= frameLimit_) {
        frameLimitReached_ = true;
        outputReady_.push_back(Make(EventKind::Close, EventTarget::Output));
    }
}

bool EventSchedule::IsDue(const OutputAction& action, std::uint64_t now) const {
    if (action.trigger == OutputAction::Trigger::AtFrame) {
        return presentedFrames_ >= action.frame;
    }
    return now >= SaturatingAdd(lastDelivered_, action.waitMs * kMicrosecondsPerMs);
}

void EventSchedule::Apply(const OutputAction& action, std::uint64_t now) {
    using Kind = OutputAction::Kind;
    switch (action.kind) {
        case Kind::Key:
            PushKey(&outputReady_, EventTarget::Output, action.key);
            break;
        case Kind::Click:
            PushClick(&outputReady_, EventTarget::Output, action.button, 1, 0, 0);
            break;
        case Kind::Stall:
            stall_ = SaturatingAdd(stall_, action.stallMs * kMicrosecondsPerMs);
            break;
        case Kind::Deactivate:
            outputReady_.push_back(Make(EventKind::Deactivate, EventTarget::Output));
            break;
        case Kind::Activate:
            outputReady_.push_back(Make(EventKind::Activate, EventTarget::Output));
            break;
        case Kind::LoseDevice:
            status_ = OutputStatus::Lost;
            break;
        case Kind::RestoreDevice:
            // Only a lost output becomes restorable; one that presents keeps presenting.
            if (status_ == OutputStatus::Lost) {
                status_ = OutputStatus::Restorable;
            }
            break;
        case Kind::Close:
            outputReady_.push_back(Make(EventKind::Close, EventTarget::Output));
            break;
    }
    lastDelivered_ = now;
}

void EventSchedule::Advance(std::uint64_t now) {
    // Before the output opens there is no window to take output events: holding them keeps
    // an `at 0` event from being lost while the dialog runs.
    if (!outputOpened_) {
        return;
    }
    while (nextOutput_ < script_.output.size() && IsDue(script_.output[nextOutput_], now)) {
        Apply(script_.output[nextOutput_++], now);
    }
}

void EventSchedule::ExpandDialogAction(const DialogAction& action) {
    using Kind = DialogAction::Kind;
    switch (action.kind) {
        case Kind::Key:
            PushKey(&dialogReady_, EventTarget::Dialog, action.key);
            break;
        case Kind::Click:
            PushClick(&dialogReady_, EventTarget::Dialog, 0, 1, action.x, action.y);
            break;
        case Kind::DoubleClick:
            PushClick(&dialogReady_, EventTarget::Dialog, 0, 1, action.x, action.y);
            PushClick(&dialogReady_, EventTarget::Dialog, 0, 2, action.x, action.y);
            break;
        case Kind::Close:
            dialogReady_.push_back(Make(EventKind::Close, EventTarget::Dialog));
            break;
    }
}

bool EventSchedule::Poll(std::uint64_t now, bool dialogOpen, InputEvent* event) {
    Advance(now);
    if (dialogOpen) {
        if (dialogReady_.empty() && nextDialog_ < script_.dialog.size()) {
            ExpandDialogAction(script_.dialog[nextDialog_++]);
        }
        if (!dialogReady_.empty()) {
            *event = dialogReady_.front();
            dialogReady_.pop_front();
            return true;
        }
    }
    if (!outputReady_.empty()) {
        *event = outputReady_.front();
        outputReady_.pop_front();
        return true;
    }
    return false;
}

bool EventSchedule::HasReady(bool dialogOpen) const {
    return (dialogOpen && (!dialogReady_.empty() || nextDialog_ < script_.dialog.size())) || !outputReady_.empty();
}

void EventSchedule::Wait(VirtualClock* clock, bool dialogOpen) {
    Advance(clock->Now());
    if (HasReady(dialogOpen)) {
        return;
    }
    if (dialogOpen) {
        // The dialog's default button is Start: pressing Return ends a headless dialog as a user would.
        PushKey(&dialogReady_, EventTarget::Dialog, ScriptKey{VK_RETURN, false, false});
        return;
    }
    // No frame can be presented while the program waits, so the next output event is made due now:
    // a `wait` moves the clock to its time, an `at` frame that is not reached yet goes out anyway.
    if (!outputOpened_) {
        lastDelivered_ = clock->Now();
    }
    while (nextOutput_ < script_.output.size()) {
        const OutputAction& action = script_.output[nextOutput_++];
        if (action.trigger == OutputAction::Trigger::AfterWait) {
            clock->AdvanceTo(SaturatingAdd(lastDelivered_, action.waitMs * kMicrosecondsPerMs));
        }
        Apply(action, clock->Now());
        if (!outputReady_.empty()) {
            return;
        }
    }
    // Nothing left to come: close the output so a waiting program ends.
    outputReady_.push_back(Make(EventKind::Close, EventTarget::Output));
}

std::uint64_t EventSchedule::TakeStallMicroseconds() {
    const std::uint64_t stall = stall_;
    stall_ = 0;
    return stall;
}

}  // namespace platform::virtual_display
