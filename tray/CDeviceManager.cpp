#include "tray/CDeviceManager.h"

#include "model/device/DeviceCalls.h"
#include "model/device/DeviceService.h"
#include "platform/Debug.h"
#include "tray/CDelayTimer.h"
#include "tray/CDpiEventConnection.h"
#include "tray/CLaunchAppEventConnection.h"
#include "tray/CMacroEventConnection.h"
#include "tray/CMacroLedScheme.h"
#include "tray/CProfileEventConnection.h"
#include "tray/TrayDecisions.h"

namespace {
// The profile's linked program: a UTF-16 text in a 256-byte buffer.
constexpr ULONG kLinkedProgramUnits = PROFILE_LINKED_PROGRAM_BYTES / sizeof(wchar_t);
constexpr ULONG kOptionAutoSwitch = 1;
constexpr ULONG kOptionDpiDisplay = 2;
constexpr ULONG kOptionShowOsd = 4;
}  // namespace

CDeviceManager::CDeviceManager() : m_recorder(&GetDelayTimer()) {
    if (SUCCEEDED(CreateDeviceService(&m_enumerator)))
        FindKeyboard();
}

CDeviceManager::CDeviceManager(IDeviceEnumerator* enumerator) : m_enumerator(enumerator), m_recorder(&GetDelayTimer()) {
    if (m_enumerator)
        FindKeyboard();
}

CDeviceManager::~CDeviceManager() = default;

bool CDeviceManager::Succeeded(HRESULT hr) noexcept {
    if (FAILED(hr)) {
        ServiceFault fault = ServiceFaultOf(hr);
        if (fault > m_fault)
            m_fault = fault;
        return false;
    }
    return true;
}

bool CDeviceManager::SucceededChange(HRESULT hr) noexcept {
    if (!Succeeded(hr))
        return false;
    ++m_changes;
    return true;
}

CComPtr<IDevice> CDeviceManager::FindKeyboardDevice() {
    return FindServiceDevice(m_enumerator.Get(), [this](IDevice* device) {
        CComPtr<IDeviceIdentity> identity;
        ULONG vendorId = 0, productId = 0;
        // A query that succeeded hands an object back: the contract's word,
        // checked rather than trusted.
        return Succeeded(device->QueryInterface(IID_IDeviceIdentity, reinterpret_cast<void**>(&identity))) &&
               CHECK_INVARIANT(identity) && Succeeded(identity->GetIdentity(&vendorId, &productId)) &&
               productId == static_cast<ULONG>(m_productId);
    }, Check());
}

void CDeviceManager::FindKeyboard() {
    m_productId = KEYBOARD_PRODUCT_ID;
    m_device = FindKeyboardDevice();
    if (m_device)
        Succeeded(m_device->GetFeature(IID_IProfileManager, reinterpret_cast<IUnknown**>(&m_profileManager)));
}

void CDeviceManager::Delete(unsigned flags) {
    m_profiles.clear();
    m_lastProfile = GUID_NULL;
    m_profileManager.Release();
    m_device.Release();
    m_enumerator.Release();
    if (flags & 1)
        delete this;
}

template <typename I>
CComPtr<I> CDeviceManager::DeviceFeature(REFIID) {
    return GetFeatureOf<I>(m_device.Get(), Check());
}

template <typename I>
CComPtr<I> CDeviceManager::ProfileFeature(IDeviceProfile* profile, REFIID) {
    return GetFeatureOf<I>(profile, Check());
}

CComPtr<IMacroManager> CDeviceManager::MacroManager() { return DeviceFeature<IMacroManager>(IID_IMacroManager); }

CDeviceManager::ProfileList CDeviceManager::CurrentProfiles() {
    if (!m_profileManager)
        return {};
    // Copies: a nested operation may learn a new list meanwhile.
    ProfileList known = m_profiles;
    const GUID last = m_lastProfile;
    // The service's lists only grow at their end and never use a GUID twice
    // (service/README.md), so the same length and the same last profile mean
    // the same profiles in the same order: three calls instead of a walk and
    // a feature for every profile.
    if (!known.empty() &&
        DeviceListUnchanged(m_profileManager.Get(), &IProfileManager::GetProfile, known.size(), last, Check()))
        return known;
    ProfileList profiles;
    ForEachDeviceItem(m_profileManager.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* profile) {
        auto entry = std::make_shared<KnownProfile>();
        entry->profile = profile;
        profiles.push_back(std::move(entry));
        return true;
    }, Check());
    // A list whose last profile cannot be told is read again next time.
    GUID newLast = GUID_NULL;
    if (!profiles.empty() && ReadItemGuid(profiles.back()->profile.Get(), newLast) && !IsNullGuid(newLast)) {
        m_profiles = profiles;
        m_lastProfile = newLast;
    } else {
        m_profiles.clear();
        m_lastProfile = GUID_NULL;
    }
    return profiles;
}

