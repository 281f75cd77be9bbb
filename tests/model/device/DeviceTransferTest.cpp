// The keyboard object against the emulated keyboard inside the test
// process: the start-up read, the null keyboard, a full write and read-back,
// the mask bits and the rule that skips the later steps after a failure.

#include "tests/model/device/CKeyboardFixture.h"

#include "emulator/CKeyTable.h"
#include "model/device/CNullKeyboard.h"
#include "model/device/KeyboardDevices.h"
#include "model/device/LightingTransfer.h"
#include "platform/Guid.h"
#include "tests/support/TestPaths.h"

#include <cstring>
#include <functional>

namespace {

class DeviceTransfer : public CKeyboardFixture {
protected:
    const KeyboardData& Data() { return Keyboard()->Data(); }
    const ProfileState* DeviceProfile(const wchar_t* name) {
        for (const ProfileState& p : Data().profiles)
            if (p.name == name)
                return &p;
        return nullptr;
    }
    static int KeyIndex(const wchar_t* name) { return CKeyTable::Instance().IndexOfName(name); }
};

bool Same(const KeyAssignment& a, const KeyAssignment& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_P(DeviceTransfer, StartupReadTakesTheKeyboardsProfilesInItsOrderWithTheirGuids) {
    Store().CreateProfile(L"Left over");
    IGenDevice* device = CreateKeyboardDevice(&Store());
    ASSERT_NE(dynamic_cast<CKeyboard*>(device), nullptr);
    ASSERT_EQ(Store().GetProfileCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CString(Store().GetProfile(i)->GetName()), CString((L"Profile " + std::to_wstring(i + 1)).c_str()));
        EXPECT_EQ(Store().GetProfile(i)->GetGuid(), Data().profiles[static_cast<size_t>(i)].guid);
    }
    auto* keyboard = dynamic_cast<CKeyboard*>(device);
    EXPECT_EQ(keyboard->GetKeyIds().size(), CKeyTable::Instance().KeyCount());
    EXPECT_TRUE(device->IsConnected());
    CString first, second;
    EXPECT_TRUE(device->GetVersionText1(first));
    EXPECT_TRUE(device->GetVersionText2(second));
    EXPECT_EQ(first, CString(L"1.02"));
    EXPECT_EQ(second, CString(L"1.00"));
    EXPECT_EQ(device->GetProductId(), 0x010F);
    EXPECT_EQ(device->GetDisplayName(), CString(L"Mobek Tilvor"));
    EXPECT_EQ(device->CountDeviceProfiles(), 3);
    EXPECT_TRUE(device->ProbeFeature());
    int layout = -1;
    EXPECT_TRUE(device->GetLayoutCode(layout));
    EXPECT_EQ(layout, 0);

    // The first read brings options, assignments, lighting and the active profile.
    EXPECT_EQ(Store().GetActiveProfile(), nullptr);
    ASSERT_TRUE(device->Sync(&Store(), kSyncRead, kMaskFirstRead));
    EXPECT_EQ(Store().GetActiveProfile(), Store().GetProfile(0));
    const int32_t f1 = EmulatorKeys::Key(L"F1");
    EXPECT_TRUE(Same(Store().GetKeyAssignment(f1, nullptr), KeyAssignment::DefaultKey(m_keys->GetKeyTableValue(f1))));
    EXPECT_EQ(Store().GetLedColor(4, nullptr), 0xFF0000u);
    EXPECT_EQ(Store().GetLedEnabled(4, nullptr), 1);
    EXPECT_FALSE(device->IsBusy());
    EXPECT_EQ(device->GetLastWriteResult(), WriteResult::None);
    DestroyKeyboardDevices();
}

TEST_P(DeviceTransfer, WithoutAReadableKeyboardTheNullKeyboardAnswers) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"no keyboard", [&] { ULONG v, p; Control()->SetPresent(FALSE, &v, &p); }},
        {"the active profile cannot be read", [&] { Fail(L"IProfileManager.GetActiveProfile"); }},
        {"a profile's GUID cannot be read", [&] { Fail(L"IDeviceProfile.GetGuid"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        IGenDevice* device = CreateKeyboardDevice(&Store());
        ASSERT_NE(dynamic_cast<CNullKeyboard*>(device), nullptr);
        ASSERT_EQ(Store().GetProfileCount(), 20);
        EXPECT_EQ(CString(Store().GetProfile(0)->GetName()), CString(L"PROFILE01"));
        EXPECT_EQ(CString(Store().GetProfile(19)->GetName()), CString(L"PROFILE20"));
        EXPECT_EQ(Store().GetProfile(9)->GetGuid(), CNullKeyboard::PlaceholderGuid(10));
        EXPECT_EQ(Store().GetActiveProfile(), Store().GetProfile(0));
        EXPECT_TRUE(device->IsConnected());
        EXPECT_FALSE(device->Sync(&Store(), kSyncRead, kMaskAll));
        EXPECT_FALSE(device->Sync(&Store(), kSyncWrite, kMaskAll));
        EXPECT_EQ(device->CountDeviceProfiles(), 20);
        EXPECT_TRUE(device->ImportMacro(L"x.vqm", &Store()));
        EXPECT_TRUE(device->ExportProfile(L"x.vqp", nullptr));
        EXPECT_FALSE(device->SetDeviceMode2());
        EXPECT_EQ(device->GetProductId(), 0);
        EXPECT_EQ(device->GetDisplayName(), CString(L"NullKeyboard"));
        CString version;
        EXPECT_TRUE(device->GetVersionText1(version));
        EXPECT_EQ(version, CString(L"1.00"));
        DestroyKeyboardDevices();
        ULONG v, p;
        Control()->SetPresent(TRUE, &v, &p);
        Control()->ClearFaults();
    }
}

TEST_P(DeviceTransfer, AFullWriteAndReadBackRoundTripsTheStore) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    IKeyboardProfile* first = Store().GetProfile(0);
    IKeyboardProfile* renamed = Store().RenameProfile(Store().GetProfile(1), L"Renamed");
    Store().DeleteProfile(Store().GetProfile(2));
    IKeyboardProfile* fresh = Store().CreateProfile(L"Fresh");
    ASSERT_TRUE(first && renamed && fresh);

    first->SetLinkedApplication(L"C:\\Games\\Play.exe");
    first->SetAutoSwitch(1);
    first->SetShowOsd(1);
    fresh->SetShowOsd(0);

    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepKey, 0x1E, kStepPress}, {MacroStepDelay, 100, 0}, {MacroStepKey, 0x1E, kStepRelease},
                  {MacroStepMouseButton, 1, kStepPress}, {MacroStepMouseButton, 1, kStepRelease}};
    CMacro* jump = Store().AddMacro(L"Jump");
    jump->steps = {{MacroStepKey, 19 << 16 | 69, kStepPress}, {MacroStepKey, 0x5B, kStepPress | kStepExtended}};
    Store().AddApplication(L"C:\\Games\\Play.exe");
    Store().AddApplication(L"C:\\Tools\\Edit.exe");

    auto key = [](const wchar_t* name) { return EmulatorKeys::Key(name); };
    Store().SetKeyAssignment(key(L"F1"), KeyAssignment::SingleKey(0x1E, 0, 0x2), first);
    Store().SetKeyAssignment(key(L"F2"), KeyAssignment::Disabled(), first);
    Store().SetKeyAssignment(key(L"F3"), KeyAssignment::ByName(AssignmentMacroByName, L"Hop", 2, 5), first);
    Store().SetKeyAssignment(key(L"F4"), KeyAssignment::ByName(AssignmentProfileSwitchByName, L"Fresh"), first);
    Store().SetKeyAssignment(key(L"F5"), KeyAssignment::ByName(AssignmentLaunchProgramByPath, L"C:\\Tools\\Edit.exe"), first);
    Store().SetKeyAssignment(key(L"F6"), KeyAssignment::ByName(AssignmentMacroByName, L"Jump", 3), first);
    Store().SetKeyAssignment(key(L"F8"), KeyAssignment::ByGuid(AssignmentProfileSwitch, renamed->GetGuid()), first);
    Store().SetKeyAssignment(key(L"F1"), KeyAssignment::ByName(AssignmentMacroByName, L"Hop", 1), fresh);

    first->SetLedColor(4, 0x00FF00);
    first->SetLedBrightness(4, 40);
    first->SetLedEffect(4, 5);
    first->SetLedEnabled(0, 0);
    fresh->SetLedEffect(4, 7);
    Store().SetOnOffFeature(1);
    Store().SetActiveProfile(fresh);

    ASSERT_TRUE(WriteNow(*keyboard, kMaskAll));

    // The store now holds the GUID forms of its references.
    EXPECT_EQ(Store().GetKeyAssignment(key(L"F3"), first).type, AssignmentMacro);
    EXPECT_EQ(Store().GetKeyAssignment(key(L"F3"), first).GetGuid(), hop->guid);
    EXPECT_EQ(Store().GetKeyAssignment(key(L"F1"), fresh).GetGuid(), hop->guid);
    EXPECT_EQ(Store().GetKeyAssignment(key(L"F4"), first).GetGuid(), fresh->GetGuid());
    EXPECT_FALSE(IsNullGuid(fresh->GetGuid()));
    EXPECT_EQ(Data().activeProfile, fresh->GetGuid());

    CKespaConfig back((s_folder + L"\\").c_str());
    CKeyboard reader;
    ASSERT_TRUE(reader.Initialize(&back));
    ASSERT_TRUE(reader.Sync(&back, kSyncRead, kMaskAll));
    ASSERT_EQ(back.GetProfileCount(), 3);
    EXPECT_EQ(back.GetActiveProfile(), back.GetProfile(2));
    for (int i = 0; i < 3; ++i) {
        IKeyboardProfile* sent = Store().GetProfile(i);
        IKeyboardProfile* read = back.GetProfile(i);
        SCOPED_TRACE(Utf8(sent->GetName()));
        EXPECT_EQ(CString(read->GetName()), CString(sent->GetName()));
        EXPECT_EQ(read->GetGuid(), sent->GetGuid());
        EXPECT_EQ(read->GetLinkedApplicationName(), sent->GetLinkedApplicationName());
        EXPECT_EQ(read->GetAutoSwitch(), sent->GetAutoSwitch());
        EXPECT_EQ(read->GetShowOsd(), sent->GetShowOsd());
        for (size_t k = 0; k < CKeyTable::Instance().KeyCount(); ++k) {
            int32_t id = EmulatorKeys::Key(CKeyTable::Instance().KeyAt(k).name);
            if (Store().GetKeyAssignment(id, sent).type == AssignmentNone)
                continue;
            EXPECT_TRUE(Same(back.GetKeyAssignment(id, read), Store().GetKeyAssignment(id, sent)))
                << Utf8(CKeyTable::Instance().KeyAt(k).name);
        }
        for (int led = 0; led < 11; ++led) {
            EXPECT_EQ(read->GetLedEnabled(led), sent->GetLedEnabled(led)) << "LED " << led;
            EXPECT_EQ(read->GetLedColor(led), sent->GetLedColor(led)) << "LED " << led;
            EXPECT_EQ(read->GetLedBrightness(led), sent->GetLedBrightness(led)) << "LED " << led;
            EXPECT_EQ(read->GetLedEffect(led), MapLedEffect(sent->GetLedEffect(led))) << "LED " << led;
        }
    }
    ASSERT_EQ(back.GetMacroCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(*back.GetMacro(i) == *Store().GetMacro(i)) << Utf8(Store().GetMacro(i)->GetName());
    // The keyboard lists applications in the order they were made: the one
    // a key refers to was made while its reference was resolved.
    ASSERT_EQ(back.GetApplicationCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const CVqApp* sent = Store().GetApplication(i);
        const CVqApp* read = back.FindApplicationByName(sent->executable);
        ASSERT_NE(read, nullptr) << Utf8(sent->executable.ToStdWString());
        EXPECT_EQ(read->guid, sent->guid);
        EXPECT_FALSE(IsNullGuid(read->guid));
    }
    EXPECT_EQ(back.GetOnOffFeature(), 1);
    EXPECT_EQ(back.GetKeyAssignment(key(L"F5"), back.GetProfile(0)).GetGuid(),
              back.FindApplicationByName(L"C:\\Tools\\Edit.exe")->guid);
}

