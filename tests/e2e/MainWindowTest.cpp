// What the main window tells the user, as a person at the screen sees it:
// the information window shows what the key under the pointer (or the
// selected key) does now; a write the keyboard refuses is told, not only
// kept; without a keyboard nothing offers to be applied and the footer
// says why the firmware has no version.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

// The pixels of a skin item's rectangle on the main window, inset (inside
// its frame); the bottom rows of the information window are its text band.
std::vector<uint32_t> ItemPixels(HWND main, const wchar_t* skinFile, const char* item, SIZE inset, int bottomRows = 0) {
    RECT r;
    if (!CConfigProgram::ItemRect(skinFile, item, r))
        return {};
    if (bottomRows > 0)
        r.top = r.bottom - bottomRows;
    InflateRect(&r, -inset.cx, -inset.cy);
    POINT corner = {r.left, r.top};
    ClientToScreen(main, &corner);
    OffsetRect(&r, corner.x - r.left, corner.y - r.top);
    return ScreenPixels(r);
}

// Nothing drawn there: one colour all over.
bool Blank(const std::vector<uint32_t>& pixels) {
    for (uint32_t p : pixels)
        if (p != pixels.front())
            return false;
    return !pixels.empty();
}

void MoveTo(HWND window, POINT client) {
    ClientToScreen(window, &client);
    SetCursorPos(client.x - 3, client.y - 3);
    Pause(60);
    SetCursorPos(client.x, client.y);
    WaitUntilAnswering(window);
}

void MoveToItem(HWND window, const wchar_t* skinFile, const char* item) {
    RECT r;
    ASSERT_TRUE(CConfigProgram::ItemRect(skinFile, item, r)) << item;
    MoveTo(window, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

class MainWindowTest : public CEndToEndTest {
protected:
    // The assignment is in the dialog once Apply offers it.
    bool WaitForKeyTypeIn(HWND main) { return PumpUntil([&] { return IsApplyEnabled(main); }, 5000); }
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-main"));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
    }
    // The information window inside its frame: the key's cap, the kind's
    // icon and the text.
    std::vector<uint32_t> Info(HWND main) { return ItemPixels(main, kAssign, "BITMAPWIN_ASSIGNKEY", {8, 10}); }
    // What the window shows once it has settled (unchanged for 150 ms: a
    // repaint under way can read the same twice) and satisfies pred; false
    // after the time-out, shown the last look.
    template <typename Pred>
    bool WaitForInfo(HWND main, std::vector<uint32_t>& shown, Pred pred) {
        std::vector<uint32_t> before;
        DWORD since = GetTickCount();
        return PumpUntil([&] {
            before.swap(shown);
            shown = Info(main);
            if (shown != before || !pred(shown))
                since = GetTickCount();
            return GetTickCount() - since >= 150;
        });
    }
};

TEST_F(MainWindowTest, TheInformationWindowShowsWhatTheKeyDoesNow) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    // Where nothing is: the window's own background, which drags it.
    const POINT background = {400, 423};
    auto blank = [](const std::vector<uint32_t>& shown) { return Blank(shown); };
    auto drawn = [](const std::vector<uint32_t>& shown) { return !Blank(shown); };
    std::vector<uint32_t> shown;
    MoveTo(main, background);
    ASSERT_TRUE(WaitForInfo(main, shown, blank)) << "the window shows a key before any was pointed at";

    ASSERT_NO_FATAL_FAILURE(MoveToItem(main, kKeys, "BUTTON_KB_F1"));
    std::vector<uint32_t> asDefault;
    ASSERT_TRUE(WaitForInfo(main, asDefault, drawn)) << "the key under the pointer is not shown";

    // Assigned: the window shows the new function at once, though the
    // pointer is on the button that assigned it.
    Assign(main, "BUTTON_KB_F1", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(WaitForKeyTypeIn(main)) << "the assignment was not taken";
    // Judged once the window has settled (the popup is gone from over it).
    std::vector<uint32_t> asDisabled;
    EXPECT_TRUE(WaitForInfo(main, asDisabled, [&](const std::vector<uint32_t>& now) { return now != asDefault; }))
        << "the window still shows the key's old function";
    EXPECT_FALSE(Blank(asDisabled));
    ExpectScreenshot(main, L"config-info-after-assignment.png");

    // Off the keys over the background, and back onto the same key.
    MoveTo(main, background);
    EXPECT_TRUE(WaitForInfo(main, shown, blank)) << "the window keeps a key the pointer has left";
    ASSERT_NO_FATAL_FAILURE(MoveToItem(main, kKeys, "BUTTON_KB_F1"));
    EXPECT_TRUE(WaitForInfo(main, shown, drawn));
    EXPECT_EQ(shown, asDisabled) << "the key the pointer came back to is not shown";
}

TEST_F(MainWindowTest, AWriteTheKeyboardRefusesIsToldAndKept) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    ASSERT_HRESULT_SUCCEEDED(session->Control()->InjectFault(L"IKeyAssignmentManager.WriteKeys", E_FAIL, TRUE));
    Assign(main, "BUTTON_KB_F11", "BUTTON_ASSIGNSELECT_DISABLE");
    // Apply, then OK: each tells the user, once, and the window stays.
    for (const char* button : {"BUTTON_APPLY", "BUTTON_OK"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(program->Click(main, kMain, button));
        ASSERT_TRUE(ConfirmPopup(L"WriteFailedPopup.xml", L"config-write-failed-popup.png"))
            << "no warning, or it did not close: " << program->DescribePopups();
        EXPECT_EQ(program->WaitForPopup(1500), nullptr) << "warned twice: " << program->DescribePopups();
        EXPECT_TRUE(program->IsRunning()) << "the window closed although nothing was saved";
        EXPECT_TRUE(IsApplyEnabled(main)) << "Apply does not show the unsaved change";
        EXPECT_EQ(KeyType("F11"), KeyAction::Key);
    }
    // Once the keyboard takes writes again, Apply writes the change.
    ASSERT_HRESULT_SUCCEEDED(session->Control()->ClearFaults());
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForDisabledKey("F11"));
    EXPECT_TRUE(program->Popups().empty()) << "a warning for a write that succeeded";
}

TEST_F(MainWindowTest, WithoutAKeyboardNothingOffersToBeAppliedAndTheFooterSaysWhy) {
    ASSERT_NO_FATAL_FAILURE(SetKeyboardPresent(false));
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(program->WaitForPopup(), nullptr);
    EXPECT_FALSE(IsApplyEnabled(main)) << "Apply is offered behind the warning";
    ExpectScreenshot(main, L"config-no-keyboard-main.png");
    // The firmware line has a value after its label: its right half is
    // drawn on, not only its left.
    std::vector<uint32_t> line = ItemPixels(main, kMain, "TEXT_FIRMWAREVER", {8, 2});
    RECT r;
    ASSERT_TRUE(CConfigProgram::ItemRect(kMain, "TEXT_FIRMWAREVER", r));
    const int width = r.right - r.left - 2 * 8;
    ASSERT_GT(width, 0);
    std::vector<uint32_t> rightHalf;
    for (size_t i = 0; i < line.size(); ++i)
        if (static_cast<int>(i % static_cast<size_t>(width)) >= width / 2)
            rightHalf.push_back(line[i]);
    EXPECT_FALSE(Blank(rightHalf)) << "the firmware line shows its label alone";
}

}  // namespace
