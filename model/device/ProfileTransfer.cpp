#include "model/device/ProfileTransfer.h"

#include "model/device/DeviceCalls.h"

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

bool DeleteDeviceProfiles(IProfileManager* profiles, const std::vector<GUID>& guids, CSyncedState& synced) {
    return DeleteDeviceItems(profiles, &IProfileManager::FindProfile, &IProfileManager::DeleteProfile, guids,
                             [&](const GUID& guid) {
                                 synced.RemoveProfile(guid);
                                 synced.profileOrder.Remove(guid);
                             });
}

bool WriteProfile(IProfileManager* profiles, IKeyboardProfile* profile, IKeyboardProfile* synced,
                  CComPtr<IDeviceProfile>& device, DeviceListOrder* order) {
    device.Release();
    if (!profiles || !profile)
        return false;
    if (IsNullGuid(profile->GetGuid())) {
        GUID guid;
        if (FAILED(profiles->CreateProfile(&device)) || !ReadItemGuid(device.Get(), guid))
            return false;
        profile->SetGuid(guid);
        if (order)
            order->Append(guid);
        return SUCCEEDED(device->SetName(profile->GetName()));
    }
    device = FindDeviceProfile(profiles, profile->GetGuid());
    if (!device)
        return false;
    // The user's own letter case is written too: "Game" renamed "GAME" is
    // what the tray program's menu must show.
    if (synced)
        return CString(synced->GetName()) == profile->GetName() || SUCCEEDED(device->SetName(profile->GetName()));
    CString name;
    if (!ReadItemName(device.Get(), name))
        return false;
    if (name != profile->GetName())
        return SUCCEEDED(device->SetName(profile->GetName()));
    return true;
}

bool WriteProfileOptions(IDeviceProfile* device, IKeyboardProfile* profile) {
    if (!device || !profile)
        return false;
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
    // Every caller reached the device profile by the profile's GUID: it is
    // not asked for again.
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

bool DeleteDeviceApplications(IApplicationManager* applications, const std::vector<GUID>& guids,
                              CSyncedState& synced) {
    return DeleteDeviceItems(applications, &IApplicationManager::FindApplication,
                             &IApplicationManager::DeleteApplication, guids, [&](const GUID& guid) {
                                 synced.RemoveApplication(guid);
                                 synced.applicationOrder.Remove(guid);
                             });
}

bool WriteApplications(IApplicationManager* applications, IKeyboardConfig* config, CSyncedState& synced) {
    if (!applications || !config)
        return false;
    bool result = true;
    for (int i = 0; i < config->GetApplicationCount(); ++i) {
        CVqApp* application = config->GetApplication(i);
        if (!application)
            continue;
        const CVqApp* known = IsNullGuid(application->guid) ? nullptr : synced.FindApplication(application->guid);
        if (known && !ApplicationDiffers(*application, *known))
            continue;
        CComPtr<IDeviceApplication> device;
        GUID guid;
        CString name;
        if (!IsNullGuid(application->guid))
            device = FindDeviceApplication(applications, application->guid).Get();
        bool written = true;
        if (!device || !ReadItemGuid(device.Get(), guid) || !ReadItemName(device.Get(), name)) {
            const GUID before = application->guid;
            written = RegisterApplication(applications, application);
            if (application->guid != before)
                synced.applicationOrder.Append(application->guid);
        } else if (name.CompareNoCase(application->executable) != 0) {
            written = SUCCEEDED(device->SetName(application->executable));
        }
        if (written)
            synced.PutApplication(*application);
        result = written && result;
    }
    return result;
}

bool ReadApplications(IApplicationManager* applications, IKeyboardConfig* config, DeviceListOrder& order) {
    if (!applications || !config)
        return false;
    order.guids.clear();
    ForEachDeviceItem(applications, &IApplicationManager::GetApplication, [&](IDeviceApplication* device) {
        CString name;
        GUID guid;
        const bool named = ReadItemName(device, name);
        if (!ReadItemGuid(device, guid))
            return true;
        order.Append(guid);
        // An application whose name the store has already is left out of
        // the store, and so never deleted by a write.
        CVqApp* entry = named && !config->FindApplicationByGuid(guid) ? config->AddApplication(name) : nullptr;
        if (entry)
            entry->guid = guid;
        return true;
    });
    order.known = true;
    return true;
}