TEST_P(DeviceTransfer, EachMaskBitGatesItsStep) {
    struct Case {
        uint32_t mask;
        bool keys, lighting, macros, options, applications, onOff, active;
    };
    const Case cases[] = {
        {0, false, false, false, false, false, false, false},
        {kMaskKeyAssignments, true, false, false, false, false, false, true},
        {kMaskLighting, false, true, false, false, false, false, true},
        {kMaskMacros, false, false, true, false, false, false, false},
        {kMaskProfileOptions, false, false, false, true, false, false, true},
        {kMaskApplications, false, false, false, false, true, false, true},
        {kMaskOnOff, false, false, false, false, false, true, false},
        {0x8, false, false, false, false, false, false, true},
        {kMaskAll, true, true, true, true, true, true, true},
    };
    const uint32_t f1 = EmulatorKeys::DeviceKeyId(L"F1");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask 0x" << std::hex << c.mask);
        ASSERT_HRESULT_SUCCEEDED(Control()->ResetToFactory());
        m_store = std::make_unique<CKespaConfig>((s_folder + L"\\").c_str());
        auto keyboard = StartKeyboard();
        ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
        IKeyboardProfile* first = Store().GetProfile(0);
        Store().RenameProfile(first, L"Renamed");
        first = Store().GetProfile(0);
        Store().CreateProfile(L"Added");
        Store().SetKeyAssignment(EmulatorKeys::Key(L"F1"), KeyAssignment::Disabled(), first);
        first->SetLedColor(4, 0x123456);
        first->SetShowOsd(first->GetShowOsd() ? 0 : 1);
        Store().AddMacro(L"M");
        Store().AddApplication(L"C:\\x.exe");
        Store().SetOnOffFeature(1);
        Store().SetActiveProfile(Store().GetProfile(1));
        const uint16_t optionsBefore = Data().profiles[0].options;

        EXPECT_TRUE(WriteNow(*keyboard, c.mask));
        // Profiles are created and named whatever the mask.
        ASSERT_EQ(Data().profiles.size(), 4u);
        EXPECT_EQ(Data().profiles[0].name, L"Renamed");
        EXPECT_EQ(Data().profiles[3].name, L"Added");
        const ProfileState& p = Data().profiles[0];
        int f1Index = CKeyTable::Instance().IndexOfKeyId(f1);
        EXPECT_EQ(p.keys[static_cast<size_t>(f1Index)].actionType == 1, c.keys);
        EXPECT_EQ(p.leds[4].color == 0x123456, c.lighting);
        EXPECT_EQ(Data().macros.size() == 1, c.macros);
        EXPECT_EQ(p.options != optionsBefore, c.options);
        EXPECT_EQ(Data().applications.size() == 1, c.applications);
        EXPECT_EQ(Data().onOff == 1, c.onOff);
        EXPECT_EQ(Data().activeProfile == Data().profiles[1].guid, c.active);
    }
}

