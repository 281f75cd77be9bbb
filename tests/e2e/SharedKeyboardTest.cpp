// MobekTilvorConfig and MobekTilvorSysTray on one emulated keyboard: what
// the tray program or the keyboard's own keys change while the dialog is
// open survives its Apply and joins its store; what the user changed in the
// dialog (a key, the profile chosen in the keys page's drop-down) is
// written and wins over the keyboard's change of the same item; a write
// that fails half way is completed by the next Apply with nothing doubled.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The tray program's process started from the installed tree; 0 when none runs.
DWORD TrayProcessId() {
    const std::vector<DWORD> running = ProcessesNamed(L"MobekTilvorSysTray.exe");
    return running.empty() ? 0 : running.front();
}

bool AnyTooltipShown(DWORD processId) {
    for (HWND tip : WindowsOf(processId, L"tooltips_class32"))
        if (IsWindowVisible(tip))
            return true;
    return false;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool Disabled(const CKeyboardDump& dump, const std::string& profile, const char* key) {
    return dump.KeyRecord(profile, key).IsDisabled();
}

// The one key the recording typed: A pressed, then released.
void ExpectTypedA(const CKeyboardDump::Macro& macro) {
    ASSERT_EQ(macro.keySteps.size(), 2u) << "the macro does not hold the key typed";
    EXPECT_EQ(macro.keySteps[0] & 0xFFFF, 0x1Eu);
    EXPECT_EQ(macro.keySteps[0] >> 16 & 1, 0u);
    EXPECT_EQ(macro.keySteps[1] & 0xFFFF, 0x1Eu);
    EXPECT_EQ(macro.keySteps[1] >> 16 & 1, 1u) << "the second step is not the release";
}

class SharedKeyboardTest : public CEndToEndTest {
protected:
    void SetUp() override {
        EndTrayPrograms();
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-shared"));
        // The configuration program starts the tray program from here.
        ASSERT_TRUE(SetInstallDir(DistPath() + L"\\"));
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
        ASSERT_NO_FATAL_FAILURE(WaitForTray());
    }

    void WaitForTray() {
        HWND dialog = nullptr;
        DWORD tray = 0;
        ASSERT_TRUE(PumpUntil([&] {
            tray = TrayProcessId();
            std::vector<HWND> dialogs = WindowsOf(tray, L"#32770");
            dialog = dialogs.size() == 1 ? dialogs[0] : nullptr;
            return dialog && WindowsOf(tray, L"csl_osd").size() == 1;
        }, 20000)) << "the configuration program did not start the tray program";
        const std::wstring image = ImageOf(tray);
        const std::wstring installed = DistPath(L"MobekTilvorSysTray.exe");
        EXPECT_EQ(_wcsicmp(image.c_str(), installed.c_str()), 0)
            << "the tray program runs from " << Narrow(image) << ", not from " << Narrow(installed);
        // Its start (the keyboard's events connected) is over once it answers.
        ASSERT_TRUE(WaitUntilAnswering(dialog, 10000));
        trayDialog = dialog;
    }

    void Apply() { ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY")); }

    // Waits for the dump to satisfy pred and the keyboard to go quiet, so
    // that nothing of the write is still to come when the test judges it.
    template <typename Pred>
    void WaitForWrite(Pred pred, const char* what) {
        ASSERT_TRUE(WaitForDump([&](const std::string& text) { return pred(CKeyboardDump(text)); })) << what << "\n"
                                                                                                      << Dump();
        ASSERT_TRUE(WaitForQuietKeyboard()) << "the keyboard's calls did not stop";
    }

    // The keyboard's recording stages with a key typed into a program in
    // front: the tray program stores the macro and assigns it to the key in
    // the keyboard's active profile.  The new macro's GUID in *guid.
    void RecordMacroThroughTray(const char* key, std::string* guid) {
        ASSERT_TRUE(RunControl(L"record start"));
        // The tray shows the recording on LED 7 just before it takes input.
        ASSERT_TRUE(WaitForDump([](const std::string& text) {
            CKeyboardDump dump(text);
            bool on = false;
            unsigned colour = 0, effect = 0;
            return dump.DeviceMode() == 2 && dump.FindLed(7, on, colour, effect) && on && colour == 0x0000FF &&
                   effect == 0;
        }, 10000)) << "the tray program did not start recording";
        ASSERT_TRUE(WaitUntilAnswering(trayDialog));

        // Under Wine the keys reach the tray program's raw input only with
        // some window in front to type into.
        HWND front = CreateWindowExW(0, L"STATIC", L"the user's program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                     400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(front);
        SetForegroundWindow(front);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }));
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = 0x1E;
        inputs[0].ki.dwFlags = KEYEVENTF_SCANCODE;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP;
        for (INPUT& input : inputs) {
            EXPECT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
            Pause(60);
        }
        // The keys reach the tray as raw input, which its queue takes after
        // the keyboard's calls; nothing shows that it has taken them, so its
        // queue is given the time a hand would take to reach for the
        // keyboard's stop key.
        Pause(300);
        DestroyWindow(front);

        ASSERT_TRUE(RunControl(L"record stop"));
        const std::wstring save = L"record save " + std::wstring(key, key + strlen(key));
        ASSERT_TRUE(RunControl(save.c_str()));
        // The macro is stored first, the key assigned a moment later.
        ASSERT_TRUE(WaitForDump([&](const std::string& text) {
            CKeyboardDump dump(text);
            const std::vector<CKeyboardDump::Macro> macros = dump.Macros();
            return macros.size() == 1 && PlaysMacro(dump.KeyRecord("", key), macros[0].guid) && dump.DeviceMode() == 1;
        }, 10000)) << "the tray program did not store the macro on " << key << "\n"
                   << Dump();
        const std::vector<CKeyboardDump::Macro> macros = CKeyboardDump(Dump()).Macros();
        ASSERT_EQ(macros.size(), 1u);
        ASSERT_NO_FATAL_FAILURE(ExpectTypedA(macros[0]));
        *guid = macros[0].guid;
    }

    HWND main = nullptr;
    HWND trayDialog = nullptr;
};

