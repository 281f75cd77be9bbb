// The macro editor's rules without a window: the delays a recording puts
// between steps (a clock given by the test), the keys and buttons it holds
// and releases, the raw mouse flags, and what each row says of its step.

#include "gui/core/CRawInputDevices.h"
#include "gui/widgets/CMacroRecorder.h"
#include "gui/widgets/MacroEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kScanA = 0x1E, kScanB = 0x30, kScanCtrl = 0x1D;
constexpr uint16_t kVkA = 'A', kVkB = 'B';

MacroStep Key(uint16_t vk, uint16_t scan, bool down, bool extended = false) {
    return MacroStep{MacroStepKey, vk << 16 | scan, (down ? kStepPress : kStepRelease) | (extended ? kStepExtended : 0)};
}
MacroStep Delay(int32_t ms) { return MacroStep{MacroStepDelay, ms, 0}; }
MacroStep Button(int32_t button, bool down) {
    return MacroStep{MacroStepMouseButton, button, down ? kStepPress : kStepRelease};
}

// A recording as a list of events at given times, each event's steps
// appended, then the stop.
struct Event {
    enum Kind { KeyDown, KeyUp, ButtonDown, ButtonUp } kind;
    uint16_t code;
    DWORD time;
    bool extended = false;
};

std::vector<MacroStep> Record(CMacroRecorder& recorder, const std::vector<Event>& events, DWORD stopTime) {
    std::vector<MacroStep> steps;
    recorder.Start();
    for (const Event& e : events) {
        std::vector<MacroStep> made;
        switch (e.kind) {
        case Event::KeyDown:
        case Event::KeyUp:
            made = recorder.Key(e.code, e.code == kScanA ? kVkA : e.code == kScanB ? kVkB : VK_LCONTROL, e.extended,
                                e.kind == Event::KeyDown, e.time);
            break;
        case Event::ButtonDown:
        case Event::ButtonUp: made = recorder.Button(e.code, e.kind == Event::ButtonDown, e.time); break;
        }
        steps.insert(steps.end(), made.begin(), made.end());
    }
    const std::vector<MacroStep> released = recorder.Stop(stopTime);
    steps.insert(steps.end(), released.begin(), released.end());
    return steps;
}

TEST(MacroRecorder, DelaysFollowTheOptionsAndTheFirstStepHasNone) {
    const std::vector<Event> events = {{Event::KeyDown, kScanA, 1000},
                                       {Event::KeyUp, kScanA, 1080},
                                       {Event::ButtonDown, 1, 1300},
                                       {Event::ButtonUp, 1, 1310}};
    struct Case {
        const char* what;
        bool ignore, fixed;
        std::vector<MacroStep> expected;
    };
    const Case cases[] = {
        {"measured", false, false,
         {Key(kVkA, kScanA, true), Delay(80), Key(kVkA, kScanA, false), Delay(220), Button(1, true), Delay(10),
          Button(1, false)}},
        {"ignored", true, false,
         {Key(kVkA, kScanA, true), Key(kVkA, kScanA, false), Button(1, true), Button(1, false)}},
        {"fixed at the default", false, true,
         {Key(kVkA, kScanA, true), Delay(70), Key(kVkA, kScanA, false), Delay(70), Button(1, true), Delay(70),
          Button(1, false)}},
    };
    for (const Case& c : cases) {
        CMacroRecorder recorder;
        recorder.SetIgnoreDelays(c.ignore);
        recorder.SetInsertDefaultDelay(c.fixed);
        recorder.SetDefaultDelay(70);
        EXPECT_EQ(Record(recorder, events, 2000), c.expected) << c.what;
    }
}

TEST(MacroRecorder, ARecordingStartedAgainBeginsWithoutADelayWhateverTheTimeBetween) {
    CMacroRecorder recorder;
    EXPECT_EQ(Record(recorder, {{Event::KeyDown, kScanA, 100}, {Event::KeyUp, kScanA, 150}}, 200),
              (std::vector<MacroStep>{Key(kVkA, kScanA, true), Delay(50), Key(kVkA, kScanA, false)}));
    // An hour later: the new recording's first step follows the old ones at once.
    EXPECT_EQ(Record(recorder, {{Event::KeyDown, kScanB, 3600150}, {Event::KeyUp, kScanB, 3600170}}, 3600200),
              (std::vector<MacroStep>{Key(kVkB, kScanB, true), Delay(20), Key(kVkB, kScanB, false)}));
}

