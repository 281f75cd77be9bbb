// MobekTilvorSysTray.exe as the user meets it, with the emulated keyboard's
// server: one instance, the menu, the on-screen display, on-the-fly macro
// recording, the keyboard coming and going, the session locking, and the
// launch key.

#include "emulator/CDeviceBroadcast.h"
#include "emulator/CKeyTable.h"
#include "platform/Guid.h"
#include "service/ServiceText.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kTrayNotify = WM_USER + 100;
const UINT kIconId = 129;
const ULONG kOptionAutoSwitch = 1;
const ULONG kOptionShowOsd = 4;
// The idle tray's timer 700 tick with the factory keyboard's three
// profiles: a three-call check that the profile list is the one it knows,
// then each profile's name and two properties.  Connecting anew for each
// tick, as the tray once did, cost 24.
const ULONG kIdleTickCalls = 3 + 3 * 3;
const ULONG kIdleTickMargin = 2;

std::wstring ThisFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring ThisExeName() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, n);
    return file.substr(file.find_last_of(L"\\/") + 1);
}

// Starts a program with its output in a file (a server that COM starts
// from it inherits its streams); the process handle, or null.
HANDLE StartProgram(const std::wstring& exe, const std::wstring& outputFile) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\"";
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    BOOL started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                                  &process);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    if (!started)
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The width of a text as the on-screen display draws it.
int OsdTextWidth(const std::wstring& text, int height) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Ends a process of another program: WM_CLOSE to its windows of that class
// first (null: straight to the end), then the hard way.
void EndProcess(DWORD processId, const wchar_t* mainClass) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process)
        return;
    if (mainClass)
        for (HWND window : WindowsOf(processId, mainClass))
            PostMessageW(window, WM_CLOSE, 0, 0);
    if (!mainClass || !WaitPumping(process, 10000)) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

// The installer's value "InstallDir" that the tray program starts the
// configuration program from, set for one test and put back afterwards.
class CInstallDirSetting {
public:
    CInstallDirSetting() {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Mobek\\Tilvor", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &m_key, nullptr);
        wchar_t buffer[MAX_PATH] = {};
        DWORD bytes = sizeof buffer - sizeof(wchar_t);
        DWORD type = 0;
        m_had = m_key && RegQueryValueExW(m_key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) ==
                             ERROR_SUCCESS && type == REG_SZ;
        if (m_had)
            m_old.assign(buffer, bytes / sizeof(wchar_t));
    }
    ~CInstallDirSetting() {
        if (!m_key)
            return;
        if (m_had)
            RegSetValueExW(m_key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_old.data()),
                           static_cast<DWORD>(m_old.size() * sizeof(wchar_t)));
        else
            RegDeleteValueW(m_key, kValue);
        RegCloseKey(m_key);
    }
    bool Set(const std::wstring& folder) {
        return m_key && RegSetValueExW(m_key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }

private:
    static constexpr const wchar_t* kValue = L"InstallDir";
    HKEY m_key = nullptr;
    bool m_had = false;
    std::wstring m_old;
};

const wchar_t kConfigExe[] = L"MobekTilvorConfig.exe";
const wchar_t kConfigMainClass[] = L"SINGLE_INSTANCE_APP_DULCORE";

class TrayProgramTest : public ::testing::Test {
protected:
    // One keyboard server for all the cases, back to a factory keyboard
    // before each: starting and ending a server per case costs more than
    // the cases.
    static void SetUpTestSuite() {
        CEmulatorSession::StopServer();
        s_folder = MakeTempFolder(L"tray-program");
        s_session = std::make_unique<CEmulatorSession>(KeyboardMode::OutOfProcess, s_folder + L"\\state.xml");
        s_connected = SUCCEEDED(s_session->Connect());
    }
    static void TearDownTestSuite() {
        s_session.reset();
        CEmulatorSession::StopServer();
    }

