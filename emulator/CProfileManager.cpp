#include "emulator/CProfileManager.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/CDeviceProfile.h"
#include "emulator/ItemCalls.h"

void* CProfileManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IProfileManager)
        return static_cast<IProfileManager*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT CProfileManager::GetProfile(ULONG index, IDeviceProfile** profile) {
    return GetItemAt<CDeviceProfile>(m_state, L"IProfileManager.GetProfile", &KeyboardData::profiles, index, profile);
}

HRESULT CProfileManager::FindProfile(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                     IDeviceProfile** profile) {
    return FindItem<CDeviceProfile>(m_state, L"IProfileManager.FindProfile", &KeyboardData::profiles,
                                    GuidOfWords(guid0, guid1, guid2, guid3), profile);
}

HRESULT CProfileManager::SetActiveProfile(IDeviceProfile* profile) {
    return ActOnItem(m_state, L"IProfileManager.SetActiveProfile", profile, &CKeyboardState::SetActiveProfile);
}

HRESULT CProfileManager::GetActiveProfile(IDeviceProfile** profile) {
    return FindItem<CDeviceProfile>(m_state, L"IProfileManager.GetActiveProfile", &KeyboardData::profiles,
                                    m_state->Data().activeProfile, profile);
}

HRESULT CProfileManager::CreateProfile(IDeviceProfile** profile) {
    return AddItem<CDeviceProfile>(
        m_state, L"IProfileManager.CreateProfile", [this](GUID& guid) { return m_state->CreateProfile(guid); },
        profile);
}

HRESULT CProfileManager::DeleteProfile(IDeviceProfile* profile) {
    return ActOnItem(m_state, L"IProfileManager.DeleteProfile", profile, &CKeyboardState::DeleteProfile);
}

HRESULT CProfileManager::ImportProfile(const WCHAR* path, IDeviceProfile** profile) {
    return AddItem<CDeviceProfile>(
        m_state, L"IProfileManager.ImportProfile",
        [this, path](GUID& guid) { return path ? m_state->ImportProfile(path, guid) : E_POINTER; }, profile);
}

HRESULT CProfileManager::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT CProfileManager::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Profile, this, iid, point);
}
