// MobekTilvorConfig over the emulated keyboard, as a user sees it: keys
// assigned and applied, Cancel and OK, no keyboard, the keyboard leaving,
// a second start.  What counts is the keyboard's state afterwards.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A keyboard with two profiles and one macro that it already knows.
const char kKeyboardWithMacro[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\"/>\n"
    "  <profile name=\"Profile 2\"/>\n"
    "  <macro guid=\"{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}\" name=\"Combo\"/>\n"
    "</keyboard-state>\n";

class ConfigProgramTest : public CEndToEndTest {
protected:
    void SetUp() override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const bool withMacro = std::string(test->name()).find("Macro") != std::string::npos;
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-config", withMacro ? kKeyboardWithMacro : nullptr));
        // The install folder holds no tray program (one beside the program may still start).
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
    }
    void TearDown() override {
        program.reset();
        second.reset();
        CEndToEndTest::TearDown();
    }

    std::unique_ptr<CConfigProgram> second;
};

TEST_F(ConfigProgramTest, AssignmentsReachTheKeyboardOnApply) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr) << "the main page did not show";
    ASSERT_EQ(KeyType("F1"), kKeyRecord);
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"config-main-page.png")));

    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F1"));
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"config-key-selected.png")));
    ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_ASSIGNSELECT_DISABLE"));
    Assign(main, "BUTTON_KB_ESC", "BUTTON_ASSIGNSELECT_DISABLE");
    EXPECT_EQ(KeyType("F1"), kKeyRecord) << "nothing is written before Apply";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F1", kDisabledRecord));
    EXPECT_TRUE(WaitForKeyType("Esc", kDisabledRecord));
    EXPECT_EQ(KeyType("F2"), kKeyRecord) << "other keys keep their function";
    // The write ends a moment after the keyboard holds it; Apply meanwhile
    // is refused.
    Pause(1500);

    // Back to the default: the key sends its own code again.
    Assign(main, "BUTTON_KB_F1", "BUTTON_ASSIGNSELECT_DEFAULT");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F1", kKeyRecord));
    int type = 0;
    std::string data;
    ASSERT_TRUE(ActiveProfileKey(Dump(), "F1", type, data));
    EXPECT_EQ(data.substr(0, 4), "3B00") << data;
    EXPECT_EQ(KeyType("Esc"), kDisabledRecord);

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_EXIT"));
    EXPECT_TRUE(program->WaitForExit(15000));
}

TEST_F(ConfigProgramTest, ProgramLaunchChosenInTheFileDialogReachesTheKeyboard) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F2", "BUTTON_ASSIGNSELECT_LAUNCHPROGRAM");
    HWND dialog = program->WaitForPopup();
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), main) << "the file dialog belongs to the main window";
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = std::wstring(system) + L"\\notepad.exe";
    ASSERT_TRUE(ChooseFile(dialog, path)) << "the file dialog has no file name box";
    Pause(800);
    ASSERT_TRUE(program->Popups().empty()) << "the file dialog stayed open";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F2", kApplicationRecord));
}

TEST_F(ConfigProgramTest, SingleKeyIsCapturedWithTheKeyboardInCaptureMode) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F5", "BUTTON_ASSIGNSELECT_SINGLEKEY");
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no single-key popup";
    EXPECT_NE(Dump().find("device-mode=\"2\""), std::string::npos) << "the keyboard is not in capture mode";
    EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(L"config-single-key-popup.png")));
    TypeKey(0x1E, 'A');
    ASSERT_TRUE(program->Click(popup, L"SingleKeyPopup.xml", "BUTTON_POPUP_OK"));
    Pause(500);
    EXPECT_TRUE(program->Popups().empty()) << "the popup stayed open";
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return dump.find("device-mode=\"1\"") != std::string::npos; },
                            5000))
        << "capture mode was not left";
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForDump([](const std::string& dump) {
        int type = 0;
        std::string data;
        return ActiveProfileKey(dump, "F5", type, data) && type == kKeyRecord && data.substr(0, 4) == "1E00";
    })) << "the key's record does not send A";
}

TEST_F(ConfigProgramTest, MacroAndProfileSwitchReachTheKeyboard) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F6", "BUTTON_ASSIGNSELECT_MACRO");
    ASSERT_TRUE(ConfirmPopup(L"SelectMacroPopup.xml", L"config-macro-popup.png")) << program->DescribePopups();
    Assign(main, "BUTTON_KB_F7", "BUTTON_ASSIGNSELECT_PROFILE");
    ASSERT_TRUE(ConfirmPopup(L"SelectProfilePopup.xml")) << program->DescribePopups();

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F6", kMacroRecord));
    EXPECT_TRUE(WaitForKeyType("F7", kProfileRecord));
}

