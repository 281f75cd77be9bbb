// MobekTilvorConfig over the emulated keyboard, as a user sees it: keys
// assigned and applied, Cancel and OK, no keyboard, the keyboard leaving,
// a second start.  What counts is the keyboard's state afterwards.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

class ConfigProgramTest : public CEndToEndTest {
protected:
    // The keyboard the test starts from (a factory keyboard unless it names
    // another), with an install folder that holds no tray program.
    void UseKeyboard(const char* state = nullptr) {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-config", state));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
    }
    HWND StartWith(const char* state = nullptr) {
        UseKeyboard(state);
        return HasFatalFailure() ? nullptr : StartProgram();
    }
    void TearDown() override {
        program.reset();
        second.reset();
        CEndToEndTest::TearDown();
    }

    std::unique_ptr<CConfigProgram> second;
};

TEST_F(ConfigProgramTest, AssignmentsReachTheKeyboardOnApply) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr) << "the main page did not show";
    ASSERT_EQ(KeyType("F1"), KeyAction::Key);
    ExpectScreenshot(main, L"config-main-page.png");

    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F1"));
    ExpectScreenshot(main, L"config-key-selected.png");
    ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_ASSIGNSELECT_DISABLE"));
    Assign(main, "BUTTON_KB_ESC", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(WaitForApplyEnabled(main));
    EXPECT_EQ(KeyType("F1"), KeyAction::Key) << "nothing is written before Apply";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForDisabledKey("F1"));
    EXPECT_TRUE(WaitForDisabledKey("Esc"));
    EXPECT_EQ(KeyType("F2"), KeyAction::Key) << "other keys keep their function";
    // The write ends a moment after the keyboard holds it; Apply meanwhile
    // is refused.
    ASSERT_TRUE(WaitForQuietKeyboard(500));

    // Back to the default: the key sends its own code again.
    Assign(main, "BUTTON_KB_F1", "BUTTON_ASSIGNSELECT_DEFAULT");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F1", KeyAction::Key));
    EXPECT_EQ(ActiveKey("F1").ScanCode(), 0x3Bu) << "F1 does not send its own code";
    EXPECT_TRUE(ActiveKey("Esc").IsDisabled());

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_EXIT"));
    EXPECT_TRUE(program->WaitForExit(15000));
}

TEST_F(ConfigProgramTest, ProgramLaunchChosenInTheFileDialogReachesTheKeyboard) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F2", "BUTTON_ASSIGNSELECT_LAUNCHPROGRAM");
    HWND dialog = program->WaitForPopup();
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main) << "the file dialog belongs to the main window";
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = std::wstring(system) + L"\\notepad.exe";
    ASSERT_TRUE(ChooseFile(dialog, path)) << "the file dialog has no file name box";
    ASSERT_TRUE(program->WaitForNoPopups()) << "the file dialog stayed open";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F2", KeyAction::Application));
}

TEST_F(ConfigProgramTest, SingleKeyIsCapturedWithTheKeyboardInCaptureMode) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F5", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    EXPECT_EQ(CKeyboardDump(Dump()).DeviceMode(), 2) << "the keyboard is not in capture mode";
    ExpectScreenshot(popup, L"config-single-key-popup.png");
    ASSERT_TRUE(WaitForFocusIn(popup));
    TypeKey(0x1E, 'A');
    ASSERT_TRUE(program->Click(popup, L"SingleKeyPopup.xml", "BUTTON_POPUP_OK"));
    EXPECT_TRUE(WaitUntilClosed(popup)) << "the popup stayed open";
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).DeviceMode() == 1; }, 5000))
        << "capture mode was not left";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKey("F5", [](const CKeyboardDump::Key& key) {
        return key.action == KeyAction::Key && key.ScanCode() == 0x1E;
    })) << "the key's record does not send A";
}

TEST_F(ConfigProgramTest, MacroAndProfileSwitchReachTheKeyboard) {
    HWND main = StartWith(kKeyboardWithMacro);
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F6", "BUTTON_ASSIGNSELECT_MACRO");
    ASSERT_TRUE(ConfirmPopup(L"SelectMacroPopup.xml", L"config-macro-popup.png")) << program->DescribePopups();
    Assign(main, "BUTTON_KB_F7", "BUTTON_ASSIGNSELECT_PROFILE");
    ASSERT_TRUE(ConfirmPopup(L"SelectProfilePopup.xml")) << program->DescribePopups();

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKey("F6", [](const CKeyboardDump::Key& key) { return PlaysMacro(key, kComboMacro); }));
    EXPECT_TRUE(WaitForKeyType("F7", KeyAction::Profile));
}