    void SetUp() override {
        ASSERT_TRUE(s_connected) << "the emulated keyboard's server cannot be reached";
        m_session = s_session.get();
        m_folder = s_folder;
        IKeyboardEmulatorControl* control = m_session->Control();
        ULONG vendor = 0, product = 0;
        ASSERT_HRESULT_SUCCEEDED(control->ClearFaults());
        ASSERT_HRESULT_SUCCEEDED(control->SetPresent(TRUE, &vendor, &product));
        ASSERT_HRESULT_SUCCEEDED(control->ResetToFactory());
        // Profiles 2 and 3 show their names when they become active.
        SetOptions(1, kOptionShowOsd, 1);
        SetOptions(2, kOptionShowOsd, 1);
        StartTray();
    }
    void TearDown() override {
        EndStartedPrograms();
        if (m_tray) {
            if (m_dialog)
                PostMessageW(m_dialog, WM_CLOSE, 0, 0);
            bool ended = WaitPumping(m_tray, 10000);
            EXPECT_TRUE(ended) << "the tray program did not end on WM_CLOSE";
            DWORD code = 1;
            GetExitCodeProcess(m_tray, &code);
            if (!ended)
                TerminateProcess(m_tray, 1);
            else
                EXPECT_EQ(code, 0u);
            CloseHandle(m_tray);
        }
    }

    // A configuration program the tray started, and a tray program that one
    // started in turn, would act on later tests' keyboards.
    void EndStartedPrograms() {
        for (DWORD config : ProcessesNamed(kConfigExe))
            EndProcess(config, kConfigMainClass);
        for (DWORD tray : ProcessesNamed(L"MobekTilvorSysTray.exe"))
            if (tray != m_trayId)
                EndProcess(tray, nullptr);
    }

    void StartTray() {
        ForgetCalls();
        m_tray = StartProgram(DistPath(L"MobekTilvorSysTray.exe"), m_folder + L"\\tray-output.txt");
        ASSERT_TRUE(m_tray) << "MobekTilvorSysTray.exe did not start";
        m_trayId = GetProcessId(m_tray);
        ASSERT_TRUE(PumpUntil([&] {
            m_dialog = Single(L"#32770");
            m_osd = Single(L"csl_osd");
            return m_dialog && m_osd;
        }, 15000)) << "the tray program's windows did not appear";
        // Its initialisation ends with the keyboard's events connected:
        // the last calls of its start.
        ASSERT_TRUE(WaitUntilAnswering(m_dialog, 10000));
        ASSERT_TRUE(m_session->WaitForQuiet(500, 10000, true)) << "the tray program made no calls at its start";
    }

    HWND Single(const wchar_t* className) {
        std::vector<HWND> windows = WindowsOf(m_trayId, className);
        return windows.size() == 1 ? windows[0] : nullptr;
    }

    void SetOptions(ULONG index, ULONG option, ULONG value) {
        CComPtr<IDeviceProfile> profile = m_session->Profile(index);
        auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(profile, IID_IProfileProperties);
        ASSERT_TRUE(properties);
        USHORT record[2] = {static_cast<USHORT>(option), static_cast<USHORT>(value)};
        ASSERT_HRESULT_SUCCEEDED(
            properties->SetProperty(PROFILE_PROPERTY_OPTIONS, reinterpret_cast<BYTE*>(record), 0, sizeof record, 0));
    }

