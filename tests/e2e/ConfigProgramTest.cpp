// MobekTilvorConfig over the emulated keyboard, as a user sees it: keys
// assigned and applied, Cancel and OK, no keyboard, the keyboard leaving,
// a second start.  What counts is the keyboard's state afterwards.

#include "tests/e2e/CConfigProgram.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>

namespace {

// The program starts the tray program, which Windows finds beside it even
// though the install folder holds none; a tray left running would hold the
// tray's single-instance mutex and switch profiles under later tests.
void EndTrayPrograms() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"MobekTilvorSysTray.exe") != 0)
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

const wchar_t kMain[] = L"MainPage.xml";
const wchar_t kKeys[] = L"KeyboardKeys.xml";
const wchar_t kAssign[] = L"AssignKeys.xml";

// The keyboard's records of the kinds (DeviceActionType).
constexpr int kKeyRecord = 5;
constexpr int kDisabledRecord = 1;  // a button record without a function
constexpr int kApplicationRecord = 9;
constexpr int kProfileRecord = 3;
constexpr int kMacroRecord = 8;

// A keyboard with two profiles and one macro that it already knows.
const char kKeyboardWithMacro[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\"/>\n"
    "  <profile name=\"Profile 2\"/>\n"
    "  <macro guid=\"{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}\" name=\"Combo\"/>\n"
    "</keyboard-state>\n";

void TypeKey(WORD scanCode, WORD virtualKey) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = scanCode;
        i.ki.wVk = virtualKey;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Pause(100);
    SendInput(1, &input[1], sizeof(INPUT));
    Pause(300);
}

class ConfigProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEmulatorSession::StopServer();
        folder = MakeTempFolder(L"e2e-config");
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        if (std::string(test->name()).find("Macro") != std::string::npos)
            WriteBytes(folder + L"\\keyboard.xml", kKeyboardWithMacro);
        session = std::make_unique<CEmulatorSession>(KeyboardMode::OutOfProcess, folder + L"\\keyboard.xml");
        ASSERT_HRESULT_SUCCEEDED(session->Connect());
        // The install folder holds no tray program (one beside the program may still start).
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Mobek\\Tilvor", 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        const std::wstring dir = folder + L"\\";
        RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                       static_cast<DWORD>((dir.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void TearDown() override {
        program.reset();
        second.reset();
        EndTrayPrograms();
        if (session) {
            ULONG vendor = 0, product = 0;
            if (session->Control())
                session->Control()->SetPresent(TRUE, &vendor, &product);
            session.reset();
        }
        CEmulatorSession::StopServer();
    }

    std::string Dump() {
        ULONG cb = 0;
        BYTE* text = nullptr;
        if (!session->Control() || FAILED(session->Control()->DumpState(&cb, &text)))
            return std::string();
        std::string dump(reinterpret_cast<char*>(text), cb);
        CoTaskMemFree(text);
        return dump;
    }
    int KeyType(const char* name) {
        int type = -100;
        std::string data;
        ActiveProfileKey(Dump(), name, type, data);
        return type;
    }
    // Polls the keyboard's state until it satisfies pred (a write runs on
    // the program's worker thread, and ends a moment after it is sent).
    template <typename Pred>
    bool WaitForDump(Pred pred, DWORD timeoutMs = 15000) {
        for (const DWORD start = GetTickCount();; Pause(200)) {
            if (pred(Dump()))
                return true;
            if (GetTickCount() - start > timeoutMs)
                return false;
        }
    }
    bool WaitForKeyType(const char* name, int type) {
        return WaitForDump([&](const std::string& dump) {
            int found = 0;
            std::string data;
            return ActiveProfileKey(dump, name, found, data) && found == type;
        });
    }
    // Waits for a popup of the program, takes its OK and tells whether it
    // closed.
    bool ConfirmPopup(const wchar_t* skinFile, const wchar_t* screenshot = nullptr) {
        HWND popup = program->WaitForPopup();
        if (!popup)
            return false;
        if (screenshot)
            EXPECT_TRUE(SaveWindowScreenshot(popup, ArtifactPath(screenshot)));
        if (!program->Click(popup, skinFile, "BUTTON_POPUP_OK"))
            return false;
        Pause(500);
        return program->Popups().empty();
    }
    HWND StartProgram() {
        program = std::make_unique<CConfigProgram>();
        if (!program->Start())
            return nullptr;
        return program->WaitForMainWindow();
    }
    void Assign(HWND main, const char* key, const char* action) {
        ASSERT_TRUE(program->Click(main, kKeys, key)) << key;
        ASSERT_TRUE(program->Click(main, kAssign, action)) << action;
    }
    // Runs the emulator's control command as the keyboard's hardware.
    bool RunControl(const wchar_t* words) {
        std::wstring exe = CEmulatorSession::EmulatorExe();
        std::wstring command = L"\"" + exe + L"\" " + words;
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        const bool ended = WaitPumping(pi.hProcess, 20000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        return ended && code == 0;
    }

    std::wstring folder;
    std::unique_ptr<CEmulatorSession> session;
    std::unique_ptr<CConfigProgram> program;
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
    // The file name box of the dialog: an edit, or a combo box holding one.
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name)
        name = GetDlgItem(dialog, 0x480);
    ASSERT_NE(name, nullptr);
    if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr))
        name = edit;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
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
    TypeKey(0x04, '3');
    ASSERT_TRUE(program->Click(count, L"MacroRepeatEntryPopup.xml", "BUTTON_POPUP_OK"));
    Pause(500);
    ASSERT_TRUE(program->Popups().empty()) << "the count popup's OK was not taken: " << program->DescribePopups();

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

TEST_F(ConfigProgramTest, AWriteTheKeyboardRefusesIsNotTakenAsSaved) {
    HWND main = StartProgram();
    ASSERT_NE(main, nullptr);
    ASSERT_HRESULT_SUCCEEDED(session->Control()->InjectFault(L"IKeyAssignmentManager.WriteKeys", E_FAIL, TRUE));
    Assign(main, "BUTTON_KB_F11", "BUTTON_ASSIGNSELECT_DISABLE");
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    EXPECT_FALSE(program->WaitForExit(4000)) << "the window closed although nothing was saved";
    RECT apply;
    ASSERT_TRUE(CConfigProgram::ItemRect(kMain, "BUTTON_APPLY", apply));
    POINT centre = {(apply.left + apply.right) / 2, (apply.top + apply.bottom) / 2};
    ClientToScreen(main, &centre);
    EXPECT_TRUE(IsWindowEnabled(WindowFromPoint(centre))) << "Apply does not show the unsaved change";
    EXPECT_EQ(KeyType("F11"), kKeyRecord);

    // Once the keyboard takes writes again, Apply writes the change.
    ASSERT_HRESULT_SUCCEEDED(session->Control()->ClearFaults());
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    EXPECT_TRUE(WaitForKeyType("F11", kDisabledRecord));
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
