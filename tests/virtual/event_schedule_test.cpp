#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user32.h"
#include "platform/virtual/event_schedule.h"

namespace platform::virtual_display {
namespace {

using Events = std::vector<std::string>;

// One event in a few words: "D down 13 alt", "O click-down 1 x2", "O close".
std::string Describe(const InputEvent& e) {
    std::string text = e.target == EventTarget::Dialog ? "D " : "O ";
    switch (e.kind) {
        case EventKind::KeyDown:
        case EventKind::KeyUp:
            text += (e.kind == EventKind::KeyDown ? "down " : "up ") + std::to_string(e.vk);
            text += e.alt ? " alt" : "";
            text += e.shift ? " shift" : "";
            return text;
        case EventKind::MouseDown:
        case EventKind::MouseUp:
            text += (e.kind == EventKind::MouseDown ? "press " : "release ") + std::to_string(e.button) + " " +
                    std::to_string(e.x) + "," + std::to_string(e.y);
            return text + (e.kind == EventKind::MouseDown ? " x" + std::to_string(e.clicks) : "");
        case EventKind::MouseMove:
            return text + "move";
        case EventKind::Activate:
            return text + "activate";
        case EventKind::Deactivate:
            return text + "deactivate";
        case EventKind::Close:
            return text + "close";
    }
    return text + "?";
}

EventSchedule Schedule(const std::string& text, std::uint64_t frameLimit = 600) {
    Script script;
    std::string error;
    EXPECT_TRUE(ParseScript(text, &script, &error)) << error;
    return EventSchedule(std::move(script), frameLimit);
}

Events PollAll(EventSchedule& schedule, std::uint64_t now, bool dialogOpen) {
    Events events;
    InputEvent event;
    while (schedule.Poll(now, dialogOpen, &event)) {
        events.push_back(Describe(event));
    }
    return events;
}

// Presents `count` frames at 60 Hz the way the display does: clock first, then the count.
void Present(EventSchedule& schedule, VirtualClock& clock, std::uint64_t* frames, int count) {
    for (int i = 0; i < count; ++i) {
        schedule.Advance(clock.Now());
        clock.AdvanceOneRefresh(60);
        clock.AdvanceMicroseconds(schedule.TakeStallMicroseconds());
        schedule.OnFramePresented(++*frames);
    }
}

TEST(VirtualEventSchedule, DialogEventsExpandInOrderOnlyWhileTheDialogIsOpen) {
    EventSchedule schedule = Schedule(
        "dialog key alt+v\n"
        "dialog click 120 40\n"
        "dialog dblclick 3 4\n"
        "dialog close\n");
    EXPECT_EQ(PollAll(schedule, 0, false), Events{});
    EXPECT_EQ(PollAll(schedule, 0, true), (Events{"D down 86 alt", "D up 86 alt", "D press 0 120,40 x1",
                                                   "D release 0 120,40", "D press 0 3,4 x1", "D release 0 3,4",
                                                   "D press 0 3,4 x2", "D release 0 3,4", "D close"}));
}

TEST(VirtualEventSchedule, WaitingDialogWithNothingLeftGetsReturn) {
    for (const char* text : {"", "dialog key Down\n"}) {
        EventSchedule schedule = Schedule(text);
        VirtualClock clock;
        PollAll(schedule, 0, true);
        schedule.Wait(&clock, true);
        EXPECT_EQ(PollAll(schedule, 0, true), (Events{"D down 13", "D up 13"})) << text;
        EXPECT_EQ(clock.Now(), 0u);
    }
}

TEST(VirtualEventSchedule, OutputEventsWaitForTheOutputAndTheirFrame) {
    EventSchedule schedule = Schedule(
        "at 0 key Escape\n"
        "at 2 click right\n"
        "at 1 deactivate\n"  // behind frame 2's event: an event not yet due holds back those after it
        "at 3 close\n");
    VirtualClock clock;
    std::uint64_t frames = 0;
    EXPECT_EQ(PollAll(schedule, clock.Now(), true), Events{});  // no output yet, even with at 0
    schedule.OnOutputOpened(clock.Now());
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O down 27", "O up 27"}));
    Present(schedule, clock, &frames, 1);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{});
    Present(schedule, clock, &frames, 1);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O press 1 0,0 x1", "O release 1 0,0", "O deactivate"}));
    Present(schedule, clock, &frames, 1);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{"O close"});
}

