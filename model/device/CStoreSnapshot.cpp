#include "model/device/CStoreSnapshot.h"

#include "model/store/ProfileFiles.h"
#include "model/device/ProfileChanges.h"
#include "platform/Debug.h"
#include "platform/Guid.h"

#include <cstring>

namespace {

// A store sets the process-wide store paths from its application folder
// when it is made; the copy must leave them as the real store set them.
CString FolderOfStorePaths() {
    const CString profiles = GetProfileFolder();
    const CString save = L"save\\";
    const int keep = profiles.GetLength() - save.GetLength();
    if (keep < 0 || wcscmp(static_cast<const wchar_t*>(profiles) + keep, save) != 0)
        return CString(L'x', static_cast<int>(kPathUnits));  // refused again: the paths stay empty
    return profiles.Left(keep);
}

int IndexOf(IKeyboardConfig* store, IKeyboardProfile* profile) {
    for (int i = 0; profile && i < store->GetProfileCount(); ++i)
        if (store->GetProfile(i) == profile)
            return i;
    return -1;
}

// The store profile that a copied profile without a GUID stands for: the
// one at the same place if it still has that name, else the first of that
// name; either only while it still has no GUID.
IKeyboardProfile* StillNewProfile(IKeyboardConfig* store, int index, const wchar_t* name) {
    IKeyboardProfile* same = store->GetProfile(index);
    if (same && IsNullGuid(same->GetGuid()) && wcscmp(same->GetName(), name) == 0)
        return same;
    for (int i = 0; i < store->GetProfileCount(); ++i) {
        IKeyboardProfile* p = store->GetProfile(i);
        if (p && IsNullGuid(p->GetGuid()) && wcscmp(p->GetName(), name) == 0)
            return p;
    }
    return nullptr;
}

// Each change replaces the store's assignment while the store still holds
// what the copy held before it.
void ApplyAssignmentChanges(IKeyboardConfig* store, const std::vector<AssignmentChange>& changes) {
    for (const AssignmentChange& change : changes) {
        IKeyboardProfile* profile = store->FindProfileByGuid(change.profile);
        if (profile && SameAssignment(profile->GetKeyAssignment(change.key), change.before))
            store->SetKeyAssignment(change.key, change.after, profile);
    }
}

}  // namespace

CStoreSnapshot::CStoreSnapshot(IKeyboardConfig* store) : m_copy(FolderOfStorePaths()) {
    if (!store)
        return;
    for (int i = 0; i < store->GetProfileCount(); ++i) {
        IKeyboardProfile* copy = m_copy.AddProfileCopy(store->GetProfile(i));
        CHECK_INVARIANT(copy != nullptr);
        if (copy && IsNullGuid(copy->GetGuid()))
            m_newProfiles.emplace_back(copy, i);
    }
    int active = IndexOf(store, store->GetActiveProfile());
    if (active >= 0)
        m_copy.SetActiveProfile(m_copy.GetProfile(active));
    for (int i = 0; i < store->GetMacroCount(); ++i) {
        const CMacro* source = store->GetMacro(i);
        CMacro* copy = source ? m_copy.AddMacro(source->GetName()) : nullptr;
        if (copy)
            *copy = *source;
        if (copy)
            m_macroGuids.emplace_back(copy->GetName(), copy->guid);
    }
    for (int i = 0; i < store->GetApplicationCount(); ++i) {
        const CVqApp* source = store->GetApplication(i);
        CVqApp* copy = source ? m_copy.AddApplication(source->executable) : nullptr;
        if (copy)
            copy->guid = source->guid;
        if (copy)
            m_applicationGuids.emplace_back(copy->executable, copy->guid);
    }
    m_copy.SetOnOffFeature(store->GetOnOffFeature());
    if (CSyncedState* synced = SyncedStateOf(store))
        m_copy.Synced() = *synced;
}

void CStoreSnapshot::MergeInto(IKeyboardConfig* store, const std::vector<AssignmentChange>& resolved,
                               const KeyboardFindings* found, const std::vector<uint32_t>& keyIds) {
    if (!store)
        return;
    for (const auto& [copy, index] : m_newProfiles) {
        if (IsNullGuid(copy->GetGuid()))
            continue;
        if (IKeyboardProfile* target = StillNewProfile(store, index, copy->GetName()))
            target->SetGuid(copy->GetGuid());
    }
    for (const auto& [name, before] : m_macroGuids) {
        const CMacro* copy = m_copy.FindMacroByName(name);
        if (!copy || IsNullGuid(copy->guid) || copy->guid == before)
            continue;
        CMacro* target = IsNullGuid(before) ? store->FindMacroByName(name) : store->FindMacroByGuid(before);
        if (target && target->guid == before)
            target->guid = copy->guid;
    }
    for (const auto& [name, before] : m_applicationGuids) {
        const CVqApp* copy = m_copy.FindApplicationByName(name);
        if (!copy || IsNullGuid(copy->guid) || copy->guid == before)
            continue;
        CVqApp* target = IsNullGuid(before) ? store->FindApplicationByName(name) : store->FindApplicationByGuid(before);
        if (target && target->guid == before)
            target->guid = copy->guid;
    }
    ApplyAssignmentChanges(store, resolved);
    if (!found)
        return;

    // What the keyboard changed, where the user did not change it since.
    CSyncedState synced = m_copy.Synced();
    ApplyAssignmentChanges(store, found->keys);
    for (const GUID& guid : found->newProfiles)
        if (!store->FindProfileByGuid(guid))
            if (IKeyboardProfile* copy = m_copy.FindProfileByGuid(guid))
                store->AddProfileCopy(copy);
    for (const GUID& guid : found->newMacros) {
        if (store->FindMacroByGuid(guid))
            continue;
        const CMacro* copy = m_copy.FindMacroByGuid(guid);
        CMacro* added = copy ? store->AddMacro(copy->GetName()) : nullptr;
        if (added)
            *added = *copy;
        else  // its name was taken meanwhile: it stays on the keyboard only
            synced.RemoveMacro(guid);
    }
    for (const GUID& guid : found->newApplications) {
        if (store->FindApplicationByGuid(guid))
            continue;
        const CVqApp* copy = m_copy.FindApplicationByGuid(guid);
        CVqApp* added = copy ? store->AddApplication(copy->executable) : nullptr;
        if (added)
            added->guid = guid;
        else
            synced.RemoveApplication(guid);
    }
    for (const auto& gone : found->goneProfiles) {
        IKeyboardProfile* profile = store->FindProfileByGuid(gone->GetGuid());
        if (profile && !FindProfileChanges(*profile, gone.get(), keyIds).Any())
            store->DeleteProfile(profile);
    }
    for (const CMacro& gone : found->goneMacros) {
        CMacro* macro = store->FindMacroByGuid(gone.guid);
        if (macro && !MacroDiffers(*macro, gone))
            store->DeleteMacro(macro);
    }
    for (const CVqApp& gone : found->goneApplications) {
        CVqApp* application = store->FindApplicationByGuid(gone.guid);
        if (application && !ApplicationDiffers(*application, gone))
            store->RemoveApplication(application);
    }
    if (found->activeChanged) {
        IKeyboardProfile* active = store->GetActiveProfile();
        if ((active ? active->GetGuid() : GUID_NULL) == found->activeBefore)
            if (IKeyboardProfile* profile = store->FindProfileByGuid(found->activeAfter))
                store->SetActiveProfile(profile);
    }
    synced.MarkKnown();
    if (CSyncedState* record = SyncedStateOf(store))
        *record = synced;
}
