#pragma once
// A profile's DPI event source.  The keyboard has no pointer sensor, so it
// raises no _IDPIEvents and reports 0 for every value; the connection point
// is there for clients that connect anyway.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CDpiEventSource : public IDpiEventSource, public IConnectionPointContainer {
public:
    CDpiEventSource(std::shared_ptr<CKeyboardState> state, const GUID& profile)
        : m_state(std::move(state)), m_profile(profile) {}
    void* Find(REFIID iid);

    // IDpiEventSource
    HRESULT STDMETHODCALLTYPE Reserved1() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved2() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reserved7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDpi(LONG* x, LONG* y, LONG* stage) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
    GUID m_profile;
};