CComPtr<IProfileProperties> CDeviceManager::PropertiesOf(KnownProfile& profile) {
    if (!profile.properties) {
        CComPtr<IProfileProperties> properties =
            ProfileFeature<IProfileProperties>(profile.profile.Get(), IID_IProfileProperties);
        if (!profile.properties)
            profile.properties = properties;
    }
    return profile.properties;
}

std::shared_ptr<CDeviceManager::KnownProfile> CDeviceManager::FindDeviceProfile(const CString& name, bool ignoreCase) {
    for (const std::shared_ptr<KnownProfile>& entry : CurrentProfiles()) {
        CString profileName;
        if (ReadItemName(entry->profile.Get(), profileName) &&
            (ignoreCase ? profileName.CompareNoCase(name) == 0 : profileName == name))
            return entry;
    }
    return nullptr;
}

// The linked program and the options of one profile.  Without requireBoth
// (the whole list), each value is taken when its read gave something; with
// it (one profile asked by name), both reads must succeed.
bool CDeviceManager::ReadSettingOf(IProfileProperties* properties, _Profile_Setting_& setting, bool requireBoth) {
    if (!properties)
        return false;
    wchar_t program[kLinkedProgramUnits] = {};
    ULONG size = sizeof program;
    const bool programRead = Succeeded(properties->GetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, 0,
                                                               reinterpret_cast<BYTE*>(program), 0, &size));
    if (programRead && size != 0) {
        // The text ends where the service's bytes end, and never past the buffer.
        ULONG units = size / sizeof(wchar_t);
        program[units < kLinkedProgramUnits ? units : kLinkedProgramUnits - 1] = L'\0';
        setting.application = program;
    }
    USHORT options = 0;
    size = sizeof options;
    const bool optionsRead =
        Succeeded(properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, reinterpret_cast<BYTE*>(&options), 0, &size));
    if (optionsRead && size != 0) {
        setting.autoSwitch = (options & kOptionAutoSwitch) ? 1 : 0;
        setting.dpiDisplay = (options & kOptionDpiDisplay) ? 1 : 0;
        setting.showOsd = (options & kOptionShowOsd) ? 1 : 0;
    }
    return !requireBoth || (programRead && optionsRead);
}

bool CDeviceManager::GetProfileSettings(std::vector<_Profile_Setting_>& settings) {
    settings.clear();
    if (!m_profileManager)
        return false;
    for (const std::shared_ptr<KnownProfile>& entry : CurrentProfiles()) {
        _Profile_Setting_ setting;
        ReadItemName(entry->profile.Get(), setting.name);
        if (ReadSettingOf(PropertiesOf(*entry), setting, false))
            settings.push_back(setting);
    }
    return !settings.empty();
}

bool CDeviceManager::GetProfileNames(CStringArray& names) {
    names.RemoveAll();
    if (!m_profileManager)
        return false;
    for (const std::shared_ptr<KnownProfile>& entry : CurrentProfiles()) {
        CString name;
        ReadItemName(entry->profile.Get(), name);
        names.Add(name);
    }
    return !names.IsEmpty();
}

bool CDeviceManager::GetProfileSetting(const CString& name, _Profile_Setting_& setting) {
    std::shared_ptr<KnownProfile> profile = FindDeviceProfile(name);
    if (!profile)
        return false;
    setting.name = name;
    return ReadSettingOf(PropertiesOf(*profile), setting, true);
}

bool CDeviceManager::GetActiveProfile(CString& name) {
    if (!m_profileManager)
        return false;
    CComPtr<IDeviceProfile> active;
    if (!Succeeded(m_profileManager->GetActiveProfile(&active)) || !active)
        return false;
    return ReadItemName(active.Get(), name);
}

bool CDeviceManager::SetActiveProfile(const CString& name) {
    if (!m_profileManager)
        return false;
    std::shared_ptr<KnownProfile> profile = FindDeviceProfile(name);
    return profile && SucceededChange(m_profileManager->SetActiveProfile(profile->profile));
}

void CDeviceManager::MakeNewMacroName(CString& name) {
    if (!m_device)
        return;
    CComPtr<IMacroManager> macros = MacroManager();
    if (!macros)
        return;
    std::vector<CString> names;
    ForEachDeviceItem(macros.Get(), &IMacroManager::GetMacro, [&](IDeviceMacro* macro) {
        CString macroName;
        if (ReadItemName(macro, macroName))
            names.push_back(macroName);
        return true;
    }, Check());
    name = NextNewMacroName(names);
}

