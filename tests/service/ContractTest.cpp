// The service's contract, driven against the emulated keyboard both inside
// the test process and through the KeyboardEmulator.exe local server: every
// operation the programs call, what it refuses, and its events.

#include "tests/service/CEmulatorSession.h"
#include "tests/service/CEventRecorder.h"

#include "emulator/CKeyTable.h"
#include "emulator/CFaultTable.h"
#include "platform/CThread.h"
#include "platform/Guid.h"
#include "service/CProxyStubRegistration.h"
#include "service/ServiceText.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <cstring>
#include <functional>
#include <map>
#include <vector>

namespace {

std::string ToUtf8(const std::wstring& text) { return CString(text).ToUtf8(); }

std::vector<BYTE> LinkedProgramBuffer(const std::wstring& name) {
    std::vector<BYTE> buffer(PROFILE_LINKED_PROGRAM_BYTES, 0);
    std::memcpy(buffer.data(), name.c_str(), std::min<size_t>(name.size() * 2, buffer.size()));
    return buffer;
}

std::vector<BYTE> OptionRecords(std::initializer_list<std::pair<uint16_t, uint16_t>> records) {
    std::vector<BYTE> bytes;
    for (auto [id, value] : records)
        for (uint16_t half : {id, value}) {
            bytes.push_back(static_cast<BYTE>(half & 0xFF));
            bytes.push_back(static_cast<BYTE>(half >> 8));
        }
    return bytes;
}

std::vector<BYTE> StepsBlock(const std::vector<MacroStepsBlockStep>& steps, uint32_t count) {
    std::vector<BYTE> block(MacroStepsBlockSize(static_cast<uint32_t>(steps.size())), 0);
    MacroStepsBlock header = {0, count};
    std::memcpy(block.data(), &header, sizeof header);
    if (!steps.empty())
        std::memcpy(block.data() + sizeof header, steps.data(), steps.size() * sizeof steps[0]);
    return block;
}

std::vector<BYTE> StepsBlock(const std::vector<MacroStepsBlockStep>& steps) {
    return StepsBlock(steps, static_cast<uint32_t>(steps.size()));
}

uint16_t Options(IProfileProperties* properties) {
    BYTE flags[2] = {0xEE, 0xEE};
    ULONG size = sizeof flags;
    EXPECT_HRESULT_SUCCEEDED(properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, flags, 0, &size));
    EXPECT_EQ(size, 2u);
    return static_cast<uint16_t>(flags[0] | flags[1] << 8);
}

std::wstring LinkedProgram(IProfileProperties* properties) {
    std::vector<BYTE> buffer(PROFILE_LINKED_PROGRAM_BYTES, 0xEE);
    ULONG size = static_cast<ULONG>(buffer.size());
    EXPECT_HRESULT_SUCCEEDED(properties->GetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, 0, buffer.data(), 0, &size));
    EXPECT_EQ(size, PROFILE_LINKED_PROGRAM_BYTES);
    return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data()));
}

std::vector<DeviceKeyRecord> ReadAllKeys(IKeyAssignmentManager* keys) {
    ULONG count = 0;
    EXPECT_HRESULT_SUCCEEDED(keys->GetKeyCount(&count));
    std::vector<DeviceKeyRecord> records(count);
    ULONG filled = count;
    EXPECT_HRESULT_SUCCEEDED(keys->ReadKeys(&filled, records.data()));
    EXPECT_EQ(filled, count);
    return records;
}

DeviceKeyRecord MacroRecord(uint32_t keyId, const GUID& macro) {
    DeviceKeyRecord record;
    std::memset(&record, 0, sizeof record);
    record.header = 1;
    record.keyId = keyId;
    record.actionType = 8;
    std::memcpy(record.data, &macro, sizeof macro);
    record.data[16] = 1;  // play code
    record.data[17] = 3;  // repeat count
    return record;
}

uint32_t KeyIdOf(const wchar_t* name) {
    const CKeyTable& table = CKeyTable::Instance();
    int index = table.IndexOfName(name);
    return index < 0 ? 0 : table.KeyIdAt(static_cast<size_t>(index));
}

const HRESULT kMadeFailure = static_cast<HRESULT>(0x80041234);

// The LED at index of a profile, with its colour, brightness and effect.
void OpenLed(ILedCollection* leds, ULONG index, CComPtr<ILed>& led, CComPtr<ILedColor>& color,
             CComPtr<ILedBrightness>& brightness, CComPtr<ILedEffect>& effect) {
    ASSERT_TRUE(leds);
    ASSERT_HRESULT_SUCCEEDED(leds->GetLed(index, &led));
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(&color));
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(&brightness));
    ASSERT_HRESULT_SUCCEEDED(led.QueryInterface(&effect));
}

class ContractTest : public ::testing::TestWithParam<KeyboardMode> {
protected:
    static void SetUpTestSuite() {
        s_folder = MakeTempFolder(L"service-contract");
        CEmulatorSession::StopServer();
    }
    static void TearDownTestSuite() { CEmulatorSession::StopServer(); }

    void SetUp() override {
        // One state file per mode: the in-process keyboard and the server
        // must never share one.
        std::wstring file = s_folder + (GetParam() == KeyboardMode::InProcess ? L"\\inproc.xml" : L"\\server.xml");
        m_session = std::make_unique<CEmulatorSession>(GetParam(), file);
        ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
        ULONG vendorId = 0, productId = 0;
        ASSERT_HRESULT_SUCCEEDED(Control()->ClearFaults());
        ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(TRUE, &vendorId, &productId));
        ASSERT_HRESULT_SUCCEEDED(Control()->ResetToFactory());
        // Let the reset's own event go by before a test listens.
        PumpUntilIdle(20, 1000);
    }
    void TearDown() override { m_session.reset(); }

    IKeyboardEmulatorControl* Control() { return m_session->Control(); }
    CEmulatorSession& Session() { return *m_session; }
    static std::wstring Folder() { return s_folder; }

    static std::wstring s_folder;
    std::unique_ptr<CEmulatorSession> m_session;
};

std::wstring ContractTest::s_folder;

