#pragma once
// One program a launch key can start, named by its GUID; its name is the
// program's path.

#include "emulator/CKeyboardState.h"
#include "emulator/IServiceHandle.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CDeviceApplication : public IDeviceApplication, public IServiceHandle {
public:
    CDeviceApplication(std::shared_ptr<CKeyboardState> state, const GUID& guid)
        : m_state(std::move(state)), m_guid(guid) {}
    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) override;
    HRESULT STDMETHODCALLTYPE GetName(ULONG* cbName, BYTE** name) override;
    HRESULT STDMETHODCALLTYPE SetName(const WCHAR* name) override;

    const CKeyboardState* STDMETHODCALLTYPE Keyboard() override { return m_state.get(); }
    GUID STDMETHODCALLTYPE ItemGuid() override { return m_guid; }

private:
    ApplicationState* Open(const wchar_t* operation, HRESULT& hr);
    std::shared_ptr<CKeyboardState> m_state;
    GUID m_guid;
};
