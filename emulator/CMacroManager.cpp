#include "emulator/CMacroManager.h"

#include "emulator/CDeviceMacro.h"
#include "emulator/CServiceObject.h"
#include "emulator/IServiceHandle.h"
#include "emulator/ServiceCalls.h"

void* CMacroManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IMacroManager)
        return static_cast<IMacroManager*>(this);
    return nullptr;
}

HRESULT CMacroManager::Handle(const GUID& guid, IDeviceMacro** macro) {
    return CServiceObject<CDeviceMacro>::CreateInto(macro, m_state, guid);
}

HRESULT CMacroManager::GetMacro(ULONG index, IDeviceMacro** macro) {
    HRESULT hr = ClearOut(macro);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IMacroManager.GetMacro");
    if (FAILED(hr))
        return hr;
    const auto& macros = m_state->Data().macros;
    if (index >= macros.size())
        return kServiceNoMoreItems;
    return Handle(macros[index].guid, macro);
}

HRESULT CMacroManager::FindMacro(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3, IDeviceMacro** macro) {
    HRESULT hr = ClearOut(macro);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IMacroManager.FindMacro");
    if (FAILED(hr))
        return hr;
    GUID guid = GuidOfWords(guid0, guid1, guid2, guid3);
    if (!m_state->FindMacro(guid))
        return kServiceNotFound;
    return Handle(guid, macro);
}

HRESULT CMacroManager::CreateMacro(IDeviceMacro** macro) {
    HRESULT hr = ClearOut(macro);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IMacroManager.CreateMacro");
    GUID guid;
    if (SUCCEEDED(hr))
        hr = m_state->CreateMacro(guid);
    return FAILED(hr) ? hr : Handle(guid, macro);
}

HRESULT CMacroManager::DeleteMacro(IDeviceMacro* macro) {
    HRESULT hr = m_state->Enter(L"IMacroManager.DeleteMacro");
    if (FAILED(hr))
        return hr;
    GUID guid;
    if (!GuidOfHandle(macro, m_state.get(), guid))
        return E_INVALIDARG;
    return m_state->DeleteMacro(guid);
}

HRESULT CMacroManager::ImportMacro(const WCHAR* path, IDeviceMacro** macro) {
    HRESULT hr = ClearOut(macro);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IMacroManager.ImportMacro");
    if (FAILED(hr))
        return hr;
    if (!path)
        return E_POINTER;
    GUID guid;
    hr = m_state->ImportMacro(path, guid);
    return FAILED(hr) ? hr : Handle(guid, macro);
}
