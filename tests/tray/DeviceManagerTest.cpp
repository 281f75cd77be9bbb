// The service client against an emulated keyboard inside the test process:
// what it reads, what it writes, what it refuses, and that a failure is
// reported as one.

#include "emulator/CKeyTable.h"
#include "emulator/CKeyboardState.h"
#include "platform/Guid.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"
#include "tray/CDelayTimer.h"
#include "tray/CDeviceManager.h"
#include "tray/CLaunchAppEventConnection.h"
#include "tray/CMacroEventConnection.h"
#include "tray/CProfileEventConnection.h"
#include "tray/CMacroEventSink.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class DeviceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring folder = MakeTempFolder(L"tray-manager");
        ASSERT_FALSE(folder.empty());
        m_session = std::make_unique<CEmulatorSession>(KeyboardMode::InProcess, folder + L"\\state.xml");
        ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    }

    CDeviceManagerPtr Manager() {
        CDeviceManagerPtr manager(new CDeviceManager(m_session->Enumerator()));
        manager->SetRecorder(&m_recorder);
        return manager;
    }
    const KeyboardData& Data() { return m_session->Keyboard()->Data(); }
    const ProfileState& Active() {
        const KeyboardData& data = Data();
        for (const ProfileState& p : data.profiles)
            if (IsEqualGUID(p.guid, data.activeProfile))
                return p;
        return data.profiles.front();
    }
    void Fail(const wchar_t* operation, bool always = true) {
        ASSERT_HRESULT_SUCCEEDED(m_session->Control()->InjectFault(operation, E_FAIL, always ? TRUE : FALSE));
    }
    // The key table's key at index, for a valid key id.
    static ULONG KeyId(size_t index) { return CKeyTable::Instance().KeyIdAt(index); }

    std::unique_ptr<CEmulatorSession> m_session;
    CDelayTimer m_recorder;
};

TEST_F(DeviceManagerTest, NamesSettingsAndTheActiveProfile) {
    CDeviceManagerPtr manager = Manager();
    ASSERT_TRUE(manager->IsDevicePresent());
    CStringArray names;
    ASSERT_TRUE(manager->GetProfileNames(names));
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_STREQ(names[1], L"Profile 2");

    ASSERT_TRUE(manager->SetLinkedApplication(L"Profile 2", L"game.exe"));
    ASSERT_TRUE(manager->SetProfileOptions(L"Profile 2", 1, 0, 1));
    std::vector<_Profile_Setting_> settings;
    ASSERT_TRUE(manager->GetProfileSettings(settings));
    ASSERT_EQ(settings.size(), 3u);
    EXPECT_STREQ(settings[1].application, L"game.exe");
    EXPECT_EQ(settings[1].autoSwitch, 1);
    EXPECT_EQ(settings[1].dpiDisplay, 0);
    EXPECT_EQ(settings[1].showOsd, 1);
    EXPECT_EQ(settings[0].showOsd, 0);

    _Profile_Setting_ one;
    ASSERT_TRUE(manager->GetProfileSetting(L"Profile 2", one));
    EXPECT_STREQ(one.name, L"Profile 2");
    EXPECT_STREQ(one.application, L"game.exe");
    EXPECT_EQ(one.showOsd, 1);
    ASSERT_TRUE(manager->SetAutoSwitch(L"Profile 2", 0));
    ASSERT_TRUE(manager->GetProfileSetting(L"Profile 2", one));
    EXPECT_EQ(one.autoSwitch, 0);
    EXPECT_EQ(one.showOsd, 1);

    ASSERT_TRUE(manager->SetActiveProfile(L"Profile 3"));
    CString active;
    ASSERT_TRUE(manager->GetActiveProfile(active));
    EXPECT_STREQ(active, L"Profile 3");
}

