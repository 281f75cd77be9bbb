#include "model/device/KeyAssignmentTransfer.h"

#include "model/store/CSyncedState.h"
#include "model/device/DeviceCalls.h"
#include "model/device/DeviceKeyRecords.h"
#include "model/store/IKeyTable.h"
#include "model/device/MacroTransfer.h"
#include "model/device/ProfileTransfer.h"

#include <cstring>

namespace {

KeyAssignment StoredAssignment(IKeyboardConfig* config, int32_t key, IKeyboardProfile* profile) {
    if (!config->IsKeyAssignable(key))
        return KeyAssignment::Disabled();
    return config->GetKeyAssignment(key, profile);
}

// The profile a switch names, on the keyboard; false when it is not in the
// store or cannot be created.
bool ResolveProfile(IDevice* device, IKeyboardConfig* config, const CString& name, GUID& guid,
                    CSyncedState* synced) {
    IKeyboardProfile* target = config->FindProfileByName(name);
    if (!target)
        return false;
    if (IsNullGuid(target->GetGuid())) {
        // Created but not named is still a target; its content goes when
        // its own turn comes.
        CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(device);
        CComPtr<IDeviceProfile> created;
        if (!WriteProfile(profiles, target, nullptr, created, synced ? &synced->profileOrder : nullptr) &&
            IsNullGuid(target->GetGuid()))
            return false;
    }
    guid = target->GetGuid();
    return true;
}

bool ResolveMacro(IDevice* device, IKeyboardConfig* config, const CString& name, GUID& guid,
                  CSyncedState* synced) {
    CMacro* macro = config->FindMacroByName(name);
    if (!macro)
        return false;
    if (IsNullGuid(macro->guid)) {
        CComPtr<IMacroManager> macros = GetFeatureOf<IMacroManager>(device);
        // A macro the keyboard did not take whole is no target yet.
        const bool whole = RegisterMacro(macros, macro);
        if (synced && !IsNullGuid(macro->guid)) {
            synced->macroOrder.Append(macro->guid);
            // Taken whole, it is not sent again with the macros.
            if (whole)
                synced->PutMacro(*macro);
        }
        if (!whole && IsNullGuid(macro->guid))
            return false;
    }
    guid = macro->guid;
    return !IsNullGuid(guid);
}

bool ResolveApplication(IDevice* device, IKeyboardConfig* config, const CString& path, GUID& guid,
                        CSyncedState* synced) {
    CVqApp* application = config->FindApplicationByName(path);
    if (!application)
        return false;
    if (IsNullGuid(application->guid)) {
        CComPtr<IApplicationManager> applications = GetFeatureOf<IApplicationManager>(device);
        const bool whole = RegisterApplication(applications, application);
        if (synced && !IsNullGuid(application->guid)) {
            synced->applicationOrder.Append(application->guid);
            if (whole)
                synced->PutApplication(*application);
        }
        if (!whole && IsNullGuid(application->guid))
            return false;
    }
    guid = application->guid;
    return !IsNullGuid(guid);
}

}  // namespace

bool ReadKeyRecords(IKeyAssignmentManager* keys, std::vector<DeviceKeyRecord>& records) {
    records.clear();
    ULONG count = 0;
    if (!keys || FAILED(keys->GetKeyCount(&count)) || count == 0)
        return false;
    if (count > kMaxDeviceKeys)
        count = kMaxDeviceKeys;
    CComHeapPtr<DeviceKeyRecord> block;
    if (!block.Allocate(count))
        return false;
    std::memset(block.Get(), 0, count * sizeof(DeviceKeyRecord));
    ULONG filled = count;
    if (FAILED(keys->ReadKeys(&filled, block)) || filled > count)
        return false;
    records.assign(block.Get(), block.Get() + filled);
    return true;
}

bool ReadKeyIdList(IDeviceProfile* profile, std::vector<uint32_t>& keyIds) {
    keyIds.clear();
    std::vector<DeviceKeyRecord> records;
    if (!ReadKeyRecords(GetFeatureOf<IKeyAssignmentManager>(profile), records))
        return false;
    for (const DeviceKeyRecord& record : records)
        keyIds.push_back(record.keyId);
    return !keyIds.empty();
}

