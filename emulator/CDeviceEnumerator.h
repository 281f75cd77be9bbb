#pragma once
// The DeviceService object: lists the keyboard (when it is plugged in) and
// carries the emulator's own controls.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <functional>
#include <memory>

class CDeviceEnumerator : public IDeviceEnumerator, public IKeyboardEmulatorControl {
public:
    // onQuit runs when a client asks the emulator to stop; without it Quit
    // answers E_NOTIMPL (a keyboard inside a test process does not stop).
    CDeviceEnumerator(std::shared_ptr<CKeyboardState> state, std::function<void()> onQuit);
    void* Find(REFIID iid);

    // IDeviceEnumerator
    HRESULT STDMETHODCALLTYPE GetDevice(ULONG index, IDevice** device) override;

    // IKeyboardEmulatorControl
    HRESULT STDMETHODCALLTYPE SetPresent(BOOL present, ULONG* vendorId, ULONG* productId) override;
    HRESULT STDMETHODCALLTYPE PressProfileKey(LONG index) override;
    HRESULT STDMETHODCALLTYPE RunRecordingStage(ULONG stage, ULONG keyId) override;
    HRESULT STDMETHODCALLTYPE PressLaunchKey(ULONG kind, const WCHAR* path) override;
    HRESULT STDMETHODCALLTYPE ResetToFactory() override;
    HRESULT STDMETHODCALLTYPE DumpState(ULONG* cb, BYTE** text) override;
    HRESULT STDMETHODCALLTYPE InjectFault(const WCHAR* operation, HRESULT result, BOOL everyCall) override;
    HRESULT STDMETHODCALLTYPE ClearFaults() override;
    HRESULT STDMETHODCALLTYPE Quit(ULONG* processId) override;
    HRESULT STDMETHODCALLTYPE TakeCallCount(ULONG* count) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
    std::function<void()> m_onQuit;
};