TEST_F(DeviceManagerTest, ProfileNamesMatchExactlyExceptForAMacrosProfileKey) {
    CDeviceManagerPtr manager = Manager();
    _Profile_Setting_ setting;
    EXPECT_FALSE(manager->SetActiveProfile(L"profile 2"));
    EXPECT_FALSE(manager->GetProfileSetting(L"PROFILE 2", setting));
    EXPECT_FALSE(manager->SetLinkedApplication(L"profile 2", L"x.exe"));
    EXPECT_FALSE(manager->SetProfileOptions(L"profile 2", 1, 1, 1));
    EXPECT_EQ(Data().profiles[1].options, 0);

    GUID macro;
    ASSERT_TRUE(manager->CreateMacro(L"Keys", {{2, 0x1E}}, macro));
    EXPECT_TRUE(manager->AssignMacroToProfileKey(L"profile 2", macro, 0, KeyId(0)));
    EXPECT_EQ(Data().profiles[1].keys[0].actionType, 8u);
}

TEST_F(DeviceManagerTest, TheLinkedProgramReadBackEndsWithinItsBuffer) {
    CDeviceManagerPtr manager = Manager();
    std::wstring longName(200, L'a');
    ASSERT_TRUE(manager->SetLinkedApplication(L"Profile 1", longName.c_str()));
    _Profile_Setting_ setting;
    ASSERT_TRUE(manager->GetProfileSetting(L"Profile 1", setting));
    EXPECT_EQ(setting.application.GetLength(), 127);
}

TEST_F(DeviceManagerTest, NewMacroNamesFollowTheKeyboardsMacros) {
    CDeviceManagerPtr manager = Manager();
    CString name = L"untouched";
    manager->MakeNewMacroName(name);
    EXPECT_STREQ(name, L"New Macro1");
    GUID guid;
    ASSERT_TRUE(manager->CreateMacro(L"New Macro3", {}, guid));
    ASSERT_TRUE(manager->CreateMacro(L"New Macro10", {}, guid));
    ASSERT_TRUE(manager->CreateMacro(L"Old New Macro7", {}, guid));
    manager->MakeNewMacroName(name);
    EXPECT_STREQ(name, L"New Macro11");
}

TEST_F(DeviceManagerTest, WithoutTheKeyboardEverythingFailsWithoutSideEffects) {
    ULONG vendor = 0, product = 0;
    ASSERT_HRESULT_SUCCEEDED(m_session->Control()->SetPresent(FALSE, &vendor, &product));
    CDeviceManagerPtr manager = Manager();
    EXPECT_FALSE(manager->IsDevicePresent());
    CStringArray names;
    names.Add(L"stale");
    EXPECT_FALSE(manager->GetProfileNames(names));
    EXPECT_TRUE(names.IsEmpty());
    CString name = L"untouched";
    manager->MakeNewMacroName(name);
    EXPECT_STREQ(name, L"untouched");
    CString active;
    EXPECT_FALSE(manager->GetActiveProfile(active));
    EXPECT_FALSE(manager->StartMacroRecording());
    EXPECT_EQ(manager->ConnectProfileEvents(nullptr), nullptr);
    EXPECT_EQ(manager->ConnectMacroEvents(nullptr), nullptr);
    EXPECT_EQ(manager->ConnectLaunchAppEvents(nullptr), nullptr);

    CDeviceManagerPtr noService(new CDeviceManager(nullptr));
    EXPECT_FALSE(noService->IsDevicePresent());
    EXPECT_FALSE(noService->SetActiveProfile(L"Profile 1"));
}

TEST_F(DeviceManagerTest, RecordingStagesSetTheModeAndLedSeven) {
    CDeviceManagerPtr manager = Manager();
    ASSERT_TRUE(manager->StartMacroRecording());
    EXPECT_EQ(Data().deviceMode, 2u);
    const LedState& led = Active().leds[6];
    EXPECT_EQ(led.id, 7u);
    EXPECT_TRUE(led.on);
    EXPECT_EQ(led.color, 255u);
    EXPECT_EQ(led.effect, 0u);
    ASSERT_TRUE(manager->StopMacroRecording());
    EXPECT_EQ(Active().leds[6].effect, 1u);
    EXPECT_EQ(Active().leds[6].timeOnMs, 300u);
    EXPECT_EQ(Data().deviceMode, 2u);
    ASSERT_TRUE(manager->CancelMacroRecording());
    EXPECT_EQ(Data().deviceMode, 1u);
    EXPECT_FALSE(Active().leds[6].on);

    ASSERT_TRUE(manager->StartMacroRecording());
    ASSERT_TRUE(manager->EndMacroRecording());
    // Ending (the keyboard went) leaves the mode alone.
    EXPECT_EQ(Data().deviceMode, 2u);
    EXPECT_FALSE(Active().leds[6].on);
}