TEST_P(ContractTest, DeviceDescribesTheKeyboard) {
    CComPtr<IDevice> none;
    EXPECT_EQ(Session().Enumerator()->GetDevice(1, &none), kServiceNoMoreItems);
    EXPECT_EQ(none.Get(), nullptr);

    CComPtr<IDevice> device = Session().Device();
    ASSERT_TRUE(device);
    DeviceInfo info;
    std::memset(&info, 0xCC, sizeof info);
    ASSERT_HRESULT_SUCCEEDED(device->GetInfo(&info));
    EXPECT_EQ(info.cbSize, sizeof(DeviceInfo));
    EXPECT_EQ(info.productId, KEYBOARD_PRODUCT_ID);
    EXPECT_EQ(info.firstVersionMajor, 1u);
    EXPECT_EQ(info.firstVersionMinor, 2u);
    EXPECT_EQ(info.secondVersionMajor, 1u);
    EXPECT_EQ(info.secondVersionMinor, 0u);
    ASSERT_NE(info.text, nullptr);
    EXPECT_STREQ(info.text, L"Mobek Tilvor");
    CoTaskMemFree(info.text);

    CComPtr<IDeviceIdentity> identity;
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(&identity));
    ULONG vendorId = 0, productId = 0;
    ASSERT_HRESULT_SUCCEEDED(identity->GetIdentity(&vendorId, &productId));
    EXPECT_EQ(vendorId, KEYBOARD_VENDOR_ID);
    EXPECT_EQ(productId, KEYBOARD_PRODUCT_ID);

    CComPtr<IDeviceFeatures> features;
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(&features));
    LONG layout = -1;
    ASSERT_HRESULT_SUCCEEDED(features->GetLayoutCode(&layout));
    EXPECT_EQ(layout, 0);

    // Every device feature the programs ask for, through both roads.
    const IID* wanted[] = {&IID_IProfileManager, &IID_IMacroManager, &IID_IApplicationManager,
                           &IID_IOTFMacroRecording, &IID_IDeviceMode, &IID_IOnOffFeature, &IID_IOptionalFeature};
    for (const IID* iid : wanted) {
        for (bool viaFeatures : {false, true}) {
            CComPtr<IUnknown> feature;
            HRESULT hr = viaFeatures ? features->GetFeature(*iid, &feature) : device->GetFeature(*iid, &feature);
            ASSERT_HRESULT_SUCCEEDED(hr) << GuidToString(*iid).ToUtf8();
            CComPtr<IUnknown> same;
            EXPECT_HRESULT_SUCCEEDED(feature->QueryInterface(*iid, reinterpret_cast<void**>(&same)));
        }
    }
    CComPtr<IUnknown> profileOnly;
    EXPECT_EQ(device->GetFeature(IID_IDpiEventSource, &profileOnly), E_NOINTERFACE);
    EXPECT_EQ(profileOnly.Get(), nullptr);
}

TEST_P(ContractTest, ProfilesAreListedByIndexAndFoundByGuid) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    ASSERT_TRUE(profiles);
    std::vector<GUID> guids;
    for (ULONG i = 0; i < 3; ++i) {
        CComPtr<IDeviceProfile> profile = Session().Profile(i);
        EXPECT_EQ(NameOf(profile), L"Profile " + std::to_wstring(i + 1));
        guids.push_back(GuidOf(profile));
        EXPECT_FALSE(IsNullGuid(guids.back()));
    }
    EXPECT_NE(guids[0], guids[1]);
    EXPECT_NE(guids[1], guids[2]);
    CComPtr<IDeviceProfile> past;
    EXPECT_EQ(profiles->GetProfile(3, &past), kServiceNoMoreItems);

    uint32_t w[4];
    GuidToWords(guids[1], w);
    CComPtr<IDeviceProfile> found;
    ASSERT_HRESULT_SUCCEEDED(profiles->FindProfile(w[0], w[1], w[2], w[3], &found));
    EXPECT_EQ(NameOf(found), L"Profile 2");
    GuidToWords(NewGuid(), w);
    CComPtr<IDeviceProfile> missing;
    EXPECT_EQ(profiles->FindProfile(w[0], w[1], w[2], w[3], &missing), kServiceNotFound);
    EXPECT_EQ(missing.Get(), nullptr);
}

TEST_P(ContractTest, ActiveProfileIsTheOneLastMadeActive) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    ASSERT_TRUE(profiles);
    CComPtr<IDeviceProfile> active;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 1");

    ASSERT_HRESULT_SUCCEEDED(profiles->SetActiveProfile(Session().Profile(2)));
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 3");

    EXPECT_EQ(profiles->SetActiveProfile(nullptr), E_INVALIDARG);
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 3");
}

TEST_P(ContractTest, CreatedProfilesAreNewAndDeletingOneShiftsTheRest) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    ASSERT_TRUE(profiles);
    CComPtr<IDeviceProfile> a, b;
    ASSERT_HRESULT_SUCCEEDED(profiles->CreateProfile(&a));
    ASSERT_HRESULT_SUCCEEDED(profiles->CreateProfile(&b));
    EXPECT_NE(GuidOf(a), GuidOf(b));
    EXPECT_FALSE(IsNullGuid(GuidOf(a)));
    EXPECT_EQ(GuidOf(Session().Profile(4)), GuidOf(b));

    CComPtr<IDeviceProfile> first = Session().Profile(0);
    ASSERT_HRESULT_SUCCEEDED(profiles->DeleteProfile(first));
    // The list shrank: the next profile is found at the same index.
    EXPECT_EQ(NameOf(Session().Profile(0)), L"Profile 2");
    ULONG cb = 0;
    BYTE* name = nullptr;
    EXPECT_EQ(first->GetName(&cb, &name), kServiceNotFound);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(profiles->DeleteProfile(first), kServiceNotFound);

    // The keyboard keeps an active profile: the first when the active one goes.
    CComPtr<IDeviceProfile> active;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 2");
}

TEST_P(ContractTest, NamesKeepEveryCharacterAndOverlongNamesChangeNothing) {
    CComPtr<IDeviceProfile> profile = Session().Profile(0);
    ASSERT_TRUE(profile);
    const std::wstring unusual = L"Sch\u00F6n \u2603 \U0001F3AE";
    ASSERT_HRESULT_SUCCEEDED(profile->SetName(unusual.c_str()));
    ULONG cb = 0;
    BYTE* block = nullptr;
    ASSERT_HRESULT_SUCCEEDED(profile->GetName(&cb, &block));
    EXPECT_EQ(cb, (unusual.size() + 1) * sizeof(wchar_t));
    CString text;
    ASSERT_TRUE(TakeServiceText(cb, block, text));
    EXPECT_EQ(text.ToStdWString(), unusual);

    std::wstring longest(kMaxProfileNameLength, L'n');
    EXPECT_HRESULT_SUCCEEDED(profile->SetName(longest.c_str()));
    EXPECT_EQ(NameOf(profile), longest);
    EXPECT_EQ(profile->SetName((longest + L"x").c_str()), E_INVALIDARG);
    EXPECT_EQ(NameOf(profile), longest);
}

TEST_P(ContractTest, LinkedProgramHoldsAtMost127Characters) {
    auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(Session().Profile(0), IID_IProfileProperties);
    ASSERT_TRUE(properties);
    EXPECT_EQ(LinkedProgram(properties), L"");

    std::wstring longest(kMaxLinkedProgramLength, L'p');
    std::vector<BYTE> buffer = LinkedProgramBuffer(longest);
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, buffer.data(), 0,
                                                     static_cast<ULONG>(buffer.size()), 0));
    EXPECT_EQ(LinkedProgram(properties), longest);

    struct Refused {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> unterminated(PROFILE_LINKED_PROGRAM_BYTES, 'q');
    const Refused refused[] = {
        {"no terminator within 256 bytes", unterminated},
        {"an odd size", std::vector<BYTE>{'a', 0, 0}},
        {"more than 256 bytes", std::vector<BYTE>(PROFILE_LINKED_PROGRAM_BYTES + 2, 0)},
        {"no bytes", std::vector<BYTE>{}},
    };
    for (const Refused& r : refused) {
        EXPECT_EQ(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, r.bytes.empty() ? nullptr : r.bytes.data(),
                                          0, static_cast<ULONG>(r.bytes.size()), 0),
                  E_INVALIDARG)
            << r.what;
        EXPECT_EQ(LinkedProgram(properties), longest) << r.what;
    }

    // A buffer too small is refused, and nothing past the size the caller
    // gave is written (marshaled, the given bytes come back zeroed).
    std::vector<BYTE> small(PROFILE_LINKED_PROGRAM_BYTES, 0xEE);
    ULONG size = PROFILE_LINKED_PROGRAM_BYTES - 2;
    EXPECT_EQ(properties->GetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, 0, small.data(), 0, &size),
              kServiceBufferTooSmall);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(small[PROFILE_LINKED_PROGRAM_BYTES - 2], 0xEE);
    EXPECT_EQ(small[PROFILE_LINKED_PROGRAM_BYTES - 1], 0xEE);
}