void ResolveReferences(IDevice* device, IKeyboardConfig* config, IKeyboardProfile* profile,
                       const std::vector<uint32_t>& keyIds, std::vector<AssignmentChange>* resolved,
                       CSyncedState* synced) {
    if (!config || !profile)
        return;
    for (uint32_t keyId : keyIds) {
        int32_t key = FindDeviceKey(DeviceKeyCode(keyId));
        if (key == 0)
            continue;
        KeyAssignment before = StoredAssignment(config, key, profile);
        GUID guid;
        KeyAssignment after;
        switch (before.type) {
        case AssignmentProfileSwitchByName:
            if (!ResolveProfile(device, config, before.GetName(), guid, synced))
                continue;
            after = KeyAssignment::ByGuid(AssignmentProfileSwitch, guid);
            break;
        case AssignmentMacroByName:
            if (!ResolveMacro(device, config, before.GetName(), guid, synced))
                continue;
            after = KeyAssignment::ByGuid(AssignmentMacro, guid, before.playMode, before.repeatCount);
            break;
        case AssignmentLaunchProgramByPath:
            if (!ResolveApplication(device, config, before.GetName(), guid, synced))
                continue;
            after = KeyAssignment::ByGuid(AssignmentLaunchProgram, guid);
            break;
        default:
            continue;
        }
        config->SetKeyAssignment(key, after, profile);
        if (resolved)
            resolved->push_back({profile->GetGuid(), key, before, after});
    }
}

bool WriteKeyAssignments(IDevice* device, IKeyboardConfig* config, IDeviceProfile* deviceProfile,
                         IKeyboardProfile* profile, const std::vector<uint32_t>& keyIds,
                         std::vector<AssignmentChange>* resolved, CSyncedState* synced, std::vector<int32_t>* unsent) {
    if (!config || !profile)
        return false;
    if (keyIds.empty())
        return true;
    ResolveReferences(device, config, profile, keyIds, resolved, synced);
    CComPtr<IKeyAssignmentManager> keys = GetFeatureOf<IKeyAssignmentManager>(deviceProfile);
    if (!keys)
        return false;
    std::vector<DeviceKeyRecord> records;
    for (uint32_t keyId : keyIds) {
        int32_t key = FindDeviceKey(DeviceKeyCode(keyId));
        if (key == 0)
            continue;
        KeyAssignment sent = ToDeviceAssignment(StoredAssignment(config, key, profile), LookUpKeyTable(key));
        if (!IsSendableAssignment(sent)) {
            if (unsent)
                unsent->push_back(key);
            continue;
        }
        records.push_back(FillKeyRecord(sent, keyId));
    }
    if (records.empty())
        return true;
    if (SUCCEEDED(keys->WriteKeys(static_cast<ULONG>(records.size()), records.data())))
        return true;
    if (records.size() == 1)
        return false;
    // The block was refused: each record on its own, so that one bad record
    // keeps none of the others from the keyboard.
    bool result = true;
    for (const DeviceKeyRecord& record : records)
        result = SUCCEEDED(keys->WriteKeys(1, &record)) && result;
    return result;
}

bool AssignmentOfRecord(const DeviceKeyRecord& record, IKeyboardProfile& profile, int32_t& key,
                        KeyAssignment& assignment) {
    key = FindDeviceKey(DeviceKeyCode(record.keyId));
    if (key == 0)
        return false;
    assignment = FromDeviceAssignment(ReadKeyRecord(record), LookUpKeyTable(key));
    return profile.IsSupportedAssignmentType(assignment.type);
}

bool ReadKeyAssignments(IKeyboardConfig* config, IDeviceProfile* deviceProfile, IKeyboardProfile* profile) {
    if (!config || !profile)
        return false;
    std::vector<DeviceKeyRecord> records;
    if (!ReadKeyRecords(GetFeatureOf<IKeyAssignmentManager>(deviceProfile), records))
        return false;
    for (const DeviceKeyRecord& record : records) {
        int32_t key;
        KeyAssignment assignment;
        if (AssignmentOfRecord(record, *profile, key, assignment))
            config->SetKeyAssignment(key, assignment, profile);
    }
    return true;
}
