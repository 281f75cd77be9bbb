// The tray's one connection to the keyboard's service, against an emulated
// keyboard in the test process: made once and lent to every job of the
// hidden dialog, given up when the keyboard or the user's session goes, and
// after a call that finds the service gone, made again for the job that
// found it, once.

#include "emulator/CKeyboardState.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/support/TestPaths.h"
#include "tray/CDelayTimer.h"
#include "tray/CDeviceConnection.h"
#include "tray/CPoldSysTrayDlg.h"

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <functional>
#include <memory>

namespace {

// A manager that says when it is freed.
class TrackedManager : public CDeviceManager {
public:
    TrackedManager(IDeviceEnumerator* enumerator, bool* alive) : CDeviceManager(enumerator), m_alive(alive) {
        *m_alive = true;
    }
    ~TrackedManager() override { *m_alive = false; }

private:
    bool* m_alive;
};

class DeviceConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring folder = MakeTempFolder(L"tray-connection");
        ASSERT_FALSE(folder.empty());
        m_session = std::make_unique<CEmulatorSession>(KeyboardMode::InProcess, folder + L"\\state.xml");
        ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    }

    // Managers against the keyboard in this process, counted.
    CDeviceConnection::Factory Factory() {
        return [this] {
            ++m_made;
            auto* manager = new TrackedManager(m_session->Enumerator(), &m_alive);
            manager->SetRecorder(&m_recorder);
            return manager;
        };
    }
    void SetPresent(bool present) {
        ULONG vendor = 0, product = 0;
        ASSERT_HRESULT_SUCCEEDED(m_session->Control()->SetPresent(present ? TRUE : FALSE, &vendor, &product));
    }
    const KeyboardData& Data() { return m_session->Keyboard()->Data(); }

    std::unique_ptr<CEmulatorSession> m_session;
    CDelayTimer m_recorder;
    int m_made = 0;
    bool m_alive = false;
};

