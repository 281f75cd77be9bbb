// Failures of the keyboard and records the store cannot take: nothing the
// user made is lost, nothing is sent that the keyboard would misread, and a
// failure is never reported as success.

#include "tests/model/device/CKeyboardFixture.h"

#include "emulator/CKeyTable.h"
#include "emulator/CServiceObject.h"
#include "model/device/DeviceCalls.h"
#include "model/device/KeyAssignmentTransfer.h"
#include "model/device/MacroTransfer.h"
#include "platform/Guid.h"

#include <cstring>

namespace {

class DeviceFaults : public CReadKeyboardFixture {
protected:
    bool WriteNow() { return CKeyboardFixture::WriteNow(*m_keyboard); }
    bool ReadNow(uint32_t mask = kMaskAll) { return m_keyboard->Sync(&Store(), kSyncRead, mask); }
    const KeyboardData& Data() { return Keyboard()->Data(); }
    const DeviceKeyRecord& DeviceKey(size_t profile, const wchar_t* name) {
        int index = CKeyTable::Instance().IndexOfName(name);
        return Data().profiles[profile].keys[static_cast<size_t>(index)];
    }
    CComPtr<IMacroManager> Macros() { return Session().DeviceFeature<IMacroManager>(IID_IMacroManager); }
};

bool Same(const DeviceKeyRecord& a, const DeviceKeyRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_P(DeviceFaults, AReferenceThatCannotBeResolvedIsNeverSentAsAGuid) {
    IKeyboardProfile* first = Store().GetProfile(0);
    Store().AddMacro(L"Hop");
    const KeyAssignment byName = KeyAssignment::ByName(AssignmentMacroByName, L"Hop", 1);
    const KeyAssignment toNowhere = KeyAssignment::ByName(AssignmentProfileSwitchByName, L"Nowhere");
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F1"), byName, first);
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F2"), toNowhere, first);
    const DeviceKeyRecord f1 = DeviceKey(0, L"F1"), f2 = DeviceKey(0, L"F2");
    Fail(L"IMacroManager.CreateMacro", true);

    EXPECT_FALSE(WriteNow());
    // The keys keep their function on the keyboard, the store its references.
    EXPECT_TRUE(Same(DeviceKey(0, L"F1"), f1));
    EXPECT_TRUE(Same(DeviceKey(0, L"F2"), f2));
    KeyAssignment kept = Store().GetKeyAssignment(EmulatorKeys::Key(L"F1"), first);
    EXPECT_EQ(std::memcmp(&kept, &byName, sizeof kept), 0);

    // Once the macro can be made, the next write resolves and sends it.
    Control()->ClearFaults();
    EXPECT_TRUE(WriteNow());
    EXPECT_EQ(DeviceKey(0, L"F1").actionType, 8u);
    EXPECT_EQ(Store().GetKeyAssignment(EmulatorKeys::Key(L"F1"), first).GetGuid(), Store().GetMacro(0)->guid);
}

TEST_P(DeviceFaults, ARecordTheProfileCannotHoldIsNotWipedByTheNextWrite) {
    DeviceKeyRecord value = {};
    value.header = 1;
    value.keyId = EmulatorKeys::DeviceKeyId(L"F2");
    value.actionType = 4;
    const uint32_t sub = 3, amount = 7;
    std::memcpy(value.data, &sub, 4);
    std::memcpy(value.data + 4, &amount, 4);
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(Session().Profile(0), IID_IKeyAssignmentManager);
    ASSERT_HRESULT_SUCCEEDED(keys->WriteKeys(1, &value));
    ASSERT_TRUE(ReadNow());

    IKeyboardProfile* first = Store().GetProfile(0);
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F3"), KeyAssignment::Disabled(), first);
    EXPECT_TRUE(WriteNow());
    EXPECT_TRUE(Same(DeviceKey(0, L"F2"), value));
    EXPECT_EQ(DeviceKey(0, L"F3").actionType, 1u);

    // What the user puts on the key afterwards does go out.
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F2"), KeyAssignment::Disabled(), first);
    EXPECT_TRUE(WriteNow());
    EXPECT_EQ(DeviceKey(0, L"F2").actionType, 1u);
}

TEST_P(DeviceFaults, DeviceKeysThatMapToNoKeyAreSkipped) {
    const DeviceKeyRecord f3 = DeviceKey(0, L"F3");
    m_keys->Forget(L"F3");
    Store().ClearProfiles();
    m_keyboard = StartKeyboard();
    ASSERT_TRUE(ReadNow());
    IKeyboardProfile* first = Store().GetProfile(0);
    EXPECT_EQ(first->GetKeyAssignment(0).type, AssignmentNone);
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F4"), KeyAssignment::Disabled(), first);
    EXPECT_TRUE(WriteNow());
    EXPECT_TRUE(Same(DeviceKey(0, L"F3"), f3));
    EXPECT_EQ(DeviceKey(0, L"F4").actionType, 1u);
}

TEST_P(DeviceFaults, ItemsSkippedOnReadForTheirNameAreNotDeletedByTheNextWrite) {
    CComPtr<IMacroManager> macros = Macros();
    for (const wchar_t* name : {L"Dup", L"DUP"}) {
        CComPtr<IDeviceMacro> macro;
        ASSERT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
        ASSERT_HRESULT_SUCCEEDED(macro->SetName(name));
    }
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    for (const wchar_t* path : {L"C:\\a.exe", L"C:\\A.EXE"}) {
        CComPtr<IDeviceApplication> application;
        ASSERT_HRESULT_SUCCEEDED(applications->CreateApplication(&application));
        ASSERT_HRESULT_SUCCEEDED(application->SetName(path));
    }
    ASSERT_TRUE(ReadNow());
    EXPECT_EQ(Store().GetMacroCount(), 1);
    EXPECT_EQ(Store().GetApplicationCount(), 1);
    EXPECT_TRUE(WriteNow());
    EXPECT_EQ(Data().macros.size(), 2u);
    EXPECT_EQ(Data().applications.size(), 2u);
}

TEST_P(DeviceFaults, ADeviceItemWhoseGuidCannotBeReadIsNotDeleted) {
    CMacro* macro = Store().AddMacro(L"Kept");
    ASSERT_TRUE(WriteNow());
    const GUID guid = macro->guid;
    const GUID profile = Data().profiles[0].guid;
    for (const wchar_t* operation : {L"IDeviceMacro.GetGuid", L"IDeviceProfile.GetGuid"}) {
        SCOPED_TRACE(Utf8(operation));
        Fail(operation);
        WriteNow();
        ASSERT_EQ(Data().macros.size(), 1u);
        EXPECT_EQ(Data().macros[0].guid, guid);
        EXPECT_EQ(macro->guid, guid);
        EXPECT_EQ(Data().profiles[0].guid, profile);
        EXPECT_EQ(Data().profiles.size(), 3u);
    }
}

TEST_P(DeviceFaults, AnImportThatFailsHalfWayLeavesNeitherTheStoreNorTheKeyboardChanged) {
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F1"), KeyAssignment::Disabled(), Store().GetProfile(0));
    ASSERT_TRUE(WriteNow());
    const std::wstring file = s_folder + L"\\first.vqp";
    ASSERT_TRUE(m_keyboard->ExportProfile(file.c_str(), Store().GetProfile(0)));
    // The new profile's name, its GUID, and its keys once it is in the store.
    for (const wchar_t* operation :
         {L"IDeviceProfile.GetName", L"IDeviceProfile.GetGuid", L"IKeyAssignmentManager.ReadKeys"}) {
        SCOPED_TRACE(Utf8(operation));
        Fail(operation);
        EXPECT_FALSE(m_keyboard->ImportProfile(file.c_str(), &Store()));
        EXPECT_EQ(Store().GetProfileCount(), 3);
        EXPECT_EQ(Data().profiles.size(), 3u);
    }
    ASSERT_TRUE(m_keyboard->ImportProfile(file.c_str(), &Store()));
    ASSERT_EQ(Store().GetProfileCount(), 4);
    EXPECT_EQ(Store().GetKeyAssignment(EmulatorKeys::Key(L"F1"), Store().GetProfile(3)).type, AssignmentDisabled);
    EXPECT_EQ(Data().profiles.size(), 4u);
}

TEST_P(DeviceFaults, AFailedStepIsReportedAsAFailure) {
    struct Case {
        const wchar_t* operation;
        bool write;
    };
    const Case cases[] = {
        {L"IProfileProperties.SetProperty", true},   // the linked program
        {L"ILedColor.SetColor", true},
        {L"IDeviceMacro.SetSteps", true},
        {L"IKeyAssignmentManager.ReadKeys", false},  // the first profile's keys, before others read well
    };
    Store().AddMacro(L"New")->steps = {{MacroStepDelay, 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.operation));
        // Every write has changed options, a changed macro and changed
        // lighting to send: a write sends only what changed.
        IKeyboardProfile* first = Store().GetProfile(0);
        first->SetShowOsd(first->GetShowOsd() ? 0 : 1);
        Store().GetMacro(0)->steps.push_back({MacroStepDelay, 4, 0});
        Store().SetLedColor(4, Store().GetLedColor(4, first) ^ 1, first);
        Fail(c.operation);
        EXPECT_FALSE(c.write ? WriteNow() : ReadNow());
        Control()->ClearFaults();
        EXPECT_TRUE(c.write ? WriteNow() : ReadNow());
    }
}

// A key list whose counts are not to be trusted.
class UntrustedKeys : public IKeyAssignmentManager {
public:
    void* Find(REFIID iid) {
        return iid == IID_IUnknown || iid == IID_IKeyAssignmentManager ? static_cast<IKeyAssignmentManager*>(this)
                                                                       : nullptr;
    }
    HRESULT STDMETHODCALLTYPE GetKeyCount(ULONG* count) override {
        *count = keyCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReadKeys(ULONG* count, DeviceKeyRecord* records) override {
        askedFor = *count;
        for (ULONG i = 0; i < *count && i < 3; ++i)
            records[i].keyId = 0x10 + i;
        *count = filled == 0 ? *count : filled;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE WriteKeys(ULONG, const DeviceKeyRecord*) override { return E_NOTIMPL; }
    ULONG keyCount = 3;
    ULONG filled = 0;
    ULONG askedFor = 0;
};

TEST_P(DeviceFaults, KeyCountsAreCappedAndCheckedAgainstTheBlock) {
    CComPtr<IKeyAssignmentManager> keys;
    keys.Attach(CServiceObject<UntrustedKeys>::Create<IKeyAssignmentManager>());
    auto* fake = static_cast<UntrustedKeys*>(keys.Get());
    std::vector<DeviceKeyRecord> records;
    ASSERT_TRUE(ReadKeyRecords(keys, records));
    EXPECT_EQ(records.size(), 3u);

    fake->keyCount = 0xFFFFFFFF;
    ASSERT_TRUE(ReadKeyRecords(keys, records));
    EXPECT_EQ(fake->askedFor, kMaxDeviceKeys);

    fake->keyCount = 3;
    fake->filled = 4;  // more than the block holds
    EXPECT_FALSE(ReadKeyRecords(keys, records));
    EXPECT_TRUE(records.empty());
}

INSTANTIATE_TEST_SUITE_P(Keyboard, DeviceFaults, ::testing::Values(KeyboardMode::InProcess),
                         [](const auto&) { return std::string("InProcess"); });

}  // namespace