TEST(MacroRecorder, ElapsedTimeCrossesTheCountsWrapAndIsHeldAtTheLongestDelay) {
    EXPECT_EQ(CMacroRecorder::Elapsed(100, 350), 250);
    EXPECT_EQ(CMacroRecorder::Elapsed(0xFFFFFFF0u, 0x10u), 0x20);
    EXPECT_EQ(CMacroRecorder::Elapsed(0, 0xFFFFFE), 0xFFFFFE);
    EXPECT_EQ(CMacroRecorder::Elapsed(0, 0xFFFFFF), 0xFFFFFF);
    EXPECT_EQ(CMacroRecorder::Elapsed(0, 0x1000000), 0xFFFFFF);
    EXPECT_EQ(CMacroRecorder::Elapsed(0, 0x7FFFFFFF), 0xFFFFFF);
    // A pause of more than 4.66 hours in a recording.
    CMacroRecorder recorder;
    EXPECT_EQ(Record(recorder, {{Event::KeyDown, kScanA, 0}, {Event::KeyUp, kScanA, 5 * 3600 * 1000}}, 0)[1],
              Delay(0xFFFFFF));
}

TEST(MacroRecorder, HeldKeysRepeatNothingAndWhatIsStillHeldIsReleasedAtTheStop) {
    struct Case {
        const char* what;
        std::vector<Event> events;
        std::vector<MacroStep> expected;
    };
    const Case cases[] = {
        {"auto-repeat gives one press and one release",
         {{Event::KeyDown, kScanA, 0}, {Event::KeyDown, kScanA, 30}, {Event::KeyDown, kScanA, 60},
          {Event::KeyUp, kScanA, 90}},
         {Key(kVkA, kScanA, true), Key(kVkA, kScanA, false)}},
        {"a release of a key pressed before the start is left out",
         {{Event::KeyUp, kScanB, 0}, {Event::KeyDown, kScanA, 10}, {Event::KeyUp, kScanA, 20}},
         {Key(kVkA, kScanA, true), Key(kVkA, kScanA, false)}},
        {"left and right Ctrl are held apart",
         {{Event::KeyDown, kScanCtrl, 0}, {Event::KeyDown, kScanCtrl, 10, true}, {Event::KeyUp, kScanCtrl, 20}},
         {Key(VK_LCONTROL, kScanCtrl, true), Key(VK_LCONTROL, kScanCtrl, true, true),
          Key(VK_LCONTROL, kScanCtrl, false), Key(VK_LCONTROL, kScanCtrl, false, true)}},
        {"held keys and buttons are released at the stop, the last first",
         {{Event::KeyDown, kScanA, 0}, {Event::ButtonDown, 2, 10}, {Event::KeyDown, kScanB, 20}},
         {Key(kVkA, kScanA, true), Button(2, true), Key(kVkB, kScanB, true), Key(kVkB, kScanB, false),
          Key(kVkA, kScanA, false), Button(2, false)}},
        {"a button pressed twice is pressed once",
         {{Event::ButtonDown, 1, 0}, {Event::ButtonDown, 1, 5}, {Event::ButtonUp, 1, 10}, {Event::ButtonUp, 1, 15}},
         {Button(1, true), Button(1, false)}},
    };
    for (const Case& c : cases) {
        CMacroRecorder recorder;
        recorder.SetIgnoreDelays(true);
        EXPECT_EQ(Record(recorder, c.events, 100), c.expected) << c.what;
        EXPECT_FALSE(recorder.IsHolding()) << c.what;
    }
    // The releases at the stop come after one delay, then at once.
    CMacroRecorder measured;
    EXPECT_EQ(Record(measured, {{Event::KeyDown, kScanA, 0}, {Event::KeyDown, kScanB, 40}}, 100),
              (std::vector<MacroStep>{Key(kVkA, kScanA, true), Delay(40), Key(kVkB, kScanB, true), Delay(60),
                                      Key(kVkB, kScanB, false), Key(kVkA, kScanA, false)}));
}