TEST_F(DeviceManagerTest, SavingStoresTheCaptureAsANewMacroOnTheKey) {
    CDeviceManagerPtr manager = Manager();
    ASSERT_TRUE(manager->SetActiveProfile(L"Profile 2"));
    ASSERT_TRUE(manager->StartMacroRecording());
    m_recorder.Start(0);
    m_recorder.CaptureKey(0x1E, 0, 10);
    m_recorder.CaptureKey(0x1E, RI_KEY_BREAK, 110);
    ASSERT_TRUE(manager->SaveRecordedMacro(1, KeyId(5)));

    ASSERT_EQ(Data().macros.size(), 1u);
    const MacroState& macro = Data().macros[0];
    EXPECT_EQ(macro.name, L"New Macro1");
    ASSERT_EQ(macro.steps.size(), 3u);
    EXPECT_EQ(macro.steps[0].kind, 2u);
    EXPECT_EQ(macro.steps[0].value, 0x1Eu);
    EXPECT_EQ(macro.steps[1].kind, 3u);
    EXPECT_EQ(macro.steps[1].value, 100u);
    EXPECT_EQ(macro.steps[2].value, 0x1001Eu);
    const DeviceKeyRecord& key = Active().keys[5];
    EXPECT_EQ(Active().name, L"Profile 2");
    EXPECT_EQ(key.actionType, 8u);
    uint32_t words[4];
    std::memcpy(words, key.data, sizeof words);
    EXPECT_TRUE(IsEqualGUID(GuidFromWords(words), macro.guid));
    EXPECT_EQ(Data().deviceMode, 1u);
    EXPECT_FALSE(Active().leds[6].on);
}

TEST_F(DeviceManagerTest, AnEmptyRecordingStoresNothingAndTheKeyKeepsItsFunction) {
    CDeviceManagerPtr manager = Manager();
    const DeviceKeyRecord before = Active().keys[5];
    // Stopped before any input; then cancelled after a key was typed (the
    // cancel empties the capture) and saved all the same.
    const std::function<void()> recordings[] = {
        [&] { m_recorder.Start(0); },
        [&] {
            m_recorder.Start(0);
            m_recorder.CaptureKey(0x1E, 0, 10);
            m_recorder.Stop();
            m_recorder.Clear();
        },
    };
    for (const auto& record : recordings) {
        ASSERT_TRUE(manager->StartMacroRecording());
        record();
        EXPECT_FALSE(manager->SaveRecordedMacro(0, KeyId(5)));
        EXPECT_TRUE(Data().macros.empty()) << "an empty macro was stored";
        EXPECT_EQ(std::memcmp(&before, &Active().keys[5], sizeof before), 0) << "the key lost its function";
        // The recording is over all the same.
        EXPECT_EQ(Data().deviceMode, 1u);
        EXPECT_FALSE(Active().leds[6].on);
    }
}

TEST_F(DeviceManagerTest, ARecordingIsStoredEvenWhenTheLedCannotShowTheEnd) {
    CDeviceManagerPtr manager = Manager();
    m_recorder.Start(0);
    m_recorder.CaptureKey(0x30, 0, 5);
    Fail(L"ILed.Off");
    EXPECT_TRUE(manager->SaveRecordedMacro(0, KeyId(1)));
    ASSERT_EQ(Data().macros.size(), 1u);
    EXPECT_EQ(Data().macros[0].steps.size(), 1u);
}

