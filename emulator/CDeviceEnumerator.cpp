#include "emulator/CDeviceEnumerator.h"

#include "emulator/CDevice.h"
#include "emulator/CServiceObject.h"
#include "emulator/ServiceCalls.h"

#include <cstring>

CDeviceEnumerator::CDeviceEnumerator(std::shared_ptr<CKeyboardState> state, std::function<void()> onQuit)
    : m_state(std::move(state)), m_onQuit(std::move(onQuit)) {}

void* CDeviceEnumerator::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDeviceEnumerator)
        return static_cast<IDeviceEnumerator*>(this);
    if (iid == IID_IKeyboardEmulatorControl)
        return static_cast<IKeyboardEmulatorControl*>(this);
    return nullptr;
}

HRESULT CDeviceEnumerator::GetDevice(ULONG index, IDevice** device) {
    HRESULT hr = ClearOut(device);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IDeviceEnumerator.GetDevice", false);
    if (FAILED(hr))
        return hr;
    if (index != 0 || !m_state->Data().present)
        return kServiceNoMoreItems;
    return CServiceObject<CDevice>::CreateInto(device, m_state);
}

HRESULT CDeviceEnumerator::SetPresent(BOOL present, ULONG* vendorId, ULONG* productId) {
    if (!vendorId || !productId)
        return E_POINTER;
    m_state->SetPresent(present != FALSE);
    *vendorId = m_state->Data().vendorId;
    *productId = m_state->Data().productId;
    return S_OK;
}

HRESULT CDeviceEnumerator::PressProfileKey(LONG index) { return m_state->PressProfileKey(index); }

HRESULT CDeviceEnumerator::RunRecordingStage(ULONG stage, ULONG keyId) {
    return m_state->RunRecordingStage(stage, keyId);
}

HRESULT CDeviceEnumerator::PressLaunchKey(ULONG kind, const WCHAR* path) {
    if (!path)
        return E_POINTER;
    return m_state->PressLaunchKey(kind, path);
}

HRESULT CDeviceEnumerator::ResetToFactory() {
    m_state->ResetToFactory();
    return S_OK;
}

HRESULT CDeviceEnumerator::DumpState(ULONG* cb, BYTE** text) {
    HRESULT hr = ClearOut(cb, text);
    if (FAILED(hr))
        return hr;
    std::string dump = m_state->Dump();
    BYTE* block = static_cast<BYTE*>(CoTaskMemAlloc(dump.size() ? dump.size() : 1));
    if (!block)
        return E_OUTOFMEMORY;
    std::memcpy(block, dump.data(), dump.size());
    *cb = static_cast<ULONG>(dump.size());
    *text = block;
    return S_OK;
}

HRESULT CDeviceEnumerator::InjectFault(const WCHAR* operation, HRESULT result, BOOL everyCall) {
    return m_state->Faults().Inject(operation, result, everyCall != FALSE);
}

HRESULT CDeviceEnumerator::ClearFaults() {
    m_state->Faults().Clear();
    return S_OK;
}

HRESULT CDeviceEnumerator::Quit(ULONG* processId) {
    if (!processId)
        return E_POINTER;
    *processId = GetCurrentProcessId();
    if (!m_onQuit)
        return E_NOTIMPL;
    m_state->Flush();
    m_onQuit();
    return S_OK;
}

HRESULT CDeviceEnumerator::TakeCallCount(ULONG* count) {
    if (!count)
        return E_POINTER;
    *count = m_state->TakeCallCount();
    return S_OK;
}