    void SetLinkedProgram(ULONG index, const std::wstring& program) {
        CComPtr<IDeviceProfile> profile = m_session->Profile(index);
        auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(profile, IID_IProfileProperties);
        ASSERT_TRUE(properties);
        ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM,
                                                         reinterpret_cast<const BYTE*>(program.c_str()), 0,
                                                         static_cast<ULONG>((program.size() + 1) * sizeof(wchar_t)), 0));
    }

    // The tray's menu while it is shown, null otherwise.
    HWND ShownMenu() {
        for (HWND menu : WindowsOf(m_trayId, L"#32768"))
            if (IsWindowVisible(menu))
                return menu;
        return nullptr;
    }

    // Opens the tray menu as a right click on the icon does and presses
    // Down that many times, then the key (Return chooses, Escape closes).
    void ChooseFromMenu(int stepsDown, const wchar_t* screenshot = nullptr, WPARAM key = VK_RETURN) {
        PostMessageW(m_dialog, kTrayNotify, kIconId, WM_RBUTTONUP);
        HWND menu = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (menu = ShownMenu()) != nullptr; }, 5000)) << "no menu appeared";
        if (screenshot)
            SaveScreenshot(ArtifactPath(screenshot));
        for (int i = 0; i < stepsDown; ++i)
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    }

    // A double click on the icon, in the callback messages the shell sends for it.
    void DoubleClickIcon() {
        for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            PostMessageW(m_dialog, kTrayNotify, kIconId, mouse);
    }

    // Runs the emulator's control command, acting as the keyboard's hardware.
    bool RunControl(const wchar_t* words) {
        const std::wstring exe = CEmulatorSession::EmulatorExe();
        std::wstring command = L"\"" + exe + L"\" " + words;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process))
            return false;
        CloseHandle(process.hThread);
        const bool ended = WaitPumping(process.hProcess, 20000);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        return ended && code == 0;
    }

    std::string Dump() {
        ULONG cb = 0;
        BYTE* text = nullptr;
        if (FAILED(m_session->Control()->DumpState(&cb, &text)))
            return std::string();
        std::string dump(reinterpret_cast<char*>(text), cb);
        CoTaskMemFree(text);
        return dump;
    }

    // The calls served so far no longer count for WaitForQuiet.
    void ForgetCalls() {
        ULONG served = 0;
        m_session->Control()->TakeCallCount(&served);
    }

    // Waits until the tray has made calls for what the keyboard told it and
    // then none for a second: its handling is over.
    bool WaitForTrayToSettle(DWORD timeoutMs = 10000) { return m_session->WaitForQuiet(1000, timeoutMs, true); }

    // The service calls of the tray's next ticks of timer 700, one count a
    // tick.  The idle program calls only then: a burst every 5 s, over in a
    // few milliseconds, so a second without calls ends one.
    std::vector<ULONG> TickCalls(size_t ticks) {
        IKeyboardEmulatorControl* control = m_session->Control();
        DWORD lastCall = GetTickCount();
        auto take = [&] {
            ULONG n = 0;
            control->TakeCallCount(&n);
            if (n)
                lastCall = GetTickCount();
            return n;
        };
        // A burst under way when counting starts is not a whole tick.
        PumpUntil([&] { return take() == 0 && GetTickCount() - lastCall >= 1000; }, 10000);
        std::vector<ULONG> bursts;
        ULONG current = 0;
        const DWORD start = GetTickCount();
        while (bursts.size() < ticks && GetTickCount() - start < (ticks + 2) * 5000) {
            PumpUntil([] { return false; }, 100);
            ULONG n = take();
            current += n;
            if (n == 0 && current && GetTickCount() - lastCall >= 1000) {
                bursts.push_back(current);
                current = 0;
            }
        }
        return bursts;
    }

    void ExpectIdleTicksCheap(size_t ticks) {
        std::vector<ULONG> calls = TickCalls(ticks);
        std::string listed;
        for (ULONG n : calls)
            listed += std::to_string(n) + " ";
        ASSERT_EQ(calls.size(), ticks) << "ticks seen: " << listed;
        for (ULONG n : calls)
            EXPECT_LE(n, kIdleTickCalls + kIdleTickMargin) << "calls per tick: " << listed;
    }

    std::wstring ActiveProfileName() {
        CComPtr<IDeviceProfile> active;
        CComPtr<IProfileManager> profiles = m_session->Profiles();
        if (!profiles || FAILED(profiles->GetActiveProfile(&active)))
            return L"<none>";
        return NameOf(active);
    }
    ULONG DeviceMode() {
        auto mode = m_session->DeviceFeature<IDeviceMode>(IID_IDeviceMode);
        ULONG value = 0;
        if (mode)
            mode->GetMode(&value);
        return value;
    }
    struct LedView {
        bool on;
        ULONG effect;
        ULONG colour;
    };
    // LED 7 of the active profile.
    LedView Led7() {
        CComPtr<IDeviceProfile> active;
        m_session->Profiles()->GetActiveProfile(&active);
        auto leds = CEmulatorSession::ProfileFeature<ILedCollection>(active, IID_ILedCollection);
        CComPtr<ILed> led;
        BYTE on = 0;
        ULONG effect = 0, timeOn = 0, timeOff = 0, colour = 0;
        if (leds && SUCCEEDED(leds->GetLed(6, &led))) {
            led->GetState(&on);
            CComPtr<ILedColor> colours;
            if (SUCCEEDED(led->QueryInterface(IID_ILedColor, reinterpret_cast<void**>(&colours))))
                colours->GetColor(&colour);
            CComPtr<ILedEffect> effects;
            if (SUCCEEDED(led->QueryInterface(IID_ILedEffect, reinterpret_cast<void**>(&effects))))
                effects->GetEffect(&effect, &timeOn, &timeOff);
        }
        return {on != 0, effect, colour};
    }

    bool OsdVisible() const { return IsWindowVisible(m_osd) != FALSE; }
    // Waits for the display to appear; its rectangle then.
    bool WaitForOsd(DWORD maxMs) { return PumpUntil([&] { return OsdVisible(); }, maxMs); }

    void Plug(bool present) {
        ULONG vendor = 0, product = 0;
        ASSERT_HRESULT_SUCCEEDED(m_session->Control()->SetPresent(present, &vendor, &product));
        // The tray connects or disconnects its events in a burst of calls.
        ForgetCalls();
        CDeviceBroadcast::Send(present, vendor, product);
        ASSERT_TRUE(m_session->WaitForQuiet(500, 10000, true)) << "the tray program did not act on the news";
    }

    static std::wstring s_folder;
    static std::unique_ptr<CEmulatorSession> s_session;
    static bool s_connected;

    std::wstring m_folder;
    CEmulatorSession* m_session = nullptr;
    HANDLE m_tray = nullptr;
    DWORD m_trayId = 0;
    HWND m_dialog = nullptr;
    HWND m_osd = nullptr;
};

