// Writes on the worker thread, against the keyboard inside the test process
// (the worker reaches it through its own apartment) and through the
// KeyboardEmulator.exe server.

#include "tests/model/device/CKeyboardFixture.h"

#include "emulator/CKeyTable.h"
#include "platform/Guid.h"
#include "tests/support/MessagePump.h"

namespace {

class DeviceThread : public CReadKeyboardFixture {
protected:
    std::wstring DeviceName(ULONG index) { return NameOf(Session().Profile(index)); }
    ULONG DeviceMacroCount() {
        auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
        ULONG count = 0;
        for (CComPtr<IDeviceMacro> macro; macros && SUCCEEDED(macros->GetMacro(count, &macro)); ++count) {
        }
        return count;
    }
};

TEST_P(DeviceThread, AWriteRunsOnItsWorkerAndASecondIsRefusedMeanwhile) {
    Store().RenameProfile(Store().GetProfile(1), L"Threaded");
    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepDelay, 7, 0}};

    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    EXPECT_TRUE(m_keyboard->IsBusy());
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Running);
    // Every other device operation waits for the write to end.
    EXPECT_FALSE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    EXPECT_FALSE(m_keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    EXPECT_EQ(m_keyboard->CountDeviceProfiles(), 0);
    EXPECT_FALSE(m_keyboard->SetDeviceMode2());

    ASSERT_TRUE(WaitForWrite(*m_keyboard));
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Succeeded);
    EXPECT_EQ(DeviceName(1), L"Threaded");
    EXPECT_FALSE(IsNullGuid(hop->guid));
    EXPECT_EQ(DeviceMacroCount(), 1u);
    EXPECT_TRUE(m_keyboard->DeviceHasMacro(hop));
    EXPECT_EQ(m_keyboard->CountDeviceProfiles(), 3);
}

TEST_P(DeviceThread, EditsMadeWhileAWriteRunsAreKeptAndItsFindingsMergedIn) {
    IKeyboardProfile* first = Store().GetProfile(0);
    IKeyboardProfile* fresh = Store().CreateProfile(L"Fresh");
    CMacro* hop = Store().AddMacro(L"Hop");
    Store().AddApplication(L"C:\\x.exe");
    const int32_t f1 = EmulatorKeys::Key(L"F1"), f2 = EmulatorKeys::Key(L"F2");
    Store().SetKeyAssignment(f1, KeyAssignment::ByName(AssignmentMacroByName, L"Hop", 1), first);

    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    // The user goes on editing while the write runs.
    Store().SetKeyAssignment(f2, KeyAssignment::Disabled(), first);
    IKeyboardProfile* edited = Store().RenameProfile(Store().GetProfile(1), L"Edited");
    Store().AddMacro(L"Later");
    Store().DeleteProfile(Store().GetProfile(2));
    fresh->SetLedColor(4, 0x00FF00);
    ASSERT_TRUE(WaitForWrite(*m_keyboard));
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Succeeded);

    // The write sent the store as it was when it began...
    EXPECT_EQ(DeviceName(1), L"Profile 2");
    EXPECT_EQ(DeviceName(3), L"Fresh");
    // ...its findings are in the store, and no edit is lost.
    EXPECT_EQ(fresh->GetGuid(), GuidOf(Session().Profile(3)));
    EXPECT_FALSE(IsNullGuid(hop->guid));
    EXPECT_FALSE(IsNullGuid(Store().FindApplicationByName(L"C:\\x.exe")->guid));
    EXPECT_EQ(Store().GetKeyAssignment(f1, first).type, AssignmentMacro);
    EXPECT_EQ(Store().GetKeyAssignment(f1, first).GetGuid(), hop->guid);
    EXPECT_EQ(Store().GetKeyAssignment(f2, first).type, AssignmentDisabled);
    EXPECT_EQ(CString(edited->GetName()), CString(L"Edited"));
    ASSERT_NE(Store().FindMacroByName(L"Later"), nullptr);
    EXPECT_EQ(Store().GetProfileCount(), 3);
    EXPECT_EQ(fresh->GetLedColor(4), 0x00FF00u);

    // The next write sends the edits.
    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    ASSERT_TRUE(WaitForWrite(*m_keyboard));
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Succeeded);
    EXPECT_EQ(DeviceName(1), L"Edited");
    EXPECT_EQ(m_keyboard->CountDeviceProfiles(), 3);
    EXPECT_EQ(DeviceMacroCount(), 2u);
    EXPECT_EQ(KeyRecord(0, L"F2").actionType, 1u);
    EXPECT_EQ(KeyRecord(0, L"F1").actionType, 8u);
}

TEST_P(DeviceThread, AFailedWriteIsKeptAsFailed) {
    Store().RenameProfile(Store().GetProfile(0), L"Lost");
    Fail(L"IDeviceProfile.SetName", true);
    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    ASSERT_TRUE(WaitForWrite(*m_keyboard));
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Failed);
    Control()->ClearFaults();

    // A write that cannot start changes nothing.
    ULONG v, p;
    ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(FALSE, &v, &p));
    EXPECT_FALSE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    EXPECT_FALSE(m_keyboard->IsBusy());
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Failed);
    ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(TRUE, &v, &p));

    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    ASSERT_TRUE(WaitForWrite(*m_keyboard));
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Succeeded);
    EXPECT_EQ(DeviceName(0), L"Lost");
}

TEST_P(DeviceThread, ShutdownAndDestructionWaitForARunningWrite) {
    Store().RenameProfile(Store().GetProfile(0), L"Before shutdown");
    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    m_keyboard->Shutdown();
    EXPECT_FALSE(m_keyboard->IsBusy());
    EXPECT_FALSE(m_keyboard->IsConnected());
    EXPECT_EQ(m_keyboard->GetLastWriteResult(), WriteResult::Succeeded);
    EXPECT_EQ(DeviceName(0), L"Before shutdown");

    m_keyboard = StartKeyboard();
    Store().RenameProfile(Store().GetProfile(0), L"Before destruction");
    CMacro* macro = Store().AddMacro(L"Hop");
    ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll));
    m_keyboard.reset();
    EXPECT_EQ(DeviceName(0), L"Before destruction");
    EXPECT_EQ(DeviceMacroCount(), 1u);
    // Destroyed before it could merge: the store keeps the macro as new.
    EXPECT_TRUE(IsNullGuid(macro->guid));
}

INSTANTIATE_TEST_SUITE_P(Keyboard, DeviceThread,
                         ::testing::Values(KeyboardMode::InProcess, KeyboardMode::OutOfProcess),
                         [](const ::testing::TestParamInfo<KeyboardMode>& info) {
                             return info.param == KeyboardMode::InProcess ? "InProcess" : "OutOfProcess";
                         });

}  // namespace