TEST_F(DeviceManagerTest, FailedWritesAreReportedAndLeaveNoHalfMacro) {
    CDeviceManagerPtr manager = Manager();
    GUID guid;
    Fail(L"IDeviceMacro.SetSteps");
    EXPECT_FALSE(manager->CreateMacro(L"Half", {{2, 0x1E}}, guid));
    EXPECT_TRUE(Data().macros.empty());
    m_session->Control()->ClearFaults();

    Fail(L"IDeviceMacro.SetName");
    EXPECT_FALSE(manager->CreateMacro(L"Nameless", {{2, 0x1E}}, guid));
    EXPECT_TRUE(Data().macros.empty());
    m_session->Control()->ClearFaults();

    ASSERT_TRUE(manager->CreateMacro(L"Whole", {{2, 0x1E}}, guid));
    DeviceKeyRecord before = Active().keys[2];
    Fail(L"IKeyAssignmentManager.WriteKeys");
    EXPECT_FALSE(manager->AssignMacroToKey(guid, 0, KeyId(2)));
    EXPECT_FALSE(manager->AssignMacroToProfileKey(L"Profile 1", guid, 0, KeyId(2)));
    EXPECT_EQ(std::memcmp(&before, &Active().keys[2], sizeof before), 0);
    m_session->Control()->ClearFaults();

    // A GUID the keyboard does not hold is refused before anything is written.
    EXPECT_FALSE(manager->AssignMacroToKey(NewGuid(), 0, KeyId(2)));
    EXPECT_TRUE(manager->AssignMacroToKey(guid, 0, KeyId(2)));
}

// The tray keeps one manager while the keyboard is present; another client
// (the configuration program) changes the keyboard meanwhile.  Whatever it
// changes, the kept manager reads what a new one would, and an unchanged
// keyboard is read again without walking the list or asking for features.
TEST_F(DeviceManagerTest, AKeptManagerReadsWhatANewOneWouldWhateverAnotherClientChanged) {
    CComPtr<IProfileManager> profiles = m_session->Profiles();
    ASSERT_TRUE(profiles);
    auto profileAt = [&](ULONG index) { return m_session->Profile(index); };
    auto create = [&](const wchar_t* name) {
        CComPtr<IDeviceProfile> created;
        ASSERT_HRESULT_SUCCEEDED(profiles->CreateProfile(&created));
        ASSERT_HRESULT_SUCCEEDED(created->SetName(name));
    };
    auto remove = [&](ULONG index) { ASSERT_HRESULT_SUCCEEDED(profiles->DeleteProfile(profileAt(index))); };
    auto setOptions = [&](ULONG index, USHORT option, USHORT value) {
        auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(profileAt(index), IID_IProfileProperties);
        ASSERT_TRUE(properties);
        const USHORT record[2] = {option, value};
        ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS,
                                                         reinterpret_cast<const BYTE*>(record), 0, sizeof record, 0));
    };
    auto describe = [](CDeviceManager& manager) {
        std::vector<_Profile_Setting_> settings;
        manager.GetProfileSettings(settings);
        std::wstring text;
        for (const _Profile_Setting_& s : settings)
            text += std::wstring(s.name) + L"=" + std::wstring(s.application) + L"/" + std::to_wstring(s.autoSwitch) +
                    std::to_wstring(s.dpiDisplay) + std::to_wstring(s.showOsd) + L"|";
        CStringArray names;
        manager.GetProfileNames(names);
        for (int i = 0; i < names.GetSize(); ++i)
            text += std::wstring(names[i]) + L",";
        return text;
    };

    CDeviceManagerPtr kept = Manager();
    IKeyboardEmulatorControl* control = m_session->Control();
    std::vector<_Profile_Setting_> settings;
    ULONG calls = 0;
    control->TakeCallCount(&calls);
    ASSERT_TRUE(kept->GetProfileSettings(settings));
    ULONG first = 0, again = 0;
    control->TakeCallCount(&first);
    ASSERT_TRUE(kept->GetProfileSettings(settings));
    control->TakeCallCount(&again);
    // Again: a three-call check, then each profile's name and two properties.
    EXPECT_LT(again, first);
    EXPECT_LE(again, 3u + 3u * settings.size());

    struct Case {
        const char* what;
        std::function<void()> change;
        const wchar_t* expectedNames;
    } cases[] = {
        {"a profile renamed", [&] { ASSERT_HRESULT_SUCCEEDED(profileAt(1)->SetName(L"Renamed")); },
         L"Profile 1,Renamed,Profile 3,"},
        {"a linked program and options set", [&] {
             CDeviceManagerPtr other = Manager();
             ASSERT_TRUE(other->SetLinkedApplication(L"Profile 3", L"game.exe"));
             setOptions(0, 1, 1);
         }, L"Profile 1,Renamed,Profile 3,"},
        {"a profile created", [&] { create(L"Fourth"); }, L"Profile 1,Renamed,Profile 3,Fourth,"},
        {"the last deleted", [&] { remove(3); }, L"Profile 1,Renamed,Profile 3,"},
        {"the last deleted and one created: same length", [&] {
             remove(2);
             create(L"Third");
         }, L"Profile 1,Renamed,Third,"},
        {"one in the middle deleted and one created", [&] {
             remove(1);
             create(L"Last");
         }, L"Profile 1,Third,Last,"},
        {"a factory keyboard", [&] { ASSERT_HRESULT_SUCCEEDED(control->ResetToFactory()); },
         L"Profile 1,Profile 2,Profile 3,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        std::wstring seen = describe(*kept);
        EXPECT_EQ(seen, describe(*Manager()));
        EXPECT_NE(seen.find(c.expectedNames), std::wstring::npos) << std::string(seen.begin(), seen.end());
        // Found by name among the profiles as they are now.
        CStringArray names;
        ASSERT_TRUE(kept->GetProfileNames(names));
        const CString last = names[names.GetSize() - 1];
        ASSERT_TRUE(kept->SetActiveProfile(last));
        CString active;
        ASSERT_TRUE(Manager()->GetActiveProfile(active));
        EXPECT_STREQ(active, last);
    }
}