TEST_P(ContractTest, OptionsAreWrittenAsRecordsAndReadAsFlags) {
    auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(Session().Profile(1), IID_IProfileProperties);
    ASSERT_TRUE(properties);
    EXPECT_EQ(Options(properties), 0);
    for (const std::vector<BYTE>& record : {OptionRecords({{1, 1}}), OptionRecords({{2, 0}}), OptionRecords({{4, 1}})})
        ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, record.data(), 0, 4, 0));
    EXPECT_EQ(Options(properties), 0x5);

    std::vector<BYTE> three = OptionRecords({{1, 0}, {2, 1}, {4, 0}});
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, three.data(), 0, 12, 0));
    EXPECT_EQ(Options(properties), 0x2);

    struct Refused {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> oneBad = OptionRecords({{1, 1}, {3, 1}});
    const Refused refused[] = {
        {"a size that is not whole records", std::vector<BYTE>{1, 0, 1}},
        {"an option id without a meaning", OptionRecords({{3, 1}})},
        {"a value other than 0 and 1", OptionRecords({{4, 2}})},
        {"a good record beside a bad one", oneBad},
        {"no records", std::vector<BYTE>{}},
    };
    for (const Refused& r : refused) {
        EXPECT_EQ(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, r.bytes.empty() ? nullptr : r.bytes.data(), 0,
                                          static_cast<ULONG>(r.bytes.size()), 0),
                  E_INVALIDARG)
            << r.what;
        EXPECT_EQ(Options(properties), 0x2) << r.what;
    }

    std::vector<BYTE> good = OptionRecords({{1, 1}});
    EXPECT_EQ(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, good.data(), 1, 4, 0), E_INVALIDARG);
    EXPECT_EQ(properties->SetProperty(0x80000009, good.data(), 0, 4, 0), E_INVALIDARG);
    BYTE flags[2];
    ULONG size = 2;
    EXPECT_EQ(properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, flags, 7, &size), E_INVALIDARG);
    EXPECT_EQ(Options(properties), 0x2);
}

TEST_P(ContractTest, EveryKeyHasARecordAndSendsItsOwnScanCodeAtFirst) {
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(Session().Profile(0), IID_IKeyAssignmentManager);
    ASSERT_TRUE(keys);
    std::vector<DeviceKeyRecord> records = ReadAllKeys(keys);
    const CKeyTable& table = CKeyTable::Instance();
    ASSERT_EQ(records.size(), table.KeyCount());
    for (size_t i = 0; i < records.size(); ++i) {
        const KeyTableEntry& key = table.KeyAt(i);
        EXPECT_EQ(records[i].keyId, CKeyTable::KeyIdOf(key)) << ToUtf8(key.name);
        EXPECT_EQ(records[i].header, 1u);
        EXPECT_EQ(records[i].actionType, 5u);
        EXPECT_EQ(records[i].data[0] | records[i].data[1] << 8, key.scanCode) << ToUtf8(key.name);
        // Byte +17 holds modifier bit 0, the extended flag.
        EXPECT_EQ(records[i].data[5], key.extended ? 1 : 0) << ToUtf8(key.name);
    }
    EXPECT_EQ(KeyIdOf(L"Pause"), 0x20045u);
    EXPECT_EQ(KeyIdOf(L"Num Lock"), 0x45u);

    // One record short: refused, and the count says nothing was filled.
    ULONG count = static_cast<ULONG>(records.size() - 1);
    EXPECT_EQ(keys->ReadKeys(&count, records.data()), kServiceBufferTooSmall);
    EXPECT_EQ(count, 0u);
}

TEST_P(ContractTest, WrittenKeyRecordsReadBackAndABadBlockChangesNoKey) {
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(Session().Profile(0), IID_IKeyAssignmentManager);
    ASSERT_TRUE(keys);
    const uint32_t f1 = KeyIdOf(L"F1");
    const GUID macro = NewGuid();
    DeviceKeyRecord record = MacroRecord(f1, macro);
    ASSERT_HRESULT_SUCCEEDED(keys->WriteKeys(1, &record));
    std::vector<DeviceKeyRecord> after = ReadAllKeys(keys);
    const int f1Index = CKeyTable::Instance().IndexOfKeyId(f1);
    ASSERT_GE(f1Index, 0);
    EXPECT_EQ(std::memcmp(&after[static_cast<size_t>(f1Index)], &record, sizeof record), 0);

    DeviceKeyRecord other = MacroRecord(f1, NewGuid());
    DeviceKeyRecord unknownKey = MacroRecord(0x7777, macro);
    DeviceKeyRecord unknownType = MacroRecord(KeyIdOf(L"F2"), macro);
    unknownType.actionType = 7;
    const struct {
        const char* what;
        std::vector<DeviceKeyRecord> block;
    } refused[] = {
        {"a key the keyboard does not have", {other, unknownKey}},
        {"an action type without a meaning", {other, unknownType}},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(keys->WriteKeys(static_cast<ULONG>(r.block.size()), r.block.data()), E_INVALIDARG) << r.what;
        std::vector<DeviceKeyRecord> now = ReadAllKeys(keys);
        EXPECT_EQ(std::memcmp(now.data(), after.data(), after.size() * sizeof after[0]), 0) << r.what;
    }
    EXPECT_EQ(keys->WriteKeys(0, &record), E_INVALIDARG);

    // Each profile keeps its own records.
    auto otherKeys =
        CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(Session().Profile(1), IID_IKeyAssignmentManager);
    EXPECT_EQ(ReadAllKeys(otherKeys)[static_cast<size_t>(f1Index)].actionType, 5u);
}

TEST_P(ContractTest, LedsOneToElevenKeepTheirOwnSettings) {
    auto leds = CEmulatorSession::ProfileFeature<ILedCollection>(Session().Profile(0), IID_ILedCollection);
    ASSERT_TRUE(leds);
    for (ULONG i = 0; i < kLedCount; ++i) {
        CComPtr<ILed> led;
        ASSERT_HRESULT_SUCCEEDED(leds->GetLed(i, &led));
        ULONG id = 0;
        ASSERT_HRESULT_SUCCEEDED(led->GetId(&id));
        EXPECT_EQ(id, i + 1);
    }
    CComPtr<ILed> past;
    EXPECT_EQ(leds->GetLed(kLedCount, &past), kServiceNoMoreItems);

    CComPtr<ILed> led7;
    CComPtr<ILedColor> color;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedEffect> effect;
    ASSERT_NO_FATAL_FAILURE(OpenLed(leds, 6, led7, color, brightness, effect));
    ASSERT_HRESULT_SUCCEEDED(led7->Off());
    ASSERT_HRESULT_SUCCEEDED(color->SetColor(255));
    ASSERT_HRESULT_SUCCEEDED(brightness->SetBrightness(50));
    ASSERT_HRESULT_SUCCEEDED(effect->SetEffect(1, 300, 300));

    EXPECT_EQ(color->SetColor(0x1000000), E_INVALIDARG);
    EXPECT_EQ(brightness->SetBrightness(101), E_INVALIDARG);
    EXPECT_EQ(effect->SetEffect(6, 0, 0), E_INVALIDARG);

    BYTE on = 1;
    ULONG value = 0, timeOn = 0, timeOff = 0;
    EXPECT_HRESULT_SUCCEEDED(led7->GetState(&on));
    EXPECT_EQ(on, 0);
    EXPECT_HRESULT_SUCCEEDED(color->GetColor(&value));
    EXPECT_EQ(value, 255u);
    EXPECT_HRESULT_SUCCEEDED(brightness->GetBrightness(&value));
    EXPECT_EQ(value, 50u);
    EXPECT_HRESULT_SUCCEEDED(effect->GetEffect(&value, &timeOn, &timeOff));
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(timeOn, 300u);
    EXPECT_EQ(timeOff, 300u);

    auto otherLeds = CEmulatorSession::ProfileFeature<ILedCollection>(Session().Profile(1), IID_ILedCollection);
    CComPtr<ILed> otherLed7;
    ASSERT_HRESULT_SUCCEEDED(otherLeds->GetLed(6, &otherLed7));
    EXPECT_HRESULT_SUCCEEDED(otherLed7->GetState(&on));
    EXPECT_EQ(on, 1);
}