std::wstring TrayProgramTest::s_folder;
std::unique_ptr<CEmulatorSession> TrayProgramTest::s_session;
bool TrayProgramTest::s_connected = false;

TEST_F(TrayProgramTest, ASecondInstanceEndsAtOnceAndShowsNothing) {
    HANDLE second = StartProgram(DistPath(L"MobekTilvorSysTray.exe"), m_folder + L"\\second-output.txt");
    ASSERT_TRUE(second);
    DWORD secondId = GetProcessId(second);
    EXPECT_TRUE(WaitPumping(second, 10000)) << "the second instance kept running";
    DWORD code = 1;
    GetExitCodeProcess(second, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(second);
    EXPECT_TRUE(WindowsOf(secondId, L"#32770").empty());
    EXPECT_EQ(WindowsOf(0, L"csl_osd").size(), 1u);
    // The first one goes on.
    EXPECT_EQ(WaitForSingleObject(m_tray, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(TrayProgramTest, AMenuChoiceMakesThatProfileActive) {
    ASSERT_EQ(ActiveProfileName(), L"Profile 1");
    // Load, (separator), Profile 1, Profile 2: the third item down.
    ChooseFromMenu(3, L"tray-menu.png");
    EXPECT_TRUE(PumpUntil([&] { return ActiveProfileName() == L"Profile 2"; }, 5000)) << ActiveProfileName().size();
    EXPECT_EQ(ActiveProfileName(), L"Profile 2");
}

TEST_F(TrayProgramTest, AProfileKeyShowsTheNameForTwoSeconds) {
    // Profile 1 does not ask for the display.
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(0));
    EXPECT_FALSE(WaitForOsd(1000));

    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(1));
    ASSERT_TRUE(WaitForOsd(5000)) << "the on-screen display did not appear";
    DWORD shown = GetTickCount();

    RECT strip;
    GetWindowRect(m_osd, &strip);
    // The name in the text colour, ending at the strip's right edge, once drawn.
    std::vector<uint32_t> pixels;
    EXPECT_TRUE(PumpUntil([&] {
        pixels = ScreenPixels(strip);
        return std::find(pixels.begin(), pixels.end(), 0x00FA00u) != pixels.end();
    }, 1000)) << "no text on the display";
    RECT monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HDC dc = GetDC(nullptr);
    int height = static_cast<int>(static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX)) / 72.0f * 20.0f);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(strip.left, monitor.left);
    EXPECT_EQ(strip.right, monitor.right - 10);
    EXPECT_EQ(strip.bottom, monitor.bottom - 50);
    EXPECT_EQ(strip.bottom - strip.top, height);
    EXPECT_TRUE(GetWindowLongW(m_osd, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(GetWindowLongW(m_osd, GWL_EXSTYLE) & WS_EX_NOACTIVATE);

    EXPECT_TRUE(SaveScreenshot(ArtifactPath(L"tray-osd-screen.png")));
    EXPECT_TRUE(SaveWindowScreenshot(m_osd, ArtifactPath(L"tray-osd.png")));
    int width = strip.right - strip.left;
    int left = width, right = -1;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] == 0x00FA00) {
            int x = static_cast<int>(i % size_t(width));
            left = std::min(left, x);
            right = std::max(right, x);
        }
    ASSERT_GE(right, 0) << "no text on the display";
    EXPECT_GE(right, width - 8);
    EXPECT_NEAR(right - left + 1, OsdTextWidth(L"Profile 2", height), 6);

    ASSERT_TRUE(PumpUntil([&] { return !OsdVisible(); }, 5000)) << "the display did not hide";
    DWORD visibleMs = GetTickCount() - shown;
    EXPECT_GE(visibleMs, 1700u);
    EXPECT_LE(visibleMs, 3000u);
}