TEST_F(SharedKeyboardTest, AMacroTheTrayRecordedMeanwhileSurvivesApplyAndJoinsTheStore) {
    Assign(main, "BUTTON_KB_F1", "BUTTON_ASSIGNSELECT_DISABLE");
    std::string macro;
    ASSERT_NO_FATAL_FAILURE(RecordMacroThroughTray("M4", &macro));

    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) { return Disabled(dump, "", "F1"); }, "F1 was not disabled"));
    {
        CKeyboardDump dump(Dump());
        const std::vector<CKeyboardDump::Macro> macros = dump.Macros();
        ASSERT_EQ(macros.size(), 1u) << "the recorded macro was deleted or doubled";
        EXPECT_EQ(macros[0].guid, macro);
        ExpectTypedA(macros[0]);
        EXPECT_TRUE(PlaysMacro(dump.KeyRecord("", "M4"), macro)) << "Apply wrote over the key the tray program assigned";
    }

    // The store took the macro: the Macro button offers it (the only one,
    // preselected) for another key.
    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F2"));
    ASSERT_TRUE(PumpUntil([&] { return IsItemEnabled(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO"); }, 5000))
        << "the dialog offers no macro to assign";
    ASSERT_TRUE(program->Click(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO"));
    ASSERT_TRUE(ConfirmPopup(L"SelectMacroPopup.xml")) << program->DescribePopups();
    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite([&](const CKeyboardDump& dump) { return PlaysMacro(dump.KeyRecord("", "F2"), macro); },
                                         "F2 does not play the recorded macro"));
    CKeyboardDump dump(Dump());
    EXPECT_EQ(dump.Macros().size(), 1u);
    EXPECT_TRUE(PlaysMacro(dump.KeyRecord("", "M4"), macro));
    EXPECT_TRUE(Disabled(dump, "", "F1"));

    // What a person checks: M4 selected, the key window naming its macro,
    // the drop-down naming the profile; the mouse moved off the keys so
    // that no tooltip covers them.
    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_LMCR4"));
    POINT aside = {300, 650};
    ClientToScreen(main, &aside);
    SetCursorPos(aside.x, aside.y);
    PumpUntil([&] { return !AnyTooltipShown(program->ProcessId()); }, 5000);
    ExpectScreenshot(main, L"e2e-keys-page-after-tray-macro.png");
}

TEST_F(SharedKeyboardTest, AKeyTheUserDisabledStaysDisabledThoughTheTrayRecordedOntoIt) {
    Assign(main, "BUTTON_KB_LMCR4", "BUTTON_ASSIGNSELECT_DISABLE");
    std::string macro;
    ASSERT_NO_FATAL_FAILURE(RecordMacroThroughTray("M4", &macro));

    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) { return Disabled(dump, "", "M4"); }, "M4 was not disabled"));
    CKeyboardDump dump(Dump());
    EXPECT_TRUE(Disabled(dump, "", "M4"));
    // The macro itself was the keyboard's change alone: it stays.
    const std::vector<CKeyboardDump::Macro> macros = dump.Macros();
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(macros[0].guid, macro);
}

TEST_F(SharedKeyboardTest, AProfileKeyPressedMeanwhileStaysActiveAfterApply) {
    // Edited on Profile 1, the profile the page shows.
    Assign(main, "BUTTON_KB_F3", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(RunControl(L"profile-key 1"));
    ASSERT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Profile 2");

    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) { return Disabled(dump, "Profile 1", "F3"); },
        "F3 of Profile 1 was not disabled"));
    {
        CKeyboardDump dump(Dump());
        EXPECT_EQ(dump.ActiveProfileName(), "Profile 2") << "Apply set back the profile the keyboard's key chose";
        EXPECT_EQ(dump.KeyType("Profile 2", "F3"), KeyAction::Key);
    }

    // After the write the page edits the keyboard's active profile.
    Assign(main, "BUTTON_KB_F5", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) {
            return Disabled(dump, "Profile 2", "F5") ||
                   Disabled(dump, "Profile 1", "F5");
        },
        "F5 was not disabled in any profile"));
    CKeyboardDump dump(Dump());
    EXPECT_TRUE(Disabled(dump, "Profile 2", "F5")) << "the page did not show the active profile";
    EXPECT_EQ(dump.KeyType("Profile 1", "F5"), KeyAction::Key);
    EXPECT_EQ(dump.ActiveProfileName(), "Profile 2");
}