TEST(VirtualEventSchedule, WaitCountsFromThePreviousOutputEvent) {
    EventSchedule schedule = Schedule(
        "wait 50 key a\n"    // 50 ms after the output opened
        "wait 100 key b\n");  // 100 ms after `a` went out
    VirtualClock clock(1000000);
    std::uint64_t frames = 0;
    schedule.OnOutputOpened(clock.Now());
    Present(schedule, clock, &frames, 3);  // 50.000 ms: due exactly now
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O down 65", "O up 65"}));
    Present(schedule, clock, &frames, 5);  // 83.3 ms after `a`
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{});
    Present(schedule, clock, &frames, 1);  // 100 ms
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O down 66", "O up 66"}));
}

TEST(VirtualEventSchedule, FrameLimitCloseComesOnceAheadOfLaterEvents) {
    EventSchedule schedule = Schedule("at 3 key a\nat 10 key b\n", 3);
    VirtualClock clock;
    std::uint64_t frames = 0;
    schedule.OnOutputOpened(clock.Now());
    Present(schedule, clock, &frames, 3);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O close", "O down 65", "O up 65"}));
    Present(schedule, clock, &frames, 5);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{});
}

TEST(VirtualEventSchedule, WaitingProgramGetsTheNextEventNowThenClose) {
    EventSchedule schedule = Schedule(
        "at 100 stall 5\n"       // not an input event: taken on the way to the next one
        "at 100 deactivate\n"    // frame 100 is never reached while the program waits
        "wait 2000 activate\n");  // the clock moves on by 2 s to deliver it
    VirtualClock clock(7000);
    schedule.OnOutputOpened(clock.Now());
    schedule.Wait(&clock, false);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{"O deactivate"});
    EXPECT_EQ(clock.Now(), 7000u);
    EXPECT_EQ(schedule.TakeStallMicroseconds(), 5000u);
    schedule.Wait(&clock, false);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{"O activate"});
    EXPECT_EQ(clock.Now(), 2007000u);
    schedule.Wait(&clock, false);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{"O close"});
    schedule.Wait(&clock, false);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{"O close"});
}

TEST(VirtualEventSchedule, ReadyEventsEndAWaitAtOnce) {
    EventSchedule schedule = Schedule("at 0 key a\nwait 500 key b\n");
    VirtualClock clock;
    schedule.OnOutputOpened(0);
    schedule.Wait(&clock, false);
    EXPECT_EQ(clock.Now(), 0u);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), (Events{"O down 65", "O up 65"}));
}

TEST(VirtualEventSchedule, StallsAndDeviceChangesTakeEffectWhenDue) {
    EventSchedule schedule = Schedule(
        "at 1 stall 40\n"
        "at 2 restore-device\n"  // not lost yet: stays Ok
        "at 2 lose-device\n"
        "at 3 restore-device\n");
    VirtualClock clock;
    std::uint64_t frames = 0;
    schedule.OnOutputOpened(0);
    Present(schedule, clock, &frames, 1);
    EXPECT_EQ(clock.Now(), 16666u);
    Present(schedule, clock, &frames, 1);  // frame 1 waits a retrace and 40 ms
    EXPECT_EQ(clock.Now(), 16666u + 16667u + 40000u);
    EXPECT_EQ(schedule.Status(), OutputStatus::Ok);
    schedule.Advance(clock.Now());
    EXPECT_EQ(schedule.Status(), OutputStatus::Lost);
    Present(schedule, clock, &frames, 1);
    schedule.Advance(clock.Now());
    EXPECT_EQ(schedule.Status(), OutputStatus::Restorable);
    EXPECT_EQ(PollAll(schedule, clock.Now(), false), Events{});
}

}  // namespace
}  // namespace platform::virtual_display
