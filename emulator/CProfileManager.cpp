#include "emulator/CProfileManager.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/CDeviceProfile.h"
#include "emulator/CServiceObject.h"
#include "emulator/IServiceHandle.h"
#include "emulator/ServiceCalls.h"

void* CProfileManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IProfileManager)
        return static_cast<IProfileManager*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT CProfileManager::Handle(const GUID& guid, IDeviceProfile** profile) {
    return CServiceObject<CDeviceProfile>::CreateInto(profile, m_state, guid);
}

HRESULT CProfileManager::GetProfile(ULONG index, IDeviceProfile** profile) {
    HRESULT hr = ClearOut(profile);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IProfileManager.GetProfile");
    if (FAILED(hr))
        return hr;
    const auto& profiles = m_state->Data().profiles;
    if (index >= profiles.size())
        return kServiceNoMoreItems;
    return Handle(profiles[index].guid, profile);
}

HRESULT CProfileManager::FindProfile(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                     IDeviceProfile** profile) {
    HRESULT hr = ClearOut(profile);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IProfileManager.FindProfile");
    if (FAILED(hr))
        return hr;
    GUID guid = GuidOfWords(guid0, guid1, guid2, guid3);
    if (!m_state->FindProfile(guid))
        return kServiceNotFound;
    return Handle(guid, profile);
}

HRESULT CProfileManager::SetActiveProfile(IDeviceProfile* profile) {
    HRESULT hr = m_state->Enter(L"IProfileManager.SetActiveProfile");
    if (FAILED(hr))
        return hr;
    GUID guid;
    if (!GuidOfHandle(profile, m_state.get(), guid))
        return E_INVALIDARG;
    return m_state->SetActiveProfile(guid);
}

HRESULT CProfileManager::GetActiveProfile(IDeviceProfile** profile) {
    HRESULT hr = ClearOut(profile);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IProfileManager.GetActiveProfile");
    if (FAILED(hr))
        return hr;
    GUID guid = m_state->Data().activeProfile;
    if (!m_state->FindProfile(guid))
        return kServiceNotFound;
    return Handle(guid, profile);
}

HRESULT CProfileManager::CreateProfile(IDeviceProfile** profile) {
    HRESULT hr = ClearOut(profile);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IProfileManager.CreateProfile");
    GUID guid;
    if (SUCCEEDED(hr))
        hr = m_state->CreateProfile(guid);
    return FAILED(hr) ? hr : Handle(guid, profile);
}

HRESULT CProfileManager::DeleteProfile(IDeviceProfile* profile) {
    HRESULT hr = m_state->Enter(L"IProfileManager.DeleteProfile");
    if (FAILED(hr))
        return hr;
    GUID guid;
    if (!GuidOfHandle(profile, m_state.get(), guid))
        return E_INVALIDARG;
    return m_state->DeleteProfile(guid);
}

HRESULT CProfileManager::ImportProfile(const WCHAR* path, IDeviceProfile** profile) {
    HRESULT hr = ClearOut(profile);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IProfileManager.ImportProfile");
    if (FAILED(hr))
        return hr;
    if (!path)
        return E_POINTER;
    GUID guid;
    hr = m_state->ImportProfile(path, guid);
    return FAILED(hr) ? hr : Handle(guid, profile);
}

HRESULT CProfileManager::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT CProfileManager::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Profile, this, iid, point);
}