TEST_F(TrayProgramTest, OnTheFlyRecordingStoresTheInputAsAMacroOnTheKey) {
    IKeyboardEmulatorControl* control = m_session->Control();
    const ULONG keyId = CKeyTable::Instance().KeyIdAt(10);
    ASSERT_HRESULT_SUCCEEDED(control->RunRecordingStage(RECORDING_STAGE_STARTED, 0));
    ASSERT_TRUE(PumpUntil([&] { return DeviceMode() == 2; }, 5000)) << "recording mode not entered";
    // The LED shows the recording (steady, colour 255) just before the
    // program starts taking input.
    ASSERT_TRUE(PumpUntil([&] {
        LedView led = Led7();
        return led.on && led.effect == 0 && led.colour == 255;
    }, 5000)) << "LED 7 does not show the recording";
    ASSERT_TRUE(WaitUntilAnswering(m_dialog));

    // The user types into some program in front; the tray program takes
    // the input from the side.
    HWND front = CreateWindowExW(0, L"STATIC", L"the user's program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(front);
    SetForegroundWindow(front);
    SetCursorPos(300, 250);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }));

    INPUT inputs[4] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wScan = 0x1E;
    inputs[0].ki.dwFlags = KEYEVENTF_SCANCODE;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[3].type = INPUT_MOUSE;
    inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    for (INPUT& input : inputs) {
        ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
        PumpUntilIdle(60, 300);  // a hand's pace
    }
    // The input reaches the tray as raw input, which its queue takes after
    // the keyboard's calls; nothing shows that it has taken it, so its queue
    // is given the time a hand would take to reach for the stop key.
    PumpUntilIdle(300, 1000);
    DestroyWindow(front);

    ASSERT_HRESULT_SUCCEEDED(control->RunRecordingStage(RECORDING_STAGE_STOPPED, 0));
    EXPECT_TRUE(PumpUntil([&] { return Led7().effect == 1; }, 5000)) << "LED 7 does not blink";
    ASSERT_HRESULT_SUCCEEDED(control->RunRecordingStage(RECORDING_STAGE_SAVED, keyId));

    // The macro is made, named and given its steps first, the key assigned
    // last: once the key plays a macro, the macro is whole.
    auto keyRecord = [&] {
        DeviceKeyRecord found = {};
        CComPtr<IDeviceProfile> active;
        m_session->Profiles()->GetActiveProfile(&active);
        auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(active, IID_IKeyAssignmentManager);
        ULONG count = 0;
        if (!keys || FAILED(keys->GetKeyCount(&count)))
            return found;
        std::vector<DeviceKeyRecord> records(count);
        if (SUCCEEDED(keys->ReadKeys(&count, records.data())))
            for (ULONG i = 0; i < count; ++i)
                if (records[i].keyId == keyId)
                    found = records[i];
        return found;
    };
    auto playsMacro = [](const DeviceKeyRecord& record) {
        return static_cast<KeyAction>(record.actionType) == KeyAction::Macro;
    };
    ASSERT_TRUE(PumpUntil([&] { return playsMacro(keyRecord()) && DeviceMode() == 1; }, 5000))
        << "the key was not given a macro";
    auto macros = m_session->DeviceFeature<IMacroManager>(IID_IMacroManager);
    ASSERT_TRUE(macros);
    CComPtr<IDeviceMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->GetMacro(0, &macro)) << "no macro was stored";
    ASSERT_TRUE(macro);
    EXPECT_EQ(NameOf(macro), L"New Macro1");
    ULONG cb = 0;
    BYTE* block = nullptr;
    ASSERT_HRESULT_SUCCEEDED(macro->GetSteps(&cb, &block));
    std::vector<MacroStepsBlockStep> steps;
    if (cb >= 8) {
        MacroStepsBlock header;
        std::memcpy(&header, block, sizeof header);
        steps.resize(header.count);
        if (header.count && cb >= MacroStepsBlockSize(header.count))
            std::memcpy(steps.data(), block + 8, header.count * 8);
    }
    CoTaskMemFree(block);
    std::vector<MacroStepsBlockStep> withoutDelays;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].kind == 3)
            continue;
        withoutDelays.push_back(steps[i]);
        // Between two steps exactly one delay.
        if (i + 1 < steps.size()) {
            EXPECT_EQ(steps[i + 1].kind, 3u) << "step " << i + 1;
        }
    }
    std::string listed;
    for (const MacroStepsBlockStep& step : steps)
        listed += std::to_string(step.kind) + ":" + std::to_string(step.value) + " ";
    ASSERT_EQ(withoutDelays.size(), 4u) << listed;
    EXPECT_EQ(withoutDelays[0].kind, 2u);
    EXPECT_EQ(withoutDelays[0].value & 0xFFFF, 0x1Eu);
    EXPECT_EQ(withoutDelays[1].value & 0xFFFF, 0x1Eu);
    EXPECT_EQ(withoutDelays[1].value >> 16 & 1, 1u);  // the release
    EXPECT_EQ(withoutDelays[2].kind, 1u);
    EXPECT_EQ(withoutDelays[2].value & 0xFFFF, static_cast<ULONG>(RI_MOUSE_LEFT_BUTTON_DOWN));
    EXPECT_EQ(withoutDelays[3].value & 0xFFFF, static_cast<ULONG>(RI_MOUSE_LEFT_BUTTON_UP));

    // Assigned to the key in the active profile.
    DeviceKeyRecord record = keyRecord();
    EXPECT_TRUE(playsMacro(record));
    uint32_t words[4];
    GuidToWords(GuidOf(macro.Get()), words);
    EXPECT_EQ(std::memcmp(record.data, words, sizeof words), 0) << "the key plays another macro";
    EXPECT_EQ(DeviceMode(), 1u);
    EXPECT_FALSE(Led7().on);
}