TEST_P(DeviceTransfer, AfterTheFirstFailedStepOnlyTheOnOffFeatureIsWritten) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    // The keyboard lost the first profile.
    Store().GetProfile(0)->SetGuid(NewGuid());
    Store().RenameProfile(Store().GetProfile(1), L"Second");
    Store().AddMacro(L"M");
    Store().AddApplication(L"C:\\x.exe");
    Store().SetOnOffFeature(1);
    Store().SetActiveProfile(Store().GetProfile(2));

    EXPECT_FALSE(WriteNow(*keyboard, kMaskAll));
    ASSERT_EQ(Data().profiles.size(), 2u);
    EXPECT_EQ(Data().profiles[0].name, L"Profile 2");
    EXPECT_TRUE(Data().macros.empty());
    EXPECT_TRUE(Data().applications.empty());
    EXPECT_EQ(Data().onOff, 1u);
    EXPECT_NE(Data().activeProfile, Store().GetProfile(2)->GetGuid());
}

TEST_P(DeviceTransfer, ALinkedProgramTooLongFailsTheOptionsAndStopsTheProfiles) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    Store().GetProfile(0)->SetLinkedApplicationName(std::wstring(128, L'p').c_str());
    Store().RenameProfile(Store().GetProfile(1), L"Second");
    EXPECT_FALSE(WriteNow(*keyboard, kMaskAll));
    EXPECT_EQ(Data().profiles[1].name, L"Profile 2");

    Store().GetProfile(0)->SetLinkedApplicationName(std::wstring(127, L'p').c_str());
    Store().GetProfile(0)->SetAutoSwitch(1);
    EXPECT_TRUE(WriteNow(*keyboard, kMaskAll));
    EXPECT_EQ(Data().profiles[0].linkedProgram, std::wstring(127, L'p'));
    EXPECT_EQ(Data().profiles[0].options & kOptionFlagAutoSwitch, kOptionFlagAutoSwitch);
    EXPECT_EQ(Data().profiles[1].name, L"Second");

    // Without a linked program the automatic switch goes out as 0.
    Store().GetProfile(0)->SetLinkedApplicationName(L"");
    EXPECT_TRUE(WriteNow(*keyboard, kMaskAll));
    EXPECT_EQ(Data().profiles[0].options & kOptionFlagAutoSwitch, 0);
}

