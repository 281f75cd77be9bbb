#include "model/device/TransferSteps.h"

#include "model/device/DeviceCalls.h"
#include "model/device/LightingTransfer.h"
#include "model/device/MacroTransfer.h"
#include "model/device/ProfileChanges.h"

#include <algorithm>

namespace {

const std::vector<uint32_t> kNoKeys;

bool Runs(const TransferContext& c, uint32_t capability, uint32_t mask, uint32_t bit) {
    return c.descriptor->Has(capability) && (mask & bit) != 0;
}

const std::vector<uint32_t>& KeyIds(const TransferContext& c) { return c.keyIds ? *c.keyIds : kNoKeys; }

GUID GuidOfActive(IKeyboardConfig* config) {
    IKeyboardProfile* active = config->GetActiveProfile();
    return active ? active->GetGuid() : GUID_NULL;
}

// ---- what the keyboard changed since the last sync ----

// The items added to a keyboard list and gone from it since order was
// taken; order then holds the list as it is.  The probe answers most
// writes in a few calls; only a list that changed is walked.  An item that
// a walk does not meet but the keyboard still finds is not gone.
template <class Manager, class Item>
bool FindListChanges(Manager* manager, HRESULT (STDMETHODCALLTYPE Manager::*get)(ULONG, Item**),
                     HRESULT (STDMETHODCALLTYPE Manager::*find)(ULONG, ULONG, ULONG, ULONG, Item**),
                     DeviceListOrder& order, std::vector<GUID>& added, std::vector<GUID>& gone) {
    if (!manager || (order.known && DeviceListUnchanged(manager, get, order.guids)))
        return false;
    std::vector<GUID> now = WalkDeviceGuids(manager, get);
    bool missedSome = false;
    for (const GUID& guid : now)
        if (!order.Holds(guid))
            added.push_back(guid);
    if (order.known)
        for (const GUID& guid : order.guids) {
            if (std::find(now.begin(), now.end(), guid) != now.end())
                continue;
            if (FindDeviceItem(manager, find, guid))
                missedSome = true;
            else
                gone.push_back(guid);
        }
    order.guids = std::move(now);
    // A walk cut short is walked again next time.
    order.known = !missedSome;
    return !added.empty() || !gone.empty();
}

// A profile the keyboard has that the store never saw: read whole.
void TakeNewProfile(const TransferContext& c, uint32_t mask, IProfileManager* profiles, const GUID& guid,
                    CSyncedState& synced, KeyboardFindings& found) {
    // Made by an earlier write that did not end well: the store has it.
    if (c.config->FindProfileByGuid(guid))
        return;
    CComPtr<IDeviceProfile> device = FindDeviceProfile(profiles, guid);
    CString name;
    if (!device || !ReadItemName(device.Get(), name))
        return;
    // Read into a profile of its own, so that adding it changes no other.
    CKespaProfile read(name);
    read.SetGuid(guid);
    ReadProfileContent(c, device, &read, mask);
    if (IKeyboardProfile* added = c.config->AddProfileCopy(&read)) {
        synced.PutProfile(*added);
        found.newProfiles.push_back(guid);
    }
}

void TakeNewMacro(IMacroManager* macros, IKeyboardConfig* config, const GUID& guid, CSyncedState& synced,
                  KeyboardFindings& found) {
    if (config->FindMacroByGuid(guid))
        return;
    CComPtr<IDeviceMacro> device = FindDeviceMacro(macros, guid);
    CMacro read;
    // One the store cannot take (its name is taken, or it cannot be read)
    // stays on the keyboard as it is.
    if (!device || !ReadDeviceMacro(device, read))
        return;
    CMacro* added = config->AddMacro(read.GetName());
    if (!added)
        return;
    *added = read;
    synced.PutMacro(*added);
    found.newMacros.push_back(guid);
}

void TakeNewApplication(IApplicationManager* applications, IKeyboardConfig* config, const GUID& guid,
                        CSyncedState& synced, KeyboardFindings& found) {
    if (config->FindApplicationByGuid(guid))
        return;
    CComPtr<IDeviceApplication> device = FindDeviceApplication(applications, guid);
    CString name;
    if (!device || !ReadItemName(device.Get(), name))
        return;
    CVqApp* added = config->AddApplication(name);
    if (!added)
        return;
    added->guid = guid;
    synced.PutApplication(*added);
    found.newApplications.push_back(guid);
}

// Items the keyboard lost: the store lets go of those the user has not
// changed; a changed one stays, and its write meets the loss.
void LetGoOfProfile(const TransferContext& c, const GUID& guid, CSyncedState& synced, KeyboardFindings& found) {
    IKeyboardProfile* profile = c.config->FindProfileByGuid(guid);
    IKeyboardProfile* known = synced.FindProfile(guid);
    if (profile && known && FindProfileChanges(*profile, known, KeyIds(c)).Any())
        return;
    if (profile && known) {
        found.goneProfiles.push_back(std::make_unique<CKespaProfile>(*dynamic_cast<CKespaProfile*>(known)));
        c.config->DeleteProfile(profile);
    }
    synced.RemoveProfile(guid);
}

void LetGoOfMacro(IKeyboardConfig* config, const GUID& guid, CSyncedState& synced, KeyboardFindings& found) {
    CMacro* macro = config->FindMacroByGuid(guid);
    const CMacro* known = synced.FindMacro(guid);
    if (macro && known && MacroDiffers(*macro, *known))
        return;
    if (macro && known) {
        found.goneMacros.push_back(*known);
        config->DeleteMacro(macro);
    }
    synced.RemoveMacro(guid);
}

void LetGoOfApplication(IKeyboardConfig* config, const GUID& guid, CSyncedState& synced, KeyboardFindings& found) {
    CVqApp* application = config->FindApplicationByGuid(guid);
    const CVqApp* known = synced.FindApplication(guid);
    if (application && known && ApplicationDiffers(*application, *known))
        return;
    if (application && known) {
        found.goneApplications.push_back(*known);
        config->RemoveApplication(application);
    }
    synced.RemoveApplication(guid);
}

// The key records of every synced profile, read again: what the keyboard
// changed goes into the synced form, and into the store's copy where the
// user has not changed the key.
void FindKeyChanges(const TransferContext& c, IProfileManager* profiles, CSyncedState& synced,
                    KeyboardFindings& found) {
    for (int i = 0; i < c.config->GetProfileCount(); ++i) {
        IKeyboardProfile* profile = c.config->GetProfile(i);
        IKeyboardProfile* known = profile ? synced.FindProfile(profile->GetGuid()) : nullptr;
        // A profile just taken in was read whole.
        if (!known || std::find(found.newProfiles.begin(), found.newProfiles.end(), profile->GetGuid()) !=
                          found.newProfiles.end())
            continue;
        CComPtr<IDeviceProfile> device = FindDeviceProfile(profiles, profile->GetGuid());
        std::vector<DeviceKeyRecord> records;
        if (!device || !ReadKeyRecords(GetFeatureOf<IKeyAssignmentManager>(device.Get()), records))
            continue;
        for (const DeviceKeyRecord& record : records) {
            int32_t key;
            KeyAssignment now;
            if (!AssignmentOfRecord(record, *profile, key, now))
                continue;
            const KeyAssignment before = known->GetKeyAssignment(key);
            if (SameAssignment(now, before))
                continue;
            known->SetKeyAssignment(key, now);
            if (!SameAssignment(profile->GetKeyAssignment(key), before))
                continue;
            c.config->SetKeyAssignment(key, now, profile);
            found.keys.push_back({profile->GetGuid(), key, before, now});
        }
    }
}

void FindKeyboardChanges(const TransferContext& c, uint32_t mask, IProfileManager* profiles, IMacroManager* macros,
                         IApplicationManager* applications, CSyncedState& synced, bool activeChosen,
                         KeyboardFindings& found) {
    // A store that never read the keyboard has nothing to compare with.
    if (!synced.IsKnown())
        return;
    std::vector<GUID> added, gone;
    bool listsChanged = false;
    if (profiles && FindListChanges(profiles, &IProfileManager::GetProfile, &IProfileManager::FindProfile,
                                    synced.profileOrder, added, gone)) {
        listsChanged = true;
        for (const GUID& guid : added)
            TakeNewProfile(c, mask, profiles, guid, synced, found);
        for (const GUID& guid : gone)
            LetGoOfProfile(c, guid, synced, found);
    }
    if (macros) {
        added.clear();
        gone.clear();
        if (FindListChanges(macros, &IMacroManager::GetMacro, &IMacroManager::FindMacro, synced.macroOrder,
                            added, gone)) {
            listsChanged = true;
            for (const GUID& guid : added)
                TakeNewMacro(macros, c.config, guid, synced, found);
            for (const GUID& guid : gone)
                LetGoOfMacro(c.config, guid, synced, found);
        }
    }
    if (applications) {
        added.clear();
        gone.clear();
        if (FindListChanges(applications, &IApplicationManager::GetApplication,
                            &IApplicationManager::FindApplication, synced.applicationOrder, added, gone)) {
            listsChanged = true;
            for (const GUID& guid : added)
                TakeNewApplication(applications, c.config, guid, synced, found);
            for (const GUID& guid : gone)
                LetGoOfApplication(c.config, guid, synced, found);
        }
    }
    // New items come with keys that use them (a macro recorded on the fly is
    // put on a key at once): only then are the key records read again.
    if (listsChanged && profiles && Runs(c, CapabilityKeyAssignments, mask, kMaskKeyAssignments))
        FindKeyChanges(c, profiles, synced, found);

    // The keyboard's own profile key, the tray program and automatic
    // switching change the active profile; the store follows unless the user
    // chose one.
    CComPtr<IDeviceProfile> active;
    GUID guid;
    if (!profiles || !(mask & kMaskProfiles) || FAILED(profiles->GetActiveProfile(&active)) || !active ||
        !ReadItemGuid(active.Get(), guid))
        return;
    const GUID before = GuidOfActive(c.config);
    if (!activeChosen && guid != before)
        if (IKeyboardProfile* profile = c.config->FindProfileByGuid(guid)) {
            c.config->SetActiveProfile(profile);
            found.activeChanged = true;
            found.activeBefore = before;
            found.activeAfter = guid;
        }
    synced.activeProfile = guid;
}

// ---- the user's changes ----

// One store profile to the keyboard: created or renamed, then what changed
// of its content.  A profile without changes is not even looked up.
bool WriteOneProfile(const TransferContext& c, uint32_t mask, IProfileManager* profiles, IKeyboardProfile* profile,
                     CSyncedState& synced) {
    IKeyboardProfile* known = IsNullGuid(profile->GetGuid()) ? nullptr : synced.FindProfile(profile->GetGuid());
    const ProfileChanges changes = FindProfileChanges(*profile, known, KeyIds(c));
    if (!changes.Any())
        return true;
    CComPtr<IDeviceProfile> device;
    if (!WriteProfile(profiles, profile, known, device, &synced.profileOrder))
        return false;
    bool result = true;
    if (Runs(c, CapabilityProfileOptions, mask, kMaskProfileOptions) && (changes.unknown || changes.options))
        result = WriteProfileOptions(device, profile);
    std::vector<int32_t> unsent;
    if (result && Runs(c, CapabilityKeyAssignments, mask, kMaskKeyAssignments))
        result = WriteKeyAssignments(c.device, c.config, device, profile, changes.keys, c.resolved, &synced, &unsent);
    if (result && Runs(c, CapabilityLighting, mask, kMaskLighting))
        result = WriteLighting(device, c.config, profile, changes.leds);
    if (result) {
        synced.PutProfile(*profile);
        // A key the keyboard did not get stays a change.
        for (int32_t key : unsent)
            synced.ForgetKeyAssignment(profile->GetGuid(), key);
    }
    return result;
}

}  // namespace