TEST_F(ConfigProgramTest, MacroWithARepeatCountReachesTheKeyboard) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F8", "BUTTON_ASSIGNSELECT_MACRO");
    HWND choice = program->WaitForPopup();
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "BUTTON_MACRO_PLAY_MULTIPLE"));
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "BUTTON_POPUP_OK"));
    // The count popup follows the macro popup at once.
    Pause(500);
    HWND count = program->WaitForPopup();
    ASSERT_NE(count, nullptr) << "no repeat-count popup";
    ASSERT_NE(count, choice) << program->DescribePopups();
    ASSERT_TRUE(WaitForFocusIn(count)) << "the count popup's edit never had the focus";
    TypeKey(0x04, '3');
    ASSERT_TRUE(program->Click(count, L"MacroRepeatEntryPopup.xml", "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitForNoPopups()) << "the count popup's OK was not taken: " << program->DescribePopups();

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    // The record's play code (repeat) and count are its 17th and 18th bytes.
    EXPECT_TRUE(WaitForDump([](const std::string& dump) {
        int type = 0;
        std::string data;
        return ActiveProfileKey(dump, "F8", type, data) && type == kMacroRecord && data.size() >= 36 &&
               data.substr(32, 4) == "0203";
    })) << "the key's record does not repeat the macro 3 times";
}

TEST_F(ConfigProgramTest, CancelLeavesTheKeyboardAsItWas) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    const std::string before = Dump();
    Assign(main, "BUTTON_KB_F3", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_CANCEL"));
    EXPECT_TRUE(program->WaitForExit(15000));
    EXPECT_EQ(KeyType("F3"), kKeyRecord);
    EXPECT_EQ(Dump(), before) << "Cancel wrote to the keyboard";
}

TEST_F(ConfigProgramTest, OkWritesBeforeTheProgramEnds) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F4", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    EXPECT_TRUE(program->WaitForExit(20000));
    EXPECT_EQ(KeyType("F4"), kDisabledRecord);
}

TEST_F(ConfigProgramTest, OkWhileAWriteRunsWaitsAndWritesTheLaterEditsToo) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    Assign(main, "BUTTON_KB_F9", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    // At once, while the keyboard is still being written.
    Assign(main, "BUTTON_KB_F10", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    EXPECT_TRUE(program->WaitForExit(30000));
    EXPECT_EQ(KeyType("F9"), kDisabledRecord);
    EXPECT_EQ(KeyType("F10"), kDisabledRecord) << "the edit made during the write was dropped";
}

TEST_F(ConfigProgramTest, WithoutAKeyboardTheWarningShowsAndTheProgramCloses) {
    ULONG vendor = 0, product = 0;
    ASSERT_HRESULT_SUCCEEDED(session->Control()->SetPresent(FALSE, &vendor, &product));
    ASSERT_NE(StartProgram(), nullptr) << "the main page did not show";
    EXPECT_TRUE(program->IsRunning());
    ASSERT_TRUE(ConfirmPopup(L"NoDevicePopup.xml", L"config-no-keyboard-popup.png")) << "no warning";
    EXPECT_TRUE(program->WaitForExit(15000));
}

TEST_F(ConfigProgramTest, UnpluggingTheKeyboardWarnsOnceAndCloses) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunControl(L"unplug"));
    HWND popup = program->WaitForPopup();
    ASSERT_NE(popup, nullptr) << "no warning after the keyboard left";
    // The keyboard leaving again while the warning is up opens no second one.
    ASSERT_TRUE(RunControl(L"plug"));
    ASSERT_TRUE(RunControl(L"unplug"));
    Pause(800);
    EXPECT_EQ(program->Popups().size(), 1u);
    ASSERT_TRUE(program->Click(popup, L"NoDevicePopup.xml", "BUTTON_POPUP_OK"));
    EXPECT_TRUE(program->WaitForExit(15000));
    EXPECT_TRUE(program->Popups().empty());
}

TEST_F(ConfigProgramTest, SecondStartBringsTheFirstWindowForward) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    Pause(500);
    ASSERT_TRUE(IsIconic(main));
    second = std::make_unique<CConfigProgram>();
    ASSERT_TRUE(second->Start());
    DWORD code = 1;
    EXPECT_TRUE(second->WaitForExit(15000, &code)) << "the second copy kept running";
    Pause(500);
    EXPECT_FALSE(IsIconic(main)) << "the first window was not restored";
    EXPECT_TRUE(program->IsRunning());
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"SINGLE_INSTANCE_APP_DULCORE", nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);
}

}  // namespace