TEST_P(DeviceTransfer, MacroAndProfileFilesGoThroughTheKeyboard) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepDelay, 5, 0}};
    Store().SetKeyAssignment(EmulatorKeys::Key(L"F1"), KeyAssignment::Disabled(), Store().GetProfile(0));
    ASSERT_TRUE(WriteNow(*keyboard, kMaskAll));
    EXPECT_TRUE(keyboard->DeviceHasMacro(hop));
    EXPECT_TRUE(keyboard->DeviceHasProfile(Store().GetProfile(0)));

    const std::wstring macroFile = s_folder + L"\\hop.vqm", profileFile = s_folder + L"\\one.vqp";
    ASSERT_TRUE(keyboard->ExportMacro(macroFile.c_str(), hop));
    ASSERT_TRUE(keyboard->ExportProfile(profileFile.c_str(), Store().GetProfile(0)));
    Store().DeleteMacro(hop);
    ASSERT_TRUE(keyboard->ImportMacro(macroFile.c_str(), &Store()));
    ASSERT_EQ(Store().GetMacroCount(), 1);
    EXPECT_EQ(Store().GetMacro(0)->steps, (std::vector<MacroStep>{{MacroStepDelay, 5, 0}}));
    EXPECT_EQ(Store().GetMacro(0)->text, CString(macroFile.c_str()));
    ASSERT_TRUE(keyboard->ImportProfile(profileFile.c_str(), &Store()));
    ASSERT_EQ(Store().GetProfileCount(), 4);
    IKeyboardProfile* imported = Store().GetProfile(3);
    EXPECT_FALSE(IsNullGuid(imported->GetGuid()));
    EXPECT_EQ(Store().GetKeyAssignment(EmulatorKeys::Key(L"F1"), imported).type, AssignmentDisabled);

    CMacro unknown;
    EXPECT_FALSE(keyboard->DeviceHasMacro(&unknown));
    EXPECT_FALSE(keyboard->ExportMacro(macroFile.c_str(), &unknown));
    EXPECT_TRUE(keyboard->SetDeviceMode2());
    EXPECT_EQ(Data().deviceMode, 2u);
    EXPECT_TRUE(keyboard->SetDeviceMode1());
    EXPECT_EQ(Data().deviceMode, 1u);
}

