#pragma once
// One event interface's connection point.  The sinks live in the keyboard
// state, so every object of the same kind (each profile manager a client
// gets, say) raises to the same sinks.

#include "emulator/CKeyboardState.h"
#include "platform/CComPtr.h"

#include <ocidl.h>

#include <memory>

class CConnectionPoint : public IConnectionPoint {
public:
    CConnectionPoint(std::shared_ptr<CKeyboardState> state, EventKind kind, IConnectionPointContainer* container);
    void* Find(REFIID iid);

    // What a container's FindConnectionPoint does for its one event interface.
    static HRESULT FindFor(const std::shared_ptr<CKeyboardState>& state, EventKind kind,
                           IConnectionPointContainer* container, REFIID iid, IConnectionPoint** point);

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
    EventKind m_kind;
    CComPtr<IConnectionPointContainer> m_container;
};
