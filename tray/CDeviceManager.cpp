#include "tray/CDeviceManager.h"

#include "model/DeviceCalls.h"
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
    if (SUCCEEDED(m_enumerator.CoCreateInstance(CLSID_DeviceService, IID_IDeviceEnumerator,
                                                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                                    CLSCTX_REMOTE_SERVER)))
        FindKeyboard();
}

CDeviceManager::CDeviceManager(IDeviceEnumerator* enumerator) : m_enumerator(enumerator), m_recorder(&GetDelayTimer()) {
    if (m_enumerator)
        FindKeyboard();
}

CDeviceManager::~CDeviceManager() = default;

void CDeviceManager::FindKeyboard() {
    m_productId = KEYBOARD_PRODUCT_ID;
    for (ULONG index = 0;; ++index) {
        CComPtr<IDevice> device;
        if (FAILED(m_enumerator->GetDevice(index, &device)) || !device)
            break;
        CComPtr<IDeviceIdentity> identity;
        ULONG vendorId = 0, productId = 0;
        if (SUCCEEDED(device->QueryInterface(IID_IDeviceIdentity, reinterpret_cast<void**>(&identity))) &&
            SUCCEEDED(identity->GetIdentity(&vendorId, &productId)) && productId == static_cast<ULONG>(m_productId)) {
            m_device = device;
            m_device->GetFeature(IID_IProfileManager, reinterpret_cast<IUnknown**>(&m_profileManager));
            break;
        }
    }
}

void CDeviceManager::Delete(unsigned flags) {
    m_profileManager.Release();
    m_device.Release();
    m_enumerator.Release();
    if (flags & 1)
        delete this;
}

template <typename I>
CComPtr<I> CDeviceManager::DeviceFeature(REFIID iid) {
    CComPtr<I> feature;
    if (m_device && FAILED(m_device->GetFeature(iid, reinterpret_cast<IUnknown**>(&feature))))
        feature.Release();
    return feature;
}

template <typename I>
CComPtr<I> CDeviceManager::ProfileFeature(IDeviceProfile* profile, REFIID iid) {
    CComPtr<I> feature;
    if (profile && FAILED(profile->GetFeature(iid, reinterpret_cast<IUnknown**>(&feature))))
        feature.Release();
    return feature;
}

CComPtr<IMacroManager> CDeviceManager::MacroManager() { return DeviceFeature<IMacroManager>(IID_IMacroManager); }

CComPtr<IDeviceProfile> CDeviceManager::FindDeviceProfile(const CString& name, bool ignoreCase) {
    CComPtr<IDeviceProfile> found;
    ForEachDeviceItem(m_profileManager.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* profile) {
        CString profileName;
        if (ReadItemName(profile, profileName) &&
            (ignoreCase ? profileName.CompareNoCase(name) == 0 : profileName == name))
            found = profile;
        return !found;
    });
    return found;
}

// The linked program and the options of one profile.  Without requireBoth
// (the whole list), each value is taken when its read gave something; with
// it (one profile asked by name), both reads must succeed.
bool CDeviceManager::ReadSettingOf(IDeviceProfile* profile, _Profile_Setting_& setting, bool requireBoth) {
    CComPtr<IProfileProperties> properties = ProfileFeature<IProfileProperties>(profile, IID_IProfileProperties);
    if (!properties)
        return false;
    wchar_t program[kLinkedProgramUnits] = {};
    ULONG size = sizeof program;
    HRESULT programRead = properties->GetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, 0, reinterpret_cast<BYTE*>(program),
                                                  0, &size);
    if (SUCCEEDED(programRead) && size != 0) {
        // The text ends where the service's bytes end, and never past the buffer.
        ULONG units = size / sizeof(wchar_t);
        program[units < kLinkedProgramUnits ? units : kLinkedProgramUnits - 1] = L'\0';
        setting.application = program;
    }
    USHORT options = 0;
    size = sizeof options;
    HRESULT optionsRead =
        properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, reinterpret_cast<BYTE*>(&options), 0, &size);
    if (SUCCEEDED(optionsRead) && size != 0) {
        setting.autoSwitch = (options & kOptionAutoSwitch) ? 1 : 0;
        setting.dpiDisplay = (options & kOptionDpiDisplay) ? 1 : 0;
        setting.showOsd = (options & kOptionShowOsd) ? 1 : 0;
    }
    return !requireBoth || (SUCCEEDED(programRead) && SUCCEEDED(optionsRead));
}