bool WriteTransfer(const TransferContext& c, uint32_t mask) {
    if (!c.device || !c.config || !c.descriptor)
        return false;
    CSyncedState nothingKnown;
    CSyncedState& synced = c.synced ? *c.synced : nothingKnown;
    KeyboardFindings unused;
    KeyboardFindings& found = c.found ? *c.found : unused;
    bool result = true;
    CComPtr<IProfileManager> profiles;
    if (c.descriptor->Has(CapabilityProfiles)) {
        profiles = GetFeatureOf<IProfileManager>(c.device).Get();
        if (!profiles)
            result = false;
    }
    // Each manager is asked for once, for the reads and the writes.
    CComPtr<IMacroManager> macros;
    if (Runs(c, CapabilityMacros, mask, kMaskMacros))
        macros = GetFeatureOf<IMacroManager>(c.device).Get();
    CComPtr<IApplicationManager> applications;
    if (Runs(c, CapabilityApplications, mask, kMaskApplications))
        applications = GetFeatureOf<IApplicationManager>(c.device).Get();
    // The active profile is set only when the user chose one.
    const bool activeChosen = !synced.IsKnown() || GuidOfActive(c.config) != synced.activeProfile;
    FindKeyboardChanges(c, mask, profiles, macros, applications, synced, activeChosen, found);
    if (profiles) {
        // What the user deleted goes; what the store never saw stays.
        DeleteDeviceProfiles(profiles, synced.DeletedProfiles(*c.config), synced);
        for (int i = 0; result && i < c.config->GetProfileCount(); ++i)
            if (IKeyboardProfile* profile = c.config->GetProfile(i))
                result = WriteOneProfile(c, mask, profiles, profile, synced);
    }
    if (result && Runs(c, CapabilityMacros, mask, kMaskMacros))
        result = DeleteDeviceMacros(macros, synced.DeletedMacros(*c.config), synced) &&
                 WriteMacros(macros, c.config, synced);
    if (result && Runs(c, CapabilityApplications, mask, kMaskApplications))
        result = DeleteDeviceApplications(applications, synced.DeletedApplications(*c.config), synced) &&
                 WriteApplications(applications, c.config, synced);
    if (Runs(c, CapabilityOnOff, mask, kMaskOnOff) &&
        (!synced.IsKnown() || c.config->GetOnOffFeature() != synced.onOff)) {
        const bool written = WriteOnOffFeature(c.device, c.config);
        if (written)
            synced.onOff = c.config->GetOnOffFeature();
        result = written && result;
    }
    if (result && activeChosen && Runs(c, CapabilityProfiles, mask, kMaskProfiles) &&
        (!synced.IsKnown() || GuidOfActive(c.config) != synced.activeProfile)) {
        result = WriteActiveProfile(profiles, c.config);
        if (result && c.config->GetActiveProfile())
            synced.activeProfile = GuidOfActive(c.config);
    }
    return result;
}

