#pragma once
// One profile of the keyboard, named by its GUID: its name, its properties,
// its key records and its LEDs.  A profile that was deleted answers
// kServiceNotFound to every call.

#include "emulator/CKeyboardState.h"
#include "emulator/IServiceHandle.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CDeviceProfile : public IDeviceProfile,
                       public IProfileProperties,
                       public IKeyAssignmentManager,
                       public ILedCollection,
                       public IServiceHandle {
public:
    CDeviceProfile(std::shared_ptr<CKeyboardState> state, const GUID& guid)
        : m_state(std::move(state)), m_guid(guid) {}
    void* Find(REFIID iid);

    // IDeviceProfile
    HRESULT STDMETHODCALLTYPE GetFeature(REFIID iid, IUnknown** feature) override;
    HRESULT STDMETHODCALLTYPE GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) override;
    HRESULT STDMETHODCALLTYPE GetName(ULONG* cbName, BYTE** name) override;
    HRESULT STDMETHODCALLTYPE SetName(const WCHAR* name) override;
    HRESULT STDMETHODCALLTYPE Export(const WCHAR* path) override;

    // IProfileProperties
    HRESULT STDMETHODCALLTYPE GetProperty(ULONG id, ULONG reserved1, BYTE* buffer, ULONG reserved2,
                                          ULONG* size) override;
    HRESULT STDMETHODCALLTYPE SetProperty(ULONG id, const BYTE* buffer, ULONG reserved1, ULONG size,
                                          ULONG reserved2) override;

    // IKeyAssignmentManager
    HRESULT STDMETHODCALLTYPE GetKeyCount(ULONG* count) override;
    HRESULT STDMETHODCALLTYPE ReadKeys(ULONG* count, DeviceKeyRecord* records) override;
    HRESULT STDMETHODCALLTYPE WriteKeys(ULONG count, const DeviceKeyRecord* records) override;

    // ILedCollection
    HRESULT STDMETHODCALLTYPE GetLed(ULONG index, ILed** led) override;

    // IServiceHandle
    const CKeyboardState* STDMETHODCALLTYPE Keyboard() override { return m_state.get(); }
    GUID STDMETHODCALLTYPE ItemGuid() override { return m_guid; }

private:
    // Enter the operation and find the profile: null with hr set on failure.
    ProfileState* Open(const wchar_t* operation, HRESULT& hr);

    std::shared_ptr<CKeyboardState> m_state;
    GUID m_guid;
};
