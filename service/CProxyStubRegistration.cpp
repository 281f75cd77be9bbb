#include "service/CProxyStubRegistration.h"

#include "platform/CComPtr.h"
#include "service/ProxyDllData.h"

CProxyStubRegistration::CProxyStubRegistration() {
    const CLSID& clsid = *KeyboardServiceProxyClsid();
    CComPtr<IUnknown> factory;
    m_result = KeyboardServicePrxDllGetClassObject(clsid, IID_IUnknown, reinterpret_cast<void**>(&factory));
    if (FAILED(m_result))
        return;
    m_result = CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    if (FAILED(m_result))
        return;
    for (unsigned i = 0; const IID* iid = KeyboardServiceProxyInterface(i); ++i) {
        HRESULT hr = CoRegisterPSClsid(*iid, clsid);
        if (FAILED(hr))
            m_result = hr;
    }
}

CProxyStubRegistration::~CProxyStubRegistration() {
    if (m_cookie)
        CoRevokeClassObject(m_cookie);
}
