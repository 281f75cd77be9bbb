#pragma once
// The DeviceService class object of the server: every client gets an object
// of its own onto the one keyboard.  It lives as long as the server and is
// not counted among the objects that keep the server running.

#include "emulator/CKeyboardState.h"

#include <unknwn.h>

#include <functional>
#include <memory>

class CClassFactory : public IClassFactory {
public:
    CClassFactory(std::shared_ptr<CKeyboardState> state, std::function<void()> onQuit)
        : m_state(std::move(state)), m_onQuit(std::move(onQuit)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
    std::function<void()> m_onQuit;
};
