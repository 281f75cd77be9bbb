// The on-the-fly recorder over raw input records with a clock the test
// turns: presses, releases, repeats, buttons, pauses, and what is ignored.

#include "tray/CDelayTimer.h"
#include "tray/CMacroLedScheme.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

RAWINPUT Key(USHORT makeCode, USHORT flags) {
    RAWINPUT input = {};
    input.header.dwType = RIM_TYPEKEYBOARD;
    input.header.dwSize = sizeof input;
    input.data.keyboard.MakeCode = makeCode;
    input.data.keyboard.Flags = flags;
    return input;
}

RAWINPUT Mouse(USHORT buttonFlags, USHORT buttonData = 0) {
    RAWINPUT input = {};
    input.header.dwType = RIM_TYPEMOUSE;
    input.header.dwSize = sizeof input;
    input.data.mouse.usButtonFlags = buttonFlags;
    input.data.mouse.usButtonData = buttonData;
    return input;
}

using Events = std::vector<CaptureEvent>;

TEST(DelayTimer, KeysWithTheirPausesAndNoDelayBeforeTheFirst) {
    CDelayTimer recorder;
    recorder.Start(1000);
    EXPECT_TRUE(recorder.Capture(Key(0x1E, RI_KEY_MAKE), 1500));
    EXPECT_TRUE(recorder.Capture(Key(0x1E, RI_KEY_BREAK), 1620));
    EXPECT_TRUE(recorder.Capture(Key(0x1D, RI_KEY_MAKE | RI_KEY_E0), 1700));
    EXPECT_EQ(recorder.GetEvents(), (Events{{2, 0x1E}, {3, 120}, {2, 0x1001E}, {3, 80}, {2, 0x2001D}}));
}

TEST(DelayTimer, AHeldKeyIsOnePressAndPressingAgainAfterReleaseIsANewOne) {
    CDelayTimer recorder;
    recorder.Start(0);
    recorder.Capture(Key(0x2A, RI_KEY_MAKE), 10);
    EXPECT_FALSE(recorder.Capture(Key(0x2A, RI_KEY_MAKE), 40));  // repeat
    EXPECT_FALSE(recorder.Capture(Key(0x2A, RI_KEY_MAKE), 70));  // repeat
    recorder.Capture(Key(0x2A, RI_KEY_BREAK), 100);
    recorder.Capture(Key(0x2A, RI_KEY_MAKE), 150);
    EXPECT_EQ(recorder.GetEvents(), (Events{{2, 0x2A}, {3, 90}, {2, 0x1002A}, {3, 50}, {2, 0x2A}}));
}

TEST(DelayTimer, SingleButtonTransitionsOnlyWithTheirData) {
    CDelayTimer recorder;
    recorder.Start(0);
    EXPECT_TRUE(recorder.Capture(Mouse(RI_MOUSE_LEFT_BUTTON_DOWN), 5));
    EXPECT_FALSE(recorder.Capture(Mouse(0), 6));                                  // a move
    EXPECT_FALSE(recorder.Capture(Mouse(RI_MOUSE_WHEEL, 120), 7));               // the wheel
    EXPECT_FALSE(recorder.Capture(Mouse(RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_DOWN), 8));
    EXPECT_TRUE(recorder.Capture(Mouse(RI_MOUSE_BUTTON_5_UP, 2), 30));
    EXPECT_EQ(recorder.GetEvents(), (Events{{1, 0x0001}, {3, 25}, {1, 0x20200}}));
}

TEST(DelayTimer, LongPausesAreCappedAndAWrappedTickStillGivesThePause) {
    CDelayTimer recorder;
    recorder.Start(0);
    recorder.Capture(Key(0x10, 0), 100);
    recorder.Capture(Key(0x10, RI_KEY_BREAK), 100 + 20000000);
    EXPECT_EQ(recorder.GetEvents().at(1), (CaptureEvent{3, CDelayTimer::kMaximumDelay}));

    CDelayTimer wrapping;
    wrapping.Start(0xFFFFFF00u);
    wrapping.Capture(Key(0x10, 0), 0xFFFFFFF0u);
    wrapping.Capture(Key(0x10, RI_KEY_BREAK), 0x10);
    EXPECT_EQ(wrapping.GetEvents().at(1), (CaptureEvent{3, 0x20}));
}

TEST(DelayTimer, NothingIsTakenWhenNotRecordingAndStartEmpties) {
    CDelayTimer recorder;
    EXPECT_FALSE(recorder.Capture(Key(0x1E, 0), 1));
    recorder.Start(0);
    recorder.Capture(Key(0x1E, 0), 1);
    recorder.Stop();
    EXPECT_FALSE(recorder.Capture(Key(0x1F, 0), 2));
    EXPECT_EQ(recorder.GetEvents().size(), 1u);  // kept for the saved stage
    RAWINPUT hid = {};
    hid.header.dwType = RIM_TYPEHID;
    recorder.Start(10);
    EXPECT_TRUE(recorder.GetEvents().empty());
    EXPECT_FALSE(recorder.Capture(hid, 11));
}

TEST(MacroLedScheme, SteadyThenBlinkingThenOffOnLedSeven) {
    const CMacroLedScheme& scheme = GetMacroLedScheme();
    ASSERT_EQ(scheme.GetCount(), 3u);
    const LedStep* recording = scheme.GetStep(CMacroLedScheme::kRecording);
    const LedStep* waiting = scheme.GetStep(CMacroLedScheme::kWaitingForKey);
    const LedStep* off = scheme.GetStep(CMacroLedScheme::kOff);
    EXPECT_EQ(recording->ledId, 7);
    EXPECT_EQ(recording->on, 1);
    EXPECT_EQ(recording->effect, 0);
    EXPECT_EQ(waiting->effect, 1);
    EXPECT_EQ(waiting->timeOnMs, 300);
    EXPECT_EQ(waiting->timeOffMs, 300);
    EXPECT_EQ(off->on, 0);
    EXPECT_EQ(scheme.GetStep(3), nullptr);
}

}  // namespace
