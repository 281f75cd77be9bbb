#include "model/CStoreSnapshot.h"

#include "model/ProfileFiles.h"
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

}  // namespace

CStoreSnapshot::CStoreSnapshot(IKeyboardConfig* store) : m_copy(FolderOfStorePaths()) {
    if (!store)
        return;
    for (int i = 0; i < store->GetProfileCount(); ++i) {
        IKeyboardProfile* copy = m_copy.AddProfileCopy(store->GetProfile(i));
        PLATFORM_ASSERT(copy != nullptr);
        m_newProfiles.push_back(copy && IsNullGuid(copy->GetGuid()));
    }
    int active = IndexOf(store, store->GetActiveProfile());
    if (active >= 0)
        m_copy.SetActiveProfile(m_copy.GetProfile(active));
    for (int i = 0; i < store->GetMacroCount(); ++i) {
        const CMacro* source = store->GetMacro(i);
        CMacro* copy = source ? m_copy.AddMacro(source->GetName()) : nullptr;
        if (copy)
            *copy = *source;
        m_newMacros.push_back(copy && IsNullGuid(copy->guid));
    }
    for (int i = 0; i < store->GetApplicationCount(); ++i) {
        const CVqApp* source = store->GetApplication(i);
        CVqApp* copy = source ? m_copy.AddApplication(source->executable) : nullptr;
        if (copy)
            copy->guid = source->guid;
        m_newApplications.push_back(copy && IsNullGuid(copy->guid));
    }
    m_copy.SetOnOffFeature(store->GetOnOffFeature());
}

void CStoreSnapshot::MergeInto(IKeyboardConfig* store, const std::vector<ResolvedAssignment>& resolved) {
    if (!store)
        return;
    for (int i = 0; i < m_copy.GetProfileCount() && i < static_cast<int>(m_newProfiles.size()); ++i) {
        IKeyboardProfile* copy = m_copy.GetProfile(i);
        if (!m_newProfiles[i] || IsNullGuid(copy->GetGuid()))
            continue;
        if (IKeyboardProfile* target = StillNewProfile(store, i, copy->GetName()))
            target->SetGuid(copy->GetGuid());
    }
    for (int i = 0; i < m_copy.GetMacroCount() && i < static_cast<int>(m_newMacros.size()); ++i) {
        CMacro* copy = m_copy.GetMacro(i);
        if (!m_newMacros[i] || IsNullGuid(copy->guid))
            continue;
        CMacro* target = store->FindMacroByName(copy->GetName());
        if (target && IsNullGuid(target->guid))
            target->guid = copy->guid;
    }
    for (int i = 0; i < m_copy.GetApplicationCount() && i < static_cast<int>(m_newApplications.size()); ++i) {
        CVqApp* copy = m_copy.GetApplication(i);
        if (!m_newApplications[i] || IsNullGuid(copy->guid))
            continue;
        CVqApp* target = store->FindApplicationByName(copy->executable);
        if (target && IsNullGuid(target->guid))
            target->guid = copy->guid;
    }
    for (const ResolvedAssignment& r : resolved) {
        IKeyboardProfile* profile = store->FindProfileByGuid(r.profile);
        if (!profile)
            continue;
        KeyAssignment now = profile->GetKeyAssignment(r.key);
        if (SameAssignment(now, r.before))
            store->SetKeyAssignment(r.key, r.after, profile);
    }
}