bool CDeviceManager::CreateMacro(const CString& name, const std::vector<CaptureEvent>& events, GUID& guid) {
    if (!m_device)
        return false;
    std::vector<BYTE> block = BuildMacroStepsBlock(events);
    CComPtr<IMacroManager> macros = MacroManager();
    if (block.empty() || !macros)
        return false;
    CComPtr<IDeviceMacro> macro;
    if (!SucceededChange(macros->CreateMacro(&macro)) || !macro)
        return false;
    // A macro without its name or its steps is not what was recorded: it
    // does not stay on the keyboard.
    if (!SucceededChange(macro->SetName(name)) ||
        !SucceededChange(macro->SetSteps(static_cast<ULONG>(block.size()), block.data())) ||
        !ReadItemGuid(macro.Get(), guid)) {
        SucceededChange(macros->DeleteMacro(macro));
        return false;
    }
    return true;
}

bool CDeviceManager::WriteMacroKeyRecord(IDeviceProfile* profile, const GUID& macro, ULONG keyId) {
    if (!m_device || !profile)
        return false;
    CComPtr<IMacroManager> macros = MacroManager();
    if (!macros)
        return false;
    bool found = false;
    ForEachDeviceItem(macros.Get(), &IMacroManager::GetMacro, [&](IDeviceMacro* item) {
        GUID guid;
        found = ReadItemGuid(item, guid) && IsEqualGUID(guid, macro);
        return !found;
    }, Check());
    if (!found)
        return false;
    CComPtr<IKeyAssignmentManager> keys = ProfileFeature<IKeyAssignmentManager>(profile, IID_IKeyAssignmentManager);
    if (!keys)
        return false;
    DeviceKeyRecord record = MakeMacroKeyRecord(keyId, macro);
    return SucceededChange(keys->WriteKeys(1, &record));
}

bool CDeviceManager::AssignMacroToKey(const GUID& macro, ULONG, ULONG keyId) {
    if (!m_profileManager)
        return false;
    CComPtr<IDeviceProfile> active;
    if (!Succeeded(m_profileManager->GetActiveProfile(&active)) || !active)
        return false;
    return WriteMacroKeyRecord(active, macro, keyId) && SucceededChange(m_profileManager->SetActiveProfile(active));
}

bool CDeviceManager::AssignMacroToProfileKey(const CString& profileName, const GUID& macro, ULONG, ULONG keyId) {
    std::shared_ptr<KnownProfile> profile = FindDeviceProfile(profileName, true);
    return profile && WriteMacroKeyRecord(profile->profile, macro, keyId);
}

bool CDeviceManager::StartMacroRecording() {
    return EnterRecordingMode() && ApplyLedStep(CMacroLedScheme::kRecording);
}

bool CDeviceManager::StopMacroRecording() { return ApplyLedStep(CMacroLedScheme::kWaitingForKey); }

bool CDeviceManager::CancelMacroRecording() { return LeaveRecordingMode() && ApplyLedStep(CMacroLedScheme::kOff); }

bool CDeviceManager::SaveRecordedMacro(ULONG first, ULONG keyId) {
    LeaveRecordingMode();
    // The LED only shows the stage: the user's recording is stored whether
    // or not the keyboard has an LED to show it on.
    ApplyLedStep(CMacroLedScheme::kOff);
    std::vector<CaptureEvent> events;
    if (m_recorder)
        events = m_recorder->GetEvents();
    // Nothing recorded: no empty macro, and the key keeps what it does.
    if (!HoldsMacroSteps(events))
        return false;
    CString name;
    MakeNewMacroName(name);
    GUID guid = GUID_NULL;
    return !name.IsEmpty() && CreateMacro(name, events, guid) && AssignMacroToKey(guid, first, keyId);
}

bool CDeviceManager::EndMacroRecording() { return ApplyLedStep(CMacroLedScheme::kOff); }

CDpiEventConnection* CDeviceManager::ConnectDpiEvents(IDpiEventHandler* handler) {
    if (!m_profileManager)
        return nullptr;
    CComPtr<IDeviceProfile> active;
    if (!Succeeded(m_profileManager->GetActiveProfile(&active)) || !active)
        return nullptr;
    CComPtr<IDpiEventSource> source = ProfileFeature<IDpiEventSource>(active, IID_IDpiEventSource);
    return source ? new CDpiEventConnection(handler, source) : nullptr;
}

CProfileEventConnection* CDeviceManager::ConnectProfileEvents(IProfileEventHandler* handler) {
    if (!m_profileManager)
        return nullptr;
    return new CProfileEventConnection(handler, m_profileManager);
}

CMacroEventConnection* CDeviceManager::ConnectMacroEvents(IMacroEventHandler* handler) {
    CComPtr<IOTFMacroRecording> source = DeviceFeature<IOTFMacroRecording>(IID_IOTFMacroRecording);
    return source ? new CMacroEventConnection(handler, source) : nullptr;
}