TEST_F(TrayProgramTest, UnplugDisconnectsAndPlugReconnectsTheEvents) {
    Plug(false);
    // Present again, but nobody told the program: it stays disconnected.
    ULONG vendor = 0, product = 0;
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->SetPresent(TRUE, &vendor, &product));
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(1));
    EXPECT_FALSE(WaitForOsd(1500)) << "an event reached the program after the keyboard was removed";

    Plug(true);
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(2));
    EXPECT_TRUE(WaitForOsd(5000)) << "the events were not connected again on arrival";
}

TEST_F(TrayProgramTest, AnIdleTickCostsAFewCallsOnTheConnectionTheTrayKeeps) {
    // The first tick may still learn the profile list; the rest only read.
    std::vector<ULONG> first = TickCalls(1);
    ASSERT_EQ(first.size(), 1u) << "no tick of timer 700";
    ExpectIdleTicksCheap(3);
}

TEST_F(TrayProgramTest, AfterUnplugAndPlugTheMenuAndAutomaticSwitchingWork) {
    Plug(false);
    Plug(true);
    ChooseFromMenu(3);
    EXPECT_TRUE(PumpUntil([&] { return ActiveProfileName() == L"Profile 2"; }, 5000)) << "the menu chose nothing";
    // The connection made on arrival is kept: the ticks stay cheap.
    TickCalls(1);
    ExpectIdleTicksCheap(2);

    // Profile 3 follows this program when it is in front.
    HWND front = CreateWindowExW(0, L"STATIC", L"the user's program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(front);
    SetForegroundWindow(front);
    SetLinkedProgram(2, ThisExeName());
    SetOptions(2, kOptionAutoSwitch, 1);
    EXPECT_TRUE(PumpUntil([&] { return ActiveProfileName() == L"Profile 3"; }, 15000))
        << "no automatic switch to Profile 3";
    DestroyWindow(front);
}

TEST_F(TrayProgramTest, LockingTheSessionCancelsARecordingAndUnlockingReconnects) {
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->RunRecordingStage(RECORDING_STAGE_STARTED, 0));
    ASSERT_TRUE(PumpUntil([&] { return DeviceMode() == 2; }, 5000));
    PostMessageW(m_dialog, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    EXPECT_TRUE(PumpUntil([&] { return DeviceMode() == 1 && !Led7().on; }, 5000))
        << "locking did not end the recording mode";
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(1));
    EXPECT_FALSE(WaitForOsd(1500));

    // Remote connections change nothing; unlocking connects again.
    ForgetCalls();
    PostMessageW(m_dialog, WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 1);
    PostMessageW(m_dialog, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    ASSERT_TRUE(m_session->WaitForQuiet(500, 10000, true)) << "unlocking did not connect again";
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressProfileKey(2));
    EXPECT_TRUE(WaitForOsd(5000));
}

