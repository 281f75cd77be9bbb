#include "emulator/CDeviceApplication.h"

#include "emulator/ServiceCalls.h"
#include "service/ServiceText.h"

#include <cwchar>

void* CDeviceApplication::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDeviceApplication)
        return static_cast<IDeviceApplication*>(this);
    if (iid == IID_IServiceHandle)
        return static_cast<IServiceHandle*>(this);
    return nullptr;
}

ApplicationState* CDeviceApplication::Open(const wchar_t* operation, HRESULT& hr) {
    hr = m_state->Enter(operation);
    if (FAILED(hr))
        return nullptr;
    ApplicationState* application = m_state->FindApplication(m_guid);
    if (!application)
        hr = kServiceNotFound;
    return application;
}

HRESULT CDeviceApplication::GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) {
    HRESULT hr = PutGuidWords(GUID_NULL, guid0, guid1, guid2, guid3);
    if (FAILED(hr) || !Open(L"IDeviceApplication.GetGuid", hr))
        return hr;
    return PutGuidWords(m_guid, guid0, guid1, guid2, guid3);
}

HRESULT CDeviceApplication::GetName(ULONG* cbName, BYTE** name) {
    if (!cbName || !name)
        return E_POINTER;
    *cbName = 0;
    *name = nullptr;
    HRESULT hr;
    ApplicationState* application = Open(L"IDeviceApplication.GetName", hr);
    return application ? AllocServiceText(application->path, cbName, name) : hr;
}

HRESULT CDeviceApplication::SetName(const WCHAR* name) {
    HRESULT hr;
    ApplicationState* application = Open(L"IDeviceApplication.SetName", hr);
    if (!application)
        return hr;
    if (!name)
        return E_POINTER;
    if (std::wcslen(name) > kMaxApplicationPathLength)
        return E_INVALIDARG;
    application->path = name;
    m_state->Changed();
    return S_OK;
}
