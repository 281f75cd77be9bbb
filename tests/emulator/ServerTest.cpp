// KeyboardEmulator.exe as the programs meet it: a local server shared by
// processes, that keeps its state across restarts, ends on its own, and a
// control command that acts as the keyboard's hardware.

#include "emulator/CKeyboardServer.h"
#include "emulator/CKeyTable.h"
#include "platform/CString.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/service/CEventRecorder.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring ThisFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

// Runs a program with its output in a file; its exit code, or -1.
int RunProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& outputFile) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot open the output file: " << GetLastError();
        return -1;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    BOOL started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(output);
    if (!started) {
        ADD_FAILURE() << "cannot start the program: " << GetLastError();
        return -1;
    }
    // The control command sends this thread's windows WM_DEVICECHANGE and
    // waits for them: keep the messages moving.
    DWORD code = static_cast<DWORD>(-1);
    if (WaitPumping(process.hProcess, 30000))
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// A top-level window like the programs' own, writing down device changes.
class DeviceChangeWindow {
public:
    struct Change {
        WPARAM event;
        DWORD deviceType;
        std::wstring path;
    };
    std::vector<Change> changes;

    DeviceChangeWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EmulatorTestDeviceChange";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"device change", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~DeviceChangeWindow() { DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<DeviceChangeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_DEVICECHANGE) {
            Change change{wParam, 0, L""};
            auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
            if (header) {
                change.deviceType = header->dbch_devicetype;
                if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
                    change.path = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam)->dbcc_name;
            }
            self->changes.push_back(change);
            return TRUE;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd = nullptr;
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEmulatorSession::StopServer();
        m_folder = MakeTempFolder(L"emulator-server");
        ASSERT_FALSE(m_folder.empty());
        m_session = std::make_unique<CEmulatorSession>(KeyboardMode::OutOfProcess, m_folder + L"\\state.xml");
        m_exe = CEmulatorSession::EmulatorExe();
        ASSERT_FALSE(m_exe.empty()) << "KeyboardEmulator.exe is not registered";
    }
    void TearDown() override {
        m_session.reset();
        CEmulatorSession::StopServer();
    }

    // The control command's exit code; its output goes to Output().  Each
    // run writes a file of its own: the console host Wine gives a program
    // may hold the last one open a moment longer.
    int Control(const std::wstring& arguments) {
        ++m_runs;
        return RunProgram(m_exe, arguments, OutputFile());
    }
    std::wstring OutputFile() const { return m_folder + L"\\output-" + std::to_wstring(m_runs) + L".txt"; }
    std::string Output() const { return ReadBytes(OutputFile()); }

    std::wstring m_folder;
    std::wstring m_exe;
    int m_runs = 0;
    std::unique_ptr<CEmulatorSession> m_session;
};

TEST_F(ServerTest, StateSurvivesARestartOfTheServer) {
    ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    CComPtr<IDeviceProfile> profile = m_session->Profile(2);
    ASSERT_HRESULT_SUCCEEDED(profile->SetName(L"After restart"));
    GUID guid = GuidOf(profile);
    profile.Release();
    ASSERT_HRESULT_SUCCEEDED(m_session->Restart());
    CComPtr<IDeviceProfile> again = m_session->Profile(2);
    EXPECT_EQ(NameOf(again), L"After restart");
    EXPECT_EQ(GuidOf(again), guid);
}

TEST_F(ServerTest, UnreadableStateFileIsKeptAndTheServerStartsAFactoryKeyboard) {
    WriteBytes(m_session->StateFile(), "<keyboard-state version=\"1\"><profile");
    ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    EXPECT_EQ(NameOf(m_session->Profile(0)), L"Profile 1");
    EXPECT_EQ(ReadBytes(m_session->StateFile() + L".corrupt"), "<keyboard-state version=\"1\"><profile");
}

TEST_F(ServerTest, TwoProcessesShareOneKeyboardAndItsEvents) {
    ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    ASSERT_HRESULT_SUCCEEDED(m_session->Profile(2)->SetName(L"Shared"));
    CComPtr<IProfileManager> profiles = m_session->Profiles();
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    DWORD cookie = recorder->Advise(profiles, IID__IProfileManagerEvents);
    ASSERT_NE(cookie, 0u);

    // The other process finds the profile only by the name this one gave it.
    EXPECT_EQ(RunProgram(ThisFolder() + L"\\emulator_test_client.exe", L"set-active Shared", OutputFile()), 0)
        << Output();
    ASSERT_TRUE(PumpUntil([&] { return !recorder->events.empty(); }));
    EXPECT_EQ(recorder->events.front(), L"profile 2");
    CComPtr<IDeviceProfile> active;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Shared");
    EXPECT_HRESULT_SUCCEEDED(CEventRecorder::Unadvise(profiles, IID__IProfileManagerEvents, cookie));
}

