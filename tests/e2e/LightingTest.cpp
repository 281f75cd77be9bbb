// The lighting page over the emulated keyboard, worked as a user works it:
// the logo light steady or cycling, a colour from the palette by mouse or
// keys, the brightness slider, the keyboard-wide switch.  Every change
// shows on the keyboard at once; Apply and OK keep it; every way of
// cancelling (Cancel, Escape, the close box, Exit) leaves the keyboard
// exactly as it was, a refused write and a switch of profile included.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MouseInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const wchar_t kLighting[] = L"LightingMaintenance.xml";

// Two profiles: the first (active) cycles through the spectrum at half
// brightness, the second is steady green; LED 1 of the first runs an effect
// the page has no button for.
const char kTwoProfiles[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\">\n"
    "    <led id=\"1\" on=\"1\" color=\"0x00FFFF\" brightness=\"100\" effect=\"3\"/>\n"
    "    <led id=\"5\" on=\"1\" color=\"0x0000FF\" brightness=\"50\" effect=\"5\"/>\n"
    "  </profile>\n"
    "  <profile name=\"Profile 2\">\n"
    "    <led id=\"5\" on=\"1\" color=\"0x00FF00\" brightness=\"100\" effect=\"0\"/>\n"
    "  </profile>\n"
    "</keyboard-state>\n";

// The logo light (LED 5) of a profile as the keyboard holds it.
CKeyboardDump::Led LightOf(const std::string& dump, const char* profileName, unsigned ledId = 5) {
    return CKeyboardDump(dump).LedOf(profileName, ledId);
}

// Keys go to the window in front: after a popup, the main window must be
// back there first.
bool WaitForFront(HWND window) {
    return PumpUntil([&] { return GetForegroundWindow() == window && HasFocusWithin(window); }, 10000) &&
           WaitUntilAnswering(window);
}

// The close box's command.  The window has no caption of its own: the
// command comes from the system (the taskbar's Close, Alt+F4), and reaches
// the window as it would from a caption's close box.
void CloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// A drag with the left button from one point of a window's client area to
// another, in steps.
void Drag(HWND window, POINT from, POINT to) {
    ClientToScreen(window, &from);
    ClientToScreen(window, &to);
    MoveMouseTo(from);
    Pause(150);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Pause(150);
    for (int step = 1; step <= 4; ++step) {
        MoveMouseTo(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        Pause(120);
    }
    MouseButton(MOUSEEVENTF_LEFTUP);
    Pause(400);
}

class LightingTest : public CEndToEndTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-lighting", kTwoProfiles));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
        before = Dump();
        ASSERT_TRUE(LightOf(before, "Profile 1").found);
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
        ASSERT_TRUE(program->Click(main, kMain, "BUTTON_LIGHTINGMAINTENANCE"));
        Pause(300);
    }

    // Waits until the first profile's logo light is so.
    bool WaitForLight(unsigned colour, unsigned brightness, unsigned effect, const char* profile = "Profile 1") {
        return WaitForDump([&](const std::string& dump) {
            const CKeyboardDump::Led light = LightOf(dump, profile);
            return light.colour == colour && light.brightness == brightness && light.effect == effect;
        });
    }
    // The program ended by a way of cancelling, and the keyboard holds what
    // it held before the program started.
    void ExpectKeyboardAsBefore() {
        ASSERT_TRUE(program->WaitForExit(20000)) << "the program did not end";
        EXPECT_EQ(Dump(), before);
    }

    // The palette the colour drop-down opened; null when none opened.
    HWND OpenPalette() {
        if (!program->Click(main, kLighting, "DROPDOWN_LOGO_COLOR"))
            return nullptr;
        HWND palette = nullptr;
        PumpUntil([&] { return (palette = FindWindowW(nullptr, L"CFODropColorPaletteWnd")) != nullptr; }, 5000);
        Pause(300);
        return palette;
    }
    // The centre of a palette cell (row, column) in the palette's client
    // area: 6 rows of 8 cells inside a margin of 4, over a custom button
    // of 25 pixels and a gap of 3.
    static POINT CellCentre(HWND palette, int row, int column) {
        RECT client;
        GetClientRect(palette, &client);
        const int width = client.right - 8, height = client.bottom - 8 - 25 - 3;
        return {4 + (2 * column + 1) * width / 16, 4 + (2 * row + 1) * height / 12};
    }
    // The centre of the brightness thumb for a slider value (1..100): the
    // track's place on the page and the travel of the thumb's centre in it.
    static POINT ThumbAt(int value) {
        RECT track;
        CConfigProgram::ItemRect(kLighting, "BITMAP_BRIGHTNESS_SETTINGS", track);
        return {track.left + 22 + 528 * (value - 1) / 99, (track.top + track.bottom) / 2};
    }

    std::string before;
    HWND main = nullptr;
};

