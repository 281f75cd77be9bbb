#pragma once
// The keyboard: its description, its identity and layout, the device-wide
// settings, and the feature objects for profiles, macros, applications and
// on-the-fly recording.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CDevice : public IDevice,
                public IDeviceFeatures,
                public IDeviceIdentity,
                public IDeviceMode,
                public IOnOffFeature,
                public IOptionalFeature {
public:
    explicit CDevice(std::shared_ptr<CKeyboardState> state) : m_state(std::move(state)) {}
    void* Find(REFIID iid);

    // IDevice
    HRESULT STDMETHODCALLTYPE GetInfo(DeviceInfo* info) override;
    // IDevice and IDeviceFeatures
    HRESULT STDMETHODCALLTYPE GetFeature(REFIID iid, IUnknown** feature) override;
    // IDeviceFeatures
    HRESULT STDMETHODCALLTYPE GetLayoutCode(LONG* code) override;
    // IDeviceIdentity
    HRESULT STDMETHODCALLTYPE GetIdentity(ULONG* vendorId, ULONG* productId) override;
    // IDeviceMode
    HRESULT STDMETHODCALLTYPE GetMode(ULONG* mode) override;
    HRESULT STDMETHODCALLTYPE SetMode(ULONG mode) override;
    // IOnOffFeature
    HRESULT STDMETHODCALLTYPE GetValue(ULONG* on) override;
    HRESULT STDMETHODCALLTYPE SetValue(ULONG on) override;
    // IOptionalFeature
    HRESULT STDMETHODCALLTYPE GetState(BYTE* state) override;

private:
    // One of the keyboard's values, read by the service call operation.
    template <typename Out, typename Field>
    HRESULT Read(const wchar_t* operation, Out* out, Field KeyboardData::*field);

    std::shared_ptr<CKeyboardState> m_state;
};