// A handler that writes down what reached it.
class Handlers : public IProfileEventHandler, public IMacroEventHandler, public ILaunchAppEventHandler {
public:
    std::vector<std::wstring> events;
    void OnProfileChanged(ULONG value) override { events.push_back(L"profile " + std::to_wstring(value)); }
    void OnMacroRecordingStarted() override { events.push_back(L"started"); }
    void OnMacroRecordingStopped() override { events.push_back(L"stopped"); }
    void OnMacroRecordingCanceled() override { events.push_back(L"canceled"); }
    void OnMacroRecordingSaved(ULONG first, ULONG keyId) override {
        events.push_back(L"saved " + std::to_wstring(first) + L" " + std::to_wstring(keyId));
    }
    void OnLaunchApplication(ULONG kind, const wchar_t* path) override {
        events.push_back(L"launch " + std::to_wstring(kind) + L" " + path);
    }
};

TEST_F(DeviceManagerTest, ConnectionsDeliverEventsUntilDeleted) {
    Handlers handlers;
    CDeviceManagerPtr manager = Manager();
    std::unique_ptr<CProfileEventConnection> profile(manager->ConnectProfileEvents(&handlers));
    std::unique_ptr<CMacroEventConnection> macro(manager->ConnectMacroEvents(&handlers));
    std::unique_ptr<CLaunchAppEventConnection> launch(manager->ConnectLaunchAppEvents(&handlers));
    ASSERT_TRUE(profile && macro && launch);
    EXPECT_NE(profile->GetCookie(), 0u);
    manager.reset();  // the connections outlive their manager

    IKeyboardEmulatorControl* control = m_session->Control();
    ASSERT_HRESULT_SUCCEEDED(control->PressProfileKey(2));
    ASSERT_HRESULT_SUCCEEDED(control->RunRecordingStage(RECORDING_STAGE_STARTED, 0));
    ASSERT_HRESULT_SUCCEEDED(control->RunRecordingStage(RECORDING_STAGE_SAVED, KeyId(3)));
    ASSERT_HRESULT_SUCCEEDED(control->PressLaunchKey(1, L"C:\\x.exe"));
    PumpUntil([&] { return handlers.events.size() >= 4; }, 3000);
    EXPECT_EQ(handlers.events, (std::vector<std::wstring>{L"profile 2", L"started",
                                                          L"saved 2 " + std::to_wstring(KeyId(3)),
                                                          L"launch 1 C:\\x.exe"}));

    handlers.events.clear();
    profile.reset();
    macro.reset();
    launch.reset();
    control->PressProfileKey(0);
    control->RunRecordingStage(RECORDING_STAGE_CANCELED, 0);
    PumpUntilIdle(200, 1000);
    EXPECT_TRUE(handlers.events.empty());
}