bool ReadProfileContent(const TransferContext& c, IDeviceProfile* device, IKeyboardProfile* profile, uint32_t mask) {
    bool result = true;
    if (Runs(c, CapabilityProfileOptions, mask, kMaskProfileOptions))
        result = ReadProfileOptions(device, profile);
    if (result && Runs(c, CapabilityKeyAssignments, mask, kMaskKeyAssignments))
        result = ReadKeyAssignments(c.config, device, profile);
    if (result && Runs(c, CapabilityLighting, mask, kMaskLighting))
        result = ReadLighting(device, c.config, profile);
    return result;
}

bool ReadTransfer(const TransferContext& c, uint32_t mask) {
    if (!c.device || !c.config || !c.descriptor)
        return false;
    CSyncedState orders;
    CSyncedState& synced = c.synced ? *c.synced : orders;
    bool result = true;
    if (Runs(c, CapabilityProfiles, mask, kMaskProfiles)) {
        CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(c.device);
        if (!profiles)
            result = false;
        GUID activeGuid = GUID_NULL;
        CComPtr<IDeviceProfile> active;
        if (profiles && SUCCEEDED(profiles->GetActiveProfile(&active)) && active)
            ReadItemGuid(active.Get(), activeGuid);
        synced.profileOrder.guids.clear();
        ForEachDeviceItem(profiles.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* device) {
            GUID guid;
            // Each profile is read on its own; a failure of one is kept in
            // the result, not overwritten by the next.
            if (!ReadItemGuid(device, guid)) {
                result = false;
                return true;
            }
            synced.profileOrder.Append(guid);
            IKeyboardProfile* profile = c.config->FindProfileByGuid(guid);
            if (!profile)
                return true;
            if (!IsNullGuid(activeGuid) && guid == activeGuid)
                c.config->SetActiveProfile(profile);
            result = ReadProfileContent(c, device, profile, mask) && result;
            return true;
        });
        synced.profileOrder.known = profiles != nullptr;
    }
    if (result && Runs(c, CapabilityMacros, mask, kMaskMacros))
        result = ReadMacros(GetFeatureOf<IMacroManager>(c.device), c.config, synced.macroOrder);
    if (result && Runs(c, CapabilityApplications, mask, kMaskApplications))
        result = ReadApplications(GetFeatureOf<IApplicationManager>(c.device), c.config, synced.applicationOrder);
    if (Runs(c, CapabilityOnOff, mask, kMaskOnOff))
        result = ReadOnOffFeature(c.device, c.config) && result;
    return result;
}