TEST_F(LightingTest, SteadySpectrumAndAPaletteColourShowAtOnceAndCancelPutsTheKeyboardBack) {
    ExpectScreenshot(main, L"config-lighting-page.png");
    ASSERT_TRUE(program->Click(main, kLighting, "GLOW_LEDON"));
    EXPECT_TRUE(WaitForLight(0x0000FF, 50, 0)) << "the steady light did not show at once";
    EXPECT_TRUE(IsApplyEnabled(main));

    HWND palette = OpenPalette();
    ASSERT_NE(palette, nullptr) << program->DescribePopups();
    EXPECT_TRUE(WaitUntilDrawn(palette));
    EXPECT_TRUE(SaveScreenshot(ArtifactPath(L"config-lighting-palette.png")));
    POINT cell = CellCentre(palette, 2, 5);  // 0xFFFF00: cyan
    ClientToScreen(palette, &cell);
    ClickAt(cell);
    EXPECT_TRUE(WaitForLight(0xFFFF00, 50, 0)) << "the palette's colour did not show at once";
    EXPECT_FALSE(IsWindow(palette)) << "the palette stayed open";

    ASSERT_TRUE(program->Click(main, kLighting, "SPECTRUM_CYCLING_ON"));
    EXPECT_TRUE(WaitForLight(0xFFFF00, 50, 5)) << "spectrum cycling did not show at once";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_CANCEL"));
    ExpectKeyboardAsBefore();
}

TEST_F(LightingTest, AColourChosenWithTheKeysIsKeptByApplyAndEscapeGoesBackToWhatWasApplied) {
    ASSERT_TRUE(program->Click(main, kLighting, "GLOW_LEDON"));
    ASSERT_TRUE(WaitForLight(0x0000FF, 50, 0));
    ASSERT_NE(OpenPalette(), nullptr);
    // From red (row 3, column 2) two to the right: each shows at once.
    TypeVirtualKey(VK_RIGHT);
    EXPECT_TRUE(WaitForLight(0x00C0FF, 50, 0)) << "the palette's move did not show at once";
    TypeVirtualKey(VK_RIGHT);
    TypeVirtualKey(VK_RETURN);
    EXPECT_TRUE(WaitForLight(0x00FFFF, 50, 0));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    ASSERT_TRUE(PumpUntil([&] { return !IsApplyEnabled(main); }, 10000)) << "Apply did not take the colour";
    ASSERT_TRUE(WaitForQuietKeyboard());
    const std::string applied = Dump();
    EXPECT_EQ(LightOf(applied, "Profile 1").effect, 0u);
    EXPECT_EQ(LightOf(applied, "Profile 1", 1).effect, 3u) << "Apply flattened an effect it does not edit";

    ASSERT_TRUE(program->Click(main, kLighting, "SPECTRUM_CYCLING_ON"));
    ASSERT_TRUE(program->Click(main, kLighting, "BUTTON_ENABLE_SYNCCOLOR"));
    EXPECT_TRUE(WaitForLight(0x00FFFF, 50, 5));
    ASSERT_TRUE(WaitForFront(main));
    TypeVirtualKey(VK_ESCAPE);
    ASSERT_TRUE(program->WaitForExit(20000)) << "Escape did not end the program";
    EXPECT_EQ(Dump(), applied) << "Escape did not put back what was applied";
}

