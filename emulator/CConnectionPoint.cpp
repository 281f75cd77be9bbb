#include "emulator/CConnectionPoint.h"

#include "emulator/CServiceObject.h"
#include "emulator/ServiceCalls.h"

#include <olectl.h>

CConnectionPoint::CConnectionPoint(std::shared_ptr<CKeyboardState> state, EventKind kind,
                                   IConnectionPointContainer* container)
    : m_state(std::move(state)), m_kind(kind), m_container(container) {}

void* CConnectionPoint::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint)
        return static_cast<IConnectionPoint*>(this);
    return nullptr;
}

HRESULT CConnectionPoint::FindFor(const std::shared_ptr<CKeyboardState>& state, EventKind kind,
                                  IConnectionPointContainer* container, REFIID iid, IConnectionPoint** point) {
    HRESULT hr = ClearOut(point);
    if (SUCCEEDED(hr))
        hr = state->Enter(L"IConnectionPointContainer.FindConnectionPoint", false);
    if (FAILED(hr))
        return hr;
    if (iid != state->Sinks(kind).Iid())
        return CONNECT_E_NOCONNECTION;
    return CServiceObject<CConnectionPoint>::CreateInto(point, state, kind, container);
}

HRESULT CConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = m_state->Sinks(m_kind).Iid();
    return S_OK;
}

HRESULT CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    HRESULT hr = ClearOut(container);
    return FAILED(hr) ? hr : m_container.CopyTo(container);
}

HRESULT CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    HRESULT hr = m_state->Enter(L"IConnectionPoint.Advise", false);
    return FAILED(hr) ? hr : m_state->Sinks(m_kind).Advise(sink, cookie);
}

HRESULT CConnectionPoint::Unadvise(DWORD cookie) {
    HRESULT hr = m_state->Enter(L"IConnectionPoint.Unadvise", false);
    return FAILED(hr) ? hr : m_state->Sinks(m_kind).Unadvise(cookie);
}

HRESULT CConnectionPoint::EnumConnections(IEnumConnections** connections) {
    HRESULT hr = ClearOut(connections);
    return FAILED(hr) ? hr : E_NOTIMPL;
}