TEST_F(SharedKeyboardTest, AProfileChosenInTheDropDownIsWrittenWithTheKeysAssignedInIt) {
    ASSERT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Profile 1");
    ASSERT_NO_FATAL_FAILURE(ChooseInDropdown(main, kAssign, "LIST_GLOBALPROFILELIST", 1));
    Assign(main, "BUTTON_KB_F4", "BUTTON_ASSIGNSELECT_DISABLE");
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Profile 1") << "nothing is written before Apply";

    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) {
            return dump.ActiveProfileName() == "Profile 2" && Disabled(dump, "Profile 2", "F4");
        },
        "Profile 2 is not active with F4 disabled"));
    CKeyboardDump dump(Dump());
    EXPECT_EQ(dump.ActiveProfileName(), "Profile 2");
    EXPECT_EQ(dump.KeyType("Profile 1", "F4"), KeyAction::Key) << "the key landed in the profile left";
    EXPECT_EQ(dump.KeyType("Profile 3", "F4"), KeyAction::Key);
}

TEST_F(SharedKeyboardTest, AWriteThatFailsHalfWayIsCompletedByTheNextApplyWithNothingDoubled) {
    Assign(main, "BUTTON_KB_F2", "BUTTON_ASSIGNSELECT_LAUNCHPROGRAM");
    HWND dialog = program->WaitForPopup();
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = std::wstring(system) + L"\\notepad.exe";
    ASSERT_TRUE(ChooseFile(dialog, path)) << "the file dialog has no file name box";
    ASSERT_TRUE(PumpUntil([&] { return program->Popups().empty(); }, 5000)) << "the file dialog stayed open";
    Assign(main, "BUTTON_KB_F6", "BUTTON_ASSIGNSELECT_DISABLE");

    // The application is created before the keys are written: the write
    // fails between the two.
    ASSERT_TRUE(RunControl(L"fail IKeyAssignmentManager.WriteKeys 0x80004005 always"));
    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_TRUE(WaitForQuietKeyboard()) << "the keyboard's calls did not stop";
    // The user is told, and the changes stay to be applied again.
    ASSERT_TRUE(ConfirmPopup(L"WriteFailedPopup.xml")) << "no warning: " << program->DescribePopups();
    EXPECT_TRUE(PumpUntil([&] { return IsApplyEnabled(main); }, 5000)) << "Apply does not show the unsaved changes";
    {
        CKeyboardDump dump(Dump());
        ASSERT_EQ(dump.Applications().size(), 1u) << "the write did not fail half way, after the application";
        EXPECT_EQ(dump.KeyType("", "F2"), KeyAction::Key);
        EXPECT_EQ(dump.KeyType("", "F6"), KeyAction::Key);
    }

    ASSERT_TRUE(RunControl(L"fail clear"));
    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_NO_FATAL_FAILURE(WaitForWrite(
        [](const CKeyboardDump& dump) {
            return dump.KeyType("", "F2") == KeyAction::Application && Disabled(dump, "", "F6");
        },
        "the second Apply did not write the keys"));
    CKeyboardDump dump(Dump());
    const std::vector<CKeyboardDump::Application> applications = dump.Applications();
    ASSERT_EQ(applications.size(), 1u) << "the application was written twice (or not at all)\n" << Dump();
    EXPECT_NE(applications[0].path.find("notepad.exe"), std::string::npos) << applications[0].path;
    const CKeyboardDump::Key launch = dump.KeyRecord("", "F2");
    EXPECT_EQ(launch.Guid(), applications[0].guid) << "F2 launches another application: " << launch.data;
    EXPECT_TRUE(Disabled(dump, "", "F6"));
    EXPECT_FALSE(IsApplyEnabled(main)) << "Apply still shows changes after the write succeeded";
}

}  // namespace
