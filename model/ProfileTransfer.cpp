#include "model/ProfileTransfer.h"

#include "model/DeviceCalls.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr size_t kLinkedProgramUnits = PROFILE_LINKED_PROGRAM_BYTES / sizeof(wchar_t);  // terminator included

bool WriteOption(IProfileProperties* properties, uint16_t id, bool value) {
    OptionRecord record = MakeOptionRecord(id, value);
    return SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_OPTIONS, record.data(), 0,
                                             static_cast<ULONG>(record.size()), 0));
}

bool ReadOptionFlags(IProfileProperties* properties, uint16_t& flags) {
    BYTE bytes[2] = {};
    ULONG size = sizeof bytes;
    if (FAILED(properties->GetProperty(PROFILE_PROPERTY_OPTIONS, 0, bytes, 0, &size)) || size == 0)
        return false;
    flags = static_cast<uint16_t>(bytes[0] | (size > 1 ? bytes[1] << 8 : 0));
    return true;
}

}  // namespace

OptionRecord MakeOptionRecord(uint16_t id, bool value) noexcept {
    return OptionRecord{static_cast<BYTE>(id & 0xFF), static_cast<BYTE>(id >> 8), static_cast<BYTE>(value ? 1 : 0), 0};
}

bool MakeLinkedProgramBuffer(const wchar_t* name, LinkedProgramBuffer& buffer) noexcept {
    buffer.fill(0);
    size_t length = name ? wcslen(name) : 0;
    if (length >= kLinkedProgramUnits)
        return false;
    if (length)
        std::memcpy(buffer.data(), name, length * sizeof(wchar_t));
    return true;
}

CString LinkedProgramFromBuffer(const BYTE* buffer, size_t size) {
    if (!buffer)
        return CString();
    size_t units = size / sizeof(wchar_t);
    if (units > kLinkedProgramUnits - 1)
        units = kLinkedProgramUnits - 1;
    wchar_t text[kLinkedProgramUnits] = {};
    std::memcpy(text, buffer, units * sizeof(wchar_t));
    text[units] = L'\0';
    return CString(text);
}

bool DeleteStaleDeviceProfiles(IProfileManager* profiles, IKeyboardConfig* config) {
    return DeleteUnknownDeviceItems(profiles, &IProfileManager::GetProfile, &IProfileManager::DeleteProfile,
                                    [config](const GUID& guid) { return config->FindProfileByGuid(guid) != nullptr; });
}

bool WriteProfile(IProfileManager* profiles, IKeyboardProfile* profile) {
    if (!profiles || !profile)
        return false;
    if (IsNullGuid(profile->GetGuid())) {
        CComPtr<IDeviceProfile> created;
        GUID guid;
        if (FAILED(profiles->CreateProfile(&created)) || !ReadItemGuid(created.Get(), guid))
            return false;
        profile->SetGuid(guid);
        return SUCCEEDED(created->SetName(profile->GetName()));
    }
    CComPtr<IDeviceProfile> device = FindDeviceProfile(profiles, profile->GetGuid());
    CString name;
    if (!device || !ReadItemName(device.Get(), name))
        return false;
    // A difference only in letter case is not written: the keyboard keeps its form.
    if (name.CompareNoCase(profile->GetName()) != 0)
        return SUCCEEDED(device->SetName(profile->GetName()));
    return true;
}

bool WriteProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile) {
    if (!device || !profile)
        return false;
    device->SetName(profile->GetName());
    CComPtr<IProfileProperties> properties = GetFeatureOf<IProfileProperties>(device);
    if (!properties)
        return false;
    CString linked = profile->GetLinkedApplicationName();
    LinkedProgramBuffer buffer;
    if (!MakeLinkedProgramBuffer(linked, buffer))
        return false;
    bool linkedWritten = SUCCEEDED(properties->SetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, buffer.data(), 0,
                                                           static_cast<ULONG>(buffer.size()), 0));
    if (linkedWritten) {
        // Without a linked program there is nothing to switch on.
        bool autoSwitch = !linked.IsEmpty() && profile->GetAutoSwitch() != 0;
        if (!WriteOption(properties, ProfileOptionAutoSwitch, autoSwitch))
            return false;
    }
    if (!WriteOption(properties, ProfileOptionProfileOption, profile->GetProfileOption()))
        return false;
    bool showOsd = WriteOption(properties, ProfileOptionShowOsd, profile->GetShowOsd() != 0);
    // The options went on without the linked program, but the keyboard does
    // not hold what the store does: that is a failed step.
    return showOsd && linkedWritten;
}