bool CDeviceManager::GetProfileSettings(std::vector<_Profile_Setting_>& settings) {
    settings.clear();
    if (!m_profileManager)
        return false;
    ForEachDeviceItem(m_profileManager.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* profile) {
        _Profile_Setting_ setting;
        ReadItemName(profile, setting.name);
        if (ReadSettingOf(profile, setting, false))
            settings.push_back(setting);
        return true;
    });
    return !settings.empty();
}

bool CDeviceManager::GetProfileNames(CStringArray& names) {
    names.RemoveAll();
    if (!m_profileManager)
        return false;
    ForEachDeviceItem(m_profileManager.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* profile) {
        CString name;
        ReadItemName(profile, name);
        names.Add(name);
        return true;
    });
    return !names.IsEmpty();
}

bool CDeviceManager::GetProfileSetting(const CString& name, _Profile_Setting_& setting) {
    CComPtr<IDeviceProfile> profile = FindDeviceProfile(name);
    if (!profile)
        return false;
    setting.name = name;
    return ReadSettingOf(profile, setting, true);
}

bool CDeviceManager::GetActiveProfile(CString& name) {
    if (!m_profileManager)
        return false;
    CComPtr<IDeviceProfile> active;
    if (FAILED(m_profileManager->GetActiveProfile(&active)) || !active)
        return false;
    return ReadItemName(active.Get(), name);
}

bool CDeviceManager::SetActiveProfile(const CString& name) {
    if (!m_profileManager)
        return false;
    CComPtr<IDeviceProfile> profile = FindDeviceProfile(name);
    return profile && SUCCEEDED(m_profileManager->SetActiveProfile(profile));
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
    });
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
    if (FAILED(macros->CreateMacro(&macro)) || !macro)
        return false;
    // A macro without its name or its steps is not what was recorded: it
    // does not stay on the keyboard.
    if (FAILED(macro->SetName(name)) ||
        FAILED(macro->SetSteps(static_cast<ULONG>(block.size()), block.data())) || !ReadItemGuid(macro.Get(), guid)) {
        macros->DeleteMacro(macro);
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
    });
    if (!found)
        return false;
    CComPtr<IKeyAssignmentManager> keys = ProfileFeature<IKeyAssignmentManager>(profile, IID_IKeyAssignmentManager);
    if (!keys)
        return false;
    DeviceKeyRecord record = MakeMacroKeyRecord(keyId, macro);
    return SUCCEEDED(keys->WriteKeys(1, &record));
}

bool CDeviceManager::AssignMacroToKey(const GUID& macro, ULONG, ULONG keyId) {
    if (!m_profileManager)
        return false;
    CComPtr<IDeviceProfile> active;
    if (FAILED(m_profileManager->GetActiveProfile(&active)) || !active)
        return false;
    return WriteMacroKeyRecord(active, macro, keyId) && SUCCEEDED(m_profileManager->SetActiveProfile(active));
}

bool CDeviceManager::AssignMacroToProfileKey(const CString& profileName, const GUID& macro, ULONG, ULONG keyId) {
    CComPtr<IDeviceProfile> profile = FindDeviceProfile(profileName, true);
    return profile && WriteMacroKeyRecord(profile, macro, keyId);
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
    CString name;
    MakeNewMacroName(name);
    std::vector<CaptureEvent> events;
    if (m_recorder)
        events = m_recorder->GetEvents();
    GUID guid = GUID_NULL;
    return !name.IsEmpty() && CreateMacro(name, events, guid) && AssignMacroToKey(guid, first, keyId);
}