TEST_F(ServerTest, ControlCommandActsAsTheKeyboardsHardware) {
    ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    DeviceChangeWindow window;
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    CComPtr<IProfileManager> profiles = m_session->Profiles();
    auto recording = m_session->DeviceFeature<IOTFMacroRecording>(IID_IOTFMacroRecording);
    auto applications = m_session->DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    DWORD cookies[3] = {recorder->Advise(profiles, IID__IProfileManagerEvents),
                        recorder->Advise(recording, IID__IOTFMacroRecordingEvents),
                        recorder->Advise(applications, IID__IApplicationEvent)};

    ASSERT_EQ(Control(L"unplug"), 0) << Output();
    ASSERT_EQ(window.changes.size(), 1u) << "the control command waits for every window";
    EXPECT_EQ(window.changes[0].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(window.changes[0].deviceType, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    CString path(window.changes[0].path.c_str());
    path.MakeUpper();
    EXPECT_GE(path.Find(L"VID_7E57"), 0) << path.ToUtf8();
    EXPECT_GE(path.Find(L"PID_010F"), 0) << path.ToUtf8();
    CComPtr<IDevice> device;
    EXPECT_EQ(m_session->Enumerator()->GetDevice(0, &device), kServiceNoMoreItems);

    ASSERT_EQ(Control(L"plug"), 0) << Output();
    ASSERT_EQ(window.changes.size(), 2u);
    EXPECT_EQ(window.changes[1].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    EXPECT_EQ(window.changes[1].path, window.changes[0].path);
    EXPECT_HRESULT_SUCCEEDED(m_session->Enumerator()->GetDevice(0, &device));

    ASSERT_EQ(Control(L"profile-key"), 0) << Output();
    ASSERT_EQ(Control(L"record start"), 0) << Output();
    ASSERT_EQ(Control(L"record stop"), 0) << Output();
    ASSERT_EQ(Control(L"record save \"Num Lock\""), 0) << Output();
    ASSERT_EQ(Control(L"record cancel"), 0) << Output();
    ASSERT_EQ(Control(L"launch C:\\Games\\go.exe 2"), 0) << Output();
    ASSERT_TRUE(PumpUntil([&] { return recorder->events.size() >= 6; }));
    const std::vector<std::wstring> expected = {L"profile 1", L"started", L"stopped", L"saved 1 0x00045",
                                                L"canceled", L"launch 2 C:\\Games\\go.exe"};
    EXPECT_EQ(recorder->events, expected);
    CComPtr<IDeviceProfile> active;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 2");

    ASSERT_EQ(Control(L"fail IProfileManager.GetActiveProfile 0x80004005"), 0) << Output();
    EXPECT_EQ(profiles->GetActiveProfile(&active), E_FAIL);
    EXPECT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    ASSERT_EQ(Control(L"fail IDevice.GetInfo 0x8007001F always"), 0) << Output();
    ASSERT_EQ(Control(L"fail clear"), 0) << Output();
    DeviceInfo info = {};
    EXPECT_HRESULT_SUCCEEDED(m_session->Device()->GetInfo(&info));
    CoTaskMemFree(info.text);

    // The count of served calls: taken (and started again) by the word.
    ASSERT_EQ(Control(L"calls"), 0) << Output();
    for (int i = 0; i < 3; ++i) {
        EXPECT_HRESULT_SUCCEEDED(m_session->Device()->GetInfo(&info));
        CoTaskMemFree(info.text);
    }
    ASSERT_EQ(Control(L"calls"), 0) << Output();
    // Device() asks the enumerator for the device: two calls for each GetInfo.
    EXPECT_EQ(std::atoi(Output().c_str()), 6) << Output();
    ASSERT_EQ(Control(L"calls"), 0) << Output();
    EXPECT_EQ(std::atoi(Output().c_str()), 0) << Output();

    ASSERT_EQ(Control(L"dump"), 0);
    std::string dump = Output();
    EXPECT_EQ(dump.rfind("<?xml", 0), 0u) << dump.substr(0, 200);
    EXPECT_NE(dump.find("name=\"Profile 2\""), std::string::npos);

    ASSERT_EQ(Control(L"reset"), 0) << Output();
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 1");

    // Words it does not know start nothing.
    EXPECT_EQ(Control(L"frobnicate"), 2);
    EXPECT_EQ(Control(L"record save NoSuchKey"), 2);
    EXPECT_EQ(Control(L"fail IDevice.Nothing 0x80004005"), 2);
    EXPECT_EQ(Control(L"profile-key 9"), 1) << "there is no tenth profile";

    CEventRecorder::Unadvise(profiles, IID__IProfileManagerEvents, cookies[0]);
    CEventRecorder::Unadvise(recording, IID__IOTFMacroRecordingEvents, cookies[1]);
    CEventRecorder::Unadvise(applications, IID__IApplicationEvent, cookies[2]);
}

TEST_F(ServerTest, ServerEndsOnItsOwnOnceNoClientHoldsAnything) {
    SetEnvironmentVariableW(L"TILVOR_KEYBOARD_IDLE_MS", L"300");
    HRESULT hr = m_session->Connect();
    SetEnvironmentVariableW(L"TILVOR_KEYBOARD_IDLE_MS", nullptr);
    ASSERT_HRESULT_SUCCEEDED(hr);
    HANDLE running = OpenMutexW(SYNCHRONIZE, FALSE, CKeyboardServer::MutexName());
    ASSERT_NE(running, nullptr);
    CloseHandle(running);
    m_session->Disconnect();
    EXPECT_TRUE(PumpUntil(
        [] {
            HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CKeyboardServer::MutexName());
            if (mutex)
                CloseHandle(mutex);
            return mutex == nullptr;
        },
        8000));
}

}  // namespace
