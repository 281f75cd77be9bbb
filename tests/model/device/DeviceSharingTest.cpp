// The keyboard shared with the tray program, its own keys and other
// clients: a write sends what the user changed and nothing else, keeps what
// the others changed meanwhile and takes it into the store.

#include "tests/model/device/CKeyboardFixture.h"

#include "emulator/CKeyTable.h"
#include "model/device/DeviceKeyRecords.h"
#include "platform/Guid.h"

#include <cstring>
#include <functional>

namespace {

int32_t Key(const wchar_t* name) { return EmulatorKeys::Key(name); }

bool Same(const KeyAssignment& a, const KeyAssignment& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The operations that change the keyboard.
bool Changes(const std::wstring& operation) {
    const std::wstring method = operation.substr(operation.find(L'.') + 1);
    for (const wchar_t* verb : {L"Set", L"Write", L"Create", L"Delete", L"Import"})
        if (method.rfind(verb, 0) == 0)
            return true;
    return operation == L"ILed.On" || operation == L"ILed.Off";
}

class DeviceSharing : public CReadKeyboardFixture {
protected:
    // What another client of the keyboard does, straight through the service.
    GUID MakeDeviceMacro(const wchar_t* name) {
        auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
        CComPtr<IDeviceMacro> macro;
        EXPECT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
        EXPECT_HRESULT_SUCCEEDED(macro->SetName(name));
        // One delay of 50 ms.
        const BYTE steps[24] = {0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 50, 0, 0, 0};
        EXPECT_HRESULT_SUCCEEDED(macro->SetSteps(sizeof steps, steps));
        return GuidOf(macro);
    }
    void WriteDeviceKey(ULONG profile, const wchar_t* key, const KeyAssignment& assignment) {
        auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(Session().Profile(profile),
                                                                            IID_IKeyAssignmentManager);
        const DeviceKeyRecord record = FillKeyRecord(assignment, EmulatorKeys::DeviceKeyId(key));
        ASSERT_HRESULT_SUCCEEDED(keys->WriteKeys(1, &record));
    }
    // A macro recorded on the fly, as the tray program stores it: a new
    // macro, put on a key of the active profile.
    GUID RecordOnTheFly(const wchar_t* name, const wchar_t* key) {
        const GUID macro = MakeDeviceMacro(name);
        ULONG active = 0;
        for (ULONG i = 0; Session().Profile(i); ++i) {
            CComPtr<IDeviceProfile> now;
            Session().Profiles()->GetActiveProfile(&now);
            if (GuidOf(now) == GuidOf(Session().Profile(i))) {
                active = i;
                break;
            }
        }
        WriteDeviceKey(active, key, KeyAssignment::ByGuid(AssignmentMacro, macro, 1));
        return macro;
    }
    GUID DeviceActiveProfile() {
        CComPtr<IDeviceProfile> active;
        EXPECT_HRESULT_SUCCEEDED(Session().Profiles()->GetActiveProfile(&active));
        return GuidOf(active);
    }
    ULONG DeviceMacroCount(const wchar_t* name) {
        auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
        ULONG count = 0;
        CComPtr<IDeviceMacro> macro;
        for (ULONG i = 0; SUCCEEDED(macros->GetMacro(i, &macro)); ++i)
            count += NameOf(macro) == name ? 1 : 0;
        return count;
    }
    ULONG DeviceProfileCount(const wchar_t* name) {
        ULONG count = 0;
        CComPtr<IDeviceProfile> profile;
        for (ULONG i = 0; SUCCEEDED(Session().Profiles()->GetProfile(i, &profile)); ++i)
            count += NameOf(profile) == name ? 1 : 0;
        return count;
    }
    // Writes on the worker, as Apply does, and waits for its end.
    WriteResult Apply() {
        if (!m_keyboard->Sync(&Store(), kSyncWrite, kMaskAll))
            return WriteResult::None;
        EXPECT_TRUE(WaitForWrite(*m_keyboard));
        return m_keyboard->GetLastWriteResult();
    }
    // The calls the keyboard served since the last look (in process, by operation).
    std::map<std::wstring, ULONG> TakeCalls() {
        std::map<std::wstring, ULONG> calls = Keyboard()->CallsByOperation();
        Keyboard()->TakeCallCount();
        return calls;
    }
    static std::string ChangesIn(const std::map<std::wstring, ULONG>& calls) {
        std::string list;
        for (const auto& [operation, count] : calls)
            if (Changes(operation))
                list += Utf8(operation) + " x" + std::to_string(count) + " ";
        return list;
    }
};

TEST_P(DeviceSharing, AnApplyKeepsWhatOthersChangedAndTakesItIntoTheStore) {
    IKeyboardProfile* first = Store().GetProfile(0);
    const KeyAssignment m4 = first->GetKeyAssignment(Key(L"M4"));
    // While the program is open: a macro recorded on the fly on M4, and the
    // keyboard's profile key.
    const GUID recorded = RecordOnTheFly(L"New Macro1", L"M4");
    ASSERT_HRESULT_SUCCEEDED(Control()->PressProfileKey(1));
    const GUID second = GuidOf(Session().Profile(1));
    // The user changes an unrelated key and applies.
    Store().SetKeyAssignment(Key(L"F5"), KeyAssignment::Disabled(), first);
    ASSERT_EQ(Apply(), WriteResult::Succeeded);

    // The keyboard keeps all of it...
    EXPECT_EQ(DeviceActiveProfile(), second);
    EXPECT_EQ(DeviceMacroCount(L"New Macro1"), 1u);
    const DeviceKeyRecord onM4 = KeyRecord(0, L"M4");
    EXPECT_EQ(onM4.actionType, static_cast<uint32_t>(DeviceActionMacro));
    GUID onKey;
    std::memcpy(&onKey, onM4.data, sizeof onKey);
    EXPECT_EQ(GuidToString(onKey), GuidToString(recorded));
    EXPECT_EQ(KeyRecord(0, L"F5").actionType, static_cast<uint32_t>(DeviceActionButton));
    // ...and the store holds what the keyboard holds.
    CMacro* macro = Store().FindMacroByGuid(recorded);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(CString(macro->GetName()), CString(L"New Macro1"));
    EXPECT_EQ(macro->steps.size(), 1u);
    first = Store().GetProfile(0);
    const KeyAssignment nowOnM4 = first->GetKeyAssignment(Key(L"M4"));
    EXPECT_FALSE(Same(nowOnM4, m4));
    EXPECT_EQ(nowOnM4.type, AssignmentMacro);
    EXPECT_EQ(nowOnM4.GetGuid(), recorded);
    EXPECT_EQ(Store().GetActiveProfile(), Store().FindProfileByGuid(second));

    // Nothing changed since: the next Apply changes nothing on the keyboard.
    ULONG calls = 0;
    Control()->TakeCallCount(&calls);
    ASSERT_EQ(Apply(), WriteResult::Succeeded);
    Control()->TakeCallCount(&calls);
    EXPECT_LE(calls, 16u) << "an Apply with nothing to send";
    EXPECT_EQ(DeviceActiveProfile(), second);
}

TEST_P(DeviceSharing, AnApplyOfOneKeySendsThatKeyAlone) {
    if (Mode() != KeyboardMode::InProcess)
        GTEST_SKIP() << "the calls by operation are seen in process";
    IKeyboardProfile* first = Store().GetProfile(0);
    const KeyboardData before = Keyboard()->Data();
    TakeCalls();
    Store().SetKeyAssignment(Key(L"F5"), KeyAssignment::SingleKey(0x1E, 0, 0), first);
    ASSERT_TRUE(CKeyboardFixture::WriteNow(*m_keyboard));
    std::map<std::wstring, ULONG> calls = TakeCalls();
    EXPECT_EQ(ChangesIn(calls), "IKeyAssignmentManager.WriteKeys x1 ");
    ULONG total = 0;
    for (const auto& entry : calls)
        total += entry.second;
    EXPECT_LE(total, 16u);
    // Every other key of every profile is as it was.
    const KeyboardData& after = Keyboard()->Data();
    const size_t f5 = static_cast<size_t>(CKeyTable::Instance().IndexOfName(L"F5"));
    for (size_t p = 0; p < after.profiles.size(); ++p)
        for (size_t k = 0; k < after.profiles[p].keys.size(); ++k)
            if (p != 0 || k != f5)
                EXPECT_EQ(std::memcmp(&after.profiles[p].keys[k], &before.profiles[p].keys[k], sizeof(DeviceKeyRecord)),
                          0)
                    << "profile " << p << " key " << k;

    ASSERT_TRUE(CKeyboardFixture::WriteNow(*m_keyboard));
    EXPECT_EQ(ChangesIn(TakeCalls()), "") << "nothing changed since";
}

TEST_P(DeviceSharing, WhatTheUserDeletedGoesAndWhatOthersMadeStays) {
    Store().AddMacro(L"Mine")->steps = {{MacroStepDelay, 10, 0}};
    Store().AddApplication(L"C:\\Mine.exe");
    ASSERT_TRUE(CKeyboardFixture::WriteNow(*m_keyboard));
    const GUID third = Store().GetProfile(2)->GetGuid();
    // Another client makes a macro and a profile, and deletes the second profile.
    const GUID theirs = MakeDeviceMacro(L"Theirs");
    CComPtr<IDeviceProfile> made;
    ASSERT_HRESULT_SUCCEEDED(Session().Profiles()->CreateProfile(&made));
    ASSERT_HRESULT_SUCCEEDED(made->SetName(L"Made elsewhere"));
    const GUID second = Store().GetProfile(1)->GetGuid();
    ASSERT_HRESULT_SUCCEEDED(Session().Profiles()->DeleteProfile(Session().Profile(1)));
    // The user deletes a macro, an application and a profile.
    Store().DeleteMacro(Store().FindMacroByName(L"Mine"));
    Store().RemoveApplication(Store().FindApplicationByName(L"C:\\Mine.exe"));
    Store().DeleteProfile(Store().GetProfile(2));
    ASSERT_TRUE(CKeyboardFixture::WriteNow(*m_keyboard));

    EXPECT_EQ(DeviceMacroCount(L"Mine"), 0u);
    EXPECT_EQ(DeviceMacroCount(L"Theirs"), 1u);
    EXPECT_EQ(DeviceProfileCount(L"Made elsewhere"), 1u);
    EXPECT_EQ(DeviceProfileCount(L"Profile 3"), 0u);
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    CComPtr<IDeviceApplication> application;
    EXPECT_HRESULT_FAILED(applications->GetApplication(0, &application)) << "the user's application is deleted";
    // The store has what the keyboard has: theirs in, the lost profile out.
    EXPECT_NE(Store().FindMacroByGuid(theirs), nullptr);
    EXPECT_NE(Store().FindProfileByName(L"Made elsewhere"), nullptr);
    EXPECT_EQ(Store().FindProfileByGuid(second), nullptr);
    EXPECT_EQ(Store().FindProfileByGuid(third), nullptr);
    EXPECT_EQ(Store().GetProfileCount(), 2);
}

TEST_P(DeviceSharing, WhereTheUserAndTheKeyboardChangedAKeyTheUserWins) {
    IKeyboardProfile* first = Store().GetProfile(0);
    // The tray program records a macro onto M4 while the user disables M4.
    const GUID recorded = RecordOnTheFly(L"New Macro1", L"M4");
    Store().SetKeyAssignment(Key(L"M4"), KeyAssignment::Disabled(), first);
    ASSERT_EQ(Apply(), WriteResult::Succeeded);
    EXPECT_EQ(KeyRecord(0, L"M4").actionType, static_cast<uint32_t>(DeviceActionButton));
    EXPECT_EQ(Store().GetProfile(0)->GetKeyAssignment(Key(L"M4")).type, AssignmentDisabled);
    EXPECT_NE(Store().FindMacroByGuid(recorded), nullptr) << "the macro itself is taken in";
}

TEST_P(DeviceSharing, TheActiveProfileIsSetOnlyWhenTheUserChoseOne) {
    struct Case {
        const char* what;
        int keyboardSwitchesTo;  // -1: the keyboard stays
        int userChooses;         // -1: the user chooses none
        int expected;
    };
    const Case cases[] = {
        {"the keyboard's profile key", 1, -1, 1},
        {"the user's choice", -1, 2, 2},
        {"both: the user pressed Apply", 1, 2, 2},
        {"the user chose what the keyboard has now", 2, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_HRESULT_SUCCEEDED(Control()->PressProfileKey(0));
        ASSERT_TRUE(m_keyboard->Sync(&Store(), kSyncRead, kMaskAll));
        if (c.keyboardSwitchesTo >= 0)
            ASSERT_HRESULT_SUCCEEDED(Control()->PressProfileKey(c.keyboardSwitchesTo));
        if (c.userChooses >= 0)
            Store().SetActiveProfile(Store().GetProfile(c.userChooses));
        ASSERT_EQ(Apply(), WriteResult::Succeeded);
        const GUID expected = GuidOf(Session().Profile(static_cast<ULONG>(c.expected)));
        EXPECT_EQ(DeviceActiveProfile(), expected);
        ASSERT_NE(Store().GetActiveProfile(), nullptr);
        EXPECT_EQ(Store().GetActiveProfile()->GetGuid(), expected);
    }
}

TEST_P(DeviceSharing, AFailedWriteKeepsEveryChangeAndTheNextCompletesItOnce) {
    IKeyboardProfile* first = Store().GetProfile(0);
    Store().CreateProfile(L"Fresh");
    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepDelay, 20, 0}};
    Store().AddApplication(L"C:\\Games\\Play.exe");
    Store().SetKeyAssignment(Key(L"F1"), KeyAssignment::ByName(AssignmentMacroByName, L"Hop", 1), first);
    Store().SetKeyAssignment(Key(L"F2"), KeyAssignment::ByName(AssignmentLaunchProgramByPath, L"C:\\Games\\Play.exe"),
                             first);
    Store().SetKeyAssignment(Key(L"F3"), KeyAssignment::Disabled(), first);
    // The new profile's lighting fails: the macro, the application and the
    // profile are on the keyboard by then, the rest is not.
    Fail(L"ILedEffect.SetEffect");
    ASSERT_EQ(Apply(), WriteResult::Failed);
    EXPECT_FALSE(IsNullGuid(hop->guid));
    EXPECT_FALSE(IsNullGuid(Store().FindProfileByName(L"Fresh")->GetGuid()));
    Control()->ClearFaults();

    ASSERT_EQ(Apply(), WriteResult::Succeeded);
    EXPECT_EQ(DeviceProfileCount(L"Fresh"), 1u);
    EXPECT_EQ(DeviceMacroCount(L"Hop"), 1u);
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    CComPtr<IDeviceApplication> application;
    EXPECT_HRESULT_SUCCEEDED(applications->GetApplication(0, &application));
    EXPECT_HRESULT_FAILED(applications->GetApplication(1, &application)) << "one application, not two";
    const DeviceKeyRecord f1 = KeyRecord(0, L"F1");
    EXPECT_EQ(f1.actionType, static_cast<uint32_t>(DeviceActionMacro));
    GUID onKey;
    std::memcpy(&onKey, f1.data, sizeof onKey);
    EXPECT_EQ(GuidToString(onKey), GuidToString(hop->guid));
    EXPECT_EQ(KeyRecord(0, L"F2").actionType, static_cast<uint32_t>(DeviceActionApplication));
    EXPECT_EQ(KeyRecord(0, L"F3").actionType, static_cast<uint32_t>(DeviceActionButton));
    const GUID fresh = Store().FindProfileByName(L"Fresh")->GetGuid();
    EXPECT_EQ(DeviceProfileCount(L"Fresh"), 1u);
    EXPECT_EQ(Session().Profile(3) ? GuidOf(Session().Profile(3)) : GUID_NULL, fresh);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, DeviceSharing, ::testing::Values(KeyboardMode::InProcess, KeyboardMode::OutOfProcess),
                         [](const ::testing::TestParamInfo<KeyboardMode>& info) {
                             return info.param == KeyboardMode::InProcess ? "InProcess" : "OutOfProcess";
                         });

}  // namespace