bool CDeviceManager::EndMacroRecording() { return ApplyLedStep(CMacroLedScheme::kOff); }

CDpiEventConnection* CDeviceManager::ConnectDpiEvents(IDpiEventHandler* handler) {
    if (!m_profileManager)
        return nullptr;
    CComPtr<IDeviceProfile> active;
    if (FAILED(m_profileManager->GetActiveProfile(&active)) || !active)
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
    CComPtr<IDeviceProfile> profile = FindDeviceProfile(profileName);
    return ProfileFeature<IProfileProperties>(profile, IID_IProfileProperties);
}

bool CDeviceManager::SetLinkedApplication(const CString& profileName, const CString& application) {
    CComPtr<IProfileProperties> properties = NamedProfileProperties(profileName);
    if (!properties)
        return false;
    wchar_t program[kLinkedProgramUnits] = {};
    CopyBounded(program, kLinkedProgramUnits, application);
    return SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, reinterpret_cast<const BYTE*>(program),
                                             0, sizeof program, 0));
}

bool CDeviceManager::WriteOptionRecords(const CString& profileName,
                                        const std::vector<std::pair<USHORT, USHORT>>& records) {
    CComPtr<IProfileProperties> properties = NamedProfileProperties(profileName);
    if (!properties)
        return false;
    for (const auto& r : records) {
        const USHORT record[2] = {r.first, r.second};
        if (FAILED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, reinterpret_cast<const BYTE*>(record), 0,
                                           sizeof record, 0)))
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

bool CDeviceManager::ApplyLedStep(size_t step) {
    const LedStep* led = GetMacroLedScheme().GetStep(step);
    CString active;
    return led && GetActiveProfile(active) && SendLedStep(active, *led);
}

bool CDeviceManager::SendLedStep(const CString& profileName, const LedStep& step) {
    CComPtr<IDeviceProfile> profile = FindDeviceProfile(profileName);
    CComPtr<ILedCollection> leds = ProfileFeature<ILedCollection>(profile, IID_ILedCollection);
    if (!leds)
        return false;
    for (ULONG index = 0;; ++index) {
        CComPtr<ILed> led;
        if (FAILED(leds->GetLed(index, &led)) || !led)
            return false;
        ULONG id = 0;
        if (FAILED(led->GetId(&id)) || id != static_cast<ULONG>(step.ledId))
            continue;
        CComPtr<ILedColor> colour;
        if (SUCCEEDED(led->QueryInterface(IID_ILedColor, reinterpret_cast<void**>(&colour))))
            colour->SetColor(static_cast<ULONG>(step.colour));
        CComPtr<ILedEffect> effect;
        if (SUCCEEDED(led->QueryInterface(IID_ILedEffect, reinterpret_cast<void**>(&effect))))
            effect->SetEffect(static_cast<ULONG>(step.effect), static_cast<ULONG>(step.timeOnMs),
                              static_cast<ULONG>(step.timeOffMs));
        CComPtr<ILedBrightness> brightness;
        if (SUCCEEDED(led->QueryInterface(IID_ILedBrightness, reinterpret_cast<void**>(&brightness))))
            brightness->SetBrightness(static_cast<ULONG>(step.brightness));
        return SUCCEEDED(step.on == 1 ? led->On() : led->Off());
    }
}

bool CDeviceManager::EnterRecordingMode() { return SetDeviceMode(2); }

bool CDeviceManager::LeaveRecordingMode() { return SetDeviceMode(1); }

bool CDeviceManager::SetDeviceMode(ULONG mode) {
    CComPtr<IDeviceMode> deviceMode = DeviceFeature<IDeviceMode>(IID_IDeviceMode);
    return deviceMode && SUCCEEDED(deviceMode->SetMode(mode));
}