TEST_P(ContractTest, MacroStepsTravelAsABlockWithItsSize) {
    auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
    ASSERT_TRUE(macros);
    CComPtr<IDeviceMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
    EXPECT_FALSE(IsNullGuid(GuidOf(macro)));
    ASSERT_HRESULT_SUCCEEDED(macro->SetName(L"New Macro1"));

    const std::vector<MacroStepsBlockStep> steps = {{MACRO_STEP_KEY, 0x1E}, {MACRO_STEP_DELAY, 250},
                                                    {MACRO_STEP_KEY, 0x1E | 1u << 16}, {MACRO_STEP_MOUSE_BUTTON, 0x001}};
    std::vector<BYTE> block = StepsBlock(steps);
    ASSERT_HRESULT_SUCCEEDED(macro->SetSteps(static_cast<ULONG>(block.size()), block.data()));
    ULONG cb = 0;
    BYTE* back = nullptr;
    ASSERT_HRESULT_SUCCEEDED(macro->GetSteps(&cb, &back));
    ASSERT_EQ(cb, MacroStepsBlockSize(4));
    EXPECT_EQ(std::memcmp(back, block.data(), cb), 0);
    CoTaskMemFree(back);

    struct Refused {
        const char* what;
        std::vector<BYTE> bytes;
    };
    const Refused refused[] = {
        {"shorter than its header", std::vector<BYTE>(7, 0)},
        {"a count the block cannot hold", StepsBlock({{MACRO_STEP_KEY, 0x1E}}, 3)},
        {"a step kind without a meaning", StepsBlock({{4, 0}})},
    };
    for (const Refused& r : refused) {
        EXPECT_EQ(macro->SetSteps(static_cast<ULONG>(r.bytes.size()), r.bytes.data()), E_INVALIDARG) << r.what;
        ASSERT_HRESULT_SUCCEEDED(macro->GetSteps(&cb, &back));
        EXPECT_EQ(cb, MacroStepsBlockSize(4)) << r.what;
        CoTaskMemFree(back);
    }

    // No steps: the 16-byte block of a header and the zero trailer.
    std::vector<BYTE> empty = StepsBlock({});
    ASSERT_EQ(empty.size(), 16u);
    ASSERT_HRESULT_SUCCEEDED(macro->SetSteps(16, empty.data()));
    ASSERT_HRESULT_SUCCEEDED(macro->GetSteps(&cb, &back));
    EXPECT_EQ(cb, 16u);
    EXPECT_EQ(std::memcmp(back, empty.data(), 16), 0);
    CoTaskMemFree(back);

    uint32_t w[4];
    GuidToWords(GuidOf(macro), w);
    CComPtr<IDeviceMacro> found, first;
    ASSERT_HRESULT_SUCCEEDED(macros->FindMacro(w[0], w[1], w[2], w[3], &found));
    EXPECT_EQ(NameOf(found), L"New Macro1");
    ASSERT_HRESULT_SUCCEEDED(macros->GetMacro(0, &first));
    EXPECT_EQ(GuidOf(first), GuidOf(macro));
    ASSERT_HRESULT_SUCCEEDED(macros->DeleteMacro(macro));
    EXPECT_EQ(macros->GetMacro(0, &first), kServiceNoMoreItems);
    EXPECT_EQ(macros->FindMacro(w[0], w[1], w[2], w[3], &found), kServiceNotFound);
}

TEST_P(ContractTest, ApplicationsKeepTheirPaths) {
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    ASSERT_TRUE(applications);
    CComPtr<IDeviceApplication> application;
    ASSERT_HRESULT_SUCCEEDED(applications->CreateApplication(&application));
    const std::wstring path = L"C:\\Games\\Play.exe";
    ASSERT_HRESULT_SUCCEEDED(application->SetName(path.c_str()));
    EXPECT_EQ(application->SetName(std::wstring(MAX_PATH, L'x').c_str()), E_INVALIDARG);

    uint32_t w[4];
    GuidToWords(GuidOf(application), w);
    CComPtr<IDeviceApplication> found, first;
    ASSERT_HRESULT_SUCCEEDED(applications->FindApplication(w[0], w[1], w[2], w[3], &found));
    EXPECT_EQ(NameOf(found), path);
    ASSERT_HRESULT_SUCCEEDED(applications->GetApplication(0, &first));
    EXPECT_EQ(GuidOf(first), GuidOf(application));
    ASSERT_HRESULT_SUCCEEDED(applications->DeleteApplication(application));
    EXPECT_EQ(applications->GetApplication(0, &first), kServiceNoMoreItems);
}

TEST_P(ContractTest, DeviceModeOnOffAndOptionalFeature) {
    auto mode = Session().DeviceFeature<IDeviceMode>(IID_IDeviceMode);
    auto onOff = Session().DeviceFeature<IOnOffFeature>(IID_IOnOffFeature);
    CComPtr<IOptionalFeature> optional;
    ASSERT_HRESULT_SUCCEEDED(Session().Device().QueryInterface(&optional));
    ASSERT_TRUE(mode && onOff);
    ULONG value = 0;
    ASSERT_HRESULT_SUCCEEDED(mode->GetMode(&value));
    EXPECT_EQ(value, 1u);
    ASSERT_HRESULT_SUCCEEDED(mode->SetMode(2));
    EXPECT_EQ(mode->SetMode(3), E_INVALIDARG);
    ASSERT_HRESULT_SUCCEEDED(mode->GetMode(&value));
    EXPECT_EQ(value, 2u);

    ASSERT_HRESULT_SUCCEEDED(onOff->SetValue(1));
    EXPECT_EQ(onOff->SetValue(2), E_INVALIDARG);
    ASSERT_HRESULT_SUCCEEDED(onOff->GetValue(&value));
    EXPECT_EQ(value, 1u);

    BYTE state = 0;
    ASSERT_HRESULT_SUCCEEDED(optional->GetState(&state));
    EXPECT_EQ(state, 1);
}

