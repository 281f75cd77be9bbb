#include "emulator/CApplicationManager.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/CDeviceApplication.h"
#include "emulator/CServiceObject.h"
#include "emulator/IServiceHandle.h"
#include "emulator/ServiceCalls.h"

void* CApplicationManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IApplicationManager)
        return static_cast<IApplicationManager*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT CApplicationManager::Handle(const GUID& guid, IDeviceApplication** application) {
    return CServiceObject<CDeviceApplication>::CreateInto(application, m_state, guid);
}

HRESULT CApplicationManager::GetApplication(ULONG index, IDeviceApplication** application) {
    HRESULT hr = ClearOut(application);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IApplicationManager.GetApplication");
    if (FAILED(hr))
        return hr;
    const auto& applications = m_state->Data().applications;
    if (index >= applications.size())
        return kServiceNoMoreItems;
    return Handle(applications[index].guid, application);
}

HRESULT CApplicationManager::FindApplication(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                             IDeviceApplication** application) {
    HRESULT hr = ClearOut(application);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IApplicationManager.FindApplication");
    if (FAILED(hr))
        return hr;
    GUID guid = GuidOfWords(guid0, guid1, guid2, guid3);
    if (!m_state->FindApplication(guid))
        return kServiceNotFound;
    return Handle(guid, application);
}

HRESULT CApplicationManager::CreateApplication(IDeviceApplication** application) {
    HRESULT hr = ClearOut(application);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IApplicationManager.CreateApplication");
    GUID guid;
    if (SUCCEEDED(hr))
        hr = m_state->CreateApplication(guid);
    return FAILED(hr) ? hr : Handle(guid, application);
}

HRESULT CApplicationManager::DeleteApplication(IDeviceApplication* application) {
    HRESULT hr = m_state->Enter(L"IApplicationManager.DeleteApplication");
    if (FAILED(hr))
        return hr;
    GUID guid;
    if (!GuidOfHandle(application, m_state.get(), guid))
        return E_INVALIDARG;
    return m_state->DeleteApplication(guid);
}

HRESULT CApplicationManager::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT CApplicationManager::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Application, this, iid, point);
}
