#include "emulator/CDpiEventSource.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/ServiceCalls.h"

void* CDpiEventSource::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDpiEventSource)
        return static_cast<IDpiEventSource*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT CDpiEventSource::GetDpi(LONG* x, LONG* y, LONG* stage) {
    if (!x || !y || !stage)
        return E_POINTER;
    *x = *y = *stage = 0;
    HRESULT hr = m_state->Enter(L"IDpiEventSource.GetDpi");
    if (SUCCEEDED(hr) && !m_state->FindProfile(m_profile))
        hr = kServiceNotFound;
    return hr;
}

HRESULT CDpiEventSource::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT CDpiEventSource::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Dpi, this, iid, point);
}