TEST_P(ContractTest, ProfileAndMacroFilesComeBackUnderFreshGuids) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    CComPtr<IDeviceProfile> source = Session().Profile(1);
    ASSERT_TRUE(profiles && source);
    ASSERT_HRESULT_SUCCEEDED(source->SetName(L"Racing"));
    auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(source, IID_IProfileProperties);
    std::vector<BYTE> linked = LinkedProgramBuffer(L"race.exe");
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, linked.data(), 0, 256, 0));
    std::vector<BYTE> options = OptionRecords({{1, 1}, {4, 1}});
    ASSERT_HRESULT_SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, options.data(), 0, 8, 0));
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(source, IID_IKeyAssignmentManager);
    DeviceKeyRecord record = MacroRecord(KeyIdOf(L"M1"), NewGuid());
    ASSERT_HRESULT_SUCCEEDED(keys->WriteKeys(1, &record));

    const std::wstring path = Folder() + L"\\racing.vqp";
    DeleteFileW(path.c_str());
    ASSERT_HRESULT_SUCCEEDED(source->Export(path.c_str()));
    // The version stands in the file's first element, so another version of
    // the service can tell the file apart before it reads anything else.
    EXPECT_EQ(ReadBytes(path).find("<profile-file version=\"1\">"), 39u) << ReadBytes(path).substr(0, 120);
    CComPtr<IDeviceProfile> imported;
    ASSERT_HRESULT_SUCCEEDED(profiles->ImportProfile(path.c_str(), &imported));
    EXPECT_NE(GuidOf(imported), GuidOf(source));
    EXPECT_EQ(GuidOf(Session().Profile(3)), GuidOf(imported));
    EXPECT_EQ(NameOf(imported), L"Racing");
    auto importedProperties = CEmulatorSession::ProfileFeature<IProfileProperties>(imported, IID_IProfileProperties);
    EXPECT_EQ(LinkedProgram(importedProperties), L"race.exe");
    EXPECT_EQ(Options(importedProperties), 0x5);
    auto importedKeys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(imported, IID_IKeyAssignmentManager);
    std::vector<DeviceKeyRecord> a = ReadAllKeys(keys), b = ReadAllKeys(importedKeys);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]), 0);

    auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
    CComPtr<IDeviceMacro> macro, copy;
    ASSERT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
    ASSERT_HRESULT_SUCCEEDED(macro->SetName(L"Combo"));
    std::vector<BYTE> block = StepsBlock({{MACRO_STEP_KEY, 0x2C}, {MACRO_STEP_DELAY, 40}});
    ASSERT_HRESULT_SUCCEEDED(macro->SetSteps(static_cast<ULONG>(block.size()), block.data()));
    const std::wstring macroPath = Folder() + L"\\combo.vqm";
    ASSERT_HRESULT_SUCCEEDED(macro->Export(macroPath.c_str()));
    EXPECT_EQ(ReadBytes(macroPath).find("<macro-file version=\"1\">"), 39u) << ReadBytes(macroPath).substr(0, 120);
    ASSERT_HRESULT_SUCCEEDED(macros->ImportMacro(macroPath.c_str(), &copy));
    EXPECT_NE(GuidOf(copy), GuidOf(macro));
    EXPECT_EQ(NameOf(copy), L"Combo");
    ULONG cb = 0;
    BYTE* steps = nullptr;
    ASSERT_HRESULT_SUCCEEDED(copy->GetSteps(&cb, &steps));
    ASSERT_EQ(cb, block.size());
    EXPECT_EQ(std::memcmp(steps, block.data(), cb), 0);
    CoTaskMemFree(steps);

    // A file in a folder that does not exist: the export fails and leaves nothing.
    const std::wstring nowhere = Folder() + L"\\no-such-folder\\x.vqp";
    EXPECT_TRUE(FAILED(source->Export(nowhere.c_str())));
    EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_P(ContractTest, BadProfileAndMacroFilesAreRefusedAndChangeNothing) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
    ASSERT_TRUE(profiles && macros);
    const struct {
        const char* what;
        bool profile;
        bool exists;
        std::string content;
        HRESULT expected;
    } cases[] = {
        {"missing profile file", true, false, "", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        {"profile file that is not XML", true, true, "\x01\x02garbage", kServiceBadFile},
        {"empty profile file", true, true, "", kServiceBadFile},
        {"profile file of another version", true, true,
         "<profile-file version=\"2\"><profile name=\"x\"/></profile-file>", kServiceFileVersion},
        {"profile file without a version", true, true, "<profile-file><profile name=\"x\"/></profile-file>",
         kServiceBadFile},
        {"macro file given as a profile", true, true, "<macro-file version=\"1\"><macro name=\"x\"/></macro-file>",
         kServiceBadFile},
        {"profile with a key the keyboard lacks", true, true,
         "<profile-file version=\"1\"><profile name=\"x\"><key id=\"0x7777\"/></profile></profile-file>",
         kServiceBadFile},
        {"profile name too long", true, true,
         "<profile-file version=\"1\"><profile name=\"" + std::string(kMaxProfileNameLength + 1, 'n') +
             "\"/></profile-file>",
         kServiceBadFile},
        {"missing macro file", false, false, "", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        {"macro file cut short", false, true, "<macro-file version=\"1\"><macro name=\"x\"><step kind=",
         kServiceBadFile},
        {"macro file of another version", false, true, "<macro-file version=\"7\"><macro name=\"x\"/></macro-file>",
         kServiceFileVersion},
        {"macro file whose version is not a whole number", false, true,
         "<macro-file version=\"1.1\"><macro name=\"x\"/></macro-file>", kServiceFileVersion},
        {"macro file holding two macros", false, true,
         "<macro-file version=\"1\"><macro name=\"x\"/><macro name=\"y\"/></macro-file>", kServiceBadFile},
        {"macro step with a bad number", false, true,
         "<macro-file version=\"1\"><macro name=\"x\"><step kind=\"2\" value=\"12abc\"/></macro></macro-file>",
         kServiceBadFile},
    };
    const std::wstring path = Folder() + L"\\bad-file";
    for (const auto& c : cases) {
        DeleteFileW(path.c_str());
        if (c.exists)
            WriteBytes(path, c.content);
        if (c.profile) {
            CComPtr<IDeviceProfile> imported;
            EXPECT_EQ(profiles->ImportProfile(path.c_str(), &imported), c.expected) << c.what;
            EXPECT_EQ(imported.Get(), nullptr) << c.what;
            CComPtr<IDeviceProfile> extra;
            EXPECT_EQ(profiles->GetProfile(3, &extra), kServiceNoMoreItems) << c.what;
        } else {
            CComPtr<IDeviceMacro> imported;
            EXPECT_EQ(macros->ImportMacro(path.c_str(), &imported), c.expected) << c.what;
            CComPtr<IDeviceMacro> any;
            EXPECT_EQ(macros->GetMacro(0, &any), kServiceNoMoreItems) << c.what;
        }
    }
}

TEST_P(ContractTest, ProfileEventComesAfterTheCallThatCausedIt) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    DWORD cookie = recorder->Advise(profiles, IID__IProfileManagerEvents);
    ASSERT_NE(cookie, 0u);

    ASSERT_HRESULT_SUCCEEDED(profiles->SetActiveProfile(Session().Profile(1)));
    // Out of process a client's modal loop may take the event before the
    // reply; only inside one process does this show where it was raised.
    if (GetParam() == KeyboardMode::InProcess) {
        EXPECT_TRUE(recorder->events.empty()) << "raised inside the call";
    }
    ASSERT_TRUE(PumpUntil([&] { return !recorder->events.empty(); }));
    EXPECT_EQ(recorder->events, std::vector<std::wstring>{L"profile 1"});
    EXPECT_EQ(recorder->threads.front(), GetCurrentThreadId());

    ASSERT_HRESULT_SUCCEEDED(CEventRecorder::Unadvise(profiles, IID__IProfileManagerEvents, cookie));
    EXPECT_EQ(CEventRecorder::Unadvise(profiles, IID__IProfileManagerEvents, cookie), CONNECT_E_NOCONNECTION);
    ASSERT_HRESULT_SUCCEEDED(profiles->SetActiveProfile(Session().Profile(2)));
    PumpUntilIdle(100, 1000);
    EXPECT_EQ(recorder->events.size(), 1u);
}