bool WriteActiveProfile(IProfileManager* profiles, IKeyboardConfig* config) {
    IKeyboardProfile* active = config ? config->GetActiveProfile() : nullptr;
    if (!active)
        return true;
    CComPtr<IDeviceProfile> device = FindDeviceProfile(profiles, active->GetGuid());
    return device && SUCCEEDED(profiles->SetActiveProfile(device));
}

bool ReadProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile) {
    if (!device || !profile)
        return false;
    CString name;
    if (ReadItemName(device, name))
        profile->SetName(name);
    GUID guid;
    if (ReadItemGuid(device, guid))
        profile->SetGuid(guid);
    CComPtr<IProfileProperties> properties = GetFeatureOf<IProfileProperties>(device);
    if (!properties)
        return true;
    LinkedProgramBuffer buffer{};
    ULONG size = static_cast<ULONG>(buffer.size());
    const bool linkedRead =
        SUCCEEDED(properties->GetProperty(PROFILE_PROPERTY_LINKED_PROGRAM, 0, buffer.data(), 0, &size)) && size != 0;
    if (linkedRead)
        profile->SetLinkedApplicationName(LinkedProgramFromBuffer(buffer.data(), size < buffer.size() ? size : buffer.size()));
    uint16_t flags = 0;
    if (ReadOptionFlags(properties, flags)) {
        // The auto-switch flag means something only with a linked program.
        if (linkedRead)
            profile->SetAutoSwitch((flags & kOptionFlagAutoSwitch) ? 1 : 0);
        profile->SetProfileOption((flags & kOptionFlagProfileOption) ? 1 : 0);
        profile->SetShowOsd((flags & kOptionFlagShowOsd) ? 1 : 0);
    }
    return true;
}

bool RegisterApplication(IApplicationManager* applications, CVqApp* application) {
    if (!applications || !application)
        return false;
    CComPtr<IDeviceApplication> created;
    GUID guid;
    if (FAILED(applications->CreateApplication(&created)) || !ReadItemGuid(created.Get(), guid))
        return false;
    application->guid = guid;
    return SUCCEEDED(created->SetName(application->executable));
}

bool DeleteStaleApplications(IApplicationManager* applications, IKeyboardConfig* config, const GuidSet& keep) {
    return DeleteUnknownDeviceItems(applications, &IApplicationManager::GetApplication,
                                    &IApplicationManager::DeleteApplication, [&](const GUID& guid) {
                                        return keep.count(guid) || config->FindApplicationByGuid(guid) != nullptr;
                                    });
}

bool WriteApplications(IApplicationManager* applications, IKeyboardConfig* config) {
    if (!applications || !config)
        return false;
    bool result = true;
    for (int i = 0; i < config->GetApplicationCount(); ++i) {
        CVqApp* application = config->GetApplication(i);
        if (!application)
            continue;
        CComPtr<IDeviceApplication> device;
        GUID guid;
        CString name;
        if (!IsNullGuid(application->guid))
            device = FindDeviceApplication(applications, application->guid).Get();
        if (!device || !ReadItemGuid(device.Get(), guid) || !ReadItemName(device.Get(), name)) {
            result = RegisterApplication(applications, application) && result;
            continue;
        }
        if (name == application->executable)
            continue;
        CComPtr<IDeviceApplication> again = FindDeviceApplication(applications, application->guid);
        if (again && name.CompareNoCase(application->executable) != 0)
            result = SUCCEEDED(again->SetName(application->executable)) && result;
    }
    return result;
}

bool ReadApplications(IApplicationManager* applications, IKeyboardConfig* config, GuidSet& keep) {
    if (!applications || !config)
        return false;
    ForEachDeviceItem(applications, &IApplicationManager::GetApplication, [&](IDeviceApplication* device) {
        CString name;
        if (!ReadItemName(device, name))
            return true;
        GUID guid;
        CVqApp* entry = config->AddApplication(name);
        if (!entry) {
            // The name is taken: keep the device's entry unless the store
            // already holds it under its GUID.
            if (ReadItemGuid(device, guid) && !config->FindApplicationByGuid(guid))
                keep.insert(guid);
            return true;
        }
        if (!ReadItemGuid(device, guid))
            config->RemoveApplication(entry);
        else
            entry->guid = guid;
        return true;
    });
    return true;
}