TEST_P(DeviceTransfer, AMacroFileWhoseNameIsTakenIsRefusedAndLeavesNoCopyOnTheKeyboard) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepDelay, 5, 0}};
    ASSERT_TRUE(WriteNow(*keyboard, kMaskAll));
    const std::wstring macroFile = s_folder + L"\\taken.vqm";
    ASSERT_TRUE(keyboard->ExportMacro(macroFile.c_str(), hop));
    // The store's macro of that name differs only in letter case.
    hop->SetName(L"HOP");

    CString duplicate;
    EXPECT_FALSE(keyboard->ImportMacro(macroFile.c_str(), &Store(), &duplicate));
    EXPECT_EQ(duplicate, CString(L"Hop"));
    EXPECT_EQ(Store().GetMacroCount(), 1);
    ASSERT_EQ(Data().macros.size(), 1u);
    EXPECT_EQ(Data().macros[0].guid, hop->guid);
    // A file that cannot be read names no duplicate.
    duplicate.Empty();
    EXPECT_FALSE(keyboard->ImportMacro((s_folder + L"\\missing.vqm").c_str(), &Store(), &duplicate));
    EXPECT_TRUE(duplicate.IsEmpty());
    EXPECT_EQ(Data().macros.size(), 1u);
}

TEST_P(DeviceTransfer, AMacroRenamedInLetterCaseOnlyIsRenamedOnTheKeyboard) {
    auto keyboard = StartKeyboard();
    ASSERT_TRUE(keyboard->Sync(&Store(), kSyncRead, kMaskAll));
    CMacro* hop = Store().AddMacro(L"Hop");
    hop->steps = {{MacroStepKey, 0x1E, kStepPress}, {MacroStepKey, 0x1E, kStepRelease}};
    ASSERT_TRUE(WriteNow(*keyboard, kMaskAll));
    const GUID guid = hop->guid;
    hop->SetName(L"HOP");
    ASSERT_TRUE(WriteNow(*keyboard, kMaskAll));
    ASSERT_EQ(Data().macros.size(), 1u);
    EXPECT_EQ(Data().macros[0].name, L"HOP");
    EXPECT_EQ(Data().macros[0].guid, guid);
    EXPECT_EQ(Data().macros[0].steps.size(), 2u);
}

