#include "model/TransferSteps.h"

#include "model/DeviceCalls.h"
#include "model/LightingTransfer.h"
#include "model/MacroTransfer.h"

namespace {

const std::vector<uint32_t> kNoKeys;

bool Runs(const TransferContext& c, uint32_t capability, uint32_t mask, uint32_t bit) {
    return c.descriptor->Has(capability) && (mask & bit) != 0;
}

const std::vector<uint32_t>& KeyIds(const TransferContext& c) { return c.keyIds ? *c.keyIds : kNoKeys; }

// One store profile to the keyboard: created or renamed, then its content.
bool WriteOneProfile(const TransferContext& c, uint32_t mask, IProfileManager* profiles, IKeyboardProfile* profile) {
    if (!WriteProfile(profiles, profile))
        return false;
    CComPtr<IDeviceProfile> device = FindDeviceProfile(profiles, profile->GetGuid());
    if (!device)
        return false;
    bool result = true;
    if (Runs(c, CapabilityProfileOptions, mask, kMaskProfileOptions))
        result = WriteProfileOptions(device, profile);
    if (result && Runs(c, CapabilityKeyAssignments, mask, kMaskKeyAssignments))
        result = WriteKeyAssignments(c.device, c.config, device, profile, KeyIds(c), c.held ? &c.held->keys : nullptr,
                                     c.resolved);
    if (result && Runs(c, CapabilityLighting, mask, kMaskLighting))
        result = WriteLighting(device, c.config, profile);
    return result;
}

}  // namespace

bool WriteTransfer(const TransferContext& c, uint32_t mask) {
    if (!c.device || !c.config || !c.descriptor)
        return false;
    static const DeviceHeldItems kNothingHeld;
    const DeviceHeldItems& held = c.held ? *c.held : kNothingHeld;
    bool result = true;
    CComPtr<IProfileManager> profiles;
    if (c.descriptor->Has(CapabilityProfiles)) {
        profiles = GetFeatureOf<IProfileManager>(c.device).Get();
        if (!profiles)
            result = false;
        else
            DeleteStaleDeviceProfiles(profiles, c.config);
        for (int i = 0; result && i < c.config->GetProfileCount(); ++i)
            if (IKeyboardProfile* profile = c.config->GetProfile(i))
                result = WriteOneProfile(c, mask, profiles, profile);
    }
    if (result && Runs(c, CapabilityMacros, mask, kMaskMacros)) {
        CComPtr<IMacroManager> macros = GetFeatureOf<IMacroManager>(c.device);
        result = DeleteStaleMacros(macros, c.config, held.macros) && WriteMacros(macros, c.config);
    }
    if (result && Runs(c, CapabilityApplications, mask, kMaskApplications)) {
        CComPtr<IApplicationManager> applications = GetFeatureOf<IApplicationManager>(c.device);
        result = DeleteStaleApplications(applications, c.config, held.applications) &&
                 WriteApplications(applications, c.config);
    }
    if (Runs(c, CapabilityOnOff, mask, kMaskOnOff))
        result = WriteOnOffFeature(c.device, c.config) && result;
    if (result && Runs(c, CapabilityProfiles, mask, kMaskProfiles))
        result = WriteActiveProfile(profiles, c.config);
    return result;
}

bool ReadProfileContent(const TransferContext& c, IDeviceProfile* device, IKeyboardProfile* profile, uint32_t mask) {
    bool result = true;
    if (Runs(c, CapabilityProfileOptions, mask, kMaskProfileOptions))
        result = ReadProfileOptions(device, profile);
    if (result && Runs(c, CapabilityKeyAssignments, mask, kMaskKeyAssignments))
        result = ReadKeyAssignments(c.config, device, profile, c.held ? &c.held->keys : nullptr);
    if (result && Runs(c, CapabilityLighting, mask, kMaskLighting))
        result = ReadLighting(device, c.config, profile);
    return result;
}

bool ReadTransfer(const TransferContext& c, uint32_t mask) {
    if (!c.device || !c.config || !c.descriptor)
        return false;
    bool result = true;
    if (Runs(c, CapabilityProfiles, mask, kMaskProfiles)) {
        CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(c.device);
        if (!profiles)
            result = false;
        GUID activeGuid = GUID_NULL;
        CComPtr<IDeviceProfile> active;
        if (profiles && SUCCEEDED(profiles->GetActiveProfile(&active)) && active)
            ReadItemGuid(active.Get(), activeGuid);
        ForEachDeviceItem(profiles.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* device) {
            GUID guid;
            // Each profile is read on its own; a failure of one is kept in
            // the result, not overwritten by the next.
            if (!ReadItemGuid(device, guid)) {
                result = false;
                return true;
            }
            IKeyboardProfile* profile = c.config->FindProfileByGuid(guid);
            if (!profile)
                return true;
            if (!IsNullGuid(activeGuid) && guid == activeGuid)
                c.config->SetActiveProfile(profile);
            result = ReadProfileContent(c, device, profile, mask) && result;
            return true;
        });
    }
    DeviceHeldItems scratch;
    DeviceHeldItems& held = c.held ? *c.held : scratch;
    if (result && Runs(c, CapabilityMacros, mask, kMaskMacros)) {
        held.macros.clear();
        result = ReadMacros(GetFeatureOf<IMacroManager>(c.device), c.config, held.macros);
    }
    if (result && Runs(c, CapabilityApplications, mask, kMaskApplications)) {
        held.applications.clear();
        result = ReadApplications(GetFeatureOf<IApplicationManager>(c.device), c.config, held.applications);
    }
    if (Runs(c, CapabilityOnOff, mask, kMaskOnOff))
        result = ReadOnOffFeature(c.device, c.config) && result;
    return result;
}
