#pragma once
// One macro of the keyboard, named by its GUID: its name and its steps,
// exchanged as a macro-steps block.

#include "emulator/CKeyboardState.h"
#include "emulator/IServiceHandle.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CDeviceMacro : public IDeviceMacro, public IServiceHandle {
public:
    CDeviceMacro(std::shared_ptr<CKeyboardState> state, const GUID& guid)
        : m_state(std::move(state)), m_guid(guid) {}
    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) override;
    HRESULT STDMETHODCALLTYPE GetName(ULONG* cbName, BYTE** name) override;
    HRESULT STDMETHODCALLTYPE SetName(const WCHAR* name) override;
    HRESULT STDMETHODCALLTYPE Export(const WCHAR* path) override;
    HRESULT STDMETHODCALLTYPE GetSteps(ULONG* cbBlock, BYTE** block) override;
    HRESULT STDMETHODCALLTYPE SetSteps(ULONG cbBlock, const BYTE* block) override;

    const CKeyboardState* STDMETHODCALLTYPE Keyboard() override { return m_state.get(); }
    GUID STDMETHODCALLTYPE ItemGuid() override { return m_guid; }

private:
    MacroState* Open(const wchar_t* operation, HRESULT& hr);
    std::shared_ptr<CKeyboardState> m_state;
    GUID m_guid;
};