TEST_F(TrayProgramTest, ALaunchKeyStartsTheProgramItNames) {
    std::wstring probe = ThisFolder() + L"\\tray_launch_probe.exe";
    std::wstring marker = probe + L".ran";
    DeleteFileW(marker.c_str());
    ASSERT_NE(GetFileAttributesW(probe.c_str()), INVALID_FILE_ATTRIBUTES) << "no launch probe";

    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressLaunchKey(2, probe.c_str()));
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressLaunchKey(0, probe.c_str()));
    EXPECT_FALSE(PumpUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 800))
        << "a launch of another kind started it";

    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->PressLaunchKey(1, probe.c_str()));
    EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
        << "the launch key did not start the program";
    DeleteFileW(marker.c_str());
}

TEST_F(TrayProgramTest, AnEmptyRecordingStoresNoMacroAndTheKeyKeepsItsFunction) {
    CKeyboardDump::Key before;
    ASSERT_TRUE(CKeyboardDump(Dump()).FindKey("", "M4", before)) << Dump();
    struct Run {
        const char* what;
        const wchar_t* end;
    } runs[] = {
        {"stopped before any input", L"record stop"},
        {"cancelled, then saved all the same", L"record cancel"},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        ASSERT_TRUE(RunControl(L"record start"));
        ASSERT_TRUE(PumpUntil([&] { return DeviceMode() == 2; }, 5000)) << "recording mode not entered";
        ASSERT_TRUE(WaitForTrayToSettle());
        ASSERT_TRUE(RunControl(run.end));
        ASSERT_TRUE(WaitForTrayToSettle());
        ASSERT_TRUE(RunControl(L"record save M4"));
        ASSERT_TRUE(WaitForTrayToSettle()) << "the tray did not answer the saved stage";

        CKeyboardDump dump(Dump());
        for (const CKeyboardDump::Macro& macro : dump.Macros())
            ADD_FAILURE() << "a macro was stored: " << macro.name << " with " << macro.keySteps.size() << " key steps";
        CKeyboardDump::Key after;
        ASSERT_TRUE(dump.FindKey("", "M4", after));
        EXPECT_EQ(after.action, before.action) << "M4 lost its function";
        EXPECT_EQ(after.data, before.data);
        // The recording is over all the same.
        EXPECT_EQ(dump.DeviceMode(), 1);
        bool on = true;
        unsigned colour = 0, effect = 0;
        EXPECT_TRUE(dump.FindLed(7, on, colour, effect));
        EXPECT_FALSE(on) << "LED 7 still shows the recording";
    }
}

