#pragma once
// The C side of the proxy/stub factory, for CProxyStubRegistration.
#include <objbase.h>

#ifdef __cplusplus
extern "C" {
#endif

HRESULT WINAPI KeyboardServicePrxDllGetClassObject(REFCLSID clsid, REFIID iid, void** out);
// The factory's class id.
const CLSID* KeyboardServiceProxyClsid(void);
// The id of the index-th interface the factory marshals; null past the last.
const IID* KeyboardServiceProxyInterface(unsigned index);

#ifdef __cplusplus
}
#endif