TEST_P(DeviceTransfer, DirectLightingAndFeatureCallsChangeTheActiveProfileAtOnce) {
    SetDeviceLighting(30, 0x0000FF, 5, 0x2);
    EXPECT_EQ(Data().profiles[0].leds[4].brightness, 30u);
    EXPECT_EQ(Data().profiles[0].leds[4].color, 0xFF0000u);
    SetDeviceLighting(30, 0x0000FF, 7, 0x7);
    EXPECT_EQ(Data().profiles[0].leds[4].color, 0x0000FFu);
    EXPECT_EQ(Data().profiles[0].leds[4].effect, 0u);
    SetDeviceLighting(30, 0x0000FF, 3, 0x4);
    EXPECT_EQ(Data().profiles[0].leds[4].effect, 3u) << "a remembered effect goes back as it was";
    EXPECT_EQ(Data().profiles[1].leds[4].color, 0xFF0000u);
    SetDeviceFeature(true);
    EXPECT_EQ(Data().onOff, 1u);
    ULONG v, p;
    Control()->SetPresent(FALSE, &v, &p);
    SetDeviceFeature(false);
    Control()->SetPresent(TRUE, &v, &p);
    EXPECT_EQ(Data().onOff, 1u);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, DeviceTransfer, ::testing::Values(KeyboardMode::InProcess),
                         [](const auto&) { return std::string("InProcess"); });

}  // namespace