TEST(MouseFlags, EachFlagOfTheTableIsOneButtonEventAndARecordMayCarrySeveral) {
    struct Case {
        USHORT flag;
        int32_t button;
        bool down;
    };
    const Case table[] = {{0x0001, 1, true},  {0x0002, 1, false}, {0x0004, 2, true},  {0x0008, 2, false},
                          {0x0010, 3, true},  {0x0020, 3, false}, {0x0040, 4, true},  {0x0080, 4, false},
                          {0x0100, 5, true},  {0x0200, 5, false}};
    for (const Case& c : table) {
        MouseButtonEvent event = {};
        ASSERT_TRUE(MouseButtonEventOf(c.flag, event)) << c.flag;
        EXPECT_EQ(event.button, c.button) << c.flag;
        EXPECT_EQ(event.down, c.down) << c.flag;
    }
    MouseButtonEvent event = {};
    EXPECT_FALSE(MouseButtonEventOf(RI_MOUSE_WHEEL, event));
    EXPECT_FALSE(MouseButtonEventOf(0x0003, event));
    EXPECT_TRUE(MouseButtonEvents(RI_MOUSE_WHEEL).empty());
    const std::vector<MouseButtonEvent> both = MouseButtonEvents(0x0001 | 0x0008 | RI_MOUSE_WHEEL);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].button, 1);
    EXPECT_TRUE(both[0].down);
    EXPECT_EQ(both[1].button, 2);
    EXPECT_FALSE(both[1].down);
}

TEST(RawMouseRecords, ShortOrForeignRecordsAreRefused) {
    std::vector<BYTE> data(sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE), 0);
    RAWINPUTHEADER header = {};
    header.dwType = RIM_TYPEMOUSE;
    std::memcpy(data.data(), &header, sizeof header);
    RAWMOUSE sent = {};
    sent.usButtonFlags = RI_MOUSE_RIGHT_BUTTON_DOWN;
    std::memcpy(data.data() + sizeof header, &sent, sizeof sent);
    RAWMOUSE got = {};
    ASSERT_TRUE(ParseRawMouse(data.data(), static_cast<UINT>(data.size()), got));
    EXPECT_EQ(got.usButtonFlags, RI_MOUSE_RIGHT_BUTTON_DOWN);
    EXPECT_FALSE(ParseRawMouse(data.data(), static_cast<UINT>(data.size() - 1), got));
    EXPECT_FALSE(ParseRawMouse(nullptr, 100, got));
    header.dwType = RIM_TYPEKEYBOARD;
    std::memcpy(data.data(), &header, sizeof header);
    EXPECT_FALSE(ParseRawMouse(data.data(), static_cast<UINT>(data.size()), got));
}

TEST(MacroRows, EachStepSaysWhatItDoesAndShowsItsPicture) {
    // Keys by their code, language keys by themselves: what the row makes of each.
    const MacroKeyNamer keyName = [](uint16_t vk, uint16_t scan, bool extended) {
        CString name;
        name.Format(L"key %x/%x%s", vk, scan, extended ? L"+e" : L"");
        return name;
    };
    const MacroTranslator translate = [](const wchar_t* key) {
        return CompareNoCase(key, L"$secondsdelay") == 0 ? CString(L"sec") : CString(L"[") + key + L"]";
    };
    struct Case {
        MacroStep step;
        const wchar_t* text;
        int kind;
    };
    const Case cases[] = {
        {Key(kVkA, kScanA, true), L"key 41/1e", kRowKeyDown},
        {Key(VK_RCONTROL, kScanCtrl, false, true), L"key a3/1d+e", kRowKeyUp},
        {Button(1, true), L"[$LeftButtonDown]", kRowMouse},
        {Button(2, false), L"[$RightButtonUp]", kRowMouse},
        {Button(26, true), L"[$ThumbGrid12Down]", kRowMouse},
        {Button(0, true), L"[$MouseButtonDown] 0", kRowMouse},
        {Button(29, false), L"[$MouseButtonUp] 29", kRowMouse},
        {Button(-4, true), L"[$MouseButtonDown] -4", kRowMouse},
        {Delay(50), L"0.050 sec", kRowDelay},
        {Delay(1234), L"1.234 sec", kRowDelay},
        {Delay(0xFFFFFF), L"16777.215 sec", kRowDelay},
        {MacroStep{7, 0, 0}, L"", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeMacroStep(c.step, keyName, translate), CString(c.text)) << c.step.value;
        EXPECT_EQ(MacroRowKindOf(c.step), c.kind) << c.step.value;
    }
    // The highlighted pictures of the selected delay and mouse rows.
    EXPECT_EQ(MacroRowPicture(kRowDelay, true), kRowDelaySelected);
    EXPECT_EQ(MacroRowPicture(kRowMouse, true), kRowMouseSelected);
    EXPECT_EQ(MacroRowPicture(kRowKeyDown, true), kRowKeyDown);
    EXPECT_EQ(MacroRowPicture(kRowDelay, false), kRowDelay);
}

}  // namespace
