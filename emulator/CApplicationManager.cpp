#include "emulator/CApplicationManager.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/CDeviceApplication.h"
#include "emulator/ItemCalls.h"

void* CApplicationManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IApplicationManager)
        return static_cast<IApplicationManager*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT CApplicationManager::GetApplication(ULONG index, IDeviceApplication** application) {
    return GetItemAt<CDeviceApplication>(m_state, L"IApplicationManager.GetApplication", &KeyboardData::applications,
                                         index, application);
}

HRESULT CApplicationManager::FindApplication(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                             IDeviceApplication** application) {
    return FindItem<CDeviceApplication>(m_state, L"IApplicationManager.FindApplication", &KeyboardData::applications,
                                        GuidOfWords(guid0, guid1, guid2, guid3), application);
}

HRESULT CApplicationManager::CreateApplication(IDeviceApplication** application) {
    return AddItem<CDeviceApplication>(
        m_state, L"IApplicationManager.CreateApplication",
        [this](GUID& guid) { return m_state->CreateApplication(guid); }, application);
}

HRESULT CApplicationManager::DeleteApplication(IDeviceApplication* application) {
    return ActOnItem(m_state, L"IApplicationManager.DeleteApplication", application,
                     &CKeyboardState::DeleteApplication);
}

HRESULT CApplicationManager::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT CApplicationManager::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Application, this, iid, point);
}