TEST_F(LightingTest, TheBrightnessSnapsToItsStepsAndTheSwitchShowsAtOnceAndExitPutsBothBack) {
    Drag(main, ThumbAt(62), ThumbAt(40));
    EXPECT_TRUE(WaitForLight(0x0000FF, 20, 5)) << "the slider let go at 40 did not give Dim";
    ExpectScreenshot(main, L"config-lighting-dim.png");
    // A click on the track near its end: the thumb jumps there, Bright.
    POINT end = ThumbAt(92);
    ClientToScreen(main, &end);
    ClickAt(end);
    EXPECT_TRUE(WaitForLight(0x0000FF, 100, 5)) << "a click on the track did not give Bright";
    ASSERT_TRUE(program->Click(main, kLighting, "TEXT_ENABLE_SYNCCOLOR"));  // the label works its box
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).OnOff() == 1; }))
        << "the switch did not show at once";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_EXIT"));
    ExpectKeyboardAsBefore();
}

TEST_F(LightingTest, EscapeAfterARefusedWritePutsBackTheStateBeforeTheEdits) {
    ASSERT_TRUE(program->Click(main, kLighting, "GLOW_LEDON"));
    ASSERT_TRUE(program->Click(main, kLighting, "BUTTON_ENABLE_SYNCCOLOR"));
    ASSERT_TRUE(WaitForLight(0x0000FF, 50, 0));
    ASSERT_HRESULT_SUCCEEDED(session->Control()->InjectFault(L"ILedEffect.SetEffect", E_FAIL, TRUE));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    ASSERT_TRUE(ConfirmPopup(L"WriteFailedPopup.xml")) << "no warning of the refused write";
    ASSERT_HRESULT_SUCCEEDED(session->Control()->ClearFaults());
    ASSERT_TRUE(WaitForFront(main));
    TypeVirtualKey(VK_ESCAPE);
    ExpectKeyboardAsBefore();
}

TEST_F(LightingTest, EditsOfAnotherProfileStayOffTheKeyboardAndTheCloseBoxLeavesTheFirstAlone) {
    ASSERT_NO_FATAL_FAILURE(ChooseInDropdown(main, kLighting, "LIST_GLOBALPROFILELIST", 1));
    ExpectScreenshot(main, L"config-lighting-second-profile.png");

    // On the first profile each of these would show at once.
    ASSERT_TRUE(program->Click(main, kLighting, "GLOW_LEDON"));
    Drag(main, ThumbAt(100), ThumbAt(40));
    HWND palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    TypeVirtualKey(VK_DOWN);
    TypeVirtualKey(VK_RETURN);
    ASSERT_TRUE(WaitForQuietKeyboard());
    EXPECT_EQ(Dump(), before) << "another profile's lighting reached the keyboard";
    CloseBox(main);
    ExpectKeyboardAsBefore();
}

TEST_F(LightingTest, RestoreDefaultsShowsAtOnceAndTheCloseBoxUndoesIt) {
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_ASSIGNKEYS"));
    ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_RESET"));
    ASSERT_TRUE(ConfirmPopup(L"RestorePopup.xml"));
    EXPECT_TRUE(WaitForLight(0xFF0000, 100, 5)) << "the defaults' lighting did not show at once";
    CloseBox(main);
    ExpectKeyboardAsBefore();
}

TEST_F(LightingTest, OKWritesTheLightingBeforeTheProgramEnds) {
    ASSERT_TRUE(program->Click(main, kLighting, "GLOW_LEDON"));
    HWND palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    POINT cell = CellCentre(palette, 0, 0);  // white
    ClientToScreen(palette, &cell);
    ClickAt(cell);
    Drag(main, ThumbAt(62), ThumbAt(5));
    ASSERT_TRUE(WaitForLight(0xFFFFFF, 0, 0));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    ASSERT_TRUE(program->WaitForExit(30000)) << "OK did not end the program";
    const CKeyboardDump::Led written = LightOf(Dump(), "Profile 1");
    EXPECT_EQ(written.colour, 0xFFFFFFu);
    EXPECT_EQ(written.brightness, 0u);
    EXPECT_EQ(written.effect, 0u);
}

}  // namespace
