#pragma once
// The keyboard's macro store: by index, by GUID, create, delete, import.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CMacroManager : public IMacroManager {
public:
    explicit CMacroManager(std::shared_ptr<CKeyboardState> state) : m_state(std::move(state)) {}
    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE GetMacro(ULONG index, IDeviceMacro** macro) override;
    HRESULT STDMETHODCALLTYPE FindMacro(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                        IDeviceMacro** macro) override;
    HRESULT STDMETHODCALLTYPE CreateMacro(IDeviceMacro** macro) override;
    HRESULT STDMETHODCALLTYPE DeleteMacro(IDeviceMacro* macro) override;
    HRESULT STDMETHODCALLTYPE ImportMacro(const WCHAR* path, IDeviceMacro** macro) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
};