TEST_F(ConfigProgramTest, MacroWithARepeatCountReachesTheKeyboard) {
    HWND main = StartWith(kKeyboardWithMacro);
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F8", "BUTTON_ASSIGNSELECT_MACRO");
    HWND choice = program->WaitForPopup();
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_MULTIPLE"));
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "BUTTON_POPUP_OK"));
    // The count popup follows the macro popup at once.
    HWND count = program->WaitForNewPopup({choice});
    ASSERT_NE(count, nullptr) << "no repeat-count popup: " << program->DescribePopups();
    ASSERT_TRUE(TypeDigits(count, "3", L"3"));
    ASSERT_TRUE(program->Click(count, L"MacroRepeatEntryPopup.xml", "BUTTON_POPUP_OK"));
    ASSERT_TRUE(program->WaitForNoPopups()) << "the count popup's OK was not taken: " << program->DescribePopups();

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKey("F8", [](const CKeyboardDump::Key& key) {
        return PlaysMacro(key, kComboMacro) && key.Play() == PlayCode::Repeat && key.RepeatCount() == 3;
    })) << "the key's record does not repeat the macro 3 times";
}

TEST_F(ConfigProgramTest, CancelLeavesTheKeyboardAsItWas) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    const std::string before = Dump();
    Assign(main, "BUTTON_KB_F3", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(WaitForApplyEnabled(main));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_CANCEL"));
    EXPECT_TRUE(program->WaitForExit(15000));
    EXPECT_EQ(KeyType("F3"), KeyAction::Key);
    EXPECT_EQ(Dump(), before) << "Cancel wrote to the keyboard";
}

TEST_F(ConfigProgramTest, OkWritesBeforeTheProgramEnds) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F4", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    EXPECT_TRUE(program->WaitForExit(20000));
    EXPECT_TRUE(ActiveKey("F4").IsDisabled());
}

TEST_F(ConfigProgramTest, OkWhileAWriteRunsWaitsAndWritesTheLaterEditsToo) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F9", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    // At once, while the keyboard is still being written.
    Assign(main, "BUTTON_KB_F10", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    EXPECT_TRUE(program->WaitForExit(30000));
    EXPECT_TRUE(ActiveKey("F9").IsDisabled());
    EXPECT_TRUE(ActiveKey("F10").IsDisabled()) << "the edit made during the write was dropped";
}

TEST_F(ConfigProgramTest, WithoutAKeyboardTheWarningShowsAndTheProgramCloses) {
    ASSERT_NO_FATAL_FAILURE(UseKeyboard());
    ASSERT_NO_FATAL_FAILURE(SetKeyboardPresent(false));
    ASSERT_NE(StartProgram(), nullptr) << "the main page did not show";
    EXPECT_TRUE(program->IsRunning());
    ASSERT_TRUE(ConfirmPopup(L"NoDevicePopup.xml", L"config-no-keyboard-popup.png")) << "no warning";
    EXPECT_TRUE(program->WaitForExit(15000));
}

TEST_F(ConfigProgramTest, UnpluggingTheKeyboardWarnsOnceAndCloses) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunControl(L"unplug"));
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no warning after the keyboard left";
    // The keyboard leaving again while the warning is up opens no second
    // one (a second would follow the removal within its 100 ms timer).
    ASSERT_TRUE(RunControl(L"plug"));
    ASSERT_TRUE(RunControl(L"unplug"));
    EXPECT_EQ(program->WaitForNewPopup({popup}, 800), nullptr) << program->DescribePopups();
    ASSERT_TRUE(program->Click(popup, L"NoDevicePopup.xml", "BUTTON_POPUP_OK"));
    EXPECT_TRUE(program->WaitForExit(15000));
    EXPECT_TRUE(program->Popups().empty());
}

TEST_F(ConfigProgramTest, SecondStartBringsTheFirstWindowForward) {
    HWND main = StartWith();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(main) != FALSE; }));
    second = std::make_unique<CConfigProgram>();
    ASSERT_TRUE(second->Start());
    DWORD code = 1;
    EXPECT_TRUE(second->WaitForExit(15000, &code)) << "the second copy kept running";
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main); })) << "the first window was not restored";
    EXPECT_TRUE(program->IsRunning());
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"SINGLE_INSTANCE_APP_DULCORE", nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);
}

}  // namespace
