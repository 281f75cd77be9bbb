#include "emulator/CDevice.h"

#include "emulator/CApplicationManager.h"
#include "emulator/CMacroManager.h"
#include "emulator/COTFMacroRecording.h"
#include "emulator/CProfileManager.h"
#include "emulator/CServiceObject.h"
#include "emulator/ServiceCalls.h"

#include <cstring>

static const wchar_t kDeviceName[] = L"Mobek Tilvor";

void* CDevice::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDevice)
        return static_cast<IDevice*>(this);
    if (iid == IID_IDeviceFeatures)
        return static_cast<IDeviceFeatures*>(this);
    if (iid == IID_IDeviceIdentity)
        return static_cast<IDeviceIdentity*>(this);
    if (iid == IID_IDeviceMode)
        return static_cast<IDeviceMode*>(this);
    if (iid == IID_IOnOffFeature)
        return static_cast<IOnOffFeature*>(this);
    if (iid == IID_IOptionalFeature)
        return static_cast<IOptionalFeature*>(this);
    return nullptr;
}

HRESULT CDevice::GetInfo(DeviceInfo* info) {
    if (!info)
        return E_POINTER;
    std::memset(info, 0, sizeof *info);
    HRESULT hr = m_state->Enter(L"IDevice.GetInfo");
    if (FAILED(hr))
        return hr;
    const KeyboardData& data = m_state->Data();
    WCHAR* text = static_cast<WCHAR*>(CoTaskMemAlloc(sizeof kDeviceName));
    if (!text)
        return E_OUTOFMEMORY;
    std::memcpy(text, kDeviceName, sizeof kDeviceName);
    info->cbSize = sizeof *info;
    info->productId = data.productId;
    info->firstVersionMajor = data.firstVersionMajor;
    info->firstVersionMinor = data.firstVersionMinor;
    info->secondVersionMajor = data.secondVersionMajor;
    info->secondVersionMinor = data.secondVersionMinor;
    info->text = text;
    return S_OK;
}

HRESULT CDevice::GetFeature(REFIID iid, IUnknown** feature) {
    HRESULT hr = ClearOut(feature);
    if (SUCCEEDED(hr))
        hr = m_state->Enter(L"IDevice.GetFeature");
    if (FAILED(hr))
        return hr;
    void** out = reinterpret_cast<void**>(feature);
    if (iid == IID_IProfileManager)
        return CServiceObject<CProfileManager>::CreateAs<IProfileManager>(iid, out, m_state);
    if (iid == IID_IMacroManager)
        return CServiceObject<CMacroManager>::CreateAs<IMacroManager>(iid, out, m_state);
    if (iid == IID_IApplicationManager)
        return CServiceObject<CApplicationManager>::CreateAs<IApplicationManager>(iid, out, m_state);
    if (iid == IID_IOTFMacroRecording)
        return CServiceObject<COTFMacroRecording>::CreateAs<IOTFMacroRecording>(iid, out, m_state);
    return static_cast<IDevice*>(this)->QueryInterface(iid, out);
}

template <typename Out, typename Field>
HRESULT CDevice::Read(const wchar_t* operation, Out* out, Field KeyboardData::*field) {
    if (!out)
        return E_POINTER;
    *out = 0;
    HRESULT hr = m_state->Enter(operation);
    if (SUCCEEDED(hr))
        *out = static_cast<Out>(m_state->Data().*field);
    return hr;
}

HRESULT CDevice::GetLayoutCode(LONG* code) {
    return Read(L"IDeviceFeatures.GetLayoutCode", code, &KeyboardData::layoutCode);
}

HRESULT CDevice::GetIdentity(ULONG* vendorId, ULONG* productId) {
    if (!vendorId || !productId)
        return E_POINTER;
    *vendorId = *productId = 0;
    HRESULT hr = m_state->Enter(L"IDeviceIdentity.GetIdentity");
    if (SUCCEEDED(hr)) {
        *vendorId = m_state->Data().vendorId;
        *productId = m_state->Data().productId;
    }
    return hr;
}

HRESULT CDevice::GetMode(ULONG* mode) { return Read(L"IDeviceMode.GetMode", mode, &KeyboardData::deviceMode); }

HRESULT CDevice::SetMode(ULONG mode) {
    HRESULT hr = m_state->Enter(L"IDeviceMode.SetMode");
    return FAILED(hr) ? hr : m_state->SetDeviceMode(mode);
}

HRESULT CDevice::GetValue(ULONG* on) { return Read(L"IOnOffFeature.GetValue", on, &KeyboardData::onOff); }

HRESULT CDevice::SetValue(ULONG on) {
    HRESULT hr = m_state->Enter(L"IOnOffFeature.SetValue");
    return FAILED(hr) ? hr : m_state->SetOnOff(on);
}

HRESULT CDevice::GetState(BYTE* state) {
    return Read(L"IOptionalFeature.GetState", state, &KeyboardData::optionalFeature);
}