TEST_P(ContractTest, RecordingAndLaunchEventsCarryTheirValues) {
    auto recording = Session().DeviceFeature<IOTFMacroRecording>(IID_IOTFMacroRecording);
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    DWORD recordingCookie = recorder->Advise(recording, IID__IOTFMacroRecordingEvents);
    DWORD launchCookie = recorder->Advise(applications, IID__IApplicationEvent);
    ASSERT_NE(recordingCookie, 0u);
    ASSERT_NE(launchCookie, 0u);

    ASSERT_HRESULT_SUCCEEDED(Control()->RunRecordingStage(RECORDING_STAGE_STARTED, 0));
    ASSERT_HRESULT_SUCCEEDED(Control()->RunRecordingStage(RECORDING_STAGE_STOPPED, 0));
    ASSERT_HRESULT_SUCCEEDED(Control()->RunRecordingStage(RECORDING_STAGE_SAVED, KeyIdOf(L"F1")));
    ASSERT_HRESULT_SUCCEEDED(Control()->RunRecordingStage(RECORDING_STAGE_CANCELED, 0));
    ASSERT_HRESULT_SUCCEEDED(Control()->PressLaunchKey(1, L"C:\\Tools\\run.exe"));
    EXPECT_EQ(Control()->RunRecordingStage(RECORDING_STAGE_SAVED, 0x7777), E_INVALIDARG);
    EXPECT_EQ(Control()->RunRecordingStage(9, 0), E_INVALIDARG);

    ASSERT_TRUE(PumpUntil([&] { return recorder->events.size() >= 5; }));
    const std::vector<std::wstring> expected = {L"started", L"stopped", L"saved 0 0x0003B", L"canceled",
                                                L"launch 1 C:\\Tools\\run.exe"};
    EXPECT_EQ(recorder->events, expected);
    EXPECT_HRESULT_SUCCEEDED(CEventRecorder::Unadvise(recording, IID__IOTFMacroRecordingEvents, recordingCookie));
    EXPECT_HRESULT_SUCCEEDED(CEventRecorder::Unadvise(applications, IID__IApplicationEvent, launchCookie));
}

TEST_P(ContractTest, ConnectionPointsRefuseWhatTheyDoNotCarry) {
    CComPtr<IProfileManager> profiles = Session().Profiles();
    CComPtr<IConnectionPointContainer> container;
    ASSERT_HRESULT_SUCCEEDED(profiles.QueryInterface(&container));
    CComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID__IApplicationEvent, &point), CONNECT_E_NOCONNECTION);
    ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(IID__IProfileManagerEvents, &point));
    IID iid = GUID_NULL;
    ASSERT_HRESULT_SUCCEEDED(point->GetConnectionInterface(&iid));
    EXPECT_EQ(iid, IID__IProfileManagerEvents);

    // A sink that lacks the event interface cannot connect.
    CComPtr<IProfileManager> notASink = Session().Profiles();
    DWORD cookie = 77;
    EXPECT_EQ(point->Advise(notASink, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);

    // The DPI source of a profile has its connection point; this keyboard
    // has no sensor, so its values stay 0.
    auto dpi = CEmulatorSession::ProfileFeature<IDpiEventSource>(Session().Profile(0), IID_IDpiEventSource);
    ASSERT_TRUE(dpi);
    LONG x = 1, y = 1, stage = 1;
    ASSERT_HRESULT_SUCCEEDED(dpi->GetDpi(&x, &y, &stage));
    EXPECT_EQ(x + y + stage, 0);
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    DWORD dpiCookie = recorder->Advise(dpi, IID__IDPIEvents);
    EXPECT_NE(dpiCookie, 0u);
    EXPECT_HRESULT_SUCCEEDED(CEventRecorder::Unadvise(dpi, IID__IDPIEvents, dpiCookie));
}

TEST_P(ContractTest, UnpluggedKeyboardIsNotListedAndItsObjectsFail) {
    CComPtr<IDevice> device = Session().Device();
    CComPtr<IDeviceProfile> profile = Session().Profile(0);
    ULONG vendorId = 0, productId = 0;
    ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(FALSE, &vendorId, &productId));
    EXPECT_EQ(vendorId, KEYBOARD_VENDOR_ID);
    EXPECT_EQ(productId, KEYBOARD_PRODUCT_ID);

    CComPtr<IDevice> none;
    EXPECT_EQ(Session().Enumerator()->GetDevice(0, &none), kServiceNoMoreItems);
    DeviceInfo info = {};
    EXPECT_EQ(device->GetInfo(&info), kServiceNotConnected);
    EXPECT_EQ(info.text, nullptr);
    EXPECT_EQ(NameOf(profile), L"<no name>");
    EXPECT_EQ(Control()->PressProfileKey(-1), kServiceNotConnected);

    ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(TRUE, &vendorId, &productId));
    EXPECT_EQ(NameOf(profile), L"Profile 1");
}

