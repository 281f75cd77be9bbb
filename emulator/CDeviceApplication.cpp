#include "emulator/CDeviceApplication.h"

#include "emulator/ItemCalls.h"
#include "service/ServiceText.h"

void* CDeviceApplication::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDeviceApplication)
        return static_cast<IDeviceApplication*>(this);
    if (iid == IID_IServiceHandle)
        return static_cast<IServiceHandle*>(this);
    return nullptr;
}

ApplicationState* CDeviceApplication::Open(const wchar_t* operation, HRESULT& hr) {
    return OpenItem(*m_state, operation, &CKeyboardState::FindApplication, m_guid, hr);
}

HRESULT CDeviceApplication::GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) {
    HRESULT hr = PutGuidWords(GUID_NULL, guid0, guid1, guid2, guid3);
    if (FAILED(hr) || !Open(L"IDeviceApplication.GetGuid", hr))
        return hr;
    return PutGuidWords(m_guid, guid0, guid1, guid2, guid3);
}

HRESULT CDeviceApplication::GetName(ULONG* cbName, BYTE** name) {
    HRESULT hr = ClearOut(cbName, name);
    if (FAILED(hr))
        return hr;
    ApplicationState* application = Open(L"IDeviceApplication.GetName", hr);
    return application ? AllocServiceText(application->path, cbName, name) : hr;
}

HRESULT CDeviceApplication::SetName(const WCHAR* name) {
    HRESULT hr;
    ApplicationState* application = Open(L"IDeviceApplication.SetName", hr);
    return application ? PutItemText(*m_state, name, kMaxApplicationPathLength, application->path) : hr;
}