// An event source that keeps the sink it was given, as a service with a
// call still under way would, and lets the test fire at it later.
class HoldingSource : public IConnectionPointContainer, public IConnectionPoint {
public:
    IUnknown* held = nullptr;
    bool failAdvise = false;
    DWORD unadvisedCookie = 0xFFFFFFFF;
    LONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPointContainer))
            *out = static_cast<IConnectionPointContainer*>(this);
        else if (IsEqualIID(iid, IID_IConnectionPoint))
            *out = static_cast<IConnectionPoint*>(this);
        else
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint** point) override {
        *point = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (failAdvise)
            return CONNECT_E_CANNOTCONNECT;
        sink->AddRef();
        held = sink;
        *cookie = 7;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        unadvisedCookie = cookie;
        return cookie == 7 ? S_OK : CONNECT_E_NOCONNECTION;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

TEST(EventConnection, ALateEventAfterTheConnectionWentReachesNobody) {
    Handlers handlers;
    HoldingSource source;
    auto* connection = new CProfileEventConnection(&handlers, static_cast<IConnectionPointContainer*>(&source));
    ASSERT_EQ(connection->GetCookie(), 7u);
    ASSERT_TRUE(source.held);
    delete connection;
    EXPECT_EQ(source.unadvisedCookie, 7u);
    EXPECT_EQ(source.refs, 1);  // the source's reference was given back
    // The service still holds the sink for a call under way: it must be
    // alive, and forward to nobody.
    auto* sink = static_cast<_IProfileManagerEvents*>(static_cast<void*>(nullptr));
    ASSERT_HRESULT_SUCCEEDED(source.held->QueryInterface(IID__IProfileManagerEvents, reinterpret_cast<void**>(&sink)));
    EXPECT_HRESULT_SUCCEEDED(sink->OnProfileChanged(3));
    EXPECT_TRUE(handlers.events.empty());
    sink->Release();
    EXPECT_EQ(source.held->Release(), 0u);  // the last reference frees it
}

TEST(EventConnection, AFailedAdviseGivesAConnectionWithoutEvents) {
    Handlers handlers;
    HoldingSource source;
    source.failAdvise = true;
    {
        CMacroEventConnection connection(&handlers, static_cast<IConnectionPointContainer*>(&source));
        EXPECT_EQ(connection.GetCookie(), 0u);
        EXPECT_EQ(connection.GetSink()->GetRefCount(), 1);
    }
    EXPECT_EQ(source.unadvisedCookie, 0u);
    EXPECT_EQ(source.refs, 1);
    // A source without connection points: still no error.
    CLaunchAppEventConnection none(&handlers, nullptr);
    EXPECT_EQ(none.GetCookie(), 0u);
}

TEST(EventSink, AnswersItsOwnInterfaceOnly) {
    Handlers handlers;
    auto* sink = CComObject<CMacroEventSink>::New(&handlers);
    void* out = nullptr;
    EXPECT_EQ(sink->QueryInterface(IID__IProfileManagerEvents, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    ASSERT_HRESULT_SUCCEEDED(sink->QueryInterface(IID__IOTFMacroRecordingEvents, &out));
    EXPECT_EQ(sink->AddRef(), 3u);
    sink->OnMacroRecordingSaved(1, 59);
    sink->OnMacroRecordingCanceled();
    EXPECT_EQ(handlers.events, (std::vector<std::wstring>{L"saved 1 59", L"canceled"}));
    EXPECT_EQ(sink->Release(), 2u);
    EXPECT_EQ(sink->Release(), 1u);
    EXPECT_EQ(sink->Release(), 0u);
}

}  // namespace