// Every operation a fault can be given to, called once with the fault (it
// must fail with it and change nothing) and once after (it must work).
TEST_P(ContractTest, EveryOperationCanBeMadeToFailOnce) {
    CComPtr<IDevice> device = Session().Device();
    CComPtr<IDeviceFeatures> features;
    CComPtr<IDeviceIdentity> identity;
    CComPtr<IOptionalFeature> optional;
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(&features));
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(&identity));
    ASSERT_HRESULT_SUCCEEDED(device.QueryInterface(&optional));
    CComPtr<IProfileManager> profiles = Session().Profiles();
    CComPtr<IDeviceProfile> profile = Session().Profile(1);
    auto properties = CEmulatorSession::ProfileFeature<IProfileProperties>(profile, IID_IProfileProperties);
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(profile, IID_IKeyAssignmentManager);
    auto leds = CEmulatorSession::ProfileFeature<ILedCollection>(profile, IID_ILedCollection);
    auto dpi = CEmulatorSession::ProfileFeature<IDpiEventSource>(profile, IID_IDpiEventSource);
    CComPtr<ILed> led;
    CComPtr<ILedColor> color;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedEffect> effect;
    ASSERT_NO_FATAL_FAILURE(OpenLed(leds, 6, led, color, brightness, effect));
    auto macros = Session().DeviceFeature<IMacroManager>(IID_IMacroManager);
    auto applications = Session().DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    auto mode = Session().DeviceFeature<IDeviceMode>(IID_IDeviceMode);
    auto onOff = Session().DeviceFeature<IOnOffFeature>(IID_IOnOffFeature);
    CComPtr<IDeviceMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
    CComPtr<IDeviceApplication> application;
    ASSERT_HRESULT_SUCCEEDED(applications->CreateApplication(&application));
    CComPtr<IConnectionPointContainer> container;
    ASSERT_HRESULT_SUCCEEDED(profiles.QueryInterface(&container));
    CComPtr<IConnectionPoint> point;
    ASSERT_HRESULT_SUCCEEDED(container->FindConnectionPoint(IID__IProfileManagerEvents, &point));
    CComPtr<CEventRecorder> recorder = CEventRecorder::Create();
    std::vector<DWORD> leftCookies;

    const std::wstring profileFile = Folder() + L"\\fault.vqp";
    const std::wstring macroFile = Folder() + L"\\fault.vqm";
    ASSERT_HRESULT_SUCCEEDED(profile->Export(profileFile.c_str()));
    ASSERT_HRESULT_SUCCEEDED(macro->Export(macroFile.c_str()));
    uint32_t pw[4], mw[4], aw[4];
    GuidToWords(GuidOf(profile), pw);
    GuidToWords(GuidOf(macro), mw);
    GuidToWords(GuidOf(application), aw);
    const std::vector<BYTE> options = OptionRecords({{1, 1}});
    const std::vector<BYTE> noSteps = StepsBlock({});
    const DeviceKeyRecord record = CKeyTable::Instance().DefaultRecord(0);

    auto name = [](auto* item) {
        ULONG cb = 0;
        BYTE* block = nullptr;
        HRESULT hr = item->GetName(&cb, &block);
        CoTaskMemFree(block);
        return hr;
    };
    auto guid = [](auto* item) {
        ULONG w[4];
        return item->GetGuid(&w[0], &w[1], &w[2], &w[3]);
    };

    std::map<std::wstring, std::function<HRESULT()>> calls = {
        {L"IDeviceEnumerator.GetDevice", [&] { CComPtr<IDevice> d; return Session().Enumerator()->GetDevice(0, &d); }},
        {L"IDevice.GetInfo", [&] {
             DeviceInfo info = {};
             HRESULT hr = device->GetInfo(&info);
             CoTaskMemFree(info.text);
             return hr;
         }},
        {L"IDevice.GetFeature", [&] { CComPtr<IUnknown> f; return features->GetFeature(IID_IMacroManager, &f); }},
        {L"IDeviceFeatures.GetLayoutCode", [&] { LONG code; return features->GetLayoutCode(&code); }},
        {L"IDeviceIdentity.GetIdentity", [&] { ULONG v, p; return identity->GetIdentity(&v, &p); }},
        {L"IProfileManager.GetProfile", [&] { CComPtr<IDeviceProfile> p; return profiles->GetProfile(0, &p); }},
        {L"IProfileManager.FindProfile",
         [&] { CComPtr<IDeviceProfile> p; return profiles->FindProfile(pw[0], pw[1], pw[2], pw[3], &p); }},
        {L"IProfileManager.SetActiveProfile", [&] { return profiles->SetActiveProfile(profile); }},
        {L"IProfileManager.GetActiveProfile", [&] { CComPtr<IDeviceProfile> p; return profiles->GetActiveProfile(&p); }},
        {L"IProfileManager.CreateProfile", [&] { CComPtr<IDeviceProfile> p; return profiles->CreateProfile(&p); }},
        {L"IProfileManager.DeleteProfile", [&] {
             CComPtr<IDeviceProfile> p;
             profiles->GetProfile(3, &p);
             return profiles->DeleteProfile(p);
         }},
        {L"IProfileManager.ImportProfile",
         [&] { CComPtr<IDeviceProfile> p; return profiles->ImportProfile(profileFile.c_str(), &p); }},
        {L"IDeviceProfile.GetFeature",
         [&] { CComPtr<IUnknown> f; return profile->GetFeature(IID_IKeyAssignmentManager, &f); }},
        {L"IDeviceProfile.GetGuid", [&] { return guid(profile.Get()); }},
        {L"IDeviceProfile.GetName", [&] { return name(profile.Get()); }},
        {L"IDeviceProfile.SetName", [&] { return profile->SetName(L"Renamed"); }},
        {L"IDeviceProfile.Export", [&] { return profile->Export(profileFile.c_str()); }},
        {L"IProfileProperties.GetProperty", [&] {
             BYTE flags[2];
             ULONG size = 2;
             return properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, flags, 0, &size);
         }},
        {L"IProfileProperties.SetProperty",
         [&] { return properties->SetProperty(PROFILE_PROPERTY_OPTIONS, options.data(), 0, 4, 0); }},
        {L"IKeyAssignmentManager.GetKeyCount", [&] { ULONG n; return keys->GetKeyCount(&n); }},
        {L"IKeyAssignmentManager.ReadKeys", [&] {
             std::vector<DeviceKeyRecord> all(CKeyTable::Instance().KeyCount());
             ULONG n = static_cast<ULONG>(all.size());
             return keys->ReadKeys(&n, all.data());
         }},
        {L"IKeyAssignmentManager.WriteKeys", [&] { return keys->WriteKeys(1, &record); }},
        {L"IMacroManager.GetMacro", [&] { CComPtr<IDeviceMacro> m; return macros->GetMacro(0, &m); }},
        {L"IMacroManager.FindMacro",
         [&] { CComPtr<IDeviceMacro> m; return macros->FindMacro(mw[0], mw[1], mw[2], mw[3], &m); }},
        {L"IMacroManager.CreateMacro", [&] { CComPtr<IDeviceMacro> m; return macros->CreateMacro(&m); }},
        {L"IMacroManager.DeleteMacro", [&] {
             CComPtr<IDeviceMacro> m;
             macros->GetMacro(1, &m);
             return macros->DeleteMacro(m);
         }},
        {L"IMacroManager.ImportMacro",
         [&] { CComPtr<IDeviceMacro> m; return macros->ImportMacro(macroFile.c_str(), &m); }},
        {L"IDeviceMacro.GetGuid", [&] { return guid(macro.Get()); }},
        {L"IDeviceMacro.GetName", [&] { return name(macro.Get()); }},
        {L"IDeviceMacro.SetName", [&] { return macro->SetName(L"New Macro2"); }},
        {L"IDeviceMacro.Export", [&] { return macro->Export(macroFile.c_str()); }},
        {L"IDeviceMacro.GetSteps", [&] {
             ULONG cb = 0;
             BYTE* block = nullptr;
             HRESULT hr = macro->GetSteps(&cb, &block);
             CoTaskMemFree(block);
             return hr;
         }},
        {L"IDeviceMacro.SetSteps", [&] { return macro->SetSteps(16, noSteps.data()); }},
        {L"IApplicationManager.GetApplication",
         [&] { CComPtr<IDeviceApplication> a; return applications->GetApplication(0, &a); }},
        {L"IApplicationManager.FindApplication",
         [&] { CComPtr<IDeviceApplication> a; return applications->FindApplication(aw[0], aw[1], aw[2], aw[3], &a); }},
        {L"IApplicationManager.CreateApplication",
         [&] { CComPtr<IDeviceApplication> a; return applications->CreateApplication(&a); }},
        {L"IApplicationManager.DeleteApplication", [&] {
             CComPtr<IDeviceApplication> a;
             applications->GetApplication(1, &a);
             return applications->DeleteApplication(a);
         }},
        {L"IDeviceApplication.GetGuid", [&] { return guid(application.Get()); }},
        {L"IDeviceApplication.GetName", [&] { return name(application.Get()); }},
        {L"IDeviceApplication.SetName", [&] { return application->SetName(L"C:\\x.exe"); }},
        {L"ILedCollection.GetLed", [&] { CComPtr<ILed> l; return leds->GetLed(0, &l); }},
        {L"ILed.On", [&] { return led->On(); }},
        {L"ILed.Off", [&] { return led->Off(); }},
        {L"ILed.GetState", [&] { BYTE on; return led->GetState(&on); }},
        {L"ILed.GetId", [&] { ULONG id; return led->GetId(&id); }},
        {L"ILedColor.SetColor", [&] { return color->SetColor(0x00FF00); }},
        {L"ILedColor.GetColor", [&] { ULONG c; return color->GetColor(&c); }},
        {L"ILedBrightness.SetBrightness", [&] { return brightness->SetBrightness(30); }},
        {L"ILedBrightness.GetBrightness", [&] { ULONG b; return brightness->GetBrightness(&b); }},
        {L"ILedEffect.SetEffect", [&] { return effect->SetEffect(5, 0, 0); }},
        {L"ILedEffect.GetEffect", [&] { ULONG e, on, off; return effect->GetEffect(&e, &on, &off); }},
        {L"IOnOffFeature.GetValue", [&] { ULONG v; return onOff->GetValue(&v); }},
        {L"IOnOffFeature.SetValue", [&] { return onOff->SetValue(1); }},
        {L"IDeviceMode.GetMode", [&] { ULONG m; return mode->GetMode(&m); }},
        {L"IDeviceMode.SetMode", [&] { return mode->SetMode(2); }},
        {L"IOptionalFeature.GetState", [&] { BYTE s; return optional->GetState(&s); }},
        {L"IDpiEventSource.GetDpi", [&] { LONG x, y, s; return dpi->GetDpi(&x, &y, &s); }},
        {L"IConnectionPointContainer.FindConnectionPoint",
         [&] { CComPtr<IConnectionPoint> p; return container->FindConnectionPoint(IID__IProfileManagerEvents, &p); }},
        {L"IConnectionPoint.Advise", [&] {
             DWORD cookie = 0;
             HRESULT hr = point->Advise(static_cast<_IProfileManagerEvents*>(recorder.Get()), &cookie);
             if (cookie)
                 leftCookies.push_back(cookie);
             return hr;
         }},
        {L"IConnectionPoint.Unadvise", [&] {
             DWORD cookie = 0;
             point->Advise(static_cast<_IProfileManagerEvents*>(recorder.Get()), &cookie);
             HRESULT hr = point->Unadvise(cookie);
             if (FAILED(hr))
                 leftCookies.push_back(cookie);
             return hr;
         }},
    };

    for (const std::wstring& operation : CFaultTable::Operations())
        EXPECT_TRUE(calls.count(operation)) << "no call for " << ToUtf8(operation);
    for (const auto& [operation, call] : calls) {
        SCOPED_TRACE(ToUtf8(operation));
        ASSERT_HRESULT_SUCCEEDED(Control()->InjectFault(operation.c_str(), kMadeFailure, FALSE));
        EXPECT_EQ(call(), kMadeFailure);
        EXPECT_HRESULT_SUCCEEDED(call());
    }
    for (DWORD cookie : leftCookies)
        point->Unadvise(cookie);
}

