#include "emulator/CClassFactory.h"

#include "emulator/CDeviceEnumerator.h"
#include "emulator/CObjectCount.h"
#include "emulator/CServiceObject.h"

HRESULT CClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return CServiceObject<CDeviceEnumerator>::CreateAs<IDeviceEnumerator>(iid, out, m_state, m_onQuit);
}

HRESULT CClassFactory::LockServer(BOOL lock) {
    if (lock)
        CObjectCount::Add();
    else
        CObjectCount::Remove();
    return S_OK;
}