TEST_F(TrayProgramTest, TheWindowInFrontBeforeTheMenuGetsTheFrontAndTheTypingBack) {
    // The user's program: an edit box in front, taking what is typed.
    HWND front = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(front);
    struct Close {
        const char* what;
        int stepsDown;
        WPARAM key;
        const wchar_t* activeAfter;
    } closes[] = {
        // Load, (separator), Profile 1, Profile 2: the third item down.
        {"a profile chosen", 3, VK_RETURN, L"Profile 2"},
        {"the menu closed with Escape", 0, VK_ESCAPE, L"Profile 2"},
    };
    for (const Close& close : closes) {
        SCOPED_TRACE(close.what);
        SetWindowTextW(front, L"");
        SetForegroundWindow(front);
        SetFocus(front);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }));

        ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(close.stepsDown, nullptr, close.key));
        ASSERT_TRUE(PumpUntil([&] { return !ShownMenu(); }, 5000)) << "the menu stayed open";
        EXPECT_TRUE(PumpUntil([&] { return ActiveProfileName() == close.activeAfter; }, 5000));
        // The front must stay: nothing may take it a moment later.
        EXPECT_FALSE(PumpUntil([&] { return GetForegroundWindow() != front; }, 1500))
            << "the front went to window " << GetForegroundWindow();

        INPUT keys[2] = {};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = 'T';
            key.ki.wScan = 0x14;
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        wchar_t typed[16] = {};
        EXPECT_TRUE(PumpUntil([&] { return GetWindowTextW(front, typed, 16) > 0; }, 3000))
            << "the typing did not reach the window in front";
        EXPECT_EQ(_wcsicmp(typed, L"t"), 0) << Narrow(typed);
    }
    DestroyWindow(front);
}

TEST_F(TrayProgramTest, LoadAndADoubleClickStartTheConfigurationProgramUnlessOneRuns) {
    CInstallDirSetting installDir;
    // A stand-in under the configuration program's name, which says when it
    // was started: while the real one runs it must not be.
    const std::wstring decoyFolder = MakeTempFolder(L"tray-install");
    const std::wstring decoy = decoyFolder + L"\\" + kConfigExe;
    const std::wstring marker = decoy + L".ran";
    ASSERT_TRUE(CopyFileW((ThisFolder() + L"\\tray_launch_probe.exe").c_str(), decoy.c_str(), FALSE));

    struct Way {
        const char* what;
        std::function<void()> ask;
    } ways[] = {
        {"the menu's Load item", [&] { ChooseFromMenu(1); }},
        {"a double click on the icon", [&] { DoubleClickIcon(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        ASSERT_TRUE(ProcessesNamed(kConfigExe).empty()) << "a configuration program runs already";
        ASSERT_TRUE(installDir.Set(DistPath() + L"\\"));
        way.ask();
        DWORD config = 0;
        ASSERT_TRUE(PumpUntil([&] {
            std::vector<DWORD> running = ProcessesNamed(kConfigExe);
            config = running.size() == 1 ? running[0] : 0;
            if (!config)
                return false;
            for (HWND main : WindowsOf(config, kConfigMainClass))
                if (IsWindowVisible(main))
                    return true;
            return false;
        }, 30000)) << "the configuration program did not start";
        EXPECT_EQ(_wcsicmp(ImageOf(config).c_str(), DistPath(kConfigExe).c_str()), 0)
            << "it runs from " << Narrow(ImageOf(config));
        EXPECT_FALSE(ShownMenu()) << "a menu opened as well";

        // While it runs, neither way starts another.
        ASSERT_TRUE(installDir.Set(decoyFolder));
        ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(1));
        DoubleClickIcon();
        EXPECT_FALSE(PumpUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 1000))
            << "a second one was started";
        EXPECT_EQ(ProcessesNamed(kConfigExe), std::vector<DWORD>{config});

        // Once it has ended, the same request starts one again (the stand-in).
        EndStartedPrograms();
        ASSERT_TRUE(ProcessesNamed(kConfigExe).empty()) << "the configuration program did not end";
        way.ask();
        EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
            << "nothing was started once the configuration program had ended";
        // The stand-in holds its file open until it ends; only then can the
        // file go, ready for the next way.
        EXPECT_TRUE(PumpUntil([&] { return ProcessesNamed(kConfigExe).empty(); }, 5000));
        ASSERT_TRUE(DeleteFileW(marker.c_str())) << "error " << GetLastError();
    }
}

}  // namespace