TEST_P(ContractTest, MadeFailuresChangeNothingAndLastUntilCleared) {
    CComPtr<IDeviceProfile> profile = Session().Profile(0);
    ASSERT_HRESULT_SUCCEEDED(Control()->InjectFault(L"IDeviceProfile.SetName", E_FAIL, FALSE));
    EXPECT_EQ(profile->SetName(L"Lost"), E_FAIL);
    EXPECT_EQ(NameOf(profile), L"Profile 1");

    CComPtr<IProfileManager> profiles = Session().Profiles();
    ASSERT_HRESULT_SUCCEEDED(Control()->InjectFault(L"IProfileManager.GetActiveProfile", E_ACCESSDENIED, TRUE));
    for (int i = 0; i < 3; ++i) {
        CComPtr<IDeviceProfile> active;
        EXPECT_EQ(profiles->GetActiveProfile(&active), E_ACCESSDENIED);
        EXPECT_EQ(active.Get(), nullptr);
    }
    ASSERT_HRESULT_SUCCEEDED(Control()->ClearFaults());
    CComPtr<IDeviceProfile> active;
    EXPECT_HRESULT_SUCCEEDED(profiles->GetActiveProfile(&active));

    EXPECT_EQ(Control()->InjectFault(L"IDeviceProfile.Rename", E_FAIL, FALSE), E_INVALIDARG);
    EXPECT_EQ(Control()->InjectFault(L"IDeviceProfile.GetName", S_OK, FALSE), E_INVALIDARG);
}

struct SecondApartment {
    IStream* marshaled = nullptr;  // the enumerator, for a keyboard inside the test process
    HRESULT result = E_FAIL;
};

DWORD WINAPI MakeProfileActiveFromAnotherApartment(void* parameter) {
    auto* work = static_cast<SecondApartment*>(parameter);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        CProxyStubRegistration proxies;
        CComPtr<IDeviceEnumerator> enumerator;
        HRESULT hr = work->marshaled
                         ? CoGetInterfaceAndReleaseStream(work->marshaled, IID_IDeviceEnumerator,
                                                          reinterpret_cast<void**>(&enumerator))
                         : enumerator.CoCreateInstance(CLSID_DeviceService, IID_IDeviceEnumerator, 23);
        CComPtr<IDevice> device;
        CComPtr<IUnknown> feature;
        CComPtr<IProfileManager> profiles;
        CComPtr<IDeviceProfile> third;
        if (SUCCEEDED(hr))
            hr = enumerator->GetDevice(0, &device);
        if (SUCCEEDED(hr))
            hr = device->GetFeature(IID_IProfileManager, &feature);
        if (SUCCEEDED(hr))
            hr = profiles.QueryFrom(feature, IID_IProfileManager);
        if (SUCCEEDED(hr))
            hr = profiles->GetProfile(2, &third);
        if (SUCCEEDED(hr))
            hr = profiles->SetActiveProfile(third);
        work->result = hr;
    }
    CoUninitialize();
    return 0;
}

TEST_P(ContractTest, AnotherApartmentSeesTheSameKeyboard) {
    SecondApartment work;
    if (GetParam() == KeyboardMode::InProcess) {
        ASSERT_HRESULT_SUCCEEDED(
            CoMarshalInterThreadInterfaceInStream(IID_IDeviceEnumerator, Session().Enumerator(), &work.marshaled));
    }
    CThread thread;
    ASSERT_TRUE(thread.Start(MakeProfileActiveFromAnotherApartment, &work));
    // The keyboard inside this process answers the other apartment through
    // this thread's message loop.
    ASSERT_TRUE(PumpUntil([&] { return !thread.IsRunning(); }, 15000));
    ASSERT_HRESULT_SUCCEEDED(work.result);
    CComPtr<IDeviceProfile> active;
    ASSERT_HRESULT_SUCCEEDED(Session().Profiles()->GetActiveProfile(&active));
    EXPECT_EQ(NameOf(active), L"Profile 3");
}

INSTANTIATE_TEST_SUITE_P(Keyboard, ContractTest,
                         ::testing::Values(KeyboardMode::InProcess, KeyboardMode::OutOfProcess),
                         [](const ::testing::TestParamInfo<KeyboardMode>& info) {
                             return info.param == KeyboardMode::InProcess ? "InProcess" : "OutOfProcess";
                         });

}  // namespace
