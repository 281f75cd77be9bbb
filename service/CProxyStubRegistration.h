#pragma once
// Makes the service's interfaces marshal in the calling thread's apartment.
// The proxy/stub code is linked into each program, not installed as a DLL,
// so every apartment that passes a service interface (each STA thread, and
// the MTA) needs one of these for as long as it uses the service.

#include <windows.h>

class CProxyStubRegistration {
public:
    CProxyStubRegistration();
    ~CProxyStubRegistration();
    CProxyStubRegistration(const CProxyStubRegistration&) = delete;
    CProxyStubRegistration& operator=(const CProxyStubRegistration&) = delete;

    HRESULT Result() const noexcept { return m_result; }

private:
    HRESULT m_result = E_FAIL;
    DWORD m_cookie = 0;
};