TEST_F(DeviceConnectionTest, TheHiddenDialogKeepsOneConnectionUntilTheKeyboardOrTheSessionGoes) {
    // The dialog's jobs, without its window: events, the menu, the display's
    // profile lookup, a recording and a presence check share one manager.
    CPoldSysTrayDlg dialog(Factory());
    dialog.ConnectEvents();
    ASSERT_TRUE(dialog.AreEventsConnected());
    CStringArray names;
    names.Add(L"Profile 1");
    dialog.BuildTrayMenu(names);
    dialog.OnProfileChanged(0);
    dialog.OnMacroRecordingStarted();
    EXPECT_EQ(Data().deviceMode, 2u);
    dialog.OnMacroRecordingCanceled();
    EXPECT_EQ(Data().deviceMode, 1u);
    EXPECT_TRUE(dialog.IsDevicePresent());
    EXPECT_EQ(m_made, 1);

    struct Case {
        const char* what;
        bool keyboardLeaves;
        std::function<void(CPoldSysTrayDlg&)> event;
        bool connectionGoes;
    } cases[] = {
        {"the keyboard is removed", true,
         [](CPoldSysTrayDlg& d) { d.RunServiceAction(ServiceAction::StopAndEnd); }, true},
        {"a presence check finds it gone", true,
         [](CPoldSysTrayDlg& d) { d.RunServiceAction(ServiceAction::CheckPresence); }, true},
        {"a presence check finds it there", false,
         [](CPoldSysTrayDlg& d) { d.RunServiceAction(ServiceAction::CheckPresence); }, false},
        {"the session is locked", false,
         [](CPoldSysTrayDlg& d) { d.RunServiceAction(SessionChangeAction(WTS_SESSION_LOCK)); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialog.ConnectEvents();
        const int before = m_made;
        if (c.keyboardLeaves)
            SetPresent(false);
        c.event(dialog);
        EXPECT_EQ(dialog.AreEventsConnected(), !c.connectionGoes);
        SetPresent(true);
        // The next jobs connect afresh once, or go on with the kept manager.
        dialog.ConnectEvents();
        EXPECT_TRUE(dialog.AreEventsConnected());
        dialog.OnProfileChanged(0);
        EXPECT_EQ(m_made, before + (c.connectionGoes ? 1 : 0));
    }
}

TEST_F(DeviceConnectionTest, AJobThatFindsTheServiceGoneRunsOnceMoreOnANewConnectionAtMost) {
    struct Case {
        const char* what;
        // A manager kept from an earlier job.
        bool kept;
        HRESULT result;
        bool everyCall;
        // The job changes the keyboard before the call that fails.
        bool changesFirst;
        int expectedRuns;
        bool expectedResult;
        int expectedNewManagers;
        bool expectedHeld;
    } cases[] = {
        {"the server went away", true, RPC_E_DISCONNECTED, false, false, 2, true, 1, true},
        {"the server is unavailable, for good", true, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), true, false, 2,
         false, 1, false},
        {"a new connection is not made twice", false, CO_E_OBJNOTCONNECTED, false, false, 1, false, 1, false},
        {"a job that changed something is not repeated", true, RPC_E_DISCONNECTED, false, true, 1, false, 0, false},
        {"the keyboard is not connected", true, HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED), false, false, 1,
         false, 0, false},
        {"an ordinary failure keeps the connection", true, E_FAIL, false, false, 1, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_made = 0;
        CDeviceConnection connection(Factory());
        auto readActive = [](CDeviceManager& manager) {
            CString active;
            return manager.GetActiveProfile(active);
        };
        if (c.kept) {
            ASSERT_TRUE(connection.Run(readActive));
        }
        const int before = m_made;
        ASSERT_HRESULT_SUCCEEDED(
            m_session->Control()->InjectFault(L"IProfileManager.GetActiveProfile", c.result, c.everyCall));
        int runs = 0;
        bool result = connection.Run([&](CDeviceManager& manager) {
            ++runs;
            if (c.changesFirst && !manager.SetActiveProfile(L"Profile 2"))
                return false;
            return readActive(manager);
        });
        EXPECT_EQ(runs, c.expectedRuns);
        EXPECT_EQ(result, c.expectedResult);
        EXPECT_EQ(m_made - before, c.expectedNewManagers);
        EXPECT_EQ(connection.IsHeld(), c.expectedHeld);

        // The next job works, on the kept manager or on a new one.
        ASSERT_HRESULT_SUCCEEDED(m_session->Control()->ClearFaults());
        const int afterJob = m_made;
        EXPECT_TRUE(connection.Run(readActive));
        EXPECT_EQ(m_made - afterJob, c.expectedHeld ? 0 : 1);
        EXPECT_TRUE(connection.IsHeld());
    }
}

TEST_F(DeviceConnectionTest, AJobKeepsItsManagerWhenTheConnectionIsGivenUpUnderIt) {
    // An event taken while a call waits may run a job that gives the
    // connection up; the job under way still works with its manager.
    CDeviceConnection connection(Factory());
    CStringArray names;
    bool result = connection.Run([&](CDeviceManager& manager) {
        connection.Release();
        EXPECT_TRUE(m_alive);
        return manager.GetProfileNames(names);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(names.GetSize(), 3);
    EXPECT_FALSE(m_alive);
    EXPECT_FALSE(connection.IsHeld());
}

TEST_F(DeviceConnectionTest, WithoutTheKeyboardNothingIsKept) {
    SetPresent(false);
    CDeviceConnection connection(Factory());
    CString active;
    EXPECT_FALSE(connection.Run([&](CDeviceManager& manager) { return manager.GetActiveProfile(active); }));
    EXPECT_FALSE(connection.IsHeld());
    EXPECT_FALSE(m_alive);
    SetPresent(true);
    EXPECT_TRUE(connection.Run([&](CDeviceManager& manager) { return manager.GetActiveProfile(active); }));
    EXPECT_TRUE(connection.IsHeld());
    EXPECT_EQ(m_made, 2);
}

}  // namespace