CLaunchAppEventConnection* CDeviceManager::ConnectLaunchAppEvents(ILaunchAppEventHandler* handler) {
    CComPtr<IApplicationManager> source = DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    return source ? new CLaunchAppEventConnection(handler, source) : nullptr;
}

CComPtr<IProfileProperties> CDeviceManager::NamedProfileProperties(const CString& profileName) {
    std::shared_ptr<KnownProfile> profile = FindDeviceProfile(profileName);
    if (!profile)
        return nullptr;
    return PropertiesOf(*profile);
}

bool CDeviceManager::SetLinkedApplication(const CString& profileName, const CString& application) {
    CComPtr<IProfileProperties> properties = NamedProfileProperties(profileName);
    if (!properties)
        return false;
    wchar_t program[kLinkedProgramUnits] = {};
    CopyBounded(program, kLinkedProgramUnits, application);
    return SucceededChange(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM,
                                                   reinterpret_cast<const BYTE*>(program), 0, sizeof program, 0));
}

bool CDeviceManager::WriteOptionRecords(const CString& profileName,
                                        const std::vector<std::pair<USHORT, USHORT>>& records) {
    CComPtr<IProfileProperties> properties = NamedProfileProperties(profileName);
    if (!properties)
        return false;
    for (const auto& r : records) {
        const USHORT record[2] = {r.first, r.second};
        if (!SucceededChange(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, reinterpret_cast<const BYTE*>(record),
                                                     0, sizeof record, 0)))
            return false;
    }
    return true;
}

bool CDeviceManager::SetAutoSwitch(const CString& profile, int value) {
    return WriteOptionRecords(profile, {{kOptionAutoSwitch, static_cast<USHORT>(value)}});
}

bool CDeviceManager::SetProfileOptions(const CString& profile, int autoSwitch, int dpiDisplay, int showOsd) {
    return WriteOptionRecords(profile, {{kOptionAutoSwitch, static_cast<USHORT>(autoSwitch)},
                                        {kOptionDpiDisplay, static_cast<USHORT>(dpiDisplay)},
                                        {kOptionShowOsd, static_cast<USHORT>(showOsd)}});
}

bool CDeviceManager::IsDevicePresent() { return m_device != nullptr; }

bool CDeviceManager::CheckDevicePresent() { return FindKeyboardDevice() != nullptr; }

bool CDeviceManager::ApplyLedStep(size_t step) {
    const LedStep* led = GetMacroLedScheme().GetStep(step);
    CString active;
    return led && GetActiveProfile(active) && SendLedStep(active, *led);
}

bool CDeviceManager::SendLedStep(const CString& profileName, const LedStep& step) {
    std::shared_ptr<KnownProfile> profile = FindDeviceProfile(profileName);
    CComPtr<ILedCollection> leds;
    if (profile)
        leds = ProfileFeature<ILedCollection>(profile->profile, IID_ILedCollection);
    if (!leds)
        return false;
    for (ULONG index = 0;; ++index) {
        CComPtr<ILed> led;
        if (!Succeeded(leds->GetLed(index, &led)) || !led)
            return false;
        ULONG id = 0;
        if (!Succeeded(led->GetId(&id)) || id != static_cast<ULONG>(step.ledId))
            continue;
        // Each feature the LED has; one whose query succeeded without an
        // object is passed over.
        CComPtr<ILedColor> colour;
        if (Succeeded(led->QueryInterface(IID_ILedColor, reinterpret_cast<void**>(&colour))) &&
            CHECK_INVARIANT(colour))
            SucceededChange(colour->SetColor(static_cast<ULONG>(step.colour)));
        CComPtr<ILedEffect> effect;
        if (Succeeded(led->QueryInterface(IID_ILedEffect, reinterpret_cast<void**>(&effect))) &&
            CHECK_INVARIANT(effect))
            SucceededChange(effect->SetEffect(static_cast<ULONG>(step.effect), static_cast<ULONG>(step.timeOnMs),
                                              static_cast<ULONG>(step.timeOffMs)));
        CComPtr<ILedBrightness> brightness;
        if (Succeeded(led->QueryInterface(IID_ILedBrightness, reinterpret_cast<void**>(&brightness))) &&
            CHECK_INVARIANT(brightness))
            SucceededChange(brightness->SetBrightness(static_cast<ULONG>(step.brightness)));
        return SucceededChange(step.on == 1 ? led->On() : led->Off());
    }
}

bool CDeviceManager::EnterRecordingMode() { return SetDeviceMode(2); }

bool CDeviceManager::LeaveRecordingMode() { return SetDeviceMode(1); }

bool CDeviceManager::SetDeviceMode(ULONG mode) {
    CComPtr<IDeviceMode> deviceMode = DeviceFeature<IDeviceMode>(IID_IDeviceMode);
    return deviceMode && SucceededChange(deviceMode->SetMode(mode));
}
